#include "cleanup/UDeleteEmptyShortcutsForm.h"

#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>

#include "base/Counted.h"
#include "product/WriterLock.h"
#include "product/Help.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "base/PathRules.h"
#include "cleaning/EmptyFolders.h"
#include "cleanup/DeleteEmptyShortcutsIds.h"
#include "res/resource.h"
#include "startmenu/model/ItemIcon.h"
#include "win/Dpi.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/ListControl.h"
#include "win/Text.h"

namespace cleanup {
namespace {

constexpr const wchar_t* kClassName = L"TDeleteEmptyShortcutsForm";
constexpr const wchar_t* kStopCaption = L"&Stop";
constexpr const wchar_t* kDone = L"Done";
constexpr const wchar_t* kDriveNotAvailable = L"drive not available";

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshDelay = 100; // milliseconds

// The last frame shown of the shell's "searching a folder" clip.
constexpr UINT kLastClipFrame = 29;

// The check states as the list shows them: state n is picture n - 1 of its state list.
constexpr int kUnticked = 1, kTicked = 2;

} // namespace

TDeleteEmptyShortcutsForm::TDeleteEmptyShortcutsForm(HWND owner,
                                                     const startmenu::FolderSource& folders)
    : folders_(folders) {
    CreateWizard(owner, kClassName, L"Delete Empty Shortcuts Wizard", kSize, IDI_MARLOWEN);
}

TDeleteEmptyShortcutsForm::~TDeleteEmptyShortcutsForm() {
    StopSearch();
    DestroyWindowObject();
}

void TDeleteEmptyShortcutsForm::FormCreate() {
    dpi_ = win::DpiOf(Handle());
    ResolveFolders();
    CreateControls();
    Translate();
    frame_->SetKeys(1, {IdButton1, IdButton4});
    SetWindowContextHelpId(Handle(), product::kHelpCleanupWizard);
    frame_->ShowPage(1, [this](HWND control) { return control != Animate1; });
    for (HWND box : {CheckBox1, CheckBox2, CheckBox3})
        Button_SetCheck(box, BST_CHECKED);
    EnableSerchControls(true);
}

void TDeleteEmptyShortcutsForm::ResolveFolders() {
    CommonStartupDir = folders_.ShellFolder(CSIDL_COMMON_STARTUP);
    UserStartupDir = folders_.ShellFolder(CSIDL_STARTUP);
    CommonProgramsDir = folders_.ShellFolder(CSIDL_COMMON_PROGRAMS);
    UserProgramsDir = folders_.ShellFolder(CSIDL_PROGRAMS);
    DesktopDir = folders_.ShellFolder(CSIDL_DESKTOP);
    std::wstring appData = folders_.ShellFolder(CSIDL_APPDATA);
    QuickLaunchDir =
        appData.empty() ? L"" : appData + L"\\Microsoft\\Internet Explorer\\Quick Launch";
    if (!win::IsExistingDirectory(QuickLaunchDir))
        QuickLaunchDir.clear();
}

// A new, empty ImageList1 with the placeholders the icon fetcher shows until an icon comes.
void TDeleteEmptyShortcutsForm::NewImageList() {
    icons_.reset();
    int small = win::Scale(16, dpi_);
    ImageList1.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 16, 16));
    for (bool folder : {false, true})
        ImageList_AddIcon(ImageList1.Get(),
                          win::IconHandle(startmenu::GetPlaceholderIcon(folder)).Get());
    ListView_SetImageList(ListView1, ImageList1.Get(), LVSIL_SMALL);
    icons_ = std::make_unique<startmenu::IconFetcher>(
        ImageList1.Get(), [this](const std::wstring& path, int) {
            int top = ListView_GetTopIndex(ListView1);
            int last = std::min(ListCount(), top + ListView_GetCountPerPage(ListView1) + 1);
            for (int i = top; i < last; ++i)
                if (rows_[static_cast<size_t>(i)].path == path)
                    ListView_RedrawItems(ListView1, i, i);
        });
}

