#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "cleaning/ShortcutDeletion.h"

namespace cleanup {

// One shortcut the search found dead, as the wizard lists it.
struct FoundRow {
    std::wstring path;
    cleaning::ShortcutTarget target;
    cleaning::FileStamp stamp; // the file as the search saw it
    bool checked = false;
    std::wstring notDeleted; // why the last Delete Selected left it
};

struct DeletionCounts {
    std::size_t deleted = 0, gone = 0, kept = 0;
};

// Delete Selected: each ticked row's shortcut is looked at again as it is deleted, and goes
// only when it is still the file the search found and still points nowhere (a target on a
// drive that is away counts, as the user ticked it). A row deleted, or already gone, leaves
// the list. One that works again or was changed since the search stays, unticked, with that
// reason; one the system refuses stays ticked, with the system's reason. Both count as kept.
DeletionCounts DeleteTickedRows(std::vector<FoundRow>& rows);

// The status bar's words after Delete Selected.
std::wstring DeletionSummary(const DeletionCounts& counts);

} // namespace cleanup
