// The planned moves, the journal of a run and its undo, on real Programs folders: driven
// through the main window, and through the built program stopped hard in the middle of a run.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "BackupTestSupport.h"
#include "FakeRestoreClient.h"
#include "MainWindowFixture.h"
#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "product/WriterLock.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/processing/ProcessingJournal.h"
#include "startmenu/window/UPlannedMovesForm.h"
#include "win/FileSystem.h"
#include "win/Modal.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;

namespace {

constexpr int kOffice = 0, kGames = 2, kInternet = 4;

std::string Describe(const Tree& tree) {
    std::string text;
    for (const auto& [name, entry] : tree)
        text += win::Utf8FromWide(name) + " " + std::to_string(entry.attributes) + " " +
                entry.content + "\n";
    return text;
}

std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[512] = L"";
    ListView_GetItemText(list, row, column, text, 512);
    return text;
}

using Row = std::tuple<std::wstring, std::wstring, std::wstring, std::wstring>;

class UndoProcessing : public MainWindowTest {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    restorepoint::RestorePointSystem system{&FakeSetRestorePoint, false, true};
    restorepoint::ScopedRestorePointSystem useSystem{system};

    std::wstring Store() const { return form->Model().Folders.BackupRootDir; }

    Tree Menu() const {
        Tree tree;
        AddTree(tree, source.commonPrograms, L"common\\");
        AddTree(tree, source.userPrograms, L"user\\");
        return tree;
    }

    EntryNode& Top(const std::wstring& name) {
        for (EntryNode* node = form->Model().Entries->First(); node; node = node->NextSibling())
            if (node->Name() == name)
                return *node;
        throw std::runtime_error("no entry " + win::Utf8FromWide(name));
    }
    EntryNode& Inside(EntryNode& folder, const std::wstring& name) {
        if (!folder.HasChildren())
            form->Model().LoadContents(folder);
        for (EntryNode* node = folder.FirstChild(); node; node = node->NextSibling())
            if (node->Name() == name)
                return *node;
        throw std::runtime_error("no item " + win::Utf8FromWide(name));
    }

    // The planned moves as the window lists them; the disk is the same before and after.
    std::vector<Row> Preview() {
        std::vector<Row> rows;
        Tree before = Menu();
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            auto& planned = dynamic_cast<TPlannedMovesForm&>(window);
            for (int i = 0; i < ListView_GetItemCount(planned.ListView1); ++i)
                rows.emplace_back(Cell(planned.ListView1, i, 0), Cell(planned.ListView1, i, 1),
                                  Cell(planned.ListView1, i, 2), Cell(planned.ListView1, i, 3));
            planned.Button1Click();
            EXPECT_TRUE(planned.ModalEnded());
        });
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdButton12, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Page3().Button12));
        EXPECT_TRUE(before == Menu()) << "the preview changes nothing";
        return rows;
    }

    void StartProcessing() {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdButton8, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Page3().Button8));
    }

    bool UndoEnabled() {
        form->Page3().RefreshUndoEntry();
        return !(GetMenuState(form->PopupMenu1(), IdUndoMenu, MF_BYCOMMAND) & MF_GRAYED);
    }

    // Undo from the menu, answering its question yes; returns the report shown after it.
    std::wstring Undo() {
        size_t shown = prompt.shown.size();
        prompt.answers = {IDYES};
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdUndoMenu, 0), 0);
        EXPECT_EQ(prompt.shown.size(), shown + 2) << "one question, one report";
        if (prompt.shown.size() != shown + 2)
            return {};
        EXPECT_EQ(prompt.shown[shown].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        question = prompt.shown[shown].text;
        return prompt.shown[shown + 1].text;
    }
    std::wstring question; // the last undo's
};

} // namespace

