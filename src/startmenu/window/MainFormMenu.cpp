// The menu of extras under the Menu button, and the support link on page 3.
#include <windows.h>

#include "startmenu/window/UMainForm.h"

namespace startmenu {

void TMainForm::Button11ContextPopup(POINT screen) {
    // From the keyboard: where a click on the button opens it.
    if (screen.x == -1 && screen.y == -1)
        screen = MenuOrigin();
    RefreshUndoEntry();
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

void TMainForm::Label10Click() {
    RunHook(Extras.supportMail);
}

void TMainForm::RunHook(const std::function<void(TMainForm&)>& hook) {
    if (hook)
        hook(*this);
}

} // namespace startmenu
