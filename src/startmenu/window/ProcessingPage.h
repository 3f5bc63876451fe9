#pragma once
// Page 3 of the main window: Start Processing, the list of the moves it would make, the undo
// of the last run (reached through the window's menu) and the word at the start about a run
// that stopped in the middle, the buttons of the secondary wizards and the support address.
#include <windows.h>

#include <optional>

#include "startmenu/model/StartMenuModel.h"
#include "startmenu/processing/Processing.h"
#include "startmenu/processing/ProcessingJournal.h"
#include "startmenu/window/AdvancedFeatures.h"
#include "win/WizardFrame.h"

namespace startmenu {

class ProcessingPage {
public:
    // What the page asks of the window around it.
    class Host {
    public:
        // The scan again, after a run changed the disk.
        virtual void Rescan() = 0;
        // What the user taught the suggestions is kept before a run.
        virtual void NoteUserChoices() = 0;
        virtual int ActivePage() const = 0;
        virtual void TabSheet3Show() = 0;
        virtual void OpenWizard(SecondaryWizard wizard) = 0;
        virtual void MailSupport() = 0;

    protected:
        ~Host() = default;
    };

    // Adds the page's controls to page 3 of frame, on window; menu holds the undo entry.
    ProcessingPage(HWND window, win::WizardFrame& frame, StartMenuModel& model, HMENU menu,
                   Host& host);
    ProcessingPage(const ProcessingPage&) = delete;
    ProcessingPage& operator=(const ProcessingPage&) = delete;

    // Start Processing: moves every assigned item on disk, under a restore point, and
    // rescans. Also run by the import when it applies a layout.
    void Button8Click();
    // How the last run ended, for a caller without a screen (the batch run's exit code).
    // Busy: another instance was changing the Start Menu, so nothing was done.
    enum class ProcessingResult { NotRun, Abandoned, Complete, Incomplete, Busy };
    ProcessingResult LastProcessing() const { return lastProcessing_; }
    // TabSheet3Show's part: Start Processing ready again, with its own caption.
    void RearmStartProcessing();

    // The list of what Start Processing would do now.
    void Button12Click();
    // Puts back what the latest run not yet undone did, after one question.
    void UndoLastProcessing1Click();
    // Enables the menu's undo entry exactly when there is a run to undo.
    void RefreshUndoEntry();
    // At the start: tells of a run or an undo that stopped in the middle, and offers to undo
    // it or to finish the undo.
    void RecoverUnfinishedRun();

    // A run on disk, processing or its undo, is on. A close asked for meanwhile waits for
    // its end: closing in the middle of a run would destroy the entries it works on.
    bool Running() const { return running_; }
    void CloseAfterRun() { closeRequested_ = true; }

    void BitBtn6Click(); // backup/restore
    void BitBtn7Click(); // delete empty shortcuts
    void BitBtn8Click(); // import/export
    void Label10Click(); // the support address

    // Controls, by their designer names.
    HWND Button8 = nullptr, Button12 = nullptr, Label10 = nullptr;
    HWND BitBtn6 = nullptr, BitBtn7 = nullptr, BitBtn8 = nullptr;

private:
    // Undoes the run, rescans and reports, with the Start Menu's writer lock held.
    void CarryOutUndo(const LastRun& run);

    // A run on disk for as long as it lives: the question and the report run message loops,
    // and a second click, a category change or a close arriving through them must not touch
    // the entries the run works on.
    class DiskRun {
    public:
        explicit DiskRun(ProcessingPage& page) : page_(page) { page_.running_ = true; }
        DiskRun(const DiskRun&) = delete;
        DiskRun& operator=(const DiskRun&) = delete;
        ~DiskRun();

    private:
        ProcessingPage& page_;
    };

    HWND window_;
    StartMenuModel& model_;
    HMENU menu_;
    Host& host_;
    std::optional<AdvancedFeatures> wizards_;
    bool running_ = false;
    bool closeRequested_ = false;
    ProcessingResult lastProcessing_ = ProcessingResult::NotRun;
};

} // namespace startmenu
