#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "startmenu/EntryList.h"
#include "startmenu/FolderLocations.h"

namespace startmenu {

// Carries out on disk what the user assigned, for first and every sibling after it: an
// entry in category c moves into the folder categoryNames[c] directly inside its Programs
// folder (made when missing), an entry marked MoveToRootCategory moves to the top of its
// Programs folder, and only uncategorised folders are entered. The all-users folder is
// done before the user's for each entry; an empty Programs folder location is skipped.
// A move that fails is shown to the user (owner) and the walk goes on; a category folder
// that cannot be made raises win::AppError and stops the walk.
void MoveEntries(const EntryNode* first, const FolderLocations& folders,
                 const std::vector<std::wstring>& categoryNames, HWND owner);

} // namespace startmenu
