#pragma once
// The user's and the system's well-known folders. Each gives an empty path when the folder
// cannot be found.

#include <QString>

// Per-user application data that follows the user: the XDG data home on Linux
// ($XDG_DATA_HOME, else ~/.local/share); the roaming application-data folder on Windows.
QString RoamingDataFolder();

// Per-user application data of low trust: Linux has no such split, so it is the data home too;
// on Windows the local-low folder, else the roaming one.
QString LocalLowDataFolder();

// A session without a runtime folder ($XDG_RUNTIME_DIR unset: su, a bare container, CI) gets the
// user's private /tmp/runtime-<uid> (made 0700 when missing), so the libraries that want one find
// it without warnings. Call before the application object. Nothing on Windows.
void EnsureRuntimeFolder();

// Where add-on programs are installed: /opt on Linux, the program files folder on Windows.
QString ProgramFilesFolder();

#ifdef _WIN32
// Path of a known folder given by its identifier text "{xxxxxxxx-...}"; empty on failure.
QString GetKnownFolder(const wchar_t* folderId);

// Path of an older folder code through the named library and function; empty on failure.
QString GetFolderPathByCSIDL(const wchar_t* library, const char* function, int folderCode);
#endif