// Name keeps its width; Path and Target share the rest, leaving room for the scroll bar a
// long list gets.
void TDeleteEmptyShortcutsForm::SizeColumns() {
    RECT client;
    GetClientRect(ListView1, &client);
    int scrollBar =
        (GetWindowLongW(ListView1, GWL_STYLE) & WS_VSCROLL) ? 0 : GetSystemMetrics(SM_CXVSCROLL);
    int rest = std::max(0, static_cast<int>(client.right) - scrollBar -
                               ListView_GetColumnWidth(ListView1, NameColumn));
    ListView_SetColumnWidth(ListView1, PathColumn, rest * 3 / 5);
    ListView_SetColumnWidth(ListView1, TargetColumn, rest - rest * 3 / 5);
}

bool TDeleteEmptyShortcutsForm::Ticked(HWND checkBox) const {
    return Button_GetCheck(checkBox) == BST_CHECKED;
}

void TDeleteEmptyShortcutsForm::EnableSerchControls(bool on) {
    if (on) {
        Animate_Stop(Animate1);
        ShowWindow(Animate1, SW_HIDE);
    } else {
        ShowWindow(Animate1, SW_SHOWNA);
        Animate_Play(Animate1, 0, kLastClipFrame, -1);
    }
    SetWindowTextW(Button1, on ? kSearchCaption : kStopCaption);
    for (HWND button : {Button2, Button3, Button5})
        EnableWindow(button, on);
}

void TDeleteEmptyShortcutsForm::Button1Click() {
    if (SearchRunning) {
        // The window goes idle when the last thread has reported its end.
        for (auto& thread : threads_)
            if (thread)
                thread->Terminate();
        return;
    }
    if (!Ticked(CheckBox1) && !Ticked(CheckBox2) && !Ticked(CheckBox3))
        return;
    for (auto& thread : threads_)
        thread.reset(); // all ended: their ends have been reported
    SearchRunning = true;
    rows_.clear();
    Refresh();
    NewImageList();
    EnableSerchControls(false);
    SearchLock = std::make_unique<win::CriticalSection>();
    threadsLeft_ = 0;
    const std::wstring* places[] = {&CommonProgramsDir, &UserProgramsDir, &QuickLaunchDir,
                                    &DesktopDir};
    const bool searched[] = {Ticked(CheckBox1), Ticked(CheckBox1), Ticked(CheckBox2),
                             Ticked(CheckBox3)};
    // Ends are handled on this thread, so all are started and counted before any can be.
    for (size_t i = 0; i < threads_.size(); ++i)
        if (searched[i] && !places[i]->empty()) {
            threads_[i] = std::make_unique<TSerchTread>(
                *places[i], static_cast<SearchWindow&>(*this), *SearchLock);
            ++threadsLeft_;
        }
    if (threadsLeft_ == 0)
        EndSearch(); // every ticked place is absent
}

void TDeleteEmptyShortcutsForm::ShowStatus(const std::wstring& text) {
    if (closing_)
        return;
    status_ = text;
    ScheduleRefresh();
}

void TDeleteEmptyShortcutsForm::AddFoundShortcut(const std::wstring& path,
                                                 const cleaning::ShortcutTarget& target,
                                                 const cleaning::FileStamp& stamp) {
    if (closing_)
        return;
    rows_.push_back({path, target, stamp, false, {}});
    ScheduleRefresh();
}

// The threads report far faster than anyone reads: the window shows what they have reported
// a few times a second, so its drawing does not hold them up.
void TDeleteEmptyShortcutsForm::ScheduleRefresh() {
    if (!refreshPending_)
        refreshPending_ = SetTimer(Handle(), kRefreshTimer, kRefreshDelay, nullptr) != 0;
    if (!refreshPending_)
        Refresh();
}

