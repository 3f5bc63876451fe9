#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "startmenu/MoveReport.h"

namespace startmenu {

// Moves the file or folder source into targetFolder, under the name targetName, as the
// shell's move does when every question is answered yes: an item of the same name is
// replaced, even a read-only one, and a folder of the same name is merged into, child by
// child. Never asks; each item that cannot be moved is added to failures and stays where it
// was. A partly merged folder keeps what could not be moved. Returns true when everything
// arrived. Linked folders are moved as links, never walked into.
bool MoveItemInto(const std::wstring& source, const std::wstring& targetFolder,
                  const std::wstring& targetName, std::vector<MoveFailure>& failures);

// The reason text for a system error, with a hint where rights are the cause.
std::wstring MoveFailureReason(DWORD error);

} // namespace startmenu
