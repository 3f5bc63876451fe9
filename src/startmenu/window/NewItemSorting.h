#pragma once
#include "startmenu/model/StartMenuModel.h"
#include "startmenu/processing/NewItems.h"
#include "startmenu/suggestions/Suggestions.h"

namespace startmenu {

struct NewItemsSorted {
    int sorted = 0; // new items that got a category
    int left = 0;   // new items whose category is not known
};

// Gives each new item the user has not categorised its category: a re-created duplicate its
// twin's, then what the user taught, then a confident suggestion. Each is recorded in run,
// whose undo takes them back as it does the suggestions. No other item changes, nor the disk.
// "Sort New Items" on the categorisation page and the tidy-up without a window both sort so.
NewItemsSorted SortNewItems(StartMenuModel& model, const NewItems& found, SuggestionRun& run);

} // namespace startmenu
