#include "startmenu/window/UMainForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "product/AppInfo.h"
#include "product/Help.h"
#include "product/Settings.h"
#include "product/WriterLock.h"
#include "product/WindowPlacement.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "res/resource.h"
#include "startmenu/model/Categories.h"
#include "startmenu/window/CloseQuestion.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/model/StartMenuScan.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/ListControl.h"
#include "win/Text.h"
#include "win/UserPrompt.h"

namespace startmenu {
namespace {

constexpr const wchar_t* kClassName = L"TMainForm";
constexpr int kWidth = 800, kHeight = 600, kMinWidth = 758, kMinHeight = 587;

} // namespace

TMainForm::TMainForm(const FolderSource& folders) : model_(folders) {
    RegisterWindowClass(kClassName, IDI_MARLOWEN);

    UINT dpi = win::DpiOf(nullptr);
    int width = win::Scale(kWidth, dpi), height = win::Scale(kHeight, dpi);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = std::max<int>(work.left, work.left + ((work.right - work.left) - width) / 2);
    int y = std::max<int>(work.top, work.top + ((work.bottom - work.top) - height) / 2);
    CreateWindowObject(kClassName, L"", WS_OVERLAPPEDWINDOW, WS_EX_CONTROLPARENT, x, y, width,
                       height, nullptr);
}

void TMainForm::Show() {
    FormShow();
    if (!product::RestoreWindowPlacement(Handle()))
        ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TMainForm::FormCreate() {
    FormReady = false;
    // The entries the suggestions were made for are gone with the old picture.
    targets_.reset();
    suggestions_ = SuggestionRun();
    ShowSuggestionsOn(false);
    SetWindowTextW(Label12, L"");
    model_.DiscardPicture();
    rows_.clear();
    ListView_SetItemCountEx(ListView1, 0, 0);
    Tree->Clear();
    while (SendMessageW(ToolBar1, TB_DELETEBUTTON, 0, 0)) {
    }
    CategoryButtons.clear();

    model_.ResolveAppFolders();

    bool professional = product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey,
                                              product::kSimpleModeValue) != 0;
    HWND radio = professional ? RadioButton2 : RadioButton1;
    if (Button_GetCheck(radio) != BST_CHECKED) {
        Button_SetCheck(RadioButton1, !professional);
        Button_SetCheck(RadioButton2, professional);
        professional ? RadioButton2Click() : RadioButton1Click();
    }

    model_.ResetCategories();

    SetWindowTextW(Handle(), (std::wstring(product::kVersionCaption) + L" freeware").c_str());

    model_.ShowCategoryFolders = product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey,
                                                       product::kShowCategoryFoldersValue) == 1;
    Button_SetCheck(CheckBox1, model_.ShowCategoryFolders ? BST_CHECKED : BST_UNCHECKED);

    ResetImageLists();
    RebuildCategoryButtons();

    model_.ReadProgramsFolders();

    SelectFirstVisibleCategory();
    NewItems1.Refresh(model_);
    FormReady = true;
}

TMainForm::DiskRun::~DiskRun() {
    form_.processing_ = false;
    if (form_.closeRequested_)
        PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
}

