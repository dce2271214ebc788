#pragma once
// A named, auto-reset event between processes: one side sets it once, the other waits for it.
// POSIX named semaphore here (posted at most once while nobody has waited), a named event on
// Windows. Names are given without the leading "/" that POSIX wants; it is added inside.

#include <string>

class TNamedEvent {
public:
    TNamedEvent() = default;
    ~TNamedEvent();
    TNamedEvent(const TNamedEvent&) = delete;
    TNamedEvent& operator=(const TNamedEvent&) = delete;

    // Creates the event not set, or opens it when it exists already.
    bool CreateOrOpen(const std::string& name);
    // Creates the event not set; false when an event of that name exists.
    bool CreateNew(const std::string& name);
    void Close();
    bool IsOpen() const;

    // Sets the event. Setting an event that is already set leaves it set once.
    bool Set();

    // Waits until the event is set and resets it. timeoutMs < 0 waits without limit; 0 only
    // looks. True when the event was set, false on time-out or error.
    bool Wait(int timeoutMs);

    // Removes the name (a no-op on Windows).
    static bool Unlink(const std::string& name);

private:
    void* m_pHandle = nullptr;     // sem_t* or HANDLE
};
