// "Suggest Categories" on the categorisation page, driven as a user does it on a Start Menu
// of real shortcuts named as real programs name them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "FakeRestoreClient.h"
#include "MainWindowFixture.h"
#include "product/Settings.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Handles.h"

using namespace testing_support;
using namespace startmenu;
using DragSource = CategoriesPage::DragSource;

namespace {

constexpr int kOffice = 0, kUtilities = 1, kGames = 2, kEntertainment = 3, kInternet = 4,
              kProgramming = 5, kGraphics = 6;

class Suggestions : public MainWindowTest {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    restorepoint::RestorePointSystem system{&FakeSetRestorePoint, false, true};
    restorepoint::ScopedRestorePointSystem useSystem{system};

    void SetUp() override {
        MainWindowTest::SetUp();
        client.answers = {{TRUE, 0, 4711}};
    }
    void ClickSuggest() {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdButton13, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Page2().Button13));
    }
    std::wstring Status() const { return WindowText(form->Page2().Label12); }
    std::wstring Learned() const {
        wchar_t text[4096] = {};
        DWORD size = sizeof text;
        RegGetValueW(HKEY_CURRENT_USER, product::kSettingsKey, L"LearnedCategories", RRF_RT_REG_SZ,
                     nullptr, text, &size);
        return text;
    }
    // Runs the GUI thread's messages until what the shortcuts' targets tell has arrived.
    void LetTargetsArrive() {
        while (!form->Page2().TargetsIdle()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
    }
    // A program that says what it is in its version resource only.
    std::wstring ProgramWithVersionResource(const std::wstring& name) {
        std::wstring copy = place / (L"bin\\" + name);
        EXPECT_TRUE(CopyFileW(BesideTests(L"versioned_program.exe").c_str(), copy.c_str(), FALSE));
        return copy;
    }
};

} // namespace

