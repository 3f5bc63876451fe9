#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/suggestions/LearnedChoices.h"
#include "startmenu/suggestions/SuggestionRules.h"

namespace startmenu {

// One click of "Suggest Categories": which entries it gave which category, so that its undo
// puts back exactly those the user has not touched since, and so that what the user changes
// against a suggestion can be learned. Suggestions are ordinary categories of the entries:
// nothing on disk changes until Start Processing.
//
// To use this class: Eligible says which top-level entries may get a suggestion; Assign
// gives one and records it; after each change of the user, TakeUserChanges names the
// suggested entries the user has given another category (once each); Undo puts back the rest.
class SuggestionRun {
public:
    // A top-level entry the user has not categorised: no category, not partly ticked inside,
    // and nothing loaded inside it categorised or marked "Move to Root".
    static bool Eligible(const EntryNode& node);
    // Gives the entry, and everything loaded inside it, the category.
    void Assign(EntryNode& node, int category);
    bool Suggested(EntryHandle handle) const;
    size_t Count() const { return records_.size(); }

    struct Change {
        const EntryNode* node;
        int category; // what the user chose instead; -1 for none
    };
    std::vector<Change> TakeUserChanges(const EntryList& entries);
    // Puts every suggested entry still as suggested back to no category; how many went back.
    int Undo(EntryList& entries);

private:
    struct Record {
        EntryHandle handle;
        int suggested;
        int statusBefore;
        bool touched;
    };
    std::vector<Record> records_;
};

struct SuggestionCount {
    int suggested = 0; // entries that got a category
    int left = 0;      // entries the user has to choose for (no confident suggestion)
};

// Suggests a category for every eligible top-level entry that is not a category folder.
// evidence describes an entry (its contents, whether Windows owns it).
SuggestionCount SuggestAll(EntryList& entries, SuggestionRun& run, const LearnedChoices& learned,
                           const std::function<bool(const EntryNode&)>& isCategoryFolder,
                           const std::function<ItemEvidence(const EntryNode&)>& evidence);

} // namespace startmenu
