#include "platform/ipc/NamedEvent.h"

#include "platform/ipc/IpcName.h"

#ifndef _WIN32
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <semaphore.h>
#endif

TNamedEvent::~TNamedEvent()
{
    Close();
}

bool TNamedEvent::IsOpen() const
{
    return m_pHandle != nullptr;
}

#ifdef _WIN32

bool TNamedEvent::CreateOrOpen(const std::string& name)
{
    Close();
    m_pHandle = CreateEventW(nullptr, FALSE, FALSE, IpcName(name).c_str());
    return m_pHandle != nullptr;
}

bool TNamedEvent::CreateNew(const std::string& name)
{
    Close();
    m_pHandle = CreateEventW(nullptr, FALSE, FALSE, IpcName(name).c_str());
    if (m_pHandle != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        Close();
    }
    return m_pHandle != nullptr;
}

void TNamedEvent::Close()
{
    if (m_pHandle != nullptr) {
        CloseHandle(m_pHandle);
        m_pHandle = nullptr;
    }
}

bool TNamedEvent::Set()
{
    return m_pHandle != nullptr && SetEvent(m_pHandle) != 0;
}

bool TNamedEvent::Wait(int timeoutMs)
{
    if (m_pHandle == nullptr) {
        return false;
    }
    const DWORD limit = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    return WaitForSingleObject(m_pHandle, limit) == WAIT_OBJECT_0;
}

bool TNamedEvent::Unlink(const std::string&)
{
    return true;
}

#else

namespace {

sem_t* Semaphore(void* handle)
{
    return static_cast<sem_t*>(handle);
}

timespec DeadlineAfter(int timeoutMs)
{
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += timeoutMs / 1000;
    deadline.tv_nsec += static_cast<long>(timeoutMs % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    return deadline;
}

// The semaphore not set, or nullptr when sem_open fails.
sem_t* OpenSemaphore(const std::string& name, int flags)
{
    sem_t* semaphore = sem_open(IpcName(name).c_str(), flags, 0600, 0);
    return semaphore == SEM_FAILED ? nullptr : semaphore;
}

} // namespace

bool TNamedEvent::CreateOrOpen(const std::string& name)
{
    Close();
    m_pHandle = OpenSemaphore(name, O_CREAT);
    return m_pHandle != nullptr;
}

bool TNamedEvent::CreateNew(const std::string& name)
{
    Close();
    m_pHandle = OpenSemaphore(name, O_CREAT | O_EXCL);
    return m_pHandle != nullptr;
}

void TNamedEvent::Close()
{
    if (m_pHandle != nullptr) {
        sem_close(Semaphore(m_pHandle));
        m_pHandle = nullptr;
    }
}

bool TNamedEvent::Set()
{
    if (m_pHandle == nullptr) {
        return false;
    }
    // An event is set or not: a second set before anybody waited must not count twice.
    int value = 0;
    if (sem_getvalue(Semaphore(m_pHandle), &value) == 0 && value > 0) {
        return true;
    }
    return sem_post(Semaphore(m_pHandle)) == 0;
}

bool TNamedEvent::Wait(int timeoutMs)
{
    if (m_pHandle == nullptr) {
        return false;
    }
    sem_t* semaphore = Semaphore(m_pHandle);
    int result = 0;
    if (timeoutMs < 0) {
        do {
            result = sem_wait(semaphore);
        } while (result != 0 && errno == EINTR);
    } else if (timeoutMs == 0) {
        result = sem_trywait(semaphore);
    } else {
        const timespec deadline = DeadlineAfter(timeoutMs);
        do {
            result = sem_timedwait(semaphore, &deadline);
        } while (result != 0 && errno == EINTR);
    }
    return result == 0;
}

bool TNamedEvent::Unlink(const std::string& name)
{
    return sem_unlink(IpcName(name).c_str()) == 0;
}

#endif
