#include "startmenu/ClearMode.h"

#include <windows.h>

#include "startmenu/NameRules.h"
#include "win/FileSystem.h"
#include "win/ShellLink.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// Keeps the system from asking for a disk while an empty drive is probed.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }

private:
    DWORD previous_ = 0;
};

// Shows this thread the 64-bit System32 while it lives, when the program runs as a 32-bit
// program on 64-bit Windows; elsewhere it changes nothing.
class NativeSystemFolder {
public:
    NativeSystemFolder() { active_ = Wow64DisableWow64FsRedirection(&previous_); }
    NativeSystemFolder(const NativeSystemFolder&) = delete;
    NativeSystemFolder& operator=(const NativeSystemFolder&) = delete;
    ~NativeSystemFolder() {
        if (active_)
            Wow64RevertWow64FsRedirection(previous_);
    }

private:
    void* previous_ = nullptr;
    BOOL active_ = FALSE;
};

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length && length < MAX_PATH ? value : L"";
}

// True when the path is absent; false when it is there or its state cannot be known.
bool IsAbsent(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A 32-bit program on 64-bit Windows sees System32 redirected and reads "%ProgramFiles%"
// in a shortcut as the 32-bit Program Files folder, so a live 64-bit program can look
// missing. It is looked for in the native places too before its shortcut counts as dead.
bool IsMissingOnReachableVolume(const std::wstring& target) {
    QuietDriveErrors quiet;
    if (!IsAbsent(target))
        return false;
    {
        NativeSystemFolder native;
        if (!IsAbsent(target))
            return false;
    }
    std::wstring native = ReplaceFolderPrefix(target, Environment(L"ProgramFiles(x86)"),
                                              Environment(L"ProgramW6432"));
    if (!native.empty() && !IsAbsent(native))
        return false;
    std::wstring root = VolumeRootOf(target);
    return !root.empty() && GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

void ClearFolder(const std::wstring& folder, const FolderLocations& locations) {
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || win::IsLinkedDirectory(data) ||
            !win::IsExistingDirectory(path))
            return;
        ClearFolder(path, locations);
        std::wstring lowerPath = win::LowerFileName(path);
        if (lowerPath != locations.CommonStartupDir && lowerPath != locations.UserStartupDir)
            RemoveDirectoryW(path.c_str());
    });
    win::ForEachFile(folder + L"\\*.lnk", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (IsDeadShortcut(path))
            DeleteFileW(path.c_str());
    });
}

bool IsDeadShortcut(const std::wstring& shortcutPath) {
    std::wstring target;
    if (!win::ReadShortcutTarget(shortcutPath, target) || target.empty())
        return false;
    return IsMissingOnReachableVolume(target);
}

bool DeleteFolderTree(const std::wstring& folder) {
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (win::IsLinkedDirectory(data))
            RemoveDirectoryW(path.c_str());
        else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                 win::IsExistingDirectory(path))
            DeleteFolderTree(path);
    });
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes != FILE_ATTRIBUTE_ARCHIVE)
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
        DeleteFileW(path.c_str());
    });
    RemoveDirectoryW(folder.c_str());
    return true;
}

void RunClearMode(const std::wstring& folder, const FolderSource& source) {
    if (folder.empty())
        return;
    FolderLocations locations;
    ResolveStartupDirs(source, locations);
    ClearFolder(folder, locations);
}

} // namespace startmenu
