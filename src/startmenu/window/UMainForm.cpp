#include "startmenu/window/UMainForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "product/AppInfo.h"
#include "product/Help.h"
#include "product/Settings.h"
#include "product/WindowPlacement.h"
#include "res/resource.h"
#include "startmenu/window/CloseQuestion.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Errors.h"
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
    page2_->Clear();
    model_.DiscardPicture();

    model_.ResolveAppFolders();

    page1_->SelectMode(product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey,
                                             product::kSimpleModeValue) != 0);

    model_.ResetCategories();

    SetWindowTextW(Handle(), (std::wstring(product::kVersionCaption) + L" freeware").c_str());

    model_.ShowCategoryFolders = product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey,
                                                       product::kShowCategoryFoldersValue) == 1;
    page2_->ShowCategories();

    model_.ReadProgramsFolders();

    page2_->SelectFirstVisibleCategory();
    page2_->NewItems1.Refresh(model_);
    FormReady = true;
}

void TMainForm::FormResize() {
    page2_->KeepMinimumListWidth();
    LayoutControls();
}

void TMainForm::FormDestroy() {
    if (page2_)
        page2_->StopWorkers();
    model_.DiscardPicture();
}

void TMainForm::ModeTurned() {
    ApplyVisibility();
    page2_->ShowMode();
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
    case WM_GETMINMAXINFO: {
        UINT dpi = win::DpiOf(Handle());
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {win::Scale(kMinWidth, dpi), win::Scale(kMinHeight, dpi)};
        return 0;
    }
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        if (frame_ && frame_->KeepFocus(msg, wParam))
            return 0;
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
    }
    // Until the last page is made, the messages of the pages' controls have nowhere to go.
    if (!page3_)
        return Window::HandleMessage(msg, wParam, lParam);
    switch (msg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            FormResize();
        return 0;
    case WM_TIMER:
        if (wParam == kIconsGoOnTimer)
            page2_->IconsGoOn();
        return 0;
    case WM_DPICHANGED: {
        auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_COMMAND:
        if (page3_->Running())
            return 0;
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(
            frame_->ControlBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DRAWITEM:
        page1_->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case DM_GETDEFID:
        return MAKELRESULT(frame_->DefaultId(), DC_HASDEFID);
    case WM_HELP:
        OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        page2_->DragMessage(msg, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        if (page2_->DragMessage(msg, wParam, lParam))
            return 0;
        break;
    case WM_CONTEXTMENU: {
        auto control = reinterpret_cast<HWND>(wParam);
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (control == page2_->TreeView1) {
            page2_->TreeView1ContextPopup(p);
            return 0;
        }
        if (control == Button11) {
            Button11ContextPopup(p);
            return 0;
        }
        break;
    }
    case WM_CLOSE:
        if (page3_->Running()) {
            page3_->CloseAfterRun();
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

LRESULT TMainForm::OnCommand(int id, int code) {
    if (id >= IdFirstCategoryButton && id < IdFirstCategoryButton + 100) {
        if (const CategoriesPage::CategoryButton* button =
                page2_->ButtonOf(id - IdFirstCategoryButton))
            page2_->ToolButtonClick(*button);
        return 0;
    }
    switch (id) {
    case IDOK:     // Enter: the default button of the page
    case IDCANCEL: // Esc: only where the wizard offers "Cancel"
        if (int command = frame_->KeyCommand(id))
            return OnCommand(command, BN_CLICKED);
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
    case IdRadioButton1:
    case IdRadioButton2:
        // The buttons select themselves, also by the arrow keys; only a change of mode counts.
        if (code == BN_CLICKED && (id == IdRadioButton2) != page1_->ProfessionalMode)
            id == IdRadioButton1 ? page1_->RadioButton1Click() : page1_->RadioButton2Click();
        return 0;
    case IdBitBtn4:
        page1_->BitBtn4Click();
        return 0;
    case IdBitBtn5:
        page1_->BitBtn5Click();
        return 0;
    case IdBitBtn9:
        page1_->BitBtn9Click();
        return 0;
    case IdCheckBox1:
        if (code == BN_CLICKED)
            page2_->CheckBox1Click();
        return 0;
    case IdButton13:
        page2_->Button13Click();
        return 0;
    case NewItemsBar::kButtonId:
        page2_->SortNewItemsClick();
        return 0;
    case IdMovetoroot1:
        page2_->Movetoroot1Click();
        return 0;
    case IdButton8:
        page3_->Button8Click();
        return 0;
    case IdButton12:
        page3_->Button12Click();
        return 0;
    case IdBitBtn6:
        page3_->BitBtn6Click();
        return 0;
    case IdBitBtn7:
        page3_->BitBtn7Click();
        return 0;
    case IdBitBtn8:
        page3_->BitBtn8Click();
        return 0;
    case IdUndoMenu:
        page3_->UndoLastProcessing1Click();
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
    }
    return 0;
}

LRESULT TMainForm::OnNotify(NMHDR& header) {
    if (header.hwndFrom == page3_->Label10 &&
        (header.code == NM_CLICK || header.code == NM_RETURN)) {
        page3_->Label10Click();
        return 0;
    }
    if (header.hwndFrom == page2_->ListView1)
        return page2_->ListView1Notify(header);
    if (header.hwndFrom == page2_->TreeView1)
        return page2_->TreeView1Notify(header);
    return 0;
}

void TMainForm::OnHelp(const HELPINFO& info) {
    // A secondary window names its own topic; else the page's.
    static constexpr DWORD kPageTopics[] = {product::kHelpWorkingMode, product::kHelpCategories,
                                            product::kHelpProcessing};
    DWORD topic = info.dwContextId;
    product::OpenHelpTopic(Handle(), model_.Folders.AppDir, topic ? topic : kPageTopics[page_ - 1]);
}

void TMainForm::PaintBackground(HDC dc) {
    frame_->PaintBackground(dc);
    if (page_ == 2)
        page2_->PaintToolBarEdge(dc);
}

} // namespace startmenu
