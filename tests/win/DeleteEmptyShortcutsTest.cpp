// The delete-empty-shortcuts wizard over real trees of shortcuts in the test prefix: opened
// from the main window, searching in its threads, stopped and closed in the middle of a
// search, and deleting under a restore point.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>

#include "FakeRestoreClient.h"
#include "MainWindowFixture.h"
#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Dpi.h"
#include "win/Modal.h"
#include "win/Text.h"

using namespace testing_support;
using cleanup::TDeleteEmptyShortcutsForm;

namespace {

enum Column { NameColumn, PathColumn, TargetColumn };

class DeleteEmptyShortcuts : public MainWindowTest {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    restorepoint::RestorePointSystem system{&FakeSetRestorePoint, false, true};
    restorepoint::ScopedRestorePointSystem useSystem{system};
    std::wstring quickLaunch;

    void SetUp() override {
        MainWindowTest::SetUp();
        source.commonStartup = Common(L"Startup");
        source.userStartup = User(L"Startup");
        source.desktop = place / L"Desktop";
        source.appData = place / L"AppData";
        quickLaunch = source.appData + L"\\Microsoft\\Internet Explorer\\Quick Launch";
        for (const std::wstring& folder :
             {source.commonStartup, source.userStartup, source.desktop, source.appData,
              source.appData + L"\\Microsoft", source.appData + L"\\Microsoft\\Internet Explorer",
              quickLaunch})
            MakeDir(folder);
        Open();
    }

    // A shortcut whose program was in bin and is gone.
    void Dead(const std::wstring& link) {
        MakeDeadShortcut(link, place / L"bin\\gone " + std::to_wstring(++made_) + L".exe");
    }
    std::unique_ptr<TDeleteEmptyShortcutsForm> NewWizard() {
        auto wizard = std::make_unique<TDeleteEmptyShortcutsForm>(form->Handle(), source);
        ShowWindow(wizard->Handle(), SW_SHOWNA);
        return wizard;
    }

    // Runs the GUI thread's messages one at a time until done says so; false when none has
    // come for half a minute.
    static bool RunUntil(const std::function<bool()>& done) {
        MSG msg;
        while (!done()) {
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            } else if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 30000, QS_ALLINPUT) ==
                       WAIT_TIMEOUT) {
                return false;
            }
        }
        return true;
    }
    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    static void Search(TDeleteEmptyShortcutsForm& wizard) {
        Click(wizard.Button1);
        ASSERT_TRUE(RunUntil([&] { return !wizard.Searching(); }));
    }
    static std::vector<std::wstring> Listed(const TDeleteEmptyShortcutsForm& wizard) {
        std::vector<std::wstring> paths;
        for (int i = 0; i < wizard.ListCount(); ++i)
            paths.push_back(wizard.ListRow(i).path);
        return paths;
    }
    static int At(const std::vector<std::wstring>& paths, const std::wstring& path) {
        auto found = std::find(paths.begin(), paths.end(), path);
        return found == paths.end() ? -1 : static_cast<int>(found - paths.begin());
    }
    static void ClickCheckBox(TDeleteEmptyShortcutsForm& wizard, int item) {
        ListView_EnsureVisible(wizard.ListView1, item, FALSE);
        RECT bounds;
        ListView_GetItemRect(wizard.ListView1, item, &bounds, LVIR_BOUNDS);
        for (LONG x = bounds.left; x < bounds.right; ++x) {
            LVHITTESTINFO hit = {};
            hit.pt = {x, (bounds.top + bounds.bottom) / 2};
            if (ListView_HitTest(wizard.ListView1, &hit) == item &&
                (hit.flags & LVHT_ONITEMSTATEICON)) {
                wizard.ListView1Click(hit.pt);
                return;
            }
        }
        ADD_FAILURE() << "no check box in row " << item;
    }
    // The wizard is at rest: what the user may press is there, and no thread is left.
    static void ExpectIdle(const TDeleteEmptyShortcutsForm& wizard,
                           const std::wstring& status = L"Done") {
        EXPECT_FALSE(wizard.Searching());
        EXPECT_FALSE(wizard.SearchThreadsRunning());
        EXPECT_EQ(wizard.StatusText(), status);
        EXPECT_EQ(WindowText(wizard.Button1), L"&Search");
        EXPECT_FALSE(IsWindowVisible(wizard.Animate1));
        for (HWND button : {wizard.Button2, wizard.Button3, wizard.Button5})
            EXPECT_TRUE(IsWindowEnabled(button));
    }