void TDeleteEmptyShortcutsForm::Refresh() {
    if (refreshPending_)
        KillTimer(Handle(), kRefreshTimer);
    refreshPending_ = false;
    if (!status_.empty()) {
        SendMessageW(StatusBar1, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(status_.c_str()));
        status_.clear();
    }
    int shown = ListView_GetItemCount(ListView1);
    if (shown == ListCount())
        return;
    // Only the new rows are drawn; their icons are asked for when they are shown.
    ListView_SetItemCountEx(ListView1, ListCount(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    if (shown < ListCount())
        ListView_RedrawItems(ListView1, shown, ListCount() - 1);
    else
        InvalidateRect(ListView1, nullptr, TRUE);
}

void TDeleteEmptyShortcutsForm::SearchThreadDone() {
    if (--threadsLeft_ == 0)
        EndSearch();
}

void TDeleteEmptyShortcutsForm::EndSearch() {
    status_ = kDone;
    Refresh();
    EnableSerchControls(true);
    SearchRunning = false;
    SearchLock.reset();
}

// Asks every thread to stop and waits for all, running their calls meanwhile: one waiting
// for the lock can only end once the one holding it has been served.
void TDeleteEmptyShortcutsForm::StopSearch() {
    if (!SearchRunning)
        return;
    std::vector<win::WorkerThread*> workers;
    for (auto& thread : threads_)
        if (thread) {
            thread->Terminate();
            workers.push_back(&thread->Worker());
        }
    win::WorkerThread::JoinAll(workers);
    if (SearchRunning)
        EndSearch();
}

bool TDeleteEmptyShortcutsForm::SearchThreadsRunning() const {
    return std::any_of(threads_.begin(), threads_.end(),
                       [](const auto& thread) { return thread && thread->Worker().Running(); });
}

// A shortcut whose drive is only away now (a stick, a share) is kept unless ticked by hand.
void TDeleteEmptyShortcutsForm::Button2Click() {
    size_t away = 0;
    for (FoundRow& row : rows_) {
        bool reachable = row.target.state != cleaning::TargetState::Unreachable;
        row.checked = row.checked || reachable;
        away += row.checked ? 0 : 1;
    }
    InvalidateRect(ListView1, nullptr, FALSE);
    if (away > 0) {
        status_ = base::Counted(away, L"shortcut", L"shortcuts") + L" left unticked: " +
                  (away == 1 ? L"its" : L"their") +
                  L" target lies on a drive that is not available now; tick by hand to delete";
        Refresh();
    }
}

void TDeleteEmptyShortcutsForm::Button3Click() {
    for (FoundRow& row : rows_)
        row.checked = false;
    InvalidateRect(ListView1, nullptr, FALSE);
}

void TDeleteEmptyShortcutsForm::Button4Click() {
    StopSearch();
    EndModal(IDCANCEL);
}

void TDeleteEmptyShortcutsForm::Button5Click() {
    if (SearchRunning)
        return;
    auto writer = product::TakeWriterLockOrTell(Handle(), product::kDeletionRun);
    if (!writer)
        return;
    {
        // Closes the restore point and resets the cursor however the work ends.
        restorepoint::RestorePointScope restorePoint(Handle());
        if (restorePoint.Outcome() == restorepoint::RestorePointOutcome::Abandon)
            return;
        status_ = DeletionSummary(DeleteTickedRows(rows_));
        Refresh();
        InvalidateRect(ListView1, nullptr, FALSE);
        kept_ = cleaning::KeptFolders(CommonStartupDir, UserStartupDir);
        if (Ticked(CheckBox1)) {
            RemoveEmptyFolders(CommonProgramsDir);
            RemoveEmptyFolders(UserProgramsDir);
        }
        if (Ticked(CheckBox2))
            RemoveEmptyFolders(QuickLaunchDir);
        if (Ticked(CheckBox3))
            RemoveEmptyFolders(DesktopDir);
    }
}

void TDeleteEmptyShortcutsForm::RemoveEmptyFolders(const std::wstring& folder) {
    if (folder.empty())
        return;
    cleaning::RemoveEmptyFolders(folder, kept_);
}

void TDeleteEmptyShortcutsForm::ListView1Click(POINT at) {
    int item = win::CheckBoxItemAt(ListView1, at);
    if (item >= 0)
        ToggleListItem(item);
}

void TDeleteEmptyShortcutsForm::ToggleListItem(int item) {
    if (item < 0 || item >= ListCount())
        return;
    FoundRow& row = rows_[static_cast<size_t>(item)];
    row.checked = !row.checked;
    ListView_RedrawItems(ListView1, item, item);
}

std::wstring TDeleteEmptyShortcutsForm::ListText(int item, int column) const {
    const FoundRow& row = ListRow(item);
    switch (column) {
    case NameColumn:
        return base::FileNameOf(row.path);
    case PathColumn:
        return row.path;
    case TargetColumn: {
        std::wstring text = row.target.state == cleaning::TargetState::Unreachable
                                ? row.target.path + L" (" + kDriveNotAvailable + L")"
                                : row.target.path;
        return row.notDeleted.empty() ? text : text + L" (not deleted: " + row.notDeleted + L")";
    }
    }
    return {};
}

int TDeleteEmptyShortcutsForm::ListImage(int item) {
    return icons_ ? icons_->ImageFor(ListRow(item).path, false) : -1;
}

std::wstring TDeleteEmptyShortcutsForm::StatusText() const {
    std::wstring text(
        static_cast<size_t>(LOWORD(SendMessageW(StatusBar1, SB_GETTEXTLENGTHW, 0, 0))) + 1, L'\0');
    SendMessageW(StatusBar1, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

void TDeleteEmptyShortcutsForm::ListView1GetDispInfo(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= ListCount())
        return;
    if (item.mask & LVIF_TEXT)
        win::CopyTruncated(ListText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == NameColumn)
        item.iImage = ListImage(item.iItem);
    if (item.mask & LVIF_STATE) {
        int state = ListRow(item.iItem).checked ? kTicked : kUnticked;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(state);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

LRESULT TDeleteEmptyShortcutsForm::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case IdButton1:
        Button1Click();
        return 0;
    case IdButton2:
        Button2Click();
        return 0;
    case IdButton3:
        Button3Click();
        return 0;
    case IdButton4:
        Button4Click();
        return 0;
    case IdButton5:
        Button5Click();
        return 0;
    }
    return 0;
}

LRESULT TDeleteEmptyShortcutsForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.hwndFrom != ListView1)
            break;
        switch (header.code) {
        case LVN_GETDISPINFOW:
            ListView1GetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
            return 0;
        case NM_CLICK:
            ListView1Click(reinterpret_cast<NMITEMACTIVATE&>(header).ptAction);
            return 0;
        case LVN_KEYDOWN:
            // Space ticks the selected item, as a click on its check box does.
            if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_SPACE)
                ToggleListItem(ListView_GetNextItem(ListView1, -1, LVNI_SELECTED));
            return 0;
        }
        break;
    }
    case WM_TIMER:
        if (wParam == kRefreshTimer) {
            Refresh();
            return 0;
        }
        break;
    case WM_DESTROY:
        // The owner going takes this window with it: the threads must not reach it after.
        closing_ = true;
        StopSearch();
        break;
    }
    LRESULT result = WizardWindow::HandleMessage(msg, wParam, lParam);
    if (msg == WM_SIZE && frame_) {
        SendMessageW(StatusBar1, WM_SIZE, 0, 0);
        SizeColumns();
    }
    return result;
}

void RunDeleteEmptyShortcutsWizard(HWND owner, const startmenu::FolderSource& folders) {
    TDeleteEmptyShortcutsForm wizard(owner, folders);
    wizard.RunModal(owner);
}

} // namespace cleanup
