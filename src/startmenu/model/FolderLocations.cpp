#include "startmenu/model/FolderLocations.h"

#include <windows.h>
#include <shlobj.h>

#include "win/Text.h"

namespace startmenu {

std::wstring SystemFolderSource::ExecutableDir() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring SystemFolderSource::ShellFolder(int csidl) const {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

void ResolveStartupDirs(const FolderSource& source, FolderLocations& locations) {
    locations.CommonStartupDir = win::LowerFileName(source.ShellFolder(CSIDL_COMMON_STARTUP));
    locations.UserStartupDir = win::LowerFileName(source.ShellFolder(CSIDL_STARTUP));
}

} // namespace startmenu