TEST_F(Suggestions, OneClickSortsRealNamesKeepsTheUsersChoicesLearnsAndUndoes) {
    Shortcut(Common(L"Mozilla Firefox.lnk"));
    Shortcut(User(L"Mozilla Firefox.lnk"));
    Shortcut(Common(L"VLC media player.lnk"));
    MakeDir(Common(L"Steam"));
    Shortcut(Common(L"Steam\\Steam.lnk"));
    Shortcut(Common(L"Steam\\Uninstall Steam.lnk"));
    MakeDir(Common(L"GIMP 2"));
    Shortcut(Common(L"GIMP 2\\GIMP 2.10.34.lnk"));
    MakeDir(Common(L"Games")); // a category folder
    Shortcut(Common(L"Games\\Pinball.lnk"));
    MakeDir(Common(L"Accessories"));
    Shortcut(Common(L"Accessories\\Notepad.lnk"));
    // Windows' own folder and item, known by the names the shell shows for them.
    MakeDir(Common(L"Spiele"));
    Shortcut(Common(L"Spiele\\Solitaire.lnk"));
    MakeFile(Common(L"Spiele\\desktop.ini"),
             "[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,"
             "-21787\r\n");
    Shortcut(Common(L"Media Center.lnk"));
    MakeFile(Common(L"desktop.ini"),
             "[LocalizedFileNames]\r\nMedia Center.lnk=@%SystemRoot%\\ehome\\ehres.dll,-100\r\n");
    Shortcut(Common(L"Uninstall Qwertz.lnk"));
    Shortcut(Common(L"Word.lnk"));
    Shortcut(User(L"Discord.lnk"));
    std::vector<std::wstring> commonBefore = ListNames(source.commonPrograms);
    std::vector<std::wstring> userBefore = ListNames(source.userPrograms);

    Open();
    form->Button4Click();
    EXPECT_EQ(WindowText(form->Page2().Button13), L"S&uggest Categories");
    EXPECT_TRUE(IsWindowVisible(form->Page2().Button13)) << "offered in simple mode";
    // The user has already put Word somewhere of their own.
    SelectListItem(ListIndex(L"Word"));
    form->Page2().ButtonDragDrop(Button(kUtilities), DragSource::List);

    ClickSuggest();
    EXPECT_EQ(WindowText(form->Page2().Button13), L"&Undo Suggestions");
    EXPECT_EQ(Status(), L"Suggested a category for 5 items; 4 left.");
    EXPECT_EQ(EntryOf(L"Mozilla Firefox").Category, kInternet);
    EXPECT_EQ(EntryOf(L"VLC media player").Category, kEntertainment);
    EXPECT_EQ(EntryOf(L"Steam").Category, kGames);
    EXPECT_EQ(EntryOf(L"GIMP 2").Category, kGraphics);
    EXPECT_EQ(EntryOf(L"Discord").Category, kInternet);
    EXPECT_EQ(EntryOf(L"Word").Category, kUtilities) << "the user's choice is kept";
    for (const wchar_t* left :
         {L"Accessories", L"Spiele", L"Media Center", L"Uninstall Qwertz", L"Games"})
        EXPECT_EQ(EntryOf(left).Category, CategoryNone) << left;
    // The page shows the suggestions as ordinary ticks; nothing moved on disk.
    std::vector<std::wstring> office = ListCaptions();
    std::sort(office.begin(), office.end());
    EXPECT_EQ(office, (std::vector<std::wstring>{L"Accessories", L"Media Center", L"Spiele",
                                                 L"Uninstall Qwertz"}));
    ClickCategory(kInternet);
    ASSERT_GE(ListIndex(L"Discord"), 0);
    EXPECT_EQ(form->Page2().ListState(ListIndex(L"Discord")), StatusChecked);
    EXPECT_EQ(ListNames(source.commonPrograms), commonBefore);
    EXPECT_EQ(ListNames(source.userPrograms), userBefore);

    // The user disagrees twice: Discord is no Internet program to them, VLC is Programming.
    ClickListCheckBox(ListIndex(L"Discord"));
    ClickCategory(kEntertainment);
    SelectListItem(ListIndex(L"VLC media player"));
    form->Page2().ButtonDragDrop(Button(kProgramming), DragSource::List);
    EXPECT_NE(Learned().find(L"-1\tdiscord\n"), std::wstring::npos) << Learned();
    EXPECT_NE(Learned().find(L"5\tvlc media player\n"), std::wstring::npos) << Learned();

    // Undo puts back what the click did and the user left alone.
    ClickSuggest();
    EXPECT_EQ(WindowText(form->Page2().Button13), L"S&uggest Categories");
    EXPECT_EQ(Status(), L"Undone: 3 items have no category again.");
    EXPECT_EQ(EntryOf(L"Mozilla Firefox").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Steam").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"GIMP 2").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"VLC media player").Category, kProgramming);
    EXPECT_EQ(EntryOf(L"Discord").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Word").Category, kUtilities);

    // The lessons are used: VLC, no longer categorised, goes where the user put it before,
    // and Discord gets nothing.
    ClickCategory(kProgramming);
    ClickListCheckBox(ListIndex(L"VLC media player"));
    ClickSuggest();
    EXPECT_EQ(Status(), L"Suggested a category for 4 items; 5 left.");
    EXPECT_EQ(EntryOf(L"VLC media player").Category, kProgramming);
    EXPECT_EQ(EntryOf(L"Discord").Category, CategoryNone);

    // Start Processing carries the suggestions out, in both Programs folders.
    form->Button6Click();
    form->Page3().Button8Click();
    EXPECT_TRUE(Exists(Common(L"Internet\\Mozilla Firefox.lnk")));
    EXPECT_TRUE(Exists(User(L"Internet\\Mozilla Firefox.lnk")));
    EXPECT_TRUE(Exists(Common(L"Games\\Steam\\Steam.lnk")));
    EXPECT_TRUE(Exists(Common(L"Games\\Pinball.lnk")));
    EXPECT_TRUE(Exists(Common(L"Graphics\\GIMP 2")));
    EXPECT_TRUE(Exists(Common(L"Programming\\VLC media player.lnk")));
    EXPECT_TRUE(Exists(Common(L"Utilities\\Word.lnk")));
    EXPECT_TRUE(Exists(User(L"Discord.lnk")));
    EXPECT_TRUE(Exists(Common(L"Accessories")));
    EXPECT_TRUE(Exists(Common(L"Spiele")));
    EXPECT_TRUE(Exists(Common(L"Media Center.lnk")));
    EXPECT_TRUE(Exists(Common(L"Uninstall Qwertz.lnk")));
    // After the rescan the button offers suggestions again.
    EXPECT_EQ(WindowText(form->Page2().Button13), L"S&uggest Categories");
}

TEST_F(Suggestions, TwoThousandNamesWithinASecondAndVersionResourcesInTheBackground) {
    const wchar_t* names[] = {
        L"Mozilla Firefox", L"VLC media player", L"Steam",    L"GIMP",
        L"Notepad++",       L"KeePass",          L"Audacity", L"7-Zip File Manager",
        L"Qwertz Helper",   L"Uninstall Zylofon"};
    for (int i = 0; i < 1797; ++i)
        MakeFile(Common(std::wstring(names[i % 10]) + L" " + std::to_wstring(i) + L".lnk"));
    // Vendor folders whose names say nothing: what is inside them is read during the click.
    for (int i = 0; i < 200; ++i) {
        std::wstring folder = Common(L"Qwertz Vendor " + std::to_wstring(i));
        MakeDir(folder);
        MakeFile(folder + L"\\Zuma Deluxe.lnk");
        MakeFile(folder + L"\\Uninstall.lnk");
    }
    // A shortcut whose name says nothing, to a program whose version resource does.
    MakeShortcut(Common(L"Qwertz.lnk"), ProgramWithVersionResource(L"qwertz.exe"));
    // A vendor folder the same: its program says what it is, its uninstaller nothing.
    MakeDir(Common(L"Zylofon Soft"));
    MakeShortcut(Common(L"Zylofon Soft\\Zylofon.lnk"), ProgramWithVersionResource(L"zylofon.exe"));
    MakeFile(Common(L"Zylofon Soft\\Uninstall.lnk"));
    // One the user has taught to leave alone: what its target says does not count.
    MakeShortcut(Common(L"Zylofon Tool.lnk"), ProgramWithVersionResource(L"tool.exe"));
    const std::wstring lesson = L"-1\tzylofon tool\n";
    RegSetKeyValueW(HKEY_CURRENT_USER, product::kSettingsKey, L"LearnedCategories", REG_SZ,
                    lesson.c_str(), static_cast<DWORD>((lesson.size() + 1) * sizeof(wchar_t)));
    Open();
    form->Button4Click();
    ASSERT_EQ(form->Model().Entries->Count(), 2000u);

    auto start = std::chrono::steady_clock::now();
    ClickSuggest();
    auto named = std::chrono::steady_clock::now();
    // The click has returned before what the targets tell is in: the window goes on
    // answering meanwhile.
    EXPECT_FALSE(form->Page2().TargetsIdle());
    EXPECT_EQ(EntryOf(L"Qwertz").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Zylofon Soft").Category, CategoryNone);
    EXPECT_EQ(Status(), L"Suggested a category for 1639 items; 361 left.");
    EXPECT_EQ(EntryOf(L"Qwertz Vendor 7").Category, kGames);
    LetTargetsArrive();
    auto arrived = std::chrono::steady_clock::now();
    using ms = std::chrono::milliseconds;
    long long namesTime = std::chrono::duration_cast<ms>(named - start).count();
    std::printf(
        "2000 entries: names suggested in %lld ms, the targets' evidence in after %lld ms\n",
        namesTime, static_cast<long long>(std::chrono::duration_cast<ms>(arrived - start).count()));
    EXPECT_LT(namesTime, 1000);
    EXPECT_EQ(EntryOf(L"Qwertz").Category, kGames);
    EXPECT_EQ(EntryOf(L"Zylofon Soft").Category, kGames);
    EXPECT_EQ(EntryOf(L"Zylofon Tool").Category, CategoryNone);
    EXPECT_EQ(Status(), L"Suggested a category for 1641 items; 359 left.");
    // Undo takes back the background's suggestion too.
    ClickSuggest();
    EXPECT_EQ(EntryOf(L"Qwertz").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Zylofon Soft").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Steam 2").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Qwertz Vendor 7").Category, CategoryNone);
}

// At the start after a sorting: two programs installed since, one sorted program's shortcut
// re-created at the top by an update under its name, another's under a new name. "Sort New
// Items" gives exactly those their categories, processing leaves one shortcut of each, and
// the undo brings the old twins back.
TEST_F(Suggestions, SortNewItemsSortsWhatCameSinceTheLastSortingAndReplacesTwins) {
    Shortcut(Common(L"Mozilla Firefox.lnk"));
    Shortcut(Common(L"Zylofon Editor.lnk"));
    Shortcut(Common(L"Audacity.lnk")); // the user leaves it at the top
    Open();
    EXPECT_EQ(WindowText(form->Page2().NewItems1.Line()),
              L"New items are counted here once the Start Menu has been sorted.");
    EXPECT_FALSE(IsWindowEnabled(form->Page2().NewItems1.Button()));
    form->Button4Click();
    for (auto [item, category] :
         {std::pair{L"Mozilla Firefox", kInternet}, {L"Zylofon Editor", kOffice}}) {
        SelectListItem(ListIndex(item));
        form->Page2().ButtonDragDrop(Button(category), DragSource::List);
    }
    form->Button6Click();
    form->Page3().Button8Click();
    MakeShortcut(Common(L"Mozilla Firefox.lnk"), place / L"bin\\Mozilla Firefox.exe");
    MakeShortcut(Common(L"Zylofon Editor 2024.lnk"), place / L"bin\\Zylofon Editor.exe");
    Shortcut(Common(L"VLC media player.lnk"));
    Shortcut(Common(L"Qwertz Helper.lnk"));
    std::vector<std::wstring> installed = ListNames(source.commonPrograms);

    form.reset();
    Open();
    form->Button4Click();
    EXPECT_EQ(WindowText(form->Page2().NewItems1.Line()),
              L"4 items are new since the last sorting; 2 of them are "
              L"re-created duplicates.");
    auto clickSortNew = [&] {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(NewItemsBar::kButtonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Page2().NewItems1.Button()));
    };
    clickSortNew();
    EXPECT_EQ(Status(), L"Gave a category to 3 new items; 1 left.");
    EXPECT_EQ(EntryOf(L"Mozilla Firefox").Category, kInternet);
    EXPECT_EQ(EntryOf(L"Zylofon Editor 2024").Category, kOffice) << "its twin's";
    EXPECT_EQ(EntryOf(L"VLC media player").Category, kEntertainment);
    EXPECT_EQ(EntryOf(L"Qwertz Helper").Category, CategoryNone);
    EXPECT_EQ(EntryOf(L"Audacity").Category, CategoryNone) << "not new";
    EXPECT_EQ(ListNames(source.commonPrograms), installed);
    ClickSuggest();
    EXPECT_EQ(Status(), L"Undone: 3 items have no category again.");
    EXPECT_EQ(EntryOf(L"Zylofon Editor 2024").Category, CategoryNone);

    clickSortNew();
    form->Button6Click();
    form->Page3().Button8Click();
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(ListNames(Common(L"Internet")), Names{L"Mozilla Firefox.lnk"});
    EXPECT_EQ(ListNames(Common(L"Office")), Names{L"Zylofon Editor 2024.lnk"});
    EXPECT_EQ(ListNames(Common(L"Entertainment")), Names{L"VLC media player.lnk"});
    EXPECT_EQ(
        ListNames(source.commonPrograms),
        (Names{L"Audacity.lnk", L"Entertainment", L"Internet", L"Office", L"Qwertz Helper.lnk"}));
    prompt.answers = {IDYES};
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdUndoMenu, 0), 0);
    EXPECT_EQ(ListNames(Common(L"Office")), Names{L"Zylofon Editor.lnk"});
    EXPECT_EQ(ListNames(Common(L"Internet")), Names{L"Mozilla Firefox.lnk"});
    EXPECT_EQ(ListNames(source.commonPrograms), installed);
    EXPECT_EQ(WindowText(form->Page2().NewItems1.Line()),
              L"No item is new since the last sorting.");
}
