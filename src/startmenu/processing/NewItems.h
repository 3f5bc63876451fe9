#pragma once
#include <functional>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/model/StartMenuModel.h"

namespace startmenu {

// The top-level items of both Programs folders are recorded after each processing run and
// each undo, in the backup store beside the journals (BackupRootDir\processing\known.txt).
// An item not there at the last record is new. Until the first run nothing is new.

// Records the items as they stand now, except those stillNew names (a Programs folder, a
// name), which stay new. A record that cannot be written takes the old one with it, so that
// no item is ever taken for new by a stale record; nothing is reported.
using StillNew = std::function<bool(const std::wstring& programs, const std::wstring& name)>;
void RecordKnownItems(const FolderLocations& folders, const StillNew& stillNew = {});

// Forgets the record, so that nothing is new until the next processing run: what a restore
// of a backup copy brings back is the user's choice, not new.
void ForgetKnownItems(const FolderLocations& folders);

struct NewItem {
    EntryHandle handle = 0;
    // A shortcut that starts what a shortcut in a category folder of its Programs folder
    // starts is a re-creation of that twin, whatever its name, and gets its category.
    int twinCategory = CategoryNone;
};

struct NewItems {
    bool sorted = false; // there is a record to compare with
    std::wstring error;  // why the record cannot be read; nothing is new then
    std::vector<NewItem> items;
    int Duplicates() const;
};

// The new top-level entries of the model, category folders left out, in the list's order.
NewItems FindNewItems(const StartMenuModel& model);

} // namespace startmenu
