#include "startmenu/window/CloseQuestion.h"

#include "win/Application.h"
#include "win/UserPrompt.h"

namespace startmenu {

bool MayDropAssignments(HWND owner, const EntryList& entries) {
    if (!AnyCategorised(entries.First()))
        return true;
    return win::Prompt().Message(owner, L"Discard the categories you assigned?",
                                 win::Application::Title(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

} // namespace startmenu