TEST_F(UndoProcessing, PreviewIsWhatTheRunDoesAndUndoGivesBothTreesBackByteForByte) {
    MakeFile(Common(L"Writer.lnk"), "writer");
    MakeFile(User(L"Writer.lnk"), "user writer");
    MakeFile(User(L"Mail.lnk"), "mail");
    MakeDir(Common(L"Games"));
    MakeFile(Common(L"Games\\Chess.lnk"), "old chess");
    SetFileAttributesW(Common(L"Games\\Chess.lnk").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    MakeFile(Common(L"Chess.lnk"), "new chess");
    // Merged into its namesake in Games, one item in it replacing another.
    MakeDir(Common(L"Games\\Suite"));
    MakeFile(Common(L"Games\\Suite\\Kept.lnk"), "kept");
    MakeFile(Common(L"Games\\Suite\\Shared.lnk"), "old shared");
    MakeDir(Common(L"Suite"));
    MakeFile(Common(L"Suite\\Shared.lnk"), "new shared");
    MakeDir(Common(L"Suite\\Docs"));
    MakeFile(Common(L"Suite\\Docs\\Guide.txt"), "guide");
    SetFileAttributesW(Common(L"Suite").c_str(), FILE_ATTRIBUTE_READONLY);
    // An uncategorised folder: one item to Office, one back to the top beside a namesake.
    MakeDir(Common(L"Tools"));
    MakeFile(Common(L"Tools\\Calc.lnk"), "calc");
    MakeFile(Common(L"Tools\\Help.lnk"), "tools help");
    MakeFile(Common(L"Help.lnk"), "top help");
    Open();
    form->Button6Click(); // to the last page
    const Tree original = Menu();
    EXPECT_FALSE(UndoEnabled()) << "no run yet";

    Top(L"Writer.lnk").Entry().Category = kOffice;
    Top(L"Mail.lnk").Entry().Category = kInternet;
    Top(L"Chess.lnk").Entry().Category = kGames;
    Top(L"Suite").Entry().Category = kGames;
    Inside(Top(L"Tools"), L"Calc.lnk").Entry().Category = kOffice;
    Inside(Top(L"Tools"), L"Help.lnk").Entry().Category = MoveToRootCategory;
    ASSERT_EQ(Top(L"Writer.lnk").Entry().Origin, OriginBoth);

    std::vector<Row> rows = Preview();
    std::vector<Row> expected = {
        {L"Writer.lnk", L"All users", L"Office\\Writer.lnk", L"Moves into the folder"},
        {L"Writer.lnk", L"Current user", L"Office\\Writer.lnk", L"Moves into the folder"},
        {L"Mail.lnk", L"Current user", L"Internet\\Mail.lnk", L"Moves into the folder"},
        {L"Chess.lnk", L"All users", L"Games\\Chess.lnk",
         L"Replaces the item of its name there, which is kept for an undo"},
        {L"Suite", L"All users", L"Games\\Suite",
         L"Merges into the folder of its name already there"},
        {L"Tools\\Calc.lnk", L"All users", L"Office\\Calc.lnk", L"Moves into the folder"},
        {L"Tools\\Help.lnk", L"All users", L"Help (2).lnk",
         L"Is kept beside an item of its name, as \"Help (2).lnk\""}};
    EXPECT_EQ(std::multiset<Row>(rows.begin(), rows.end()),
              std::multiset<Row>(expected.begin(), expected.end()));

    StartProcessing();
    EXPECT_EQ(WindowText(form->Page3().Button8), L"Programs have been successfully categorized!");
    // Item for item and in the same order, the run did what the list said.
    LastRun run;
    ASSERT_TRUE(FindLastRun(Store(), run));
    std::vector<std::wstring> journalItems;
    for (const JournalStep& step : run.journal.steps)
        if (journalItems.empty() || journalItems.back() != step.item)
            journalItems.push_back(step.item);
    std::vector<std::wstring> listedItems;
    for (const auto& [item, programs, destination, outcome] : rows) {
        std::wstring folder =
            programs == L"All users" ? source.commonPrograms : source.userPrograms;
        listedItems.push_back(folder + L"\\" + item);
        EXPECT_TRUE(Exists(folder + L"\\" + destination)) << win::Utf8FromWide(destination);
        EXPECT_FALSE(Exists(folder + L"\\" + item)) << win::Utf8FromWide(item);
    }
    EXPECT_EQ(journalItems, listedItems);
    EXPECT_EQ(FileBytes(Common(L"Games\\Suite\\Shared.lnk")), "new shared");
    EXPECT_EQ(FileBytes(Common(L"Help (2).lnk")), "tools help");
    // Nothing is lost: both replaced items are kept in the run's folder.
    std::vector<std::string> kept;
    for (const JournalStep& step : run.journal.steps)
        if (step.kind == StepKind::Replace)
            kept.push_back(FileBytes(step.kept));
    EXPECT_EQ(kept, (std::vector<std::string>{"old chess", "old shared"}));
    EXPECT_TRUE(UndoEnabled());

    std::wstring report = Undo();
    EXPECT_NE(question.find(L"\u2022 " + Common(L"Suite") + L"\r\n"), std::wstring::npos)
        << "the question names what goes back: " << win::Utf8FromWide(question);
    EXPECT_EQ(report, L"The processing run has been undone: 7 items are back where they were.");
    Tree after = Menu();
    EXPECT_TRUE(after == original) << "before:\n"
                                   << Describe(original) << "after:\n"
                                   << Describe(after);
    EXPECT_FALSE(UndoEnabled()) << "the only run is undone";
    EXPECT_EQ(WindowText(form->Page3().Button8), L"&Start Processing")
        << "the menu can be sorted again";
    EXPECT_TRUE(IsWindowEnabled(form->Page3().Button8));
    EXPECT_NE(ListIndex(L"Writer"), -1) << "the list shows the Start Menu as it is again";
}

// Two runs, and the user at work in between: each undo puts back what it can and names
// exactly what it leaves.
TEST_F(UndoProcessing, UndoLeavesWhatTheUserChangedAndTheRunBeforeIsUndoneNext) {
    for (const wchar_t* name : {L"A.lnk", L"B.lnk", L"C.lnk", L"D.lnk"})
        MakeFile(Common(name), win::Utf8FromWide(name));
    MakeFile(User(L"E.lnk"), "e");
    Open();
    Top(L"A.lnk").Entry().Category = kOffice;
    Top(L"B.lnk").Entry().Category = kGames;
    StartProcessing();
    form->TabSheet3Show();
    Top(L"C.lnk").Entry().Category = kOffice;
    Top(L"D.lnk").Entry().Category = kGames;
    Top(L"E.lnk").Entry().Category = kInternet;
    StartProcessing();
    ASSERT_TRUE(Exists(Common(L"Office\\C.lnk")));
    ASSERT_TRUE(Exists(User(L"Internet\\E.lnk")));

    // The user edits C, deletes D, moves E away by hand and makes a new B at the top.
    MakeFile(Common(L"Office\\C.lnk"), "edited");
    ASSERT_TRUE(DeleteFileW(Common(L"Games\\D.lnk").c_str()));
    ASSERT_TRUE(MoveFileW(User(L"Internet\\E.lnk").c_str(), User(L"E moved.lnk").c_str()));
    MakeFile(Common(L"B.lnk"), "a new B");

    std::wstring report = Undo();
    EXPECT_EQ(report,
              L"The processing run has been undone, except for these items, which have been "
              L"left as they are:\r\n"
              L"\u2022 " +
                  User(L"E.lnk") + L"\r\n    it is no longer in " + User(L"Internet") +
                  L"; it was moved or deleted after processing.\r\n"
                  L"\u2022 " +
                  Common(L"D.lnk") + L"\r\n    it is no longer in " + Common(L"Games") +
                  L"; it was moved or deleted after processing.\r\n"
                  L"\u2022 " +
                  Common(L"C.lnk") + L"\r\n    it was changed after processing; it stays in " +
                  Common(L"Office") + L".");
    EXPECT_FALSE(Exists(User(L"Internet"))) << "emptied by the user's move, it goes";
    EXPECT_TRUE(Exists(Common(L"Office\\A.lnk"))) << "the earlier run is not touched";
    ASSERT_TRUE(UndoEnabled()) << "the run before is next";

    report = Undo();
    EXPECT_NE(report.find(L"\u2022 " + Common(L"B.lnk") +
                          L"\r\n    another item of its name is in " + source.commonPrograms +
                          L" now; it stays in " + Common(L"Games") + L"."),
              std::wstring::npos)
        << win::Utf8FromWide(report);
    EXPECT_NE(report.find(Common(L"Office") + L"\r\n    this category folder holds items"),
              std::wstring::npos);
    EXPECT_EQ(FileBytes(Common(L"A.lnk")), "A.lnk");
    EXPECT_EQ(FileBytes(Common(L"B.lnk")), "a new B");
    EXPECT_EQ(FileBytes(Common(L"Games\\B.lnk")), "B.lnk");
    EXPECT_EQ(FileBytes(Common(L"Office\\C.lnk")), "edited");
    EXPECT_EQ(FileBytes(User(L"E moved.lnk")), "e");
    EXPECT_FALSE(UndoEnabled());
}

// A journal that is not as the program wrote it is refused before anything moves.
TEST_F(UndoProcessing, DamagedOrForeignJournalIsRefusedAndNothingChanges) {
    MakeFile(Common(L"Writer.lnk"), "writer");
    TempFolder elsewhere{L"elsewhere"};
    MakeFile(elsewhere / L"System.dll", "not the Start Menu's");
    Open();
    Top(L"Writer.lnk").Entry().Category = kOffice;
    StartProcessing();
    LastRun run;
    ASSERT_TRUE(FindLastRun(Store(), run));
    std::string good = FileBytes(run.file);

    JournalStep foreign{StepKind::Move,
                        elsewhere / L"System.dll",
                        elsewhere / L"System.dll",
                        Common(L"Office\\System.dll"),
                        ItemFingerprint(elsewhere / L"System.dll"),
                        {},
                        {},
                        0};
    std::string damaged = good;
    damaged[damaged.size() - 10] ^= 1;
    for (const std::string& bytes : {good + JournalStepBytes(foreign), damaged}) {
        MakeFile(run.file, bytes);
        Tree before = Menu();
        size_t shown = prompt.shown.size();
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdUndoMenu, 0), 0);
        ASSERT_EQ(prompt.shown.size(), shown + 1);
        const std::wstring& text = prompt.shown[shown].text;
        EXPECT_NE(text.find(L"cannot be used to undo it"), std::wstring::npos)
            << win::Utf8FromWide(text);
        EXPECT_NE(text.find(L"Nothing has been changed."), std::wstring::npos);
        EXPECT_TRUE(before == Menu());
        EXPECT_EQ(FileBytes(elsewhere / L"System.dll"), "not the Start Menu's");
    }
}

