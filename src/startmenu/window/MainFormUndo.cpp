// The preview of processing, the undo of a run, and the word at the start about a run that
// stopped in the middle.
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UMainForm.h"
#include "startmenu/window/UPlannedMovesForm.h"
#include "product/WriterLock.h"
#include "startmenu/processing/UndoProcessing.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Gdi.h"
#include "win/UserPrompt.h"

namespace startmenu {
namespace {

// The items the run replaced that lie in its folder now, where only an undo reaches them.
std::vector<SetAsideItem> SetAsideItems(const RunJournal& journal) {
    std::vector<SetAsideItem> items;
    for (const JournalStep& step : journal.steps)
        if ((step.kind == StepKind::Replace || step.kind == StepKind::SetAside) &&
            win::AttributesOf(step.kept) != INVALID_FILE_ATTRIBUTES)
            items.push_back({step.kind == StepKind::Replace ? step.to : step.from, step.kept});
    return items;
}

} // namespace

void TMainForm::Button12Click() {
    MovePlan plan = PlanProcessing(model_.Entries->First(), model_.Folders, model_.CategoryNames);
    ShowPlannedMoves(Handle(), plan, model_.Folders);
}

void TMainForm::RefreshUndoEntry() {
    LastRun run;
    bool possible = FindLastRun(model_.Folders.BackupRootDir, run);
    EnableMenuItem(PopupMenu1(), IdUndoMenu, MF_BYCOMMAND | (possible ? MF_ENABLED : MF_GRAYED));
}

void TMainForm::UndoLastProcessing1Click() {
    if (processing_)
        return;
    DiskRun busy(*this);
    const std::wstring& title = win::Application::Title();
    auto writer = product::TakeWriterLockOrTell(Handle(), product::kUndoRun);
    if (!writer)
        return;
    LastRun run;
    if (!FindLastRun(model_.Folders.BackupRootDir, run)) {
        win::Prompt().Message(Handle(), L"There is no processing run left to undo.", title,
                              MB_OK | MB_ICONINFORMATION);
        RefreshUndoEntry();
        return;
    }
    std::wstring refusal = UndoRefusal(run, model_.Folders);
    if (!refusal.empty()) {
        win::ShowError(Handle(), win::AppError(refusal));
        RefreshUndoEntry();
        return;
    }
    if (win::Prompt().Message(Handle(), UndoQuestionText(run.journal), title,
                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        CarryOutUndo(run);
}

void TMainForm::CarryOutUndo(const LastRun& run) {
    UndoReport report;
    try {
        win::WaitCursor wait;
        win::DisabledWindow disabled(Handle());
        report = UndoRun(run, model_.Folders);
    } catch (const win::AppError& error) {
        win::ShowError(Handle(), error);
        RefreshUndoEntry();
        return;
    }
    FormCreate();
    // The last run's caption is no longer true, and the Start Menu can be sorted again.
    if (page_ == 3)
        TabSheet3Show();
    RefreshUndoEntry();
    win::Prompt().Message(Handle(), UndoReportText(report), win::Application::Title(),
                          MB_OK | (report.skipped.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void TMainForm::RecoverUnfinishedRun() {
    if (processing_)
        return;
    DiskRun busy(*this);
    // While another instance holds the lock, the run its journal shows is still going on.
    auto writer = product::WriterLock::Take(product::kRecoveryRun);
    LastRun run;
    if (!writer || !FindLastRun(model_.Folders.BackupRootDir, run) || !run.journal.Unfinished() ||
        !UndoRefusal(run, model_.Folders).empty())
        return;
    if (win::Prompt().Message(Handle(),
                              RecoveryQuestionText(run.journal, SetAsideItems(run.journal)),
                              win::Application::Title(), MB_YESNO | MB_ICONWARNING) == IDYES)
        return CarryOutUndo(run);
    // Kept as it is: said once, and the menu's undo stays there for it.
    try {
        Mark(run, RunMark::End);
    } catch (const win::AppError& error) {
        win::ShowError(Handle(), error);
    }
}

} // namespace startmenu
