#include "startmenu/model/ItemIcon.h"

#include <shellapi.h>
#include <shlobj.h>

namespace startmenu {

HICON GetItemIcon(const std::wstring& path) {
    // The shell's own link attribute, not the type name, which is a word of the system's
    // language ("Verknüpfung", "raccourci").
    SHFILEINFOW info = {};
    info.dwAttributes = SFGAO_LINK;
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED);
    UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SYSICONINDEX;
    if (info.dwAttributes & SFGAO_LINK)
        flags |= SHGFI_LINKOVERLAY;
    info = {};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags);
    return info.hIcon;
}

HICON GetPlaceholderIcon(bool folder) {
    // By attributes alone: the shell answers from its cache without looking at any file.
    SHFILEINFOW info = {};
    SHGetFileInfoW(folder ? L"folder" : L"file",
                   folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON);
    return info.hIcon;
}

} // namespace startmenu