namespace {

// The built program, copied to a folder of its own so that its backup store is the test's,
// sorting the prefix's real Start Menu from a layout as a script would.
class UndoProgram : public ::testing::Test {
protected:
    CleanSettings clean;
    TempFolder app{L"app"}, files{L"undo"};
    std::wstring common, office, games, entertainment;
    TestFolderSource source;
    // At the top: a vendor folder that merges into its namesake, one item replacing another,
    // and names Win32 would change.
    const std::vector<std::wstring> top = {L"!!Undo A.lnk", L"!!Undo B.lnk", L"!!Undo C.lnk",
                                           L"!!Undo D.lnk", L"nul.lnk",      L"!!Undo Tools...",
                                           L"!!Undo Suite"};
    // What the tidy-up finds new after a sorting.
    const std::vector<std::wstring> installedLater = {L"!!Undo C 2.lnk", L"!!Undo Qwertz.lnk",
                                                      L"VLC media player.lnk"};
    ScriptedPrompt prompt;
    win::ScopedPrompt usePrompt{prompt};
    win::ComInit com;

    void SetUp() override {
        common = PrefixFolder(CSIDL_COMMON_PROGRAMS);
        ASSERT_FALSE(common.empty());
        office = common + L"\\Office";
        ASSERT_FALSE(Exists(office)) << "the prefix's menu has no Office folder of its own";
        ASSERT_TRUE(
            CopyFileW(BesideTests(L"marlowen.exe").c_str(), (app / L"marlowen.exe").c_str(), TRUE));
        source.appDir = app.Path() + L"\\";
        source.commonPrograms = common;
        source.userPrograms = PrefixFolder(CSIDL_PROGRAMS);
        ASSERT_FALSE(source.userPrograms.empty());
        // A Games folder another test of this prefix left behind would be counted as this run's.
        games = common + L"\\Games";
        RemoveTree(games);
        entertainment = common + L"\\Entertainment";
        for (const std::wstring& name : top)
            name.find(L".lnk") == std::wstring::npos
                ? MakeDir(common + L"\\" + name)
                : MakeFile(common + L"\\" + name, win::Utf8FromWide(name));
        for (const wchar_t* name : {L"Tools...\\Tool.lnk", L"Suite\\Tool.lnk", L"Suite\\Help.lnk"})
            MakeFile(common + L"\\!!Undo " + name, win::Utf8FromWide(name));
        MakeDir(office);
        MakeDir(office + L"\\!!Undo Suite");
        MakeFile(office + L"\\!!Undo Suite\\Help.lnk", "old help");
        MakeFile(office + L"\\!!Undo B.lnk", "old B");
    }
    void TearDown() override {
        for (const std::wstring& folder : {common, office, games, entertainment})
            for (const std::vector<std::wstring>& names : {top, installedLater})
                for (const std::wstring& name : names)
                    RemoveTree(folder + L"\\" + name);
        RemoveTree(office);
        RemoveTree(games);
        RemoveTree(entertainment);
    }

