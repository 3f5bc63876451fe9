// The wizard's pages, its bottom bar and the two working modes.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "product/Settings.h"
#include "startmenu/window/CloseQuestion.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UMainForm.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/UserPrompt.h"

namespace startmenu {
namespace {

constexpr int kMinListWidth = 60, kTreeWidth = 270, kSplitterWidth = 4, kMenuEntryHeight = 19;

} // namespace

void TMainForm::FormShow() {
    ShowPage(1);
    EnableWindow(Button4, TRUE);
    EnableWindow(Button5, FALSE);
    ShowWindow(Button6, SW_SHOWNA);
    ApplyListWidthRule();
}

void TMainForm::ShowPage(int page) {
    page_ = page;
    ApplyVisibility();
    if (page == 1)
        TabSheet1Show();
    else if (page == 2)
        TabSheet2Show();
    else
        TabSheet3Show();
    // The keyboard goes to the page's first useful control; on page 2, the program list.
    if (page == 2)
        frame_->Focus(ListView1);
    else
        frame_->FocusFirst();
}

void TMainForm::TabSheet1Show() {
    EnableWindow(Button5, FALSE);
    SetWindowTextW(Button6, L"&Finish");
}

void TMainForm::TabSheet2Show() {
    SetWindowTextW(Button6, L"&Finish");
    EnableWindow(Button5, TRUE);
    EnableWindow(Button4, TRUE);
}

void TMainForm::TabSheet3Show() {
    SetWindowTextW(Button8, L"&Start Processing");
    EnableWindow(Button8, TRUE);
    EnableWindow(Button4, FALSE);
    SetWindowTextW(Button6, L"&Cancel");
    // The page is shown all the same when the folder cannot be made.
    try {
        win::CreateFolderIfMissing(model_.Folders.BackupRootDir);
    } catch (const win::AppError& error) {
        win::ShowError(Handle(), error);
    }
}

void TMainForm::Button4Click() {
    if (page_ == 1) {
        ShowPage(2);
        TurnMode();
        return;
    }
    if (page_ != 2)
        return;
    // Hidden categories are stepped over without refilling the list.
    for (;;) {
        if (model_.CurrentCategory >= static_cast<int>(model_.CategoryNames.size()) - 1) {
            ShowPage(3);
            return;
        }
        const CategoryButton* next = ButtonOf(model_.CurrentCategory + 1);
        if (next && ButtonVisible(*next)) {
            ToolButtonClick(*next);
            return;
        }
        ++model_.CurrentCategory;
    }
}

void TMainForm::Button5Click() {
    if (page_ == 3) {
        ShowPage(2);
        return;
    }
    if (page_ != 2)
        return;
    for (;;) {
        if (model_.CurrentCategory <= 0) {
            ShowPage(1);
            return;
        }
        const CategoryButton* previous = ButtonOf(model_.CurrentCategory - 1);
        if (previous && ButtonVisible(*previous)) {
            ToolButtonClick(*previous);
            return;
        }
        --model_.CurrentCategory;
    }
}

void TMainForm::Button6Click() {
    if (page_ == 3) {
        if (MayDropAssignments(Handle(), *model_.Entries))
            win::Application::Terminate();
        return;
    }
    ShowPage(3);
    EnableWindow(Button5, TRUE);
}

// The menu unfolds upwards from the button's top left corner.
POINT TMainForm::MenuOrigin() const {
    int visible = GetMenuItemCount(PopupMenu1());
    RECT button;
    GetWindowRect(Button11, &button);
    POINT p = {button.left, button.top};
    ScreenToClient(Handle(), &p);
    p.y -= win::Scale(kMenuEntryHeight, dpi_) * visible;
    ClientToScreen(Handle(), &p);
    return p;
}

void TMainForm::Button11Click() {
    RefreshUndoEntry();
    POINT p = MenuOrigin();
    TrackPopupMenu(PopupMenu1(), TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, Handle(), nullptr);
}

void TMainForm::RadioButton1Click() {
    ProfessionalMode = false;
    TurnMode();
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue, 0);
}

void TMainForm::RadioButton2Click() {
    ProfessionalMode = true;
    TurnMode();
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue, 1);
}

void TMainForm::TurnMode() {
    ApplyVisibility();
    if (ProfessionalMode)
        ApplyListWidthRule();
    LayoutSplitPanel();
}

void TMainForm::ApplyListWidthRule() {
    RECT panel = PanelRect();
    int panelWidth = panel.right - panel.left;
    if (product::RegValueExists(HKEY_CURRENT_USER, product::kSettingsKey,
                                product::kSplitPosValue)) {
        listWidth_ = static_cast<int>(product::RegReadDword(
            HKEY_CURRENT_USER, product::kSettingsKey, product::kSplitPosValue));
        if (panelWidth < listWidth_)
            listWidth_ = panelWidth - win::Scale(kTreeWidth, dpi_);
    } else {
        listWidth_ = panelWidth - win::Scale(kSplitterWidth + kTreeWidth, dpi_);
    }
    if (listWidth_ < win::Scale(kMinListWidth, dpi_))
        listWidth_ = win::Scale(kMinListWidth, dpi_);
    LayoutSplitPanel();
}

void TMainForm::SetListWidth(int width) {
    RECT panel = PanelRect();
    int widest = panel.right - panel.left - win::Scale(kSplitterWidth, dpi_) - 1;
    listWidth_ = std::max(1, std::min(width, widest));
    LayoutSplitPanel();
}

void TMainForm::Splitter1Moved() {
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSplitPosValue,
                           static_cast<DWORD>(ListWidth()));
}

int TMainForm::ListWidth() const {
    RECT r;
    GetWindowRect(ListView1, &r);
    return r.right - r.left;
}

int TMainForm::TreeWidth() const {
    RECT r;
    GetWindowRect(TreeView1, &r);
    return r.right - r.left;
}

} // namespace startmenu
