#include "startmenu/window/CloseQuestion.h"

#include "win/Application.h"
#include "win/UserPrompt.h"

namespace startmenu {
namespace {

// Any item, at the top or inside a folder, with a category or marked for the root.
bool AnyAssigned(const EntryNode* node) {
    for (; node; node = node->NextSibling())
        if (node->Entry().Category != CategoryNone || AnyAssigned(node->FirstChild()))
            return true;
    return false;
}

} // namespace

bool MayDropAssignments(HWND owner, const EntryList& entries) {
    if (!AnyAssigned(entries.First()))
        return true;
    return win::Prompt().Message(owner, L"Discard the categories you assigned?",
                                 win::Application::Title(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

} // namespace startmenu
