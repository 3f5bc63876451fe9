#include "startmenu/window/NewItemSorting.h"

#include "startmenu/suggestions/LearnedStore.h"
#include "startmenu/suggestions/SuggestionEvidence.h"

namespace startmenu {

NewItemsSorted SortNewItems(StartMenuModel& model, const NewItems& found, SuggestionRun& run) {
    NewItemsSorted count;
    LearnedChoices learned = LoadLearnedChoices();
    SuggestionEvidence evidence(model.Folders);
    for (const NewItem& item : found.items) {
        EntryNode* node = model.Entries->Find(item.handle);
        if (!node || !SuggestionRun::Eligible(*node))
            continue;
        int category = item.twinCategory != CategoryNone
                           ? item.twinCategory
                           : SuggestCategory(evidence.For(*node), learned);
        if (category < 0) {
            ++count.left;
            continue;
        }
        run.Assign(*node, category);
        ++count.sorted;
    }
    return count;
}

} // namespace startmenu
