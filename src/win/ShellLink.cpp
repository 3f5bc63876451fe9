#include "win/ShellLink.h"

#include <windows.h>
#include <shlobj.h>

#include "win/Com.h"

namespace win {

bool ReadShortcutTarget(const std::wstring& shortcutPath, std::wstring& target) {
    ComInit com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid())))
        return false;
    ComPtr<IPersistFile> file = link.As<IPersistFile>();
    if (!file || FAILED(file->Load(shortcutPath.c_str(), STGM_SHARE_DENY_WRITE)))
        return false;
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        path[0] = L'\0';
    target = path;
    return true;
}

} // namespace win
