// Start Processing driven through the main window, on real Programs folders.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "FakeRestoreClient.h"
#include "MainWindowFixture.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;
using DragSource = CategoriesPage::DragSource;

namespace {

constexpr int kOffice = 0, kGames = 2, kInternet = 4;

class StartProcessing : public MainWindowTest {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    restorepoint::RestorePointSystem system{&FakeSetRestorePoint, false, true};
    restorepoint::ScopedRestorePointSystem useSystem{system};

    void SetUp() override {
        MainWindowTest::SetUp();
        MakeStartMenu();
        client.answers = {{TRUE, 0, 4711}};
        Open();
        form->Button4Click();
    }
    // Writer ticked in Office, Chess dropped on Games, Mail (the user's own) on Internet.
    void Categorise() {
        ClickListCheckBox(ListIndex(L"Writer"));
        SelectListItem(ListIndex(L"Chess"));
        form->Page2().ButtonDragDrop(Button(kGames), DragSource::List);
        SelectListItem(ListIndex(L"Mail"));
        form->Page2().ButtonDragDrop(Button(kInternet), DragSource::List);
        form->Button6Click();
    }
    // A click on the button, through the window's own message handling.
    void ClickStartProcessing() {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdButton8, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Page3().Button8));
    }
};

} // namespace

TEST_F(StartProcessing, MovesEveryAssignedItemUnderARestorePointAndRescans) {
    Categorise();
    ClickStartProcessing();

    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk")));
    EXPECT_TRUE(Exists(Common(L"Games\\Chess.lnk")));
    EXPECT_TRUE(Exists(Common(L"Games\\Pinball.lnk"))) << "the category folder is reused";
    EXPECT_TRUE(Exists(User(L"Internet\\Mail.lnk")));
    EXPECT_FALSE(Exists(Common(L"Internet"))) << "only the folder the item lies in gets one";
    EXPECT_FALSE(Exists(Common(L"Writer.lnk")));
    EXPECT_TRUE(Exists(Common(L"Spreadsheet.lnk")));
    EXPECT_TRUE(prompt.shown.empty());

    ASSERT_EQ(client.calls.size(), 2u);
    EXPECT_EQ(client.calls[0].Record().dwEventType, 100u);
    EXPECT_EQ(client.calls[1].Record().dwEventType, 101u);
    EXPECT_EQ(client.calls[1].Record().llSequenceNumber, 4711);
    EXPECT_STREQ(client.calls[0].Record().szDescription, "Marlowen RESTORE POINT");

    EXPECT_EQ(WindowText(form->Page3().Button8), L"Programs have been successfully categorized!");
    EXPECT_FALSE(IsWindowEnabled(form->Page3().Button8));
    EXPECT_EQ(form->ActivePage(), 3);
    // The rescan: the category folders are entries now, hidden from the list.
    EXPECT_EQ(form->Model().CurrentCategory, kOffice);
    EXPECT_EQ(ListIndex(L"Writer"), -1);
    EXPECT_EQ(ListIndex(L"Office"), -1);
    bool officeEntry = false;
    for (EntryNode* n = form->Model().Entries->First(); n; n = n->NextSibling())
        officeEntry = officeEntry || n->Name() == L"Office";
    EXPECT_TRUE(officeEntry);

    // Showing the last page again arms the button for another run.
    form->Button5Click();
    form->Button6Click();
    EXPECT_EQ(WindowText(form->Page3().Button8), L"&Start Processing");
    EXPECT_TRUE(IsWindowEnabled(form->Page3().Button8));
}

TEST_F(StartProcessing, NothingCategorisedStillReportsSuccess) {
    form->Button6Click();
    ClickStartProcessing();
    EXPECT_EQ(WindowText(form->Page3().Button8), L"Programs have been successfully categorized!");
    EXPECT_TRUE(Exists(Common(L"Writer.lnk")));
}

TEST_F(StartProcessing, DecliningToGoOnWithoutARestorePointChangesNothing) {
    client.answers = {{FALSE, 1058, 0}};
    prompt.answers = {IDCANCEL};
    Categorise();
    EntryHandle before = form->Model().Entries->First()->Handle();
    ClickStartProcessing();

    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].caption, L"Error");
    EXPECT_NE(prompt.shown[0].text.find(L"\"1058\""), std::wstring::npos);
    EXPECT_EQ(client.calls.size(), 1u) << "no closing call";
    EXPECT_EQ(form->Page3().LastProcessing(), ProcessingPage::ProcessingResult::Abandoned);
    EXPECT_TRUE(Exists(Common(L"Writer.lnk")));
    EXPECT_FALSE(Exists(Common(L"Office")));
    EXPECT_NE(form->Model().Entries->Find(before), nullptr) << "no rescan";
    EXPECT_EQ(WindowText(form->Page3().Button8), L"&Start Processing");
    EXPECT_TRUE(IsWindowEnabled(form->Page3().Button8));
}

TEST_F(StartProcessing, GoingOnWithoutARestorePointProcessesEverything) {
    client.answers = {{FALSE, 1058, 0}};
    prompt.answers = {IDOK};
    Categorise();
    ClickStartProcessing();
    EXPECT_EQ(client.calls.size(), 1u) << "nothing to close";
    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk")));
    EXPECT_EQ(WindowText(form->Page3().Button8), L"Programs have been successfully categorized!");
}

