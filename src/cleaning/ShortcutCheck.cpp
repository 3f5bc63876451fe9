#include "cleaning/ShortcutCheck.h"

#include <windows.h>

#include "base/PathRules.h"
#include "win/Text.h"

namespace cleaning {
namespace {

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

bool IsRedirected() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// True when the path is absent; false when it is there or its state cannot be known.
bool IsAbsentHere(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

ShortcutChecker::ShortcutChecker()
    : redirected_(IsRedirected()), programFiles32_(Environment(L"ProgramFiles(x86)")),
      programFiles64_(Environment(L"ProgramW6432")) {}

// A 32-bit program on 64-bit Windows sees System32 redirected and reads "%ProgramFiles%"
// in a shortcut as the 32-bit Program Files folder, so a live 64-bit program can look
// missing. It is looked for in the native places too before it counts as absent.
bool ShortcutChecker::FoundNatively(const std::wstring& target) const {
    if (redirected_) {
        NativeSystemFolder native;
        if (!IsAbsentHere(target))
            return true;
    }
    std::wstring native = base::ReplaceFolderPrefix(target, programFiles32_, programFiles64_);
    return !native.empty() && !IsAbsentHere(native);
}

ShortcutTarget ShortcutChecker::Check(const std::wstring& shortcutPath) {
    std::wstring target;
    bool read = reader_.Read(shortcutPath, target);
    return Judge(read, std::move(target));
}

ShortcutTarget ShortcutChecker::CheckBytes(const std::string& bytes) {
    std::wstring target;
    bool read = reader_.ReadBytes(bytes, target);
    return Judge(read, std::move(target));
}

ShortcutTarget ShortcutChecker::Judge(bool read, std::wstring target) {
    ShortcutTarget result;
    if (!read || target.empty())
        return result;
    result.path = std::move(target);
    std::wstring root = base::VolumeRootOf(result.path);
    if (root.empty())
        return result; // a relative path: nothing to look at
    std::wstring volume = win::LowerFileName(root);
    auto known = reachable_.find(volume);
    // A volume known to be away is not asked again.
    if (known != reachable_.end() && !known->second) {
        result.state = TargetState::Unreachable;
        return result;
    }
    if (GetFileAttributesW(result.path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return result;
    DWORD error = GetLastError();
    bool absent = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) &&
                  !FoundNatively(result.path);
    if (known == reachable_.end())
        known =
            reachable_.emplace(volume, GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES)
                .first;
    if (!known->second)
        result.state = TargetState::Unreachable;
    else if (absent)
        result.state = TargetState::Missing;
    return result;
}

bool IsDeadShortcut(const std::wstring& shortcutPath) {
    return ShortcutChecker().Check(shortcutPath).state == TargetState::Missing;
}

} // namespace cleaning
