#pragma once
#include <windows.h>

#include <string>

namespace startmenu {

// Moves the file or folder source into targetFolder as the shell's move does when every
// question is answered yes: an item of the same name is replaced, even a read-only one, and
// a folder of the same name is merged into, child by child. Never asks; a failure is shown
// to the user (owner) with the item's path and the system's reason, and the item stays
// where it was. A partly merged folder keeps what could not be moved. Returns true when
// everything arrived. Linked folders are moved as links, never walked into.
bool MoveItemInto(HWND owner, const std::wstring& source, const std::wstring& targetFolder);

} // namespace startmenu
