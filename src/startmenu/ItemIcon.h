#pragma once
#include <windows.h>

#include <string>

namespace startmenu {

// The small shell icon of path, with the link overlay for shortcuts. The caller owns the
// icon and destroys it once it is copied into an image list.
HICON GetItemIcon(const std::wstring& path);

} // namespace startmenu
