#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/MainFormTarget.h"
#include "app/MainFormWiring.h"
#include "app/RunChoice.h"
#include "app/TidyRun.h"
#include "backup/BackupStore.h"
#include "exchange/UXMLmenuManage.h"
#include "extras/UAboutForm.h"
#include "startmenu/processing/ClearMode.h"
#include "startmenu/window/UMainForm.h"
#include "win/Application.h"
#include "win/Com.h"
#include "win/Handles.h"
#include "win/SystemLibrary.h"
#include "win/UserPrompt.h"

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

// How a batch import ended, for scripts.
enum BatchExit : int {
    BatchProcessed = 0,  // every assigned item arrived in its category folder
    BatchIncomplete = 1, // some items stayed where they were (the report named them)
    BatchRefused = 2,    // the layout was not used; nothing was processed
    BatchDeclined = 3,   // the user did not go on without a restore point; nothing was moved
    BatchUnmatched = 4,  // as BatchProcessed, but some names of the layout matched no item
    BatchBusy = 5,       // another instance was changing the Start Menu; nothing was moved
};

// A restore stopped midway (the program ended, the system went down) is finished or undone,
// as the user chooses, before the window shows the Start Menu.
void RecoverUnfinishedRestore(startmenu::TMainForm& mainForm) {
    if (backup::RecoverUnfinishedRestore(mainForm.Handle(), mainForm.Model().Folders))
        mainForm.FormCreate();
}

// Imports the layout in apply mode on the hidden main window.
int RunBatchImport(startmenu::TMainForm& mainForm, const std::wstring& fileName) {
    app::MainFormTarget target(mainForm);
    exchange::ImportOutcome outcome;
    try {
        outcome = exchange::ImportStartMenu(target, true, fileName);
    } catch (const exchange::LayoutRefused& refused) {
        win::ShowError(nullptr, refused);
        return BatchRefused;
    }
    exchange::ReportImport(mainForm.Handle(), fileName, outcome, true);
    using Result = startmenu::ProcessingPage::ProcessingResult;
    switch (mainForm.Page3().LastProcessing()) {
    case Result::Complete:
        return outcome.unmatched.empty() ? BatchProcessed : BatchUnmatched;
    case Result::Abandoned:
        return BatchDeclined;
    case Result::Busy:
        return BatchBusy;
    default:
        return BatchIncomplete;
    }
}

// The three runs, chosen by the first argument; returns the exit code.
int RunProgram() {
    std::vector<std::wstring> args = CommandLineArguments();
    startmenu::SystemFolderSource folders;

    app::RunKind run = app::ChooseRun(args);
    if (run == app::RunKind::Clear)
        return static_cast<int>(
            startmenu::RunClearMode(args.size() > 1 ? args[1] : std::wstring(), folders));

    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    win::ComInit com;
    if (run == app::RunKind::Tidy)
        return app::RunTidy(folders);
    startmenu::TMainForm mainForm(folders);
    if (run == app::RunKind::BatchImport)
        return RunBatchImport(mainForm, args[0]);
    RecoverUnfinishedRestore(mainForm);
    app::ConnectWizards(mainForm, folders);
    extras::TAboutBox aboutBox(mainForm.Handle());
    app::ConnectMenuExtras(mainForm, aboutBox);
    mainForm.Show();
    mainForm.RecoverUnfinishedRun();
    win::Application::Run();
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win::RestrictLibrarySearch();
    win::Application::SetTitle(L"Marlowen");
    try {
        return RunProgram();
    } catch (...) {
        win::ShowCurrentError(nullptr);
    }
    return 1;
}
