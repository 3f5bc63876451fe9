// Start Processing driven through the main window, on real Programs folders.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "FakeRestoreClient.h"
#include "MainWindowFixture.h"
#include "backup/SRRestorePtAPI.h"
#include "startmenu/MainFormIds.h"

using namespace testing_support;
using namespace startmenu;
using DragSource = TMainForm::DragSource;

namespace {

constexpr int kOffice = 0, kGames = 2, kInternet = 4;

class StartProcessing : public MainWindowTest {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    backup::RestorePointSystem system{&FakeSetRestorePoint, false, true};
    backup::ScopedRestorePointSystem useSystem{system};

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
        form->ButtonDragDrop(Button(kGames), DragSource::List);
        SelectListItem(ListIndex(L"Mail"));
        form->ButtonDragDrop(Button(kInternet), DragSource::List);
        form->Button6Click();
    }
    // A click on the button, through the window's own message handling.
    void ClickStartProcessing() {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdButton8, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Button8));
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

    EXPECT_EQ(WindowText(form->Button8), L"Programs have been successfully categorized!");
    EXPECT_FALSE(IsWindowEnabled(form->Button8));
    EXPECT_EQ(form->ActivePage(), 3);
    // The rescan: the category folders are entries now, hidden from the list.
    EXPECT_EQ(form->CurrentCategory, kOffice);
    EXPECT_EQ(ListIndex(L"Writer"), -1);
    EXPECT_EQ(ListIndex(L"Office"), -1);
    bool officeEntry = false;
    for (EntryNode* n = form->Entries->First(); n; n = n->NextSibling())
        officeEntry = officeEntry || n->Name() == L"Office";
    EXPECT_TRUE(officeEntry);

    // Showing the last page again arms the button for another run.
    form->Button5Click();
    form->Button6Click();
    EXPECT_EQ(WindowText(form->Button8), L"&Start Processing");
    EXPECT_TRUE(IsWindowEnabled(form->Button8));
}

TEST_F(StartProcessing, NothingCategorisedStillReportsSuccess) {
    form->Button6Click();
    ClickStartProcessing();
    EXPECT_EQ(WindowText(form->Button8), L"Programs have been successfully categorized!");
    EXPECT_TRUE(Exists(Common(L"Writer.lnk")));
}

TEST_F(StartProcessing, DecliningToGoOnWithoutARestorePointChangesNothing) {
    client.answers = {{FALSE, 1058, 0}};
    prompt.answers = {IDCANCEL};
    Categorise();
    EntryHandle before = form->Entries->First()->Handle();
    ClickStartProcessing();

    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].caption, L"Error");
    EXPECT_NE(prompt.shown[0].text.find(L"\"1058\""), std::wstring::npos);
    EXPECT_EQ(client.calls.size(), 1u) << "no closing call";
    EXPECT_TRUE(Exists(Common(L"Writer.lnk")));
    EXPECT_FALSE(Exists(Common(L"Office")));
    EXPECT_NE(form->Entries->Find(before), nullptr) << "no rescan";
    EXPECT_EQ(WindowText(form->Button8), L"&Start Processing");
    EXPECT_TRUE(IsWindowEnabled(form->Button8));
}

TEST_F(StartProcessing, GoingOnWithoutARestorePointProcessesEverything) {
    client.answers = {{FALSE, 1058, 0}};
    prompt.answers = {IDOK};
    Categorise();
    ClickStartProcessing();
    EXPECT_EQ(client.calls.size(), 1u) << "nothing to close";
    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk")));
    EXPECT_EQ(WindowText(form->Button8), L"Programs have been successfully categorized!");
}

TEST_F(StartProcessing, ACategoryFolderThatCannotBeMadeStopsWithTheSystemsError) {
    MakeFile(Common(L"Office"), "in the way");
    Categorise();
    EntryHandle before = form->Entries->First()->Handle();
    ClickStartProcessing();

    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(Exists(Common(L"Writer.lnk"))) << "nothing is lost";
    EXPECT_EQ(client.calls.size(), 2u) << "the restore point is closed";
    EXPECT_NE(form->Entries->Find(before), nullptr) << "no rescan";
    EXPECT_EQ(WindowText(form->Button8), L"&Start Processing");
    EXPECT_TRUE(IsWindowEnabled(form->Button8));
}

TEST_F(StartProcessing, OlderSystemsAreNotAskedForARestorePoint) {
    backup::RestorePointSystem windows2000{&FakeSetRestorePoint, false, false};
    backup::ScopedRestorePointSystem older{windows2000};
    Categorise();
    ClickStartProcessing();
    EXPECT_TRUE(client.calls.empty());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk")));
}
