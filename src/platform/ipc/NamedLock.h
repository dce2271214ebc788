#pragma once
// A named lock held by one process of the user at a time. The system releases it when its
// holder ends, however it ends, so a holder that crashed never keeps others out. POSIX: an
// advisory lock on a shared-memory object of that name; Windows: a named mutex.

#include <string>

class TNamedLock {
public:
    TNamedLock() = default;
    ~TNamedLock();
    TNamedLock(const TNamedLock&) = delete;
    TNamedLock& operator=(const TNamedLock&) = delete;

    // Takes the lock without waiting; false when another process holds it (or on error).
    bool TryTake(const std::string& name);
    void Release();

private:
#ifdef _WIN32
    void* m_hMutex = nullptr;
#else
    int m_nFd = -1;
#endif
};
