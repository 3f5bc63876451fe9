#include "win/ShellLink.h"

namespace win {

bool ShortcutReader::Read(const std::wstring& shortcutPath, std::wstring& target) {
    if (!file_) {
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link_.PutVoid())))
            return false;
        file_ = link_.As<IPersistFile>();
        if (!file_)
            return false;
    }
    if (FAILED(file_->Load(shortcutPath.c_str(), STGM_SHARE_DENY_WRITE))) {
        // A damaged file may leave the object half loaded: the next shortcut gets a new one.
        file_.Reset();
        link_.Reset();
        return false;
    }
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(link_->GetPath(path, MAX_PATH, nullptr, 0)))
        path[0] = L'\0';
    target = path;
    return true;
}

bool ReadShortcutTarget(const std::wstring& shortcutPath, std::wstring& target) {
    return ShortcutReader().Read(shortcutPath, target);
}

} // namespace win
