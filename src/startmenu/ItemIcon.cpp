#include "startmenu/ItemIcon.h"

#include <shellapi.h>

#include "win/Text.h"

namespace startmenu {

HICON GetItemIcon(const std::wstring& path) {
    SHFILEINFOW info = {};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
    // The type name is compared with the English word, as the shell names it in English.
    bool shortcut = win::LowerFileName(info.szTypeName) == L"shortcut";
    UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SYSICONINDEX;
    if (shortcut)
        flags |= SHGFI_LINKOVERLAY;
    info = {};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags);
    return info.hIcon;
}

} // namespace startmenu
