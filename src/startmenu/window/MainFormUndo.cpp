// The preview of processing and the undo of a run.
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UMainForm.h"
#include "startmenu/window/UPlannedMovesForm.h"
#include "startmenu/processing/UndoProcessing.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/Gdi.h"
#include "win/UserPrompt.h"

namespace startmenu {

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
    LastRun run;
    if (!FindLastRun(model_.Folders.BackupRootDir, run)) {
        win::Prompt().Message(Handle(), L"There is no processing run left to undo.", title,
                              MB_OK | MB_ICONINFORMATION);
        RefreshUndoEntry();
        return;
    }
    UndoReport report;
    try {
        std::wstring refusal = UndoRefusal(run, model_.Folders);
        if (!refusal.empty())
            throw win::AppError(refusal);
        if (win::Prompt().Message(Handle(), UndoQuestionText(run.journal), title,
                                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;
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
    win::Prompt().Message(Handle(), UndoReportText(report), title,
                          MB_OK | (report.skipped.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

} // namespace startmenu
