#pragma once
#include <string>
#include <unordered_set>

#include "startmenu/EntryList.h"
#include "startmenu/FolderLocations.h"
#include "startmenu/SuggestionRules.h"

namespace startmenu {

// Gathers what the disk tells about a top-level item for its suggestion: the names inside a
// folder (from both Programs folders for an item in both), and whether the shell shows it
// under a name of Windows' own (a desktop.ini naming a library of the Windows folder).
// Reads only; one per click, as the Programs folders' own desktop.ini is read once.
class SuggestionEvidence {
public:
    explicit SuggestionEvidence(const FolderLocations& folders);
    ItemEvidence For(const EntryNode& node) const;

private:
    const FolderLocations& folders_;
    // Lower-cased names of items the Programs folders' desktop.ini gives a Windows name.
    std::unordered_set<std::wstring> windowsItems_;
};

} // namespace startmenu
