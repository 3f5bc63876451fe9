// The menu of extras under the Menu button, and the support link on page 3.
#include <windows.h>

#include "extras/OpenLinks.h"
#include "extras/Recommendation.h"
#include "extras/USendMailMAPI.h"
#include "startmenu/UMainForm.h"

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
    if (AboutBox)
        AboutBox();
}

void TMainForm::HomePageMenuClick() {
    extras::OpenHomePage();
}

void TMainForm::TellFriendClick() {
    extras::SendMail(extras::RecommendationSubject(), extras::RecommendationBody(), {}, {}, {}, {},
                     {});
}

void TMainForm::HelpMenuClick() {
    extras::OpenHelpFile(Handle(), model_.Folders.AppDir);
}

void TMainForm::Label10Click() {
    extras::OpenSupportMail(Handle());
}

} // namespace startmenu
