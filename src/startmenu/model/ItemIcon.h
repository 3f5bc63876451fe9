#pragma once
#include <windows.h>

#include <string>

namespace startmenu {

// The small shell icon of path, with the link overlay for shortcuts. The caller owns the
// icon and destroys it once it is copied into an image list. Slow: one shell request, so
// only ever called off the GUI thread or for one item.
HICON GetItemIcon(const std::wstring& path);

// The shell's generic document or folder icon, shown until an item's own icon has come.
HICON GetPlaceholderIcon(bool folder);

} // namespace startmenu