    Tree Items() const {
        Tree tree;
        AddTree(tree, office, L"Office\\");
        AddTree(tree, games, L"Games\\");
        for (const std::wstring& name : top)
            if (Exists(common + L"\\" + name)) {
                tree[name] = {win::AttributesOf(common + L"\\" + name) &
                                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_DIRECTORY),
                              FileBytes(common + L"\\" + name)};
                AddTree(tree, common + L"\\" + name, name + L"\\");
            }
        return tree;
    }

    // Every file the user had, where the program's windows reach it: in the Start Menu, or
    // set aside in the run's folder where its journal names it for the undo.
    std::multiset<std::string> Reachable() const {
        std::multiset<std::string> contents;
        for (const auto& [name, item] : Items())
            if (!(item.attributes & FILE_ATTRIBUTE_DIRECTORY))
                contents.insert(item.content);
        LastRun run;
        if (FindLastRun(app / L"backup", run))
            for (const JournalStep& step : run.journal.steps)
                if (step.kind != StepKind::Move && Exists(step.kept))
                    contents.insert(FileBytes(step.kept));
        return contents;
    }

    // Runs the batch import, ended after its change endAfter when that is not 0, saying yes to
    // the restore-point question under Wine after whileAsked. This process's own changes are
    // never counted: the variable is set only while the program starts.
    DWORD Process(int endAfter = 0,
                  const std::string& categories = "<Office><name>!!Undo A.lnk</name>"
                                                  "<name>!!Undo B.lnk</name>"
                                                  "<name>!!Undo C.lnk</name></Office>",
                  const std::function<void()>& whileAsked = {}) {
        std::wstring layout = files / L"layout.xml";
        MakeFile(layout, "<MarlowenExport><CurrentUser/><Common>" + categories +
                             "</Common></MarlowenExport>");
        if (endAfter)
            SetEnvironmentVariableW(L"MARLOWEN_END_AFTER_CHANGES",
                                    std::to_wstring(endAfter).c_str());
        RunningProgram program(L"\"" + layout + L"\"", app / L"marlowen.exe");
        SetEnvironmentVariableW(L"MARLOWEN_END_AFTER_CHANGES", nullptr);
        EXPECT_TRUE(program.Started());
        HWND box = program.WaitForWindow(L"#32770");
        EXPECT_TRUE(box) << "the restore-point question";
        if (whileAsked)
            whileAsked();
        if (box)
            RunningProgram::Answer(box, IDOK);
        return program.WaitForExit();
    }

