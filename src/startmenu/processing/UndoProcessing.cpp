#include "startmenu/processing/UndoProcessing.h"

#include <windows.h>

#include <set>

#include "base/PathRules.h"
#include "startmenu/processing/ItemMove.h"
#include "startmenu/processing/NewItems.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

Presence At(const std::wstring& path, const std::wstring& fingerprint) {
    std::wstring now = ItemFingerprint(path);
    if (now.empty())
        return Presence::Missing;
    return now == fingerprint ? Presence::AsRecorded : Presence::Changed;
}

bool IsFree(const std::wstring& path) {
    return win::AttributesOf(path) == INVALID_FILE_ATTRIBUTES;
}

bool IsEmptyFolder(const std::wstring& folder) {
    bool empty = true;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW&) { empty = false; });
    return empty;
}

class Undoer {
public:
    UndoReport Run(const RunJournal& journal) {
        for (auto step = journal.steps.rbegin(); step != journal.steps.rend(); ++step)
            Undo(*step);
        report_.putBack = static_cast<int>(putBack_.size());
        return std::move(report_);
    }

private:
    void Undo(const JournalStep& step) {
        switch (step.kind) {
        case StepKind::MakeFolder:
            if (win::IsExistingDirectory(step.from)) {
                if (!IsEmptyFolder(step.from))
                    Skip(step.from, L"this category folder holds items that did not come from "
                                    L"this run, so it stays.");
                else if (DWORD error = RemoveFolder(step.from))
                    Skip(step.from, MoveFailureReason(error));
            }
            return;
        case StepKind::Remove:
            if (IsFree(step.from)) {
                DWORD error = RecreateFolder(step.from, step.attributes);
                if (error != ERROR_SUCCESS)
                    Skip(step.from, MoveFailureReason(error));
            }
            return;
        case StepKind::Move:
            return MoveBack(step);
        case StepKind::Replace:
            // Not set aside: the run stopped before it took this step.
            if (IsFree(step.kept))
                return;
            MoveBack(step);
            return ReturnKept(step);
        case StepKind::SetAside:
            if (!IsFree(step.kept))
                ReturnTwin(step);
            return;
        }
    }

    void ReturnTwin(const JournalStep& step) {
        if (!IsFree(step.from))
            return Skip(step.from, L"another item of its name is there now; the earlier shortcut "
                                   L"that processing set aside is kept in " +
                                       step.kept + L".");
        DWORD error = MoveKeepingAttributes(step.kept, step.from, step.attributes);
        if (error != ERROR_SUCCESS)
            return Skip(step.from, MoveFailureReason(error));
        putBack_.insert(step.from);
    }

    void MoveBack(const JournalStep& step) {
        UndoVerdict verdict =
            JudgeMoveBack(At(step.to, step.fingerprint), At(step.from, step.fingerprint));
        if (verdict == UndoVerdict::Untouched)
            return;
        if (verdict != UndoVerdict::PutBack)
            return Skip(step.from, SkipReason(verdict, step.to, step.from));
        DWORD error = MoveToFreePlace(step.to, step.from);
        if (error != ERROR_SUCCESS)
            return Skip(step.from, MoveFailureReason(error));
        putBack_.insert(step.item);
    }

    void ReturnKept(const JournalStep& step) {
        DWORD error = IsFree(step.to) ? MoveKeepingAttributes(step.kept, step.to, step.attributes)
                                      : ERROR_ALREADY_EXISTS;
        if (error != ERROR_SUCCESS)
            Skip(step.to, L"the item of this name that processing replaced could not go back "
                          L"(" +
                              win::SystemErrorText(error) + L"); it is kept in " + step.kept +
                              L".");
    }

    void Skip(const std::wstring& item, std::wstring reason) {
        report_.skipped.push_back({item, std::move(reason)});
    }

    UndoReport report_;
    std::set<std::wstring> putBack_; // the items with a step put back
};

} // namespace

std::wstring UndoRefusal(const LastRun& run, const FolderLocations& folders) {
    std::vector<std::wstring> programs;
    for (const std::wstring& folder : {folders.CommonProgramsDir, folders.UserProgramsDir})
        if (!folder.empty())
            programs.push_back(folder);
    std::wstring reason = run.error.empty()
                              ? JournalPlacesRefusal(run.journal, programs, run.folder,
                                                     [](const std::wstring& path) {
                                                         return win::LowerFileName(path);
                                                     })
                              : run.error;
    if (reason.empty())
        return {};
    return L"The record of the last processing run, " + run.file +
           L", cannot be used to undo it. " + reason + L" Nothing has been changed.";
}

UndoReport UndoRun(const LastRun& run, const FolderLocations& folders) {
    std::wstring refusal = UndoRefusal(run, folders);
    if (!refusal.empty())
        throw win::AppError(refusal);
    // Begun in the journal first, so an undo that stops in the middle is told at the next start.
    Mark(run, RunMark::Undo);
    UndoReport report = Undoer().Run(run.journal);
    Mark(run, RunMark::Undone);
    RecordKnownItems(folders);
    return report;
}

} // namespace startmenu
