#include "startmenu/processing/Processing.h"

#include <windows.h>

#include "base/PathRules.h"
#include "startmenu/processing/ItemMove.h"
#include "startmenu/processing/NewItems.h"
#include "startmenu/processing/ProcessingJournal.h"
#include "startmenu/processing/ShortcutCommands.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

DiskView::Kind KindOfAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return DiskView::Kind::Missing;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DiskView::Kind::File;
    return attributes & FILE_ATTRIBUTE_REPARSE_POINT ? DiskView::Kind::LinkedFolder
                                                     : DiskView::Kind::Folder;
}

class SystemDisk : public DiskView {
public:
    Kind KindOf(const std::wstring& path) const override {
        return KindOfAttributes(win::AttributesOf(path));
    }
    std::vector<Child> ChildrenOf(const std::wstring& folder) const override {
        std::vector<Child> children;
        win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
            children.push_back({data.cFileName, KindOfAttributes(data.dwFileAttributes)});
        });
        return children;
    }
    std::wstring Key(const std::wstring& text) const override { return win::LowerFileName(text); }
    std::wstring CommandKey(const std::wstring& shortcut) const override {
        return commands_.KeyOf(shortcut);
    }

private:
    mutable ShortcutCommands commands_;
};

class Executor {
public:
    Executor(const MovePlan& plan, const FolderLocations& folders)
        : plan_(plan), journal_(folders.BackupRootDir), failed_(plan.steps.size(), false),
          folderErrors_(plan.steps.size(), ERROR_SUCCESS) {}

    MoveReport Run() {
        std::vector<bool> arrived(static_cast<size_t>(plan_.assigned), true);
        for (const PlannedItem& item : plan_.items) {
            size_t before = report_.failures.size();
            report_.failures.insert(report_.failures.end(), item.failures.begin(),
                                    item.failures.end());
            for (size_t step = item.firstStep; step < item.endStep; ++step)
                Take(step);
            bool complete = report_.failures.size() == before;
            if (!complete)
                arrived[item.entry] = false;
            else if (item.outcome == PlannedOutcome::KeptBeside)
                report_.renames.push_back({item.source, item.targetFolder, item.targetName});
        }
        journal_.End();
        report_.assigned = plan_.assigned;
        for (bool entryArrived : arrived)
            report_.moved += entryArrived ? 1 : 0;
        return std::move(report_);
    }

private:
    void Take(size_t index) {
        const PlannedStep& step = plan_.steps[index];
        JournalStep record{step.kind, plan_.items[step.item].source, step.from, {}, {}, {}, {}, 0};
        switch (step.kind) {
        case StepKind::MakeFolder: {
            journal_.Record(record);
            DWORD error = MakeFolder(step.from);
            if (error != ERROR_SUCCESS && !win::IsExistingDirectory(step.from))
                folderErrors_[index] = error;
            return;
        }
        case StepKind::Move:
        case StepKind::Replace:
            if (step.after != kNoStep && folderErrors_[step.after] != ERROR_SUCCESS)
                return Fail(index, L"The category folder cannot be made. " +
                                       MoveFailureReason(folderErrors_[step.after]));
            if (win::AttributesOf(step.from) == INVALID_FILE_ATTRIBUTES)
                return Fail(index, GetLastError());
            record.to = step.to;
            record.fingerprint = ItemFingerprint(step.from);
            // A namesake gone since the plan leaves nothing to set aside.
            if (step.kind == StepKind::Move ||
                win::AttributesOf(step.to) == INVALID_FILE_ATTRIBUTES) {
                record.kind = StepKind::Move;
                journal_.Record(record);
                return Check(index, MoveToFreePlace(step.from, step.to));
            }
            return Replace(index, record);
        case StepKind::Remove:
            for (size_t merged = step.after; merged < index; ++merged)
                if (failed_[merged])
                    return; // what stayed in it is reported already
            record.attributes = win::AttributesOf(step.from);
            journal_.Record(record);
            return Check(index, RemoveEmptyFolder(step.from, record.attributes));
        case StepKind::SetAside:
            // Only once the item that takes its place is there; a twin gone since is no more.
            record.attributes = win::AttributesOf(step.from);
            if (failed_[step.after] || record.attributes == INVALID_FILE_ATTRIBUTES)
                return;
            record.fingerprint = ItemFingerprint(step.from);
            record.kept = journal_.KeptPlace(base::FileNameOf(step.from));
            journal_.Record(record);
            if (DWORD error = MoveKeepingAttributes(step.from, record.kept, record.attributes)) {
                failed_[index] = true;
                report_.failures.push_back(
                    {step.from, base::ParentFolderOf(record.kept), MoveFailureReason(error)});
            }
            return;
        }
    }

    // The namesake is set aside in the journal's folder first, where an undo finds it.
    void Replace(size_t index, JournalStep& record) {
        const std::wstring& place = record.to;
        record.attributes = win::AttributesOf(place);
        record.kept = journal_.KeptPlace(base::FileNameOf(place));
        record.keptFingerprint = ItemFingerprint(place);
        journal_.Record(record);
        DWORD error = MoveKeepingAttributes(place, record.kept, record.attributes);
        if (error != ERROR_SUCCESS)
            return Fail(index, error);
        error = MoveToFreePlace(record.from, place);
        if (error != ERROR_SUCCESS)
            MoveKeepingAttributes(record.kept, place, record.attributes);
        Check(index, error);
    }

    void Check(size_t index, DWORD error) {
        if (error != ERROR_SUCCESS)
            Fail(index, error);
    }
    void Fail(size_t index, DWORD error) { Fail(index, MoveFailureReason(error)); }
    void Fail(size_t index, std::wstring reason) {
        const PlannedStep& step = plan_.steps[index];
        failed_[index] = true;
        std::wstring targetFolder =
            step.kind == StepKind::Remove ? step.to : base::ParentFolderOf(step.to);
        report_.failures.push_back({step.from, targetFolder, std::move(reason)});
    }

    const MovePlan& plan_;
    JournalWriter journal_;
    MoveReport report_;
    std::vector<bool> failed_;
    std::vector<DWORD> folderErrors_; // of the MakeFolder steps
};

} // namespace

MovePlan PlanProcessing(const EntryNode* first, const FolderLocations& folders,
                        const std::vector<std::wstring>& categoryNames) {
    return PlanMoves(first, folders, categoryNames, SystemDisk());
}

MoveReport CarryOut(const MovePlan& plan, const FolderLocations& folders) {
    return Executor(plan, folders).Run();
}

MoveReport MoveEntries(const EntryNode* first, const FolderLocations& folders,
                       const std::vector<std::wstring>& categoryNames) {
    MoveReport report = CarryOut(PlanProcessing(first, folders, categoryNames), folders);
    RecordKnownItems(folders);
    return report;
}

} // namespace startmenu
