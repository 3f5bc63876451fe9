#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "startmenu/EntryList.h"
#include "startmenu/FolderLocations.h"
#include "win/Window.h"

namespace startmenu {

// The main window. It owns the picture of the Start Menu (the EntryList, the categories and
// the folder locations) for the whole run; creating it runs the scan.
class TMainForm : public win::Window {
public:
    explicit TMainForm(const FolderSource& folders);

    // Shows the window for the interactive run.
    void Show();

    // The scan: rebuilds the whole picture from disk. Also the rescan after processing.
    void FormCreate();

    FolderLocations Folders;
    std::unique_ptr<EntryList> Entries;
    std::vector<std::wstring> CategoryNames;
    std::array<bool, 9> CategoryHidden{};
    bool ProfessionalMode = false;
    bool ShowCategoryFolders = false;
    bool FormReady = false;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SelectWorkingMode(bool professional);
    void FormDestroy();

    const FolderSource& source_;
};

} // namespace startmenu
