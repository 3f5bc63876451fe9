#pragma once
#include <string>

#include "startmenu/FolderLocations.h"

namespace startmenu {

// Deletes the dead shortcuts below folder and removes the sub-folders left empty, except
// the two Startup folders of locations. The folder itself stays. Silent: a failure is
// skipped and the walk goes on. Junctions and symbolic links are never walked into.
void ClearFolder(const std::wstring& folder, const FolderLocations& locations);

// A shortcut is dead when its stored target is a path whose volume is there and which
// names neither a file nor a folder. A target on a volume that cannot be reached now (no
// medium, no such drive, a share that does not answer) is not dead: it may come back.
bool IsDeadShortcut(const std::wstring& shortcutPath);

// Deletes folder with everything in it, clearing read-only, hidden and system attributes
// on the way; a linked folder inside is unlinked, never emptied. Always true.
bool DeleteFolderTree(const std::wstring& folder);

// The "/clear" run: no window, no scan; an empty folder argument cleans nothing.
void RunClearMode(const std::wstring& folder, const FolderSource& source);

} // namespace startmenu
