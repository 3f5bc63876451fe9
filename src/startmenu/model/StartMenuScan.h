#pragma once
#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"

namespace startmenu {

// Resolves the Startup and Programs folders into locations and appends the top-level items
// of both Programs folders to list: the all-users folder's items first, in listing order,
// then the user's items that have no namesake there; a namesake becomes OriginBoth.
void ScanProgramsFolders(EntryList& list, const FolderSource& source, FolderLocations& locations);

} // namespace startmenu