    // After a restart: a new main window on the same store undoes the latest run.
    void UndoInANewWindow() {
        TMainForm form(source);
        prompt.answers = {IDYES};
        size_t shown = prompt.shown.size();
        form.Page3().UndoLastProcessing1Click();
        ASSERT_EQ(prompt.shown.size(), shown + 2);
        EXPECT_EQ(prompt.shown[shown + 1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION))
            << win::Utf8FromWide(prompt.shown[shown + 1].text);
    }
};

} // namespace

TEST_F(UndoProgram, RunStoppedHardHalfWayAndAFinishedOneAreUndoneAfterARestart) {
    const Tree original = Items();
    // Ended at its ninth change, once step 3 is recorded and not yet taken: A moved, B has
    // replaced its namesake, C is still at the top.
    EXPECT_EQ(Process(9), 99u);
    EXPECT_EQ(FileBytes(office + L"\\!!Undo A.lnk"), "!!Undo A.lnk");
    EXPECT_EQ(FileBytes(office + L"\\!!Undo B.lnk"), "!!Undo B.lnk");
    EXPECT_EQ(FileBytes(common + L"\\!!Undo C.lnk"), "!!Undo C.lnk");
    UndoInANewWindow();
    Tree after = Items();
    EXPECT_TRUE(after == original) << Describe(after);

    EXPECT_EQ(Process(), 0u);
    EXPECT_FALSE(Exists(common + L"\\!!Undo C.lnk"));
    UndoInANewWindow();
    after = Items();
    EXPECT_TRUE(after == original) << Describe(after);
    LastRun none;
    EXPECT_FALSE(FindLastRun(app / L"backup", none)) << "both runs are undone";
}

