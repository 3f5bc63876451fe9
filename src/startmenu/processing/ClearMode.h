#pragma once
// Clear mode, the "/clear" run without a window: the dead shortcuts below a folder and the
// sub-folders they leave empty are deleted. Its folder deletion also serves the backup store.
#include <string>

#include "startmenu/model/FolderLocations.h"

namespace startmenu {

// What a clean could not do.
struct ClearResult {
    // Dead shortcuts, and sub-folders left empty, whose deletion failed.
    unsigned notDeleted = 0;
};

// Deletes the dead shortcuts below folder and removes the sub-folders left empty, except
// the two Startup folders of locations and every folder the system knows by name, however
// the folder and those are spelled. The folder itself stays. Silent: a failure is counted
// and the walk goes on. Junctions and symbolic links are never walked into.
ClearResult ClearFolder(const std::wstring& folder, const FolderLocations& locations);

// Deletes folder with everything in it, clearing read-only, hidden and system attributes
// on the way; a linked folder inside is unlinked, never emptied. Always true.
bool DeleteFolderTree(const std::wstring& folder);

// Whether clear mode leaves folder alone as the system's own: a volume root, the Windows
// folder and everything in it, the Program Files folders, the profiles folder, a user's
// profile, the public profile and ProgramData, in any spelling.
bool IsRefusedClearFolder(const std::wstring& folder);

// How the "/clear" run ended; the value is the program's exit code.
enum class ClearOutcome {
    Cleaned = 0,   // also when nothing needed cleaning
    ItemsLeft = 1, // some items could not be deleted
    Refused = 2,   // the folder is the system's own; nothing was touched
    NoFolder = 3,  // no folder given, or it is missing or a file; nothing was touched
    Busy = 4,      // another instance is changing the Start Menu; nothing was touched
};

// The "/clear" run: no window, no scan, no message.
ClearOutcome RunClearMode(const std::wstring& folder, const FolderSource& source);

} // namespace startmenu
