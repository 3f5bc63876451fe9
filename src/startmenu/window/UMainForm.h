#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "startmenu/model/FolderLocations.h"
#include "startmenu/model/StartMenuModel.h"
#include "startmenu/window/AdvancedFeatures.h"
#include "startmenu/window/CategoriesPage.h"
#include "startmenu/window/ModePage.h"
#include "startmenu/window/ProcessingPage.h"
#include "win/Gdi.h"
#include "win/Window.h"
#include "win/WizardFrame.h"

namespace startmenu {

class TMainForm;

// The secondary wizards the main window's buttons open. The program entry fills them in, so
// that this subsystem knows the other subsystems' models but none of their windows; an
// empty one leaves its buttons doing nothing.
struct SecondaryWizards {
    std::function<void(TMainForm&owner)> backupRestore, deleteEmptyShortcuts, importExport;
};

// The menu's extras and the support address on page 3, filled in the same way.
struct MenuExtras {
    std::function<void(TMainForm&owner)> about, homePage, tellAFriend, help, supportMail;
};

// The main window: a three-page wizard. It owns the picture of the Start Menu for the whole
// run; creating it runs the scan. It holds the frame, the bottom bar with the navigation
// between the pages, and the menu; each page is a class of its own (ModePage, CategoriesPage,
// ProcessingPage) that the window routes its controls' messages to. Handlers are public so
// that tests can drive the window as a user's clicks do.
class TMainForm : public win::Window,
                  private ModePage::Host,
                  private CategoriesPage::Host,
                  private ProcessingPage::Host {
public:
    explicit TMainForm(const FolderSource& folders);
    ~TMainForm() override { DestroyWindowObject(); }

    // Shows the window for the interactive run.
    void Show();
    // At the start: tells of a run or an undo that stopped in the middle, and offers to undo
    // it or to finish the undo.
    void RecoverUnfinishedRun() { page3_->RecoverUnfinishedRun(); }

    // The scan: rebuilds the whole picture from disk. Also the rescan after processing.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    // The last scan has run to its end.
    bool FormReady = false;

    // The pages.
    ModePage& Page1() { return *page1_; }
    CategoriesPage& Page2() { return *page2_; }
    ProcessingPage& Page3() { return *page3_; }

    // Navigation (MainFormNavigation.cpp).
    int ActivePage() const override { return page_; }
    void ShowPage(int page);
    void TabSheet1Show();
    void TabSheet2Show();
    void TabSheet3Show() override;
    void Button4Click(); // Next
    void Button5Click(); // Back
    void Button6Click(); // Finish / Cancel

    // The menu of extras (MainFormMenu.cpp).
    void Button11Click(); // Menu
    POINT MenuOrigin() const;
    void Button11ContextPopup(POINT screen); // the same menu at the pointer
    MenuExtras Extras;
    void AboutMenuClick();
    void HomePageMenuClick();
    void TellFriendClick();
    void HelpMenuClick();
    HMENU PopupMenu1() const { return popupMenu1_.Get(); }

    // What the buttons of pages 1 and 3 open.
    SecondaryWizards Wizards;

    // The picture of the Start Menu, handed to the pages and the other windows.
    StartMenuModel& Model() { return model_; }
    const StartMenuModel& Model() const { return model_; }

    // The bottom bar's controls, by their designer names.
    HWND Button4 = nullptr, Button5 = nullptr, Button6 = nullptr, Button11 = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // What the pages ask of the window.
    void ModeTurned() override;
    void OpenWizard(SecondaryWizard wizard) override;
    bool ProfessionalMode() const override { return page1_->ProfessionalMode; }
    bool ScanComplete() const override { return FormReady; }
    bool DiskRunning() const override { return page3_->Running(); }
    void Relayout() override { LayoutControls(); }
    void Rescan() override { FormCreate(); }
    void NoteUserChoices() override { page2_->NoteUserChoices(); }
    void MailSupport() override;

    // A wizard or an extra filled in by the program entry; an empty one does nothing.
    void RunHook(const std::function<void(TMainForm&)>& hook);

    // Creation and layout (MainFormControls.cpp).
    void CreateControls();
    void CreateBar();
    void Translate();
    void LayoutControls();
    void ApplyVisibility();

    LRESULT OnCommand(int id, int code);
    LRESULT OnNotify(NMHDR& header);
    // F1: the help topic of the page shown.
    void OnHelp(const HELPINFO& info);
    void PaintBackground(HDC dc);

    StartMenuModel model_;
    UINT dpi_ = 96;
    int page_ = 1;
    std::unique_ptr<win::WizardFrame> frame_;
    win::MenuHandle popupMenu1_;
    std::unique_ptr<ModePage> page1_;
    std::unique_ptr<CategoriesPage> page2_;
    std::unique_ptr<ProcessingPage> page3_;
};

} // namespace startmenu