// Processing ended after each of its changes in turn, its journal's lines included: every
// file the user had is there once, in the Start Menu or where the journal keeps it; after a
// restart the program says the run did not finish, and its undo gives the menu back. While
// the run asks its question, it alone may change the Start Menu.
TEST_F(UndoProgram, ARunEndedAfterAnyOfItsChangesIsToldOfAndUndoneAfterARestart) {
    // An update's re-created shortcut, whose older twin in Office is set aside.
    MakeFile(files / L"d.exe");
    MakeShortcut(common + L"\\!!Undo D.lnk", files / L"d.exe");
    MakeShortcut(office + L"\\!!Undo Old D.lnk", files / L"d.exe");
    const Tree original = Items();
    const std::multiset<std::string> had = Reachable();
    auto othersWait = [&] {
        TMainForm form(source);
        size_t shown = prompt.shown.size();
        form.Page3().Button8Click();
        form.Page3().UndoLastProcessing1Click();
        cleanup::TDeleteEmptyShortcutsForm(form.Handle(), source).Button5Click();
        ASSERT_EQ(prompt.shown.size(), shown + 3);
        for (size_t i = shown; i < shown + 3; ++i)
            EXPECT_NE(prompt.shown[i].text.find(L"it is processing the Start Menu. Nothing has "
                                                L"been changed."),
                      std::wstring::npos);
    };
    for (int ended = 1; ended < 60; ++ended) {
        DWORD code = Process(ended,
                             "<Office><name>!!Undo B.lnk</name><name>!!Undo Suite</name>"
                             "<name>!!Undo Tools...</name><name>!!Undo "
                             "D.lnk</name></Office><Games><name>!!Undo C.lnk"
                             "</name><name>nul.lnk</name></Games>",
                             ended == 1 ? othersWait : std::function<void()>());
        if (code == 0) {
            EXPECT_FALSE(Exists(office + L"\\!!Undo Old D.lnk")) << "one shortcut of D is left";
        }
        EXPECT_TRUE(Reachable() == had) << "ended after change " << ended;
        LastRun run;
        bool recorded = FindLastRun(app / L"backup", run);
        TMainForm form(source);
        size_t shown = prompt.shown.size();
        prompt.answers = {IDYES};
        form.RecoverUnfinishedRun();
        if (recorded && run.journal.Unfinished()) {
            ASSERT_EQ(prompt.shown.size(), shown + 2) << "ended after change " << ended;
            EXPECT_NE(prompt.shown[shown].text.find(L" did not finish: the program ended"),
                      std::wstring::npos);
            EXPECT_EQ(prompt.shown[shown + 1].type & MB_ICONMASK,
                      static_cast<UINT>(MB_ICONINFORMATION));
        } else {
            EXPECT_EQ(prompt.shown.size(), shown) << "no run to tell of, after change " << ended;
            if (recorded)
                UndoInANewWindow();
        }
        Tree after = Items();
        ASSERT_TRUE(after == original) << "ended after change " << ended << ":\n"
                                       << Describe(after);
        if (code != 99) {
            EXPECT_EQ(code, 0u);
            break;
        }
    }
}