// Under Wine's refusing restore service a run shows two messages: the question and the
// report. Whatever reaches the window meanwhile leaves the run alone.
TEST_F(StartProcessing, FailedItemsAreReportedAndTheWindowClosesOnlyAfterTheRun) {
    client.answers = {{FALSE, 1058, 0}};
    MakeFile(Common(L"Office"), "in the way");
    Categorise();
    EntryHandle before = form->Model().Entries->First()->Handle();
    HWND window = form->Handle();
    prompt.whileShown = [&] {
        SendMessageW(window, WM_CLOSE, 0, 0);
        ClickStartProcessing();
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IdFirstCategoryButton + kGames, BN_CLICKED), 0);
        ASSERT_TRUE(IsWindow(window));
    };
    ClickStartProcessing();

    ASSERT_EQ(prompt.shown.size(), 2u) << "one question, one report, nothing from a second run";
    EXPECT_EQ(prompt.shown[0].caption, L"Error");
    const std::wstring& report = prompt.shown[1].text;
    EXPECT_EQ(prompt.shown[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_NE(report.find(Common(L"Writer.lnk")), std::wstring::npos) << win::Utf8FromWide(report);
    EXPECT_NE(report.find(L"The file \"Office\" in " + source.commonPrograms), std::wstring::npos);
    EXPECT_TRUE(Exists(Common(L"Writer.lnk"))) << "nothing is lost";
    EXPECT_TRUE(Exists(Common(L"Games\\Chess.lnk"))) << "items after the failing one move";
    EXPECT_TRUE(Exists(User(L"Internet\\Mail.lnk")));
    EXPECT_EQ(form->Model().Entries->Find(before), nullptr) << "the list shows what is on disk";
    EXPECT_EQ(form->Model().CurrentCategory, kOffice);
    EXPECT_EQ(WindowText(form->Page3().Button8), L"2 of 3 items categorized, 1 not moved");
    EXPECT_EQ(form->Page3().LastProcessing(), ProcessingPage::ProcessingResult::Incomplete);
    EXPECT_FALSE(IsWindowEnabled(form->Page3().Button8));
    EXPECT_TRUE(IsWindowEnabled(window));

    // The close asked for during the run comes now.
    MSG msg;
    while (IsWindow(window) && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(StartProcessing, ProfessionalModeKeepsEveryItemOfOneName) {
    Shortcut(Common(L"Tool.lnk"));
    Shortcut(Common(L"Help.lnk"));
    form->FormCreate();
    form->Page1().RadioButton2Click();
    ClickListCheckBox(ListIndex(L"Tool"));
    SelectListItem(ListIndex(L"Suite"));
    ClickTreeCheckBox(TreeNode(L"Tool.lnk"));
    form->Page2().Tree->Select(TreeNode(L"Help.lnk"));
    form->Page2().Movetoroot1Click();
    form->Button6Click();
    ClickStartProcessing();

    EXPECT_EQ(ListNames(Common(L"Office")),
              (std::vector<std::wstring>{L"Tool (2).lnk", L"Tool.lnk"}));
    EXPECT_TRUE(Exists(Common(L"Help.lnk")));
    EXPECT_TRUE(Exists(Common(L"Help (2).lnk")));
    EXPECT_EQ(ListNames(Common(L"Suite")), std::vector<std::wstring>{L"desktop.ini"});
    EXPECT_EQ(WindowText(form->Page3().Button8), L"Programs have been successfully categorized!");
    EXPECT_EQ(form->Page3().LastProcessing(), ProcessingPage::ProcessingResult::Complete);
    ASSERT_EQ(prompt.shown.size(), 1u) << "the renamed items are named";
    EXPECT_EQ(prompt.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_NE(prompt.shown[0].text.find(L"is now \"Help (2).lnk\" in " + source.commonPrograms),
              std::wstring::npos)
        << win::Utf8FromWide(prompt.shown[0].text);
}

TEST_F(StartProcessing, OlderSystemsAreNotAskedForARestorePoint) {
    restorepoint::RestorePointSystem windows2000{&FakeSetRestorePoint, false, false};
    restorepoint::ScopedRestorePointSystem older{windows2000};
    Categorise();
    ClickStartProcessing();
    EXPECT_TRUE(client.calls.empty());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk")));
}

// The built program under Wine, whose restore service refuses every request: the window is
// told to close while the restore-point question is up, and the run still sorts the ticked
// item before the program ends.
TEST(StartProcessingProgram, ClosingDuringTheQuestionWaitsForTheRunToEnd) {
    CleanSettings clean;
    FirstProgramsShortcut item(L"!!Closer.lnk");
    RunningProgram program(L"");
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    HWND question = TickFirstAndStartProcessing(program, window);
    ASSERT_TRUE(question);
    PostMessageW(window, WM_CLOSE, 0, 0);
    PostMessageW(GetDlgItem(window, IdButton8), BM_CLICK, 0, 0);
    PostMessageW(question, WM_COMMAND, IDOK, 0);

    EXPECT_EQ(program.WaitForExit(), 0u) << "the close comes after the run";
    EXPECT_TRUE(Exists(item.SortedPath()));
    EXPECT_FALSE(Exists(item.Path()));
}
