#pragma once
// The system name of a named IPC object: POSIX wants exactly one leading "/", Windows takes the
// name as it is (wide characters).

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
inline std::string IpcName(const std::string& name)
{
    return (!name.empty() && name.front() == '/') ? name : "/" + name;
}
#endif
