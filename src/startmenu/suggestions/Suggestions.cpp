#include "startmenu/suggestions/Suggestions.h"

#include <algorithm>

namespace startmenu {

bool SuggestionRun::Eligible(const EntryNode& node) {
    const TStartMenu& entry = node.Entry();
    return !node.Parent() && entry.Category == CategoryNone && entry.Status != StatusPartial &&
           !AnyCategorised(node.FirstChild());
}

void SuggestionRun::Assign(EntryNode& node, int category) {
    int status = node.Entry().Status;
    ApplyCheckState(node, category, false, true);
    records_.push_back({node.Handle(), category, status, false});
}

bool SuggestionRun::Suggested(EntryHandle handle) const {
    return std::any_of(records_.begin(), records_.end(),
                       [&](const Record& r) { return r.handle == handle; });
}

std::vector<SuggestionRun::Change> SuggestionRun::TakeUserChanges(const EntryList& entries) {
    std::vector<Change> changes;
    for (Record& record : records_) {
        if (record.touched)
            continue;
        const EntryNode* node = entries.Find(record.handle);
        if (!node || node->Entry().Category == record.suggested)
            continue;
        record.touched = true;
        int now = node->Entry().Category;
        changes.push_back({node, now == MoveToRootCategory ? CategoryNone : now});
    }
    return changes;
}

int SuggestionRun::Undo(EntryList& entries) {
    TakeUserChanges(entries);
    int undone = 0;
    for (const Record& record : records_) {
        EntryNode* node = entries.Find(record.handle);
        if (record.touched || !node)
            continue;
        ApplyCheckState(*node, CategoryNone, true, true);
        node->Entry().Status = record.statusBefore;
        ++undone;
    }
    records_.clear();
    return undone;
}

SuggestionCount SuggestAll(EntryList& entries, SuggestionRun& run, const LearnedChoices& learned,
                           const std::function<bool(const EntryNode&)>& isCategoryFolder,
                           const std::function<ItemEvidence(const EntryNode&)>& evidence) {
    SuggestionCount count;
    for (EntryNode* node = entries.First(); node; node = node->NextSibling()) {
        if (!SuggestionRun::Eligible(*node) || isCategoryFolder(*node))
            continue;
        int category = SuggestCategory(evidence(*node), learned);
        if (category >= 0) {
            run.Assign(*node, category);
            ++count.suggested;
        } else {
            ++count.left;
        }
    }
    return count;
}

} // namespace startmenu
