#pragma once
#include "startmenu/model/FolderLocations.h"

namespace app {

// How a tidy-up ended, for the scheduled task that started it.
enum TidyExit : int {
    TidySorted = 0,     // every new item is in its category folder, or nothing was new
    TidyIncomplete = 1, // some items could not be moved (the journal tells what was done)
    TidyRefused = 2,    // another instance is changing the Start Menu, or a run that stopped
                        // midway waits for the user; nothing was done
    TidyLeft = 4,       // as TidySorted, but some new items stay at the top: no known category
};

// "/tidy": sorts the items new since the last sorting as "Sort New Items" and Start
// Processing would, without a window or a message: under a restore point when one can be
// made, recorded in a journal that the next interactive start can undo. New items whose
// category is not known stay where they are, and new for the user.
int RunTidy(const startmenu::FolderSource& folders);

} // namespace app
