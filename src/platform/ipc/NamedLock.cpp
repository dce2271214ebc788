#include "platform/ipc/NamedLock.h"

#include "platform/ipc/IpcName.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

TNamedLock::~TNamedLock()
{
    Release();
}

#ifdef _WIN32

bool TNamedLock::TryTake(const std::string& name)
{
    Release();
    m_hMutex = CreateMutexW(nullptr, TRUE, IpcName(name).c_str());
    if (m_hMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Not granted at creation: free only when nobody holds it (or its holder ended).
        const DWORD taken = WaitForSingleObject(m_hMutex, 0);
        if (taken != WAIT_OBJECT_0 && taken != WAIT_ABANDONED) {
            CloseHandle(m_hMutex);
            m_hMutex = nullptr;
        }
    }
    return m_hMutex != nullptr;
}

void TNamedLock::Release()
{
    if (m_hMutex != nullptr) {
        ReleaseMutex(m_hMutex);
        CloseHandle(m_hMutex);
        m_hMutex = nullptr;
    }
}

#else

bool TNamedLock::TryTake(const std::string& name)
{
    Release();
    // The object itself stays (it holds nothing); the lock on it is what counts.
    m_nFd = shm_open(IpcName(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_nFd >= 0 && flock(m_nFd, LOCK_EX | LOCK_NB) != 0) {
        Release();
    }
    return m_nFd >= 0;
}

void TNamedLock::Release()
{
    if (m_nFd >= 0) {
        close(m_nFd);
        m_nFd = -1;
    }
}

#endif
