// The wizard's pages and the bottom bar's way between them.
#include <windows.h>

#include "startmenu/window/CloseQuestion.h"
#include "startmenu/window/UMainForm.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/UserPrompt.h"

namespace startmenu {

void TMainForm::FormShow() {
    ShowPage(1);
    EnableWindow(Button4, TRUE);
    EnableWindow(Button5, FALSE);
    ShowWindow(Button6, SW_SHOWNA);
    page2_->ApplyListWidthRule();
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
        frame_->Focus(page2_->ListView1);
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
    page3_->RearmStartProcessing();
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
        page1_->TurnMode();
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
        const CategoriesPage::CategoryButton* next = page2_->ButtonOf(model_.CurrentCategory + 1);
        if (next && page2_->ButtonVisible(*next)) {
            page2_->ToolButtonClick(*next);
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
        const CategoriesPage::CategoryButton* previous =
            page2_->ButtonOf(model_.CurrentCategory - 1);
        if (previous && page2_->ButtonVisible(*previous)) {
            page2_->ToolButtonClick(*previous);
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

} // namespace startmenu
