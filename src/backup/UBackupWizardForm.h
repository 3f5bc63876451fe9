#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "backup/BackupStore.h"
#include "startmenu/model/FolderLocations.h"
#include "win/WizardWindow.h"

namespace backup {

class CopyProgressBar;

// The backup/restore wizard: backs both Programs folders up into the store beside the
// executable, or puts one of its copies back. It reads the folder locations only, never the
// model's entries. Handlers are public so that tests can drive the window as a user's clicks
// do.
//
// To use this class: make it over the main window, RunModal, destroy it; or call
// RunBackupWizard, which does that.
class TBackupWizardForm : public win::WizardWindow {
public:
    TBackupWizardForm(HWND owner, const startmenu::FolderLocations& folders);
    ~TBackupWizardForm() override;

    void FormCreate() override;
    int ActivePage() const;
    void ShowPage(int page);
    void TabSheet1Show();
    void TabSheet2Show();
    void TabSheet3Show();
    void Button4Click(); // Next, Create or Restore
    void Button5Click(); // Back
    void Button6Click(); // Cancel
    void Edit1Change();
    void ListBox1Click();
    void RadioButton1DblClick();
    void RadioButton2DblClick();
    void CreateBackup();
    void RestoreFromBackup();

    // The section names of the index in file order.
    std::vector<std::wstring> BackupFolders;

    // Controls, by their designer names.
    HWND Label1 = nullptr, Label2 = nullptr, Label3 = nullptr, Label4 = nullptr, Label5 = nullptr,
         Label6 = nullptr, Label7 = nullptr, GroupBox1 = nullptr;
    HWND RadioButton1 = nullptr, RadioButton2 = nullptr, Edit1 = nullptr, ListBox1 = nullptr;
    HWND Button4 = nullptr, Button5 = nullptr, Button6 = nullptr;
    HWND ProgressBar1 = nullptr, ProgressLabel = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(int id, int code) override;
    void CloseRequested() override { Button6Click(); }

private:
    class Busy;
    // One table per page; PageControl1's three pages, whose tabs are not shown, and the bar.
    void CreateControls();
    void CreateTabSheet1();
    void CreateTabSheet2();
    void CreateTabSheet3();
    void CreateBar();
    void Translate();
    void ShowMessage(const std::wstring& text, UINT type);

    startmenu::FolderLocations folders_;
    std::vector<BackupListItem> listed_; // what the list shows; each item holds its index here
    UINT dpi_ = 96;
    bool busy_ = false; // a copy is on: no page change, no close
};

// Shows the wizard modally over owner and destroys it when it closes; IDOK after a backup was
// made or a copy restored, else IDCANCEL. A restore that did not finish is dealt with first.
int RunBackupWizard(HWND owner, const startmenu::FolderLocations& folders);

} // namespace backup
