#pragma once
// Start Processing on disk: every assigned entry moved into its category folder by a plan
// carried out step by step, each step in the run's journal before it is taken.
#include <cstddef>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/processing/MovePlan.h"
#include "startmenu/processing/MoveReport.h"

namespace startmenu {

// What MoveEntries would do now, on the disk as it is (see PlanMoves).
MovePlan PlanProcessing(const EntryNode* first, const FolderLocations& folders,
                        const std::vector<std::wstring>& categoryNames);

// Carries out a plan, each step recorded first in a new journal in the backup store, so the
// run can be undone: an item that would replace another sets that one aside there. A step
// that cannot be taken leaves its item where it was and is reported; the walk goes on. A
// step that cannot be recorded stops the run with an AppError.
MoveReport CarryOut(const MovePlan& plan, const FolderLocations& folders);

// Plans and carries out at once: Start Processing on disk.
MoveReport MoveEntries(const EntryNode* first, const FolderLocations& folders,
                       const std::vector<std::wstring>& categoryNames);

} // namespace startmenu