void TMainForm::Button8Click() {
    if (processing_)
        return;
    NoteUserChoices();
    DiskRun run(*this);
    auto writer = product::TakeWriterLockOrTell(Handle(), product::kProcessingRun);
    if (!writer) {
        lastProcessing_ = ProcessingResult::Busy;
        return;
    }

    MoveReport report;
    {
        // Closes the restore point and resets the cursor however the work ends.
        restorepoint::RestorePointScope restorePoint(Handle());
        if (restorePoint.Outcome() == restorepoint::RestorePointOutcome::Abandon) {
            lastProcessing_ = ProcessingResult::Abandoned;
            return;
        }
        // Counts as incomplete until the walk and the rescan have ended normally.
        lastProcessing_ = ProcessingResult::Incomplete;
        win::DisabledWindow busy(Handle());
        try {
            report = MoveEntries(model_.Entries->First(), model_.Folders, model_.CategoryNames);
        } catch (...) {
            FormCreate(); // the list shows what is on disk, also after a stopped run
            throw;
        }
        FormCreate();
    }
    lastProcessing_ = report.Complete() ? ProcessingResult::Complete : ProcessingResult::Incomplete;
    SetWindowTextW(Button8, MoveReportCaption(report).c_str());
    EnableWindow(Button8, FALSE);
    std::wstring text = MoveReportText(report);
    if (!text.empty())
        win::Prompt().Message(Handle(), text, win::Application::Title(),
                              MB_OK | (report.Complete() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void TMainForm::BitBtn4Click() {
    RunHook(Wizards.backupRestore);
}

void TMainForm::BitBtn5Click() {
    RunHook(Wizards.deleteEmptyShortcuts);
}

void TMainForm::BitBtn9Click() {
    RunHook(Wizards.importExport);
}

void TMainForm::FormResize() {
    if (ProfessionalMode && listWidth_ < win::Scale(60, dpi_))
        listWidth_ = win::Scale(60, dpi_);
    LayoutControls();
}

void TMainForm::FormDestroy() {
    targets_.reset();
    icons_.reset(); // while the controls it draws into are still there
    model_.DiscardPicture();
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        dpi_ = win::DpiOf(Handle());
        CreateControls();
        // A backup folder that cannot be made stops the scan, yet the window opens: the
        // model is whole, only emptier.
        try {
            FormCreate();
        } catch (const win::AppError& error) {
            win::ShowError(Handle(), error);
        }
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            FormResize();
        return 0;
    case WM_GETMINMAXINFO: {
        UINT dpi = win::DpiOf(Handle());
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {win::Scale(kMinWidth, dpi), win::Scale(kMinHeight, dpi)};
        return 0;
    }
    case WM_TIMER:
        if (wParam == kIconsGoOnTimer) {
            KillTimer(Handle(), kIconsGoOnTimer);
            if (icons_)
                icons_->GoOn();
        }
        return 0;
    case WM_DPICHANGED: {
        auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_COMMAND:
        if (processing_)
            return 0;
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case DM_GETDEFID:
        return MAKELRESULT(frame_->DefaultId(), DC_HASDEFID);
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        if (frame_ && frame_->KeepFocus(msg, wParam))
            return 0;
        break;
    case WM_HELP: {
        // A secondary window names its own topic; else the page's.
        static constexpr DWORD kPageTopics[] = {product::kHelpWorkingMode, product::kHelpCategories,
                                                product::kHelpProcessing};
        DWORD topic = reinterpret_cast<const HELPINFO*>(lParam)->dwContextId;
        product::OpenHelpTopic(Handle(), model_.Folders.AppDir,
                               topic ? topic : kPageTopics[page_ - 1]);
        return TRUE;
    }
    case WM_MOUSEMOVE:
        if (dragging_) {
            POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(Handle(), &p);
            TrackDrag(p);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_)
            EndDrag(true);
        return 0;
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle())
            EndDrag(false);
        return 0;
    case WM_KEYDOWN:
        if (dragging_ && wParam == VK_ESCAPE) {
            EndDrag(false);
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == TreeView1) {
            POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (p.x == -1 && p.y == -1) {
                // From the keyboard: under the selected node.
                RECT r = {};
                if (HTREEITEM item = TreeView_GetSelection(TreeView1))
                    TreeView_GetItemRect(TreeView1, item, &r, TRUE);
                p = {r.left, r.bottom};
                ClientToScreen(TreeView1, &p);
            }
            TrackPopupMenu(PopupMenu2(), TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, Handle(),
                           nullptr);
            return 0;
        }
        if (reinterpret_cast<HWND>(wParam) == Button11) {
            Button11ContextPopup({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGING:
        // Kept as the window goes out of sight, closed or destroyed; a batch run never shows
        // it and keeps nothing.
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) &&
            IsWindowVisible(Handle()))
            product::SaveWindowPlacement(Handle());
        break;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_CLOSE:
        // Closing in the middle of a run would destroy the entries it works on.
        if (processing_) {
            closeRequested_ = true;
            return 0;
        }
        if (!MayDropAssignments(Handle(), *model_.Entries))
            return 0;
        DestroyWindow(Handle());
        win::Application::Terminate();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

LRESULT TMainForm::OnCommand(int id, int code, HWND control) {
    if (id >= IdFirstCategoryButton && id < IdFirstCategoryButton + 100) {
        if (const CategoryButton* button = ButtonOf(id - IdFirstCategoryButton))
            ToolButtonClick(*button);
        return 0;
    }
    switch (id) {
    case IDOK:     // Enter: the default button of the page
    case IDCANCEL: // Esc: only where the wizard offers "Cancel"
        if (int command = frame_->KeyCommand(id))
            return OnCommand(command, BN_CLICKED, GetDlgItem(Handle(), command));
        return 0;
    case IdButton4:
        Button4Click();
        return 0;
    case IdButton5:
        Button5Click();
        return 0;
    case IdButton6:
        Button6Click();
        return 0;
    case IdButton11:
        Button11Click();
        return 0;
    case IdButton8:
        Button8Click();
        return 0;
    case IdButton12:
        Button12Click();
        return 0;
    case IdButton13:
        Button13Click();
        return 0;
    case NewItemsBar::kButtonId:
        SortNewItemsClick();
        return 0;
    case IdUndoMenu:
        UndoLastProcessing1Click();
        return 0;
    case IdRadioButton1:
    case IdRadioButton2:
        // The buttons select themselves, also by the arrow keys; only a change of mode counts.
        if (code == BN_CLICKED && (control == RadioButton2) != ProfessionalMode)
            control == RadioButton1 ? RadioButton1Click() : RadioButton2Click();
        return 0;
    case IdCheckBox1:
        if (code == BN_CLICKED)
            CheckBox1Click();
        return 0;
    case IdMovetoroot1:
        Movetoroot1Click();
        return 0;
    case IdAboutMenu:
        AboutMenuClick();
        return 0;
    case IdHomePageMenu:
        HomePageMenuClick();
        return 0;
    case IdTellAFriendMenu:
        TellFriendClick();
        return 0;
    case IdHelpMenu:
        HelpMenuClick();
        return 0;
    case IdBitBtn4:
    case IdBitBtn6:
        BitBtn4Click();
        return 0;
    case IdBitBtn5:
    case IdBitBtn7:
        BitBtn5Click();
        return 0;
    case IdBitBtn8:
    case IdBitBtn9:
        BitBtn9Click();
        return 0;
    }
    return 0;
}

LRESULT TMainForm::OnNotify(NMHDR& header) {
    if (header.hwndFrom == Label10 && (header.code == NM_CLICK || header.code == NM_RETURN)) {
        Label10Click();
        return 0;
    }
    if (header.hwndFrom == ListView1) {
        switch (header.code) {
        case LVN_GETDISPINFOW:
            ListView1GetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
            break;
        case NM_CLICK:
            ListView1Click();
            break;
        case NM_SETFOCUS:
            win::ShowFocusedRow(ListView1);
            break;
        case LVN_ODFINDITEMW:
            return win::FindListRow(reinterpret_cast<const NMLVFINDITEMW&>(header), ListCount(),
                                    [this](int row) { return ListCaption(row); });
        case LVN_GETINFOTIPW: {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
            if (win::LabelCutOff(ListView1, tip.iItem, ListCaption(tip.iItem)))
                win::CopyTruncated(ListCaption(tip.iItem), tip.pszText, tip.cchTextMax);
            break;
        }
        case LVN_ITEMCHANGED: {
            auto& change = reinterpret_cast<NMLISTVIEW&>(header);
            if ((change.uChanged & LVIF_STATE) &&
                ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
                ListView1SelectItem(change.iItem, change.uNewState & LVIS_SELECTED);
            break;
        }
        case LVN_KEYDOWN:
            // Space ticks the selected item, as a click on its check box does; with none
            // selected, the focused one.
            if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_SPACE) {
                int item = ListSelected() >= 0 ? ListSelected()
                                               : ListView_GetNextItem(ListView1, -1, LVNI_FOCUSED);
                if (item >= 0)
                    ToggleListItem(item);
            }
            break;
        case LVN_BEGINDRAG:
            BeginDrag(DragSource::List);
            break;
        }
        return 0;
    }
    if (header.hwndFrom == TreeView1) {
        switch (header.code) {
        case NM_CLICK:
            TreeView1Click();
            break;
        case TVN_KEYDOWN:
            if (reinterpret_cast<NMTVKEYDOWN&>(header).wVKey == VK_SPACE && Tree->Selected()) {
                ToggleTreeItem(Tree->Selected());
                return TRUE;
            }
            break;
        case NM_RCLICK: {
            POINT p;
            GetCursorPos(&p);
            POINT client = p;
            ScreenToClient(TreeView1, &client);
            TreeView1MouseUp(client);
            TrackPopupMenu(PopupMenu2(), TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, Handle(),
                           nullptr);
            return TRUE;
        }
        case TVN_BEGINDRAGW:
            Tree->Select(reinterpret_cast<CheckTree::Node>(
                reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem));
            BeginDrag(DragSource::Tree);
            break;
        }
        return 0;
    }
    return 0;
}

LRESULT TMainForm::OnColor(HDC dc, HWND control) {
    return reinterpret_cast<LRESULT>(frame_->ControlBrush(dc, control));
}

// The category tool bar has an edge above and below.
void TMainForm::PaintBackground(HDC dc) {
    frame_->PaintBackground(dc);
    if (page_ == 2) {
        RECT tools, below;
        GetWindowRect(ToolBar1, &tools);
        GetWindowRect(Label7, &below);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&tools), 2);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&below), 2);
        tools.top -= 2;
        tools.bottom = below.top - win::Scale(2, dpi_);
        DrawEdge(dc, &tools, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
    }
}

} // namespace startmenu
