#pragma once
// The system name of a named IPC object. Names are scoped to the user: Windows keeps them in the
// logon session's namespace by itself (wide characters); POSIX names are machine-wide, so the
// user's id is appended (and exactly one leading "/" put in front). Two users' launches never
// meet.

#include <string>

#ifdef _WIN32
#include <windows.h>

inline std::wstring IpcName(const std::string& name)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), wide.data(), length);
    return wide;
}
#else
#include <unistd.h>

inline std::string IpcName(const std::string& name)
{
    const std::string scoped = name + ".u" + std::to_string(getuid());
    return (!scoped.empty() && scoped.front() == '/') ? scoped : "/" + scoped;
}
#endif
