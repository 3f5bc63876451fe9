#include "cleanup/DeleteRecheck.h"

#include <algorithm>

#include "win/Text.h"

namespace cleanup {

DeletionCounts DeleteTickedRows(std::vector<FoundRow>& rows) {
    // A new checker: what it learnt of the drives during the search may be out of date.
    cleaning::ShortcutChecker checker;
    DeletionCounts counts;
    auto left = [&](FoundRow& row) {
        if (!row.checked)
            return false;
        cleaning::DeletionResult result =
            cleaning::DeleteIfStillDead(row.path, &row.stamp, checker, true);
        switch (result.outcome) {
        case cleaning::Deletion::Deleted:
            ++counts.deleted;
            return true;
        case cleaning::Deletion::AlreadyGone:
            ++counts.gone;
            return true;
        case cleaning::Deletion::WorksAgain:
            row.notDeleted = L"works again";
            row.checked = false;
            break;
        case cleaning::Deletion::Changed:
            row.notDeleted = L"changed since the search";
            row.checked = false;
            break;
        case cleaning::Deletion::Failed:
            row.notDeleted = win::SystemErrorText(result.error);
            break;
        }
        ++counts.kept;
        return false;
    };
    rows.erase(std::remove_if(rows.begin(), rows.end(), left), rows.end());
    return counts;
}

std::wstring DeletionSummary(const DeletionCounts& counts) {
    std::wstring text = std::to_wstring(counts.deleted) + L" deleted, " +
                        std::to_wstring(counts.gone) + L" already gone, " +
                        std::to_wstring(counts.kept) + L" kept";
    if (counts.kept > 0)
        text +=
            counts.kept == 1 ? L": the reason is in its row" : L": the reasons are in their rows";
    return text;
}

} // namespace cleanup
