#include "product/Help.h"

#include "product/AppInfo.h"
#include "win/ShellOpen.h"
#include "win/SystemLibrary.h"

namespace product {
namespace {

const wchar_t* TopicFile(DWORD topic) {
    switch (topic) {
    case kHelpWorkingMode:
        return L"modes.html";
    case kHelpCategories:
        return L"categories.html";
    case kHelpProcessing:
        return L"processing.html";
    case kHelpBackupWizard:
        return L"backup_wizard.html";
    case kHelpCleanupWizard:
        return L"cleanup_wizard.html";
    case kHelpImportExport:
        return L"import_export.html";
    case kHelpPlannedMoves:
        return L"preview-and-undo.html";
    case kHelpMenu:
        return L"menu.html";
    }
    return L"index.html";
}

} // namespace

// The help viewer takes a topic inside a help file as "file::/topic"; the shell cannot open
// that as a document, so the viewer is started with it, by its full path: a program of that
// name beside this one or in the current folder would otherwise run with our rights.
void OpenHelpTopic(HWND owner, const std::wstring& appDir, DWORD topic) {
    win::TheShell().Run(owner, win::WindowsFolderFile(L"hh.exe"),
                        appDir + kHelpFileName + L"::/" + TopicFile(topic), SW_SHOW);
}

} // namespace product