private:
    int made_ = 0;
};

} // namespace

TEST_F(DeleteEmptyShortcuts, BothButtonsOpenItCentredOverTheMainWindowWithThePlacesOfTheMoment) {
    Dead(Common(L"Old.lnk"));
    form->Wizards.deleteEmptyShortcuts = [this](startmenu::TMainForm& owner) {
        cleanup::RunDeleteEmptyShortcutsWizard(owner.Handle(), source);
    };
    int opened = 0;
    win::ScopedModalDriver driver([&](win::ModalWindow& window) {
        auto* wizard = dynamic_cast<TDeleteEmptyShortcutsForm*>(&window);
        ASSERT_TRUE(wizard);
        ++opened;
        EXPECT_FALSE(IsWindowEnabled(form->Handle())) << "the main window waits";
        EXPECT_EQ(WindowText(wizard->Handle()), L"Delete Empty Shortcuts Wizard");
        EXPECT_EQ(WindowText(wizard->Label1), L"Search for empty shortcuts:");
        EXPECT_EQ(WindowText(wizard->Label2), L"Found empty shortcuts:");
        EXPECT_EQ(WindowText(wizard->Label3),
                  L"Select the shortcuts that should be deleted and click \"Delete Selected\"");
        const std::pair<HWND, const wchar_t*> boxes[] = {{wizard->CheckBox1, L"S&tart menu"},
                                                         {wizard->CheckBox2, L"&Quick Launch Bar"},
                                                         {wizard->CheckBox3, L"&Desktop"}};
        for (const auto& [box, text] : boxes) {
            EXPECT_EQ(WindowText(box), text);
            EXPECT_EQ(Button_GetCheck(box), BST_CHECKED);
        }
        const std::pair<HWND, const wchar_t*> buttons[] = {{wizard->Button2, L"S&elect All"},
                                                           {wizard->Button3, L"C&lear All"},
                                                           {wizard->Button4, L"&Cancel"},
                                                           {wizard->Button5, L"Delete Selected"}};
        for (const auto& [button, text] : buttons)
            EXPECT_EQ(WindowText(button), text);
        ExpectIdle(*wizard, L""); // nothing searched yet
        wchar_t title[32] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = title;
        column.cchTextMax = 32;
        for (auto [index, text] : {std::pair{0, L"Name"}, {1, L"Path"}, {2, L"Target"}}) {
            ASSERT_TRUE(ListView_GetColumn(wizard->ListView1, index, &column));
            EXPECT_STREQ(title, text);
        }
        UINT dpi = win::DpiOf(wizard->Handle());
        EXPECT_EQ(ListView_GetColumnWidth(wizard->ListView1, 0), win::Scale(150, dpi));
        MINMAXINFO limits = {};
        SendMessageW(wizard->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, win::Scale(483, dpi));
        EXPECT_EQ(limits.ptMinTrackSize.y, win::Scale(498, dpi));
        RECT own, main;
        GetWindowRect(wizard->Handle(), &own);
        GetWindowRect(form->Handle(), &main);
        EXPECT_NEAR(own.left + own.right, main.left + main.right, 2);
        EXPECT_NEAR(own.top + own.bottom, main.top + main.bottom, 2);

        // Enter searches: the places are those of the moment the window was made.
        SendMessageW(wizard->Handle(), WM_COMMAND, IDOK, 0);
        if (opened == 2) {
            ExpectIdle(*wizard); // every ticked place absent: the search ends at once
            EXPECT_EQ(wizard->ListCount(), 0);
            return;
        }
        EXPECT_TRUE(wizard->Searching());
        EXPECT_EQ(WindowText(wizard->Button1), L"&Stop");
        EXPECT_TRUE(IsWindowVisible(wizard->Animate1));
        for (HWND button : {wizard->Button2, wizard->Button3, wizard->Button5})
            EXPECT_FALSE(IsWindowEnabled(button));
        EXPECT_TRUE(IsWindowEnabled(wizard->Button4)) << "Cancel stays usable";
        ASSERT_TRUE(RunUntil([&] { return !wizard->Searching(); }));
        ExpectIdle(*wizard);
        EXPECT_EQ(Listed(*wizard), std::vector<std::wstring>{Common(L"Old.lnk")});

        // With no place ticked, Search does nothing.
        for (HWND box : {wizard->CheckBox1, wizard->CheckBox2, wizard->CheckBox3})
            Click(box);
        Click(wizard->Button1);
        EXPECT_FALSE(wizard->Searching());
        EXPECT_EQ(wizard->ListCount(), 1) << "the list stays as it was";
        // Esc closes it.
        SendMessageW(wizard->Handle(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(wizard->ModalEnded());
    });
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(startmenu::IdBitBtn5, BN_CLICKED), 0);
    source.commonPrograms = source.userPrograms = source.desktop = source.appData = L"";
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(startmenu::IdBitBtn7, BN_CLICKED), 0);
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(DeleteEmptyShortcuts, SearchListsTheDeadShortcutsOfEveryPlaceDeepestFirst) {
    // The all-users Programs folder: nested folders, and what must not be listed or entered.
    MakeDir(Common(L"Sub"));
    MakeDir(Common(L"Sub\\Deeper"));
    Dead(Common(L"Top.lnk"));
    Dead(Common(L"Sub\\Middle.lnk"));
    Dead(Common(L"Sub\\Deeper\\Bottom.lnk"));
    Dead(Common(L"Sub\\Secret.lnk"));
    SetFileAttributesW(Common(L"Sub\\Secret.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Shortcut(Common(L"Sub\\Live.lnk"));
    MakeShortcut(Common(L"Sub\\Folder.lnk"), place / L"bin");
    MakeShellObjectShortcut(Common(L"Sub\\Computer.lnk"));
    std::string bytes = FileBytes(Common(L"Sub\\Live.lnk"));
    MakeFile(Common(L"Sub\\Truncated.lnk"), bytes.substr(0, bytes.size() / 3));
    MakeFile(Common(L"Sub\\Garbage.lnk"), "not a shortcut at all");
    for (const wchar_t* hidden : {L"Hidden", L"System"}) {
        MakeDir(Common(hidden));
        Dead(Common(std::wstring(hidden) + L"\\Unseen.lnk"));
    }
    SetFileAttributesW(Common(L"Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Common(L"System").c_str(), FILE_ATTRIBUTE_SYSTEM);
    // No drive Q: exists in the test prefix, and no server answers to this name.
    MakeShortcut(Common(L"Away.lnk"), L"Q:\\Tools\\tool.exe");
    MakeShortcut(Common(L"Share.lnk"), L"\\\\no-such-host.invalid\\apps\\tool.exe");
    // A link back up the tree is never followed.
    bool looped = CreateSymbolicLinkW(Common(L"Sub\\Up").c_str(), source.commonPrograms.c_str(),
                                      SYMBOLIC_LINK_FLAG_DIRECTORY) &&
                  (GetFileAttributesW(Common(L"Sub\\Up").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    // The other places.
    Dead(User(L"Mine.lnk"));
    Dead(quickLaunch + L"\\Quick.lnk");
    MakeDir(source.desktop + L"\\Work");
    Dead(source.desktop + L"\\Work\\Desk.lnk");

    auto wizard = NewWizard();
    Search(*wizard);
    ExpectIdle(*wizard);
    std::vector<std::wstring> listed = Listed(*wizard);
    std::vector<std::wstring> common = {
        Common(L"Top.lnk"),         Common(L"Sub\\Middle.lnk"), Common(L"Sub\\Deeper\\Bottom.lnk"),
        Common(L"Sub\\Secret.lnk"), Common(L"Away.lnk"),        Common(L"Share.lnk")};
    std::vector<std::wstring> expected = common;
    expected.insert(expected.end(), {User(L"Mine.lnk"), quickLaunch + L"\\Quick.lnk",
                                     source.desktop + L"\\Work\\Desk.lnk"});
    std::vector<std::wstring> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_TRUE(looped) << "the tree has no link loop";

    // Deepest first within a place, each place's finds together.
    EXPECT_LT(At(listed, Common(L"Sub\\Deeper\\Bottom.lnk")),
              At(listed, Common(L"Sub\\Middle.lnk")));
    EXPECT_LT(At(listed, Common(L"Sub\\Deeper\\Bottom.lnk")),
              At(listed, Common(L"Sub\\Secret.lnk")));
    for (const wchar_t* top : {L"Top.lnk", L"Away.lnk", L"Share.lnk"}) {
        EXPECT_LT(At(listed, Common(L"Sub\\Middle.lnk")), At(listed, Common(top)));
        EXPECT_LT(At(listed, Common(L"Sub\\Secret.lnk")), At(listed, Common(top)));
    }
    int first = At(listed, Common(L"Top.lnk"));
    for (const std::wstring& path : common)
        first = std::min(first, At(listed, path));
    for (const std::wstring& path : common)
        EXPECT_LT(At(listed, path), first + static_cast<int>(common.size()));

    // What the columns say: a target that is gone, or one on a drive that is not there now.
    int top = At(listed, Common(L"Top.lnk")), away = At(listed, Common(L"Away.lnk"));
    EXPECT_EQ(wizard->ListText(top, NameColumn), L"Top.lnk");
    EXPECT_EQ(wizard->ListText(top, PathColumn), Common(L"Top.lnk"));
    EXPECT_EQ(wizard->ListText(top, TargetColumn), wizard->ListRow(top).target.path);
    EXPECT_NE(wizard->ListText(top, TargetColumn).find(place / L"bin\\gone "), std::wstring::npos);
    EXPECT_EQ(wizard->ListText(away, TargetColumn), L"Q:\\Tools\\tool.exe (drive not available)");
    EXPECT_EQ(wizard->ListText(At(listed, Common(L"Share.lnk")), TargetColumn),
              L"\\\\no-such-host.invalid\\apps\\tool.exe (drive not available)");
    for (int i = 0; i < wizard->ListCount(); ++i)
        EXPECT_FALSE(wizard->ListRow(i).checked) << "added unticked";

    // A second search starts from an empty list and finds the same.
    Search(*wizard);
    EXPECT_EQ(wizard->ListCount(), static_cast<int>(expected.size()));
}

TEST_F(DeleteEmptyShortcuts, StopAndEveryWayOfClosingEndASearchInTheMiddle) {
    // Enough to be in the middle of: the Programs folders and the desktop; no Quick Launch.
    // A folder's finds come to the list together, so a thread stopped in the middle of a
    // folder still lists what it has found there.
    constexpr int kPerFolder = 5;
    for (int folder = 0; folder < 12; ++folder) {
        std::wstring name = L"Group " + std::to_wstring(folder);
        for (const std::wstring& root : {source.commonPrograms, source.desktop}) {
            MakeDir(root + L"\\" + name);
            for (int i = 0; i < kPerFolder; ++i)
                Dead(root + L"\\" + name + L"\\Old " + std::to_wstring(i) + L".lnk");
        }
    }
    Dead(User(L"Mine.lnk"));
    ASSERT_TRUE(RemoveDirectoryW(quickLaunch.c_str()));
    constexpr int kAll = 2 * 12 * kPerFolder + 1;

    // Stop: each thread ends before its next entry; the window rests when the last has.
    auto wizard = NewWizard();
    EXPECT_EQ(wizard->QuickLaunchDir, L"") << "an absent place is skipped";
    Click(wizard->Button1);
    ASSERT_TRUE(RunUntil([&] { return wizard->ListCount() >= 3; }));
    int listed = wizard->ListCount();
    Click(wizard->Button1);
    EXPECT_TRUE(wizard->Searching()) << "the threads end on their own";
    ASSERT_TRUE(RunUntil([&] { return !wizard->Searching(); }));
    ExpectIdle(*wizard);
    EXPECT_LE(wizard->ListCount(), listed + kPerFolder);
    std::vector<std::wstring> stopped = Listed(*wizard);
    // The rest of the places are there: a full search finds them all.
    Search(*wizard);
    ASSERT_EQ(wizard->ListCount(), kAll);
    for (const std::wstring& path : stopped)
        EXPECT_GE(At(Listed(*wizard), path), 0);

    // Cancel, Esc and the close box: stopped, waited for, closed with Cancel.
    const std::function<void(TDeleteEmptyShortcutsForm&)> closings[] = {
        [](TDeleteEmptyShortcutsForm& w) { Click(w.Button4); },
        [](TDeleteEmptyShortcutsForm& w) { SendMessageW(w.Handle(), WM_COMMAND, IDCANCEL, 0); },
        [](TDeleteEmptyShortcutsForm& w) { SendMessageW(w.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }};
    for (const auto& close : closings) {
        wizard = NewWizard();
        Click(wizard->Button1);
        ASSERT_TRUE(RunUntil([&] { return wizard->ListCount() >= 1; }));
        listed = wizard->ListCount();
        close(*wizard);
        EXPECT_TRUE(wizard->ModalEnded());
        ExpectIdle(*wizard);
        EXPECT_LE(wizard->ListCount(), listed + kPerFolder);
    }

    // The window made to go with its search on, as when the program ends.
    wizard = NewWizard();
    Click(wizard->Button1);
    ASSERT_TRUE(RunUntil([&] { return wizard->ListCount() >= 1; }));
    wizard.reset();

    // The main window going takes the wizard with it.
    wizard = NewWizard();
    Click(wizard->Button1);
    ASSERT_TRUE(RunUntil([&] { return wizard->ListCount() >= 1; }));
    listed = wizard->ListCount();
    form.reset();
    EXPECT_EQ(wizard->Handle(), nullptr);
    EXPECT_FALSE(wizard->Searching());
    EXPECT_FALSE(wizard->SearchThreadsRunning());
    EXPECT_LE(wizard->ListCount(), listed + kPerFolder);
}

TEST_F(DeleteEmptyShortcuts, DeleteSelectedDeletesTheTickedUnderARestorePoint) {
    Dead(Common(L"Top.lnk"));
    MakeDir(Common(L"Games"));
    Dead(Common(L"Games\\Chess.lnk"));
    MakeDir(Common(L"Empty"));
    MakeDir(Common(L"Empty\\Inner"));
    MakeDir(Common(L"Hidden"));
    SetFileAttributesW(Common(L"Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Dead(User(L"Locked.lnk"));
    SetFileAttributesW(User(L"Locked.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeDir(User(L"Old"));
    Dead(quickLaunch + L"\\Quick.lnk");
    MakeDir(quickLaunch + L"\\Left");
    MakeDir(source.desktop + L"\\Work");
    Dead(source.desktop + L"\\Work\\Desk.lnk");
    auto wizard = NewWizard();
    Search(*wizard);
    ASSERT_EQ(wizard->ListCount(), 5);
    std::vector<std::wstring> found = Listed(*wizard);

    // The restore point fails and the user does not go on: nothing changes.
    client.answers = {{FALSE, 1058, 0}};
    prompt.answers = {IDCANCEL};
    Click(wizard->Button2);
    Click(wizard->Button5);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(Listed(*wizard), found);
    for (const std::wstring& path : found)
        EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(Exists(Common(L"Empty\\Inner")));

    // Nothing ticked: a restore point all the same, and the empty folders go, but for the
    // Startup folders and hidden ones.
    Click(wizard->Button3);
    client.calls.clear();
    Click(wizard->Button5);
    EXPECT_EQ(client.calls.size(), 2u) << "begun and ended";
    EXPECT_EQ(Listed(*wizard), found);
    EXPECT_EQ(ListNames(source.commonPrograms),
              (std::vector<std::wstring>{L"Games", L"Hidden", L"Startup", L"Top.lnk"}));
    EXPECT_EQ(ListNames(source.userPrograms),
              (std::vector<std::wstring>{L"Locked.lnk", L"Startup"}));
    EXPECT_EQ(ListNames(quickLaunch), std::vector<std::wstring>{L"Quick.lnk"});

    // All ticked but the desktop's place unticked after the search: its shortcut goes, its
    // folder stays. One that cannot be deleted stays listed.
    ClickCheckBox(*wizard, At(found, Common(L"Top.lnk")));
    EXPECT_TRUE(wizard->ListRow(At(found, Common(L"Top.lnk"))).checked);
    ClickCheckBox(*wizard, At(found, Common(L"Top.lnk")));
    EXPECT_FALSE(wizard->ListRow(At(found, Common(L"Top.lnk"))).checked);
    Click(wizard->Button2);
    Click(wizard->CheckBox3);
    client.calls.clear();
    Click(wizard->Button5);
    EXPECT_EQ(client.calls.size(), 2u);
    EXPECT_EQ(Listed(*wizard), std::vector<std::wstring>{User(L"Locked.lnk")});
    EXPECT_TRUE(Exists(User(L"Locked.lnk")));
    EXPECT_EQ(ListNames(source.commonPrograms), (std::vector<std::wstring>{L"Hidden", L"Startup"}));
    EXPECT_EQ(ListNames(source.desktop), std::vector<std::wstring>{L"Work"});
    EXPECT_EQ(ListNames(source.desktop + L"\\Work"), std::vector<std::wstring>{});
    EXPECT_EQ(ListNames(quickLaunch), std::vector<std::wstring>{});
    SetFileAttributesW(User(L"Locked.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Between the search and Delete Selected the user deletes one shortcut by hand; another
// cannot be deleted; one points to a drive that is only away now. Select All leaves that one
// out and says so; Delete Selected counts what it deleted, what was gone and what it kept.
TEST_F(DeleteEmptyShortcuts, DeleteSelectedSaysWhatItDeletedFoundGoneAndKept) {
    Dead(Common(L"Gone.lnk"));
    Dead(Common(L"Old.lnk"));
    Dead(User(L"Locked.lnk"));
    SetFileAttributesW(User(L"Locked.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeShortcut(Common(L"Away.lnk"), L"Q:\\Tools\\tool.exe"); // no drive Q: in the prefix
    auto wizard = NewWizard();
    Search(*wizard);
    ASSERT_EQ(wizard->ListCount(), 4);
    std::vector<std::wstring> found = Listed(*wizard);
    int away = At(found, Common(L"Away.lnk"));

    Click(wizard->Button2);
    for (int i = 0; i < wizard->ListCount(); ++i)
        EXPECT_EQ(wizard->ListRow(i).checked, i != away) << win::Utf8FromWide(found[i]);
    EXPECT_EQ(wizard->StatusText(),
              L"1 shortcut left unticked: its target lies on a drive that is not available "
              L"now; tick by hand to delete");

    ASSERT_TRUE(DeleteFileW(Common(L"Gone.lnk").c_str())) << "deleted by hand meanwhile";
    Click(wizard->Button5);
    std::vector<std::wstring> left = Listed(*wizard);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{Common(L"Away.lnk"), User(L"Locked.lnk")}));
    EXPECT_EQ(wizard->StatusText(), L"1 deleted, 1 already gone, 1 kept: the reason is in its row");
    EXPECT_FALSE(Exists(Common(L"Old.lnk")));
    EXPECT_TRUE(Exists(Common(L"Away.lnk")));
    int locked = At(Listed(*wizard), User(L"Locked.lnk"));
    ASSERT_GE(locked, 0);
    EXPECT_TRUE(wizard->ListRow(locked).checked) << "still ticked";
    EXPECT_NE(wizard->ListText(locked, TargetColumn).find(L" (not deleted: "), std::wstring::npos)
        << win::Utf8FromWide(wizard->ListText(locked, TargetColumn));

    // A tick by hand deletes the one whose drive is away.
    ClickCheckBox(*wizard, At(Listed(*wizard), Common(L"Away.lnk")));
    Click(wizard->Button5);
    EXPECT_FALSE(Exists(Common(L"Away.lnk")));
    EXPECT_EQ(Listed(*wizard), std::vector<std::wstring>{User(L"Locked.lnk")});
    EXPECT_EQ(wizard->StatusText(), L"1 deleted, 0 already gone, 1 kept: the reason is in its row");
    SetFileAttributesW(User(L"Locked.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Between the search and Delete Selected one target comes back and two shortcuts are made
// anew: each stays, unticked, with its reason, and so does their vendor folder.
TEST_F(DeleteEmptyShortcuts, DeleteSelectedLooksAgainAtEachShortcut) {
    MakeDir(Common(L"Vendor"));
    MakeDeadShortcut(Common(L"Vendor\\Revived.lnk"), place / L"bin\\revived.exe");
    Dead(Common(L"Vendor\\Replaced.lnk"));
    Dead(Common(L"Vendor\\Swapped.lnk"));
    auto wizard = NewWizard();
    Search(*wizard);
    ASSERT_EQ(wizard->ListCount(), 3);
    MakeFile(place / L"bin\\revived.exe");
    Shortcut(Common(L"Vendor\\Replaced.lnk")); // to a program that is there
    Dead(Common(L"Vendor\\Swapped.lnk"));      // another dead one
    Click(wizard->Button2);
    Click(wizard->Button5);
    EXPECT_EQ(wizard->StatusText(),
              L"0 deleted, 0 already gone, 3 kept: the reasons are in their rows");
    for (auto [name, reason] : {std::pair{L"Revived.lnk", L"works again"},
                                {L"Replaced.lnk", L"changed since the search"},
                                {L"Swapped.lnk", L"changed since the search"}}) {
        int row = At(Listed(*wizard), Common(L"Vendor\\") + name);
        ASSERT_GE(row, 0);
        EXPECT_FALSE(wizard->ListRow(row).checked);
        EXPECT_NE(
            wizard->ListText(row, TargetColumn).find(L"(not deleted: " + std::wstring(reason)),
            std::wstring::npos);
    }
    EXPECT_EQ(ListNames(Common(L"Vendor")).size(), 3u);
}

// Delete Selected (the real wizard in a process of its own) ended after each of its changes
// in turn: it made exactly that many, each one asked for, names Win32 would change included,
// and a new search lists exactly the dead shortcuts left.
TEST_F(DeleteEmptyShortcuts, DeleteSelectedEndedAfterEachChangeDidNothingElse) {
    const std::vector<std::wstring> dead = {Common(L"CON.lnk"), Common(L"Tools...\\B.lnk"),
                                            Common(L"Old\\Deeper\\C.lnk"), User(L"D.lnk")};
    const std::vector<std::wstring> folders = {Common(L"Tools..."), Common(L"Old"),
                                               Common(L"Old\\Deeper")};
    Shortcut(Common(L"Live.lnk"));
    std::wstring places;
    for (const std::wstring& folder :
         {source.commonPrograms, source.userPrograms, source.commonStartup, source.userStartup})
        places += L" \"" + folder + L"\"";
    for (int ended = 1; ended < 10; ++ended) {
        for (const std::wstring& path : folders)
            MakeDir(path);
        for (const std::wstring& path : dead)
            if (!Exists(path))
                Dead(path);
        SetEnvironmentVariableW(L"MARLOWEN_END_AFTER_CHANGES", std::to_wstring(ended).c_str());
        DWORD code = RunProgram(BesideTests(L"delete_wizard_child.exe"), places);
        SetEnvironmentVariableW(L"MARLOWEN_END_AFTER_CHANGES", nullptr);
        std::vector<std::wstring> left, listed;
        std::copy_if(dead.begin(), dead.end(), std::back_inserter(left), Exists);
        size_t changes = dead.size() - left.size() +
                         static_cast<size_t>(std::count_if(folders.begin(), folders.end(),
                                                           [](auto& f) { return !Exists(f); }));
        EXPECT_EQ(changes, code == 0 ? 7u : static_cast<size_t>(ended)) << ended;
        EXPECT_TRUE(Exists(Common(L"Live.lnk")));
        auto wizard = NewWizard();
        Search(*wizard);
        listed = Listed(*wizard);
        std::sort(listed.begin(), listed.end());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(listed, left);
        if (code != 99) {
            EXPECT_EQ(code, 0u);
            break;
        }
    }
}
