#pragma once
#include <string>
#include <unordered_set>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/suggestions/SuggestionRules.h"

namespace startmenu {

// Gathers what the disk tells about a top-level item for its suggestion: the names inside a
// folder (from both Programs folders for an item in both), and whether the shell shows it
// under a name of Windows' own (a desktop.ini naming a library of the Windows folder).
// Reads only; one per click, as the Programs folders' own desktop.ini is read once.
class SuggestionEvidence {
public:
    explicit SuggestionEvidence(const FolderLocations& folders);
    ItemEvidence For(const EntryNode& node) const;
    // The shortcuts of the programs inside a folder (uninstallers, readme files and links
    // left out), or the shortcut itself.
    std::vector<std::wstring> ProgramShortcuts(const EntryNode& node) const;

private:
    // Where a folder's contents are: in both Programs folders for an item in both.
    std::vector<std::wstring> PlacesOf(const EntryNode& node) const;

    const FolderLocations& folders_;
    // Lower-cased names of items the Programs folders' desktop.ini gives a Windows name.
    std::unordered_set<std::wstring> windowsItems_;
};

} // namespace startmenu