// The tidy-up at logon after a sorting by layout: two programs installed since, one sorted
// program's shortcut re-created at the top under its name, another's under a new name. Only
// the new items move, each twin gives way, the unknown one stays, and the next start undoes it.
TEST_F(UndoProgram, TidySortsOnlyTheNewItemsAndTheNextStartUndoesIt) {
    auto tidy = [&] { return RunningProgram(L"/tidy", app / L"marlowen.exe").WaitForExit(); };
    auto make = [&](const wchar_t* name, const wchar_t* target) {
        MakeFile(files / target);
        MakeShortcut(common + L"\\" + name, files / target);
    };
    make(L"!!Undo A.lnk", L"a.exe");
    make(L"!!Undo C.lnk", L"c.exe");
    EXPECT_EQ(tidy(), 0u) << "nothing is new before the first sorting";
    EXPECT_EQ(Process(), 0u);
    make(L"!!Undo A.lnk", L"a.exe");
    make(L"!!Undo C 2.lnk", L"c.exe");
    MakeFile(common + L"\\VLC media player.lnk");
    MakeFile(common + L"\\!!Undo Qwertz.lnk");
    // A run that stopped midway waits for the user's choice; no tidy-up goes on top of it.
    EXPECT_EQ(Process(3, "<Games><name>nul.lnk</name></Games>"), 99u);
    LastRun stopped;
    ASSERT_TRUE(FindLastRun(app / L"backup", stopped) && stopped.journal.Unfinished());
    EXPECT_EQ(tidy(), 2u);
    prompt.answers = {IDNO};
    TMainForm(source).RecoverUnfinishedRun();
    const Tree installed = TreeOf(common);
    if (auto busy = product::WriterLock::Take(L"another instance")) {
        EXPECT_EQ(tidy(), 2u);
    }
    EXPECT_TRUE(TreeOf(common) == installed);

    EXPECT_EQ(tidy(), 4u) << "one new item is left";
    Tree expected = installed;
    auto moved = [&](const std::wstring& from, const std::wstring& to) {
        expected[to] = installed.at(from);
        expected.erase(from);
    };
    moved(L"!!Undo A.lnk", L"Office\\!!Undo A.lnk");
    moved(L"!!Undo C 2.lnk", L"Office\\!!Undo C 2.lnk");
    moved(L"VLC media player.lnk", L"Entertainment\\VLC media player.lnk");
    expected[L"Entertainment"] = installed.at(L"Office");
    expected.erase(L"Office\\!!Undo C.lnk");
    Tree after = TreeOf(common);
    EXPECT_TRUE(after == expected) << Describe(after);

    UndoInANewWindow();
    after = TreeOf(common);
    EXPECT_TRUE(after == installed) << Describe(after);
    EXPECT_EQ(tidy(), 0u) << "what the user undid is not new again";
}
