#pragma once
#include <windows.h>

#include <string>

namespace product {

// The help topics F1 opens, one per window or page. A secondary window carries its topic as
// its context help id and hands F1 to its owner, the main window, which knows the help file.
enum HelpTopic : DWORD {
    kHelpNoTopic = 0,
    kHelpWorkingMode,
    kHelpCategories,
    kHelpProcessing,
    kHelpBackupWizard,
    kHelpCleanupWizard,
    kHelpImportExport,
    kHelpPlannedMoves,
    kHelpMenu,
};

// The help file in appDir, opened by the system's help viewer at the topic.
void OpenHelpTopic(HWND owner, const std::wstring& appDir, DWORD topic);

} // namespace product
