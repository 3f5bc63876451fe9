#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/RunChoice.h"
#include "startmenu/ClearMode.h"
#include "startmenu/UMainForm.h"
#include "win/Application.h"
#include "win/Com.h"
#include "win/Handles.h"

namespace {

// The arguments after the program's own path, split the Windows way.
std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    win::LocalHandle owner(argv);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i)
        args.emplace_back(argv[i]);
    return args;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win::Application::SetTitle(L"Marlowen");
    std::vector<std::wstring> args = CommandLineArguments();
    startmenu::SystemFolderSource folders;

    app::RunKind run = app::ChooseRun(args);
    if (run == app::RunKind::Clear) {
        startmenu::RunClearMode(args.size() > 1 ? args[1] : std::wstring(), folders);
        return 0;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    win::ComInit com;
    startmenu::TMainForm mainForm(folders);
    if (run == app::RunKind::BatchImport)
        return 0;
    mainForm.Show();
    win::Application::Run();
    return 0;
}
