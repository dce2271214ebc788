#include "platform/folders/SpecialFolders.h"

#ifdef _WIN32

#include <windows.h>
#include <objbase.h>

namespace {

constexpr int kCsidlAppData = 26;
constexpr int kCsidlProgramFiles = 38;
constexpr const wchar_t* kRoamingAppDataId = L"{3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}";
constexpr const wchar_t* kLocalLowAppDataId = L"{A520A1A4-1780-4FF6-BD18-167343C5AF16}";

// The older folder-code interface: first the shell library, then its stand-alone twin.
QString FolderByCode(int folderCode)
{
    QString path = GetFolderPathByCSIDL(L"Shell32.dll", "SHGetFolderPathW", folderCode);
    if (path.isEmpty()) {
        path = GetFolderPathByCSIDL(L"SHFolder.dll", "SHGetFolderPathW", folderCode);
    }
    return path;
}

QString KnownFolderOrCode(const wchar_t* folderId, int folderCode)
{
    const QString path = GetKnownFolder(folderId);
    return path.isEmpty() ? FolderByCode(folderCode) : path;
}

} // namespace

QString GetKnownFolder(const wchar_t* folderId)
{
    GUID id{};
    if (FAILED(CLSIDFromString(folderId, &id))) {
        return {};
    }
    HMODULE library = LoadLibraryW(L"Shell32.dll");
    if (library == nullptr) {
        return {};
    }
    using GetKnownFolderPathFn = HRESULT(WINAPI*)(REFGUID, DWORD, HANDLE, PWSTR*);
    const auto function = reinterpret_cast<GetKnownFolderPathFn>(GetProcAddress(library, "SHGetKnownFolderPath"));
    QString result;
    if (function != nullptr) {
        PWSTR path = nullptr;
        if (SUCCEEDED(function(id, 0, nullptr, &path)) && path != nullptr) {
            result = QString::fromWCharArray(path);
        }
        CoTaskMemFree(path);
    }
    FreeLibrary(library);
    return result;
}

QString GetFolderPathByCSIDL(const wchar_t* library, const char* function, int folderCode)
{
    HMODULE module = LoadLibraryW(library);
    if (module == nullptr) {
        return {};
    }
    using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    const auto call = reinterpret_cast<GetFolderPathFn>(GetProcAddress(module, function));
    QString result;
    if (call != nullptr) {
        wchar_t buffer[MAX_PATH] = {};
        if (SUCCEEDED(call(nullptr, folderCode, nullptr, 0, buffer))) {
            result = QString::fromWCharArray(buffer);
        }
    }
    FreeLibrary(module);
    return result;
}

void EnsureRuntimeFolder() {}

QString RoamingDataFolder()
{
    return KnownFolderOrCode(kRoamingAppDataId, kCsidlAppData);
}

QString LocalLowDataFolder()
{
    // The older interface has no code for the low folder: the roaming one stands in.
    return KnownFolderOrCode(kLocalLowAppDataId, kCsidlAppData);
}

QString ProgramFilesFolder()
{
    return FolderByCode(kCsidlProgramFiles);
}

#else

#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

QString RoamingDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString LocalLowDataFolder()
{
    return RoamingDataFolder();
}

QString ProgramFilesFolder()
{
    return QStringLiteral("/opt");
}

void EnsureRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return;
    }
    const QByteArray folder = "/tmp/runtime-" + QByteArray::number(getuid());
    struct stat info {};
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) {
        return;
    }
    // Only a folder of the user's own, closed to others, will do (Qt would refuse any other).
    if (lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
        (info.st_mode & 0077) == 0) {
        qputenv("XDG_RUNTIME_DIR", folder);
    }
}

#endif
