#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "cleanup/DeleteRecheck.h"
#include "cleanup/USerchTread.h"
#include "win/FileIdentity.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/model/IconFetcher.h"
#include "win/Gdi.h"
#include "win/WizardWindow.h"

namespace cleanup {

// The delete-empty-shortcuts wizard: searches the Start Menu's Programs folders, the Quick
// Launch bar and the desktop for shortcuts whose target is gone, in background threads, and
// deletes the ones the user ticks. Handlers are public so that tests can drive the window as
// a user's clicks do.
//
// To use this class: make it over the main window, RunModal, destroy it; or call
// RunDeleteEmptyShortcutsWizard, which does that. However the window goes, a search still
// on is stopped and its threads are waited for first.
class TDeleteEmptyShortcutsForm : public win::WizardWindow, private SearchWindow {
public:
    TDeleteEmptyShortcutsForm(HWND owner, const startmenu::FolderSource& folders);
    ~TDeleteEmptyShortcutsForm() override;

    void FormCreate() override;
    void Button1Click(); // Search, or Stop while searching
    void Button2Click(); // Select All, but the shortcuts whose drive is away
    void Button3Click(); // Clear All
    void Button4Click(); // Cancel
    void Button5Click(); // Delete Selected
    void EnableSerchControls(bool on);
    // A click in the list at a point of its client area: on a check box, it ticks or unticks.
    void ListView1Click(POINT at);

    using FoundRow = cleanup::FoundRow;
    int ListCount() const { return static_cast<int>(rows_.size()); }
    const FoundRow& ListRow(int item) const { return rows_[static_cast<size_t>(item)]; }
    // The texts of a row's three columns, as the list shows them.
    std::wstring ListText(int item, int column) const;
    int ListImage(int item);
    std::wstring StatusText() const;
    bool Searching() const { return SearchRunning; }
    // Whether a thread of the last search is still on, even one told to stop.
    bool SearchThreadsRunning() const;
    const startmenu::IconFetcher* Icons() const { return icons_.get(); }

    // The places, resolved each time the window is made; empty: absent, skipped.
    std::wstring CommonStartupDir, UserStartupDir, CommonProgramsDir, UserProgramsDir;
    std::wstring QuickLaunchDir, DesktopDir;

    // Controls, by their designer names.
    HWND Label1 = nullptr, Label2 = nullptr, Label3 = nullptr;
    HWND CheckBox1 = nullptr, CheckBox2 = nullptr, CheckBox3 = nullptr;
    HWND Button1 = nullptr, Button2 = nullptr, Button3 = nullptr, Button4 = nullptr,
         Button5 = nullptr;
    HWND Animate1 = nullptr, ListView1 = nullptr, StatusBar1 = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(int id, int code) override;
    void CloseRequested() override { Button4Click(); }

private:
    // Creation (DeleteEmptyShortcutsControls.cpp).
    void CreateControls();
    void CreatePage1();
    void CreateBar();
    void Translate();
    void ResolveFolders();
    void SizeColumns();
    void ListView1GetDispInfo(LVITEMW& item);
    void ToggleListItem(int item);
    void NewImageList();
    // Below a ticked place, while Delete Selected runs.
    void RemoveEmptyFolders(const std::wstring& folder);
    void ScheduleRefresh();
    void Refresh();
    void EndSearch();
    void StopSearch();
    bool Ticked(HWND checkBox) const;

    // What the threads call, on the GUI thread.
    void ShowStatus(const std::wstring& text) override;
    void AddFoundShortcut(const std::wstring& path, const cleaning::ShortcutTarget& target,
                          const cleaning::FileStamp& stamp) override;
    void SearchThreadDone() override;

    const startmenu::FolderSource& folders_;
    UINT dpi_ = 96;
    std::vector<FoundRow> rows_;
    std::wstring status_; // reported, not shown yet
    bool refreshPending_ = false;
    win::FolderSet kept_; // the folders never removed, looked up at each deletion
    win::ImageListHandle ImageList1, states_;
    std::unique_ptr<startmenu::IconFetcher> icons_; // one per search, over ImageList1

    // The search; GUI thread only.
    bool SearchRunning = false;
    bool closing_ = false;
    int threadsLeft_ = 0;
    std::unique_ptr<win::CriticalSection> SearchLock;
    // Common and user Programs, Quick Launch, desktop.
    std::array<std::unique_ptr<TSerchTread>, 4> threads_;
};

// Shows the wizard modally over owner and destroys it when it closes.
void RunDeleteEmptyShortcutsWizard(HWND owner, const startmenu::FolderSource& folders);

} // namespace cleanup
