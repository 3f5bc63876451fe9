#pragma once
// A main window on a Start Menu of real shortcuts and folders in the test prefix, with
// helpers that click, select and read its controls as a user's mouse would.
#include <gtest/gtest.h>

#include <memory>

#include "Fixtures.h"
#include "startmenu/window/UMainForm.h"
#include "win/Com.h"

namespace testing_support {

class MainWindowTest : public ::testing::Test {
protected:
    CleanSettings clean;
    TempFolder place{L"window"};
    TestFolderSource source;
    ScriptedPrompt prompt;
    win::ScopedPrompt usePrompt{prompt};
    win::ComInit com;
    std::unique_ptr<startmenu::TMainForm> form;

    void SetUp() override;
    // Common: Writer, Spreadsheet, Chess, Suite\{Tool, Help, desktop.ini}, Games\Pinball,
    // Shared\X. User: Mail, Shared\{X, Y}, Games.lnk.
    void MakeStartMenu();
    void Open(); // creates and shows the window

    std::wstring Common(const std::wstring& name) const {
        return source.commonPrograms + L"\\" + name;
    }
    std::wstring User(const std::wstring& name) const { return source.userPrograms + L"\\" + name; }
    void Shortcut(const std::wstring& path);

    // Program list.
    int ListIndex(const std::wstring& caption) const; // -1 when not listed
    std::vector<std::wstring> ListCaptions() const;
    void ClickListCheckBox(int item);
    void ClickListCaption(int item);
    void SelectListItem(int item);
    startmenu::TStartMenu& EntryOf(const std::wstring& caption);

    // Category tree.
    startmenu::CheckTree::Node TreeNode(const std::wstring& text) const; // 0 when not shown
    std::vector<std::wstring> TreeTexts() const;                         // depth first
    void ClickTreeCheckBox(startmenu::CheckTree::Node node);

    const startmenu::CategoriesPage::CategoryButton& Button(int category) const {
        return *form->Page2().ButtonOf(category);
    }
    void ClickCategory(int category) { form->Page2().ToolButtonClick(Button(category)); }
    bool Greyed(int category) const;

    // Whether the check box drawn on screen in the row of a list item or tree node shows a
    // green tick: what the user sees, not what the control stores.
    bool ListShowsTick(int item) const;
    bool TreeShowsTick(startmenu::CheckTree::Node node) const;
    std::wstring ButtonCaption(int category) const;
};

} // namespace testing_support
