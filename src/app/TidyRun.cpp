#include "app/TidyRun.h"

#include <set>

#include "product/WriterLock.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "startmenu/processing/Processing.h"
#include "startmenu/processing/ProcessingJournal.h"
#include "startmenu/window/NewItemSorting.h"
#include "win/Text.h"

namespace app {

int RunTidy(const startmenu::FolderSource& folders) {
    using namespace startmenu;
    std::optional<product::WriterLock> lock = product::WriterLock::Take(product::kTidyRun);
    if (!lock)
        return TidyRefused;
    // Nobody is there to read a message: whatever stops the run tells only in its code.
    try {
        StartMenuModel model(folders);
        model.ResolveAppFolders();
        model.ResetCategories();
        model.ReadProgramsFolders();
        // A run that stopped midway waits for the user's choice at the next start.
        LastRun last;
        if (FindLastRun(model.Folders.BackupRootDir, last) && last.journal.Unfinished())
            return TidyRefused;
        NewItems found = FindNewItems(model);
        SuggestionRun run;
        NewItemsSorted sorted = SortNewItems(model, found, run);
        if (sorted.sorted == 0)
            return sorted.left > 0 ? TidyLeft : TidySorted;
        MoveReport report;
        {
            restorepoint::RestorePointScope point(nullptr, restorepoint::WhenRefused::GoOn);
            report =
                CarryOut(PlanProcessing(model.Entries->First(), model.Folders, model.CategoryNames),
                         model.Folders);
        }
        // A new item still at the top, left or not moved, stays new for the user.
        std::set<std::wstring> newNames;
        for (const NewItem& item : found.items)
            if (const EntryNode* node = model.Entries->Find(item.handle))
                newNames.insert(win::LowerFileName(node->Name()));
        RecordKnownItems(model.Folders, [&](const std::wstring&, const std::wstring& name) {
            return newNames.count(win::LowerFileName(name)) != 0;
        });
        if (!report.Complete())
            return TidyIncomplete;
        return sorted.left > 0 ? TidyLeft : TidySorted;
    } catch (...) {
        return TidyIncomplete;
    }
}

} // namespace app
