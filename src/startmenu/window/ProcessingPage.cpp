#include "startmenu/window/ProcessingPage.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "product/AppInfo.h"
#include "product/WriterLock.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "startmenu/processing/MoveReport.h"
#include "startmenu/processing/UndoProcessing.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UPlannedMovesForm.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Gdi.h"
#include "win/UserPrompt.h"
#include "win/Window.h"

namespace startmenu {
namespace {

using namespace win::anchors;
using win::AnchorRight;

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr const wchar_t* kStartCaption = L"&Start Processing";

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

ProcessingPage::ProcessingPage(HWND window, win::WizardFrame& frame, StartMenuModel& model,
                               HMENU menu, Host& host)
    : window_(window), model_(model), menu_(menu), host_(host) {
    wizards_.emplace(frame, 3, RECT{16, 12, 768, 146},
                     std::array<int, 3>{IdBitBtn6, IdBitBtn7, IdBitBtn8});
    BitBtn6 = wizards_->Button(SecondaryWizard::BackupRestore);
    BitBtn7 = wizards_->Button(SecondaryWizard::DeleteEmptyShortcuts);
    BitBtn8 = wizards_->Button(SecondaryWizard::ImportExport);
    std::wstring link = std::wstring(L"<a>") + product::kSupportEmail + L"</a>";
    frame.AddPage<ProcessingPage>(
        *this, 3,
        {{nullptr,
          {WC_STATICW,
           L"Before categorizing, please create a backup copy. This will help you to restore "
           L"data in case of a transient error.",
           kLabel,
           IdStatic,
           {16, 166, 768, 198},
           kTopWide}},
         {nullptr,
          {WC_STATICW,
           L"To categorize the programs according to your choice, press the \"Start "
           L"Processing\" button.",
           kLabel,
           IdStatic,
           {16, 206, 768, 238},
           kTopWide,
           frame.BoldFont()}},
         {&ProcessingPage::Button8,
          {WC_BUTTONW,
           kStartCaption,
           kButton | WS_GROUP,
           IdButton8,
           {16, 246, 356, 282},
           kTopLeft}},
         {&ProcessingPage::Button12,
          {WC_BUTTONW,
           L"Show &Planned Moves...",
           kButton,
           IdButton12,
           {364, 246, 584, 282},
           kTopLeft}},
         {nullptr,
          {WC_STATICW,
           L"If you have any suggestions or questions, please contact us at",
           kLabel,
           IdStatic,
           {16, 468, 768, 486},
           kBottomLeft | AnchorRight}},
         {&ProcessingPage::Label10,
          {WC_LINK,
           link.c_str(),
           WS_VISIBLE | WS_TABSTOP,
           IdLabel10,
           {16, 488, 400, 506},
           kBottomLeft}}});
}

ProcessingPage::DiskRun::~DiskRun() {
    page_.running_ = false;
    if (page_.closeRequested_)
        PostMessageW(page_.window_, WM_CLOSE, 0, 0);
}

void ProcessingPage::Button8Click() {
    if (running_)
        return;
    host_.NoteUserChoices();
    DiskRun run(*this);
    auto writer = product::TakeWriterLockOrTell(window_, product::kProcessingRun);
    if (!writer) {
        lastProcessing_ = ProcessingResult::Busy;
        return;
    }

    MoveReport report;
    {
        // Closes the restore point and resets the cursor however the work ends.
        restorepoint::RestorePointScope restorePoint(window_);
        if (restorePoint.Outcome() == restorepoint::RestorePointOutcome::Abandon) {
            lastProcessing_ = ProcessingResult::Abandoned;
            return;
        }
        // Counts as incomplete until the walk and the rescan have ended normally.
        lastProcessing_ = ProcessingResult::Incomplete;
        win::DisabledWindow busy(window_);
        try {
            report = MoveEntries(model_.Entries->First(), model_.Folders, model_.CategoryNames);
        } catch (...) {
            host_.Rescan(); // the list shows what is on disk, also after a stopped run
            throw;
        }
        host_.Rescan();
    }
    lastProcessing_ = report.Complete() ? ProcessingResult::Complete : ProcessingResult::Incomplete;
    SetWindowTextW(Button8, MoveReportCaption(report).c_str());
    EnableWindow(Button8, FALSE);
    std::wstring text = MoveReportText(report);
    if (!text.empty())
        win::Prompt().Message(window_, text, win::Application::Title(),
                              MB_OK | (report.Complete() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void ProcessingPage::RearmStartProcessing() {
    SetWindowTextW(Button8, kStartCaption);
    EnableWindow(Button8, TRUE);
}

void ProcessingPage::Button12Click() {
    MovePlan plan = PlanProcessing(model_.Entries->First(), model_.Folders, model_.CategoryNames);
    ShowPlannedMoves(window_, plan, model_.Folders);
}

void ProcessingPage::RefreshUndoEntry() {
    LastRun run;
    bool possible = FindLastRun(model_.Folders.BackupRootDir, run);
    EnableMenuItem(menu_, IdUndoMenu, MF_BYCOMMAND | (possible ? MF_ENABLED : MF_GRAYED));
}

void ProcessingPage::UndoLastProcessing1Click() {
    if (running_)
        return;
    DiskRun busy(*this);
    const std::wstring& title = win::Application::Title();
    auto writer = product::TakeWriterLockOrTell(window_, product::kUndoRun);
    if (!writer)
        return;
    LastRun run;
    if (!FindLastRun(model_.Folders.BackupRootDir, run)) {
        win::Prompt().Message(window_, L"There is no processing run left to undo.", title,
                              MB_OK | MB_ICONINFORMATION);
        RefreshUndoEntry();
        return;
    }
    std::wstring refusal = UndoRefusal(run, model_.Folders);
    if (!refusal.empty()) {
        win::ShowError(window_, win::AppError(refusal));
        RefreshUndoEntry();
        return;
    }
    if (win::Prompt().Message(window_, UndoQuestionText(run.journal), title,
                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        CarryOutUndo(run);
}

void ProcessingPage::CarryOutUndo(const LastRun& run) {
    UndoReport report;
    try {
        win::WaitCursor wait;
        win::DisabledWindow disabled(window_);
        report = UndoRun(run, model_.Folders);
    } catch (const win::AppError& error) {
        win::ShowError(window_, error);
        RefreshUndoEntry();
        return;
    }
    host_.Rescan();
    // The last run's caption is no longer true, and the Start Menu can be sorted again.
    if (host_.ActivePage() == 3)
        host_.TabSheet3Show();
    RefreshUndoEntry();
    win::Prompt().Message(window_, UndoReportText(report), win::Application::Title(),
                          MB_OK | (report.skipped.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void ProcessingPage::RecoverUnfinishedRun() {
    if (running_)
        return;
    DiskRun busy(*this);
    // While another instance holds the lock, the run its journal shows is still going on.
    auto writer = product::WriterLock::Take(product::kRecoveryRun);
    LastRun run;
    if (!writer || !FindLastRun(model_.Folders.BackupRootDir, run) || !run.journal.Unfinished() ||
        !UndoRefusal(run, model_.Folders).empty())
        return;
    if (win::Prompt().Message(window_,
                              RecoveryQuestionText(run.journal, SetAsideItems(run.journal)),
                              win::Application::Title(), MB_YESNO | MB_ICONWARNING) == IDYES)
        return CarryOutUndo(run);
    // Kept as it is: said once, and the menu's undo stays there for it.
    try {
        Mark(run, RunMark::End);
    } catch (const win::AppError& error) {
        win::ShowError(window_, error);
    }
}

void ProcessingPage::BitBtn6Click() {
    host_.OpenWizard(SecondaryWizard::BackupRestore);
}

void ProcessingPage::BitBtn7Click() {
    host_.OpenWizard(SecondaryWizard::DeleteEmptyShortcuts);
}

void ProcessingPage::BitBtn8Click() {
    host_.OpenWizard(SecondaryWizard::ImportExport);
}

void ProcessingPage::Label10Click() {
    host_.MailSupport();
}

} // namespace startmenu
