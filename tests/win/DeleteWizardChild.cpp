// The delete-empty-shortcuts wizard alone in a process, for the crash tests: given the two
// Programs and the two Startup folders, it searches, ticks every row and deletes, going on
// at every question; MARLOWEN_END_AFTER_CHANGES ends it in the middle.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "Fixtures.h"
#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "win/Com.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    win::LocalHandle owner(args);
    if (!args || count != 5)
        return 2;
    testing_support::TestFolderSource places;
    places.commonPrograms = args[1];
    places.userPrograms = args[2];
    places.commonStartup = args[3];
    places.userStartup = args[4];
    testing_support::ScriptedPrompt prompt; // OK to the restore-point question
    win::ScopedPrompt usePrompt(prompt);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    win::ComInit com;
    cleanup::TDeleteEmptyShortcutsForm wizard(nullptr, places);
    wizard.Button1Click();
    for (MSG msg; wizard.Searching() && GetMessageW(&msg, nullptr, 0, 0) > 0;)
        DispatchMessageW(&msg);
    wizard.Button2Click();
    wizard.Button5Click();
    return 0;
}
