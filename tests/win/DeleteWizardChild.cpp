// The delete-empty-shortcuts wizard in a process of its own, for the crash tests: started
// with two Programs folders and two Startup folders, it searches the Programs folders, ticks every
// row and deletes, saying yes to every question. With MARLOWEN_END_AFTER_CHANGES set, it ends in
// the middle of that.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "win/Com.h"
#include "win/UserPrompt.h"

namespace {

class Places : public startmenu::FolderSource {
public:
    std::wstring common, user, commonStartup, userStartup;
    std::wstring ExecutableDir() const override { return {}; }
    std::wstring ShellFolder(int csidl) const override {
        switch (csidl) {
        case CSIDL_COMMON_PROGRAMS:
            return common;
        case CSIDL_PROGRAMS:
            return user;
        case CSIDL_COMMON_STARTUP:
            return commonStartup;
        case CSIDL_STARTUP:
            return userStartup;
        }
        return {};
    }
};

class Yes : public win::UserPrompt {
public:
    int Message(HWND, const std::wstring&, const std::wstring&, UINT type) override {
        return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    }
    bool ChooseFile(HWND, const win::FileRequest&, std::wstring&) override { return false; }
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count != 5)
        return 2;
    Places places;
    places.common = args[1];
    places.user = args[2];
    places.commonStartup = args[3];
    places.userStartup = args[4];
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Yes yes;
    win::ScopedPrompt usePrompt(yes);
    win::ComInit com;
    cleanup::TDeleteEmptyShortcutsForm wizard(nullptr, places);
    wizard.Button1Click();
    MSG msg;
    while (wizard.Searching() && GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    wizard.Button2Click();
    wizard.Button5Click();
    return 0;
}
