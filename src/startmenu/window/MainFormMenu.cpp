// The menu of extras under the Menu button, and what the pages' buttons and the support link
// open through the hooks the program entry fills.
#include <windows.h>

#include "startmenu/window/UMainForm.h"
#include "win/Dpi.h"

namespace startmenu {
namespace {

constexpr int kMenuEntryHeight = 19;

} // namespace

// The menu unfolds upwards from the button's top left corner.
POINT TMainForm::MenuOrigin() const {
    int visible = GetMenuItemCount(PopupMenu1());
    RECT button;
    GetWindowRect(Button11, &button);
    POINT p = {button.left, button.top};
    ScreenToClient(Handle(), &p);
    p.y -= win::Scale(kMenuEntryHeight, dpi_) * visible;
    ClientToScreen(Handle(), &p);
    return p;
}

void TMainForm::Button11Click() {
    page3_->RefreshUndoEntry();
    POINT p = MenuOrigin();
    TrackPopupMenu(PopupMenu1(), TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, Handle(), nullptr);
}

void TMainForm::Button11ContextPopup(POINT screen) {
    // From the keyboard: where a click on the button opens it.
    if (screen.x == -1 && screen.y == -1)
        screen = MenuOrigin();
    page3_->RefreshUndoEntry();
    TrackPopupMenu(PopupMenu1(), TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, Handle(),
                   nullptr);
}

void TMainForm::AboutMenuClick() {
    RunHook(Extras.about);
}

void TMainForm::HomePageMenuClick() {
    RunHook(Extras.homePage);
}

void TMainForm::TellFriendClick() {
    RunHook(Extras.tellAFriend);
}

void TMainForm::HelpMenuClick() {
    RunHook(Extras.help);
}

void TMainForm::MailSupport() {
    RunHook(Extras.supportMail);
}

void TMainForm::OpenWizard(SecondaryWizard wizard) {
    switch (wizard) {
    case SecondaryWizard::BackupRestore:
        RunHook(Wizards.backupRestore);
        return;
    case SecondaryWizard::DeleteEmptyShortcuts:
        RunHook(Wizards.deleteEmptyShortcuts);
        return;
    case SecondaryWizard::ImportExport:
        RunHook(Wizards.importExport);
        return;
    }
}

void TMainForm::RunHook(const std::function<void(TMainForm&)>& hook) {
    if (hook)
        hook(*this);
}

} // namespace startmenu
