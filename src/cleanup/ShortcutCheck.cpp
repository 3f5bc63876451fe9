#include "cleanup/ShortcutCheck.h"

#include <windows.h>

#include "base/PathRules.h"
#include "win/ShellLink.h"

namespace cleanup {
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
    std::wstring native = base::ReplaceFolderPrefix(target, Environment(L"ProgramFiles(x86)"),
                                                    Environment(L"ProgramW6432"));
    if (!native.empty() && !IsAbsent(native))
        return false;
    std::wstring root = base::VolumeRootOf(target);
    return !root.empty() && GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool IsDeadShortcut(const std::wstring& shortcutPath) {
    std::wstring target;
    if (!win::ReadShortcutTarget(shortcutPath, target) || target.empty())
        return false;
    return IsMissingOnReachableVolume(target);
}

} // namespace cleanup
