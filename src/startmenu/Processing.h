#pragma once
#include <string>
#include <vector>

#include "startmenu/EntryList.h"
#include "startmenu/FolderLocations.h"
#include "startmenu/MoveReport.h"

namespace startmenu {

// Carries out on disk what the user assigned, for first and every sibling after it: an
// entry in category c moves into the folder categoryNames[c] directly inside its Programs
// folder (made when missing), an entry marked MoveToRootCategory moves to the top of its
// Programs folder, and only uncategorised folders are entered. The all-users folder is
// done before the user's for each entry; an empty Programs folder location is skipped.
// Nothing a run has put into a folder is replaced by another item of the same run, and a
// move to the top never replaces what lies there: the later item takes a free name. An item
// that cannot be moved, or whose category folder cannot be made, stays and is reported;
// the walk goes on with the next.
MoveReport MoveEntries(const EntryNode* first, const FolderLocations& folders,
                       const std::vector<std::wstring>& categoryNames);

} // namespace startmenu
