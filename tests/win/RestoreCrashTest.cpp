// A restore ended by force after each of its changes on disk in turn, as a crash or a power cut
// would end it, then the program's recovery at the next start: nothing the user had is lost,
// nothing is there twice, and the recovery says what it found.
#include <gtest/gtest.h>

#include "BackupTestSupport.h"
#include "backup/BackupStore.h"
#include "win/Text.h"

using namespace testing_support;
using namespace backup;

namespace {

// A small Start Menu, its backup copy "Games" in backup1, and the restore of that copy run by
// restore_run.exe, ended after its n-th change.
struct StoppedRestore {
    TempFolder place{L"crash"};
    startmenu::FolderLocations folders;
    Tree menu, copy;

    explicit StoppedRestore(unsigned n, DWORD& exitCode) {
        folders.AppDir = place / L"App\\";
        folders.BackupRootDir = folders.AppDir + L"backup";
        folders.UserProgramsDir = place / L"User";
        folders.CommonProgramsDir = place / L"Common";
        std::wstring copyFolder = folders.BackupRootDir + L"\\backup1\\";
        for (const std::wstring& folder :
             {place / L"App", folders.BackupRootDir, copyFolder, folders.UserProgramsDir,
              folders.UserProgramsDir + L"\\Suite", folders.CommonProgramsDir,
              copyFolder + L"Programs", copyFolder + L"Programs\\Suite",
              copyFolder + L"Common_Programs"})
            MakeDir(folder);
        for (const wchar_t* file :
             {L"User\\Mail.lnk", L"User\\Suite\\Tool.lnk", L"Common\\Writer.lnk"})
            MakeFile(place / file, win::Utf8FromWide(file));
        for (const wchar_t* file : {L"Programs\\Chess.lnk", L"Programs\\Suite\\Old tool.lnk",
                                    L"Common_Programs\\Pinball.lnk"})
            MakeFile(copyFolder + file, win::Utf8FromWide(file) + " of old");
        MakeFile(Index(), "[" + win::Utf8FromWide(copyFolder) + "]\r\n01:02:2026:10:11=Games\r\n");
        menu = Menu(folders.UserProgramsDir, folders.CommonProgramsDir);
        copy = Menu(copyFolder + L"Programs", copyFolder + L"Common_Programs");
        RunningProgram run(std::to_wstring(n) + L" \"" + place / L"App" + L"\" \"" +
                               folders.UserProgramsDir + L"\" \"" + folders.CommonProgramsDir +
                               L"\" \"" + folders.BackupRootDir + L"\\backup1\" Games",
                           BesideTests(L"restore_run.exe"));
        exitCode = run.WaitForExit();
    }
    std::wstring Index() const { return folders.AppDir + L"backup.dat"; }
    static Tree Menu(const std::wstring& user, const std::wstring& common) {
        Tree tree;
        AddTree(tree, user, L"User\\");
        AddTree(tree, common, L"Common\\");
        return tree;
    }
};

} // namespace

TEST(RestoreCrash, EveryItemIsOnceWhereTheProgramShowsItAfterAStopAtAnyStep) {
    ScriptedPrompt prompt;
    win::ScopedPrompt usePrompt(prompt);
    unsigned n = 1;
    for (DWORD exitCode = 99; exitCode == 99; ++n) {
        StoppedRestore stopped(n, exitCode);
        if (exitCode != 99)
            break;
        // Yes finishes the restore (or makes it again), No puts back the Start Menu as it was.
        const int answer = n % 2 ? IDYES : IDNO;
        prompt.shown.clear();
        prompt.answers = {answer};
        const startmenu::FolderLocations& folders = stopped.folders;
        RecoverUnfinishedRestore(nullptr, folders);

        Tree menu = StoppedRestore::Menu(folders.UserProgramsDir, folders.CommonProgramsDir);
        bool restored = menu == stopped.copy;
        EXPECT_TRUE(restored || menu == stopped.menu) << "stopped after change " << n;
        bool asked = !prompt.shown.empty() && (prompt.shown[0].type & MB_TYPEMASK) == MB_YESNO;
        EXPECT_TRUE(!asked || restored == (answer == IDYES)) << n;
        // Said in words, ending in what now holds; or the restore had ended before the stop.
        if (prompt.shown.empty()) {
            EXPECT_TRUE(restored) << n;
        } else {
            EXPECT_NE(prompt.shown[0].text.find(L"\"Games\""), std::wstring::npos) << n;
            EXPECT_EQ(prompt.shown.back().type & MB_ICONMASK, UINT(MB_ICONINFORMATION))
                << n << ": " << win::Utf8FromWide(prompt.shown.back().text);
        }
        // The copy restored and the Start Menu it replaced are each a listed, complete copy;
        // nothing else is left in the store.
        BackupList list = ReadBackupList(folders);
        EXPECT_TRUE(list.error.empty()) << win::Utf8FromWide(list.error);
        std::vector<std::wstring> expected = {L"backup1"};
        if (restored)
            expected.push_back(L"backup2");
        EXPECT_EQ(ListNames(folders.BackupRootDir), expected) << n;
        ASSERT_EQ(list.items.size(), expected.size()) << n;
        for (const BackupListItem& item : list.items) {
            const std::wstring& section = list.sections[item.section];
            EXPECT_FALSE(item.incomplete) << n;
            EXPECT_EQ(StoppedRestore::Menu(section + L"Programs", section + L"Common_Programs"),
                      item.description == L"Games" ? stopped.copy : stopped.menu)
                << n << ": " << win::Utf8FromWide(item.text);
        }
    }
    EXPECT_GT(n, 20u) << "a restore of this Start Menu takes more steps";
}

TEST(RestoreCrash, TheProgramSaysSoWhenItStarts) {
    // The built program in a folder of its own, with a store whose restore of the prefix's own
    // Start Menu was stopped after its first change.
    TempFolder app{L"app"};
    ASSERT_TRUE(
        CopyFileW(BesideTests(L"marlowen.exe").c_str(), (app / L"marlowen.exe").c_str(), TRUE));
    for (const wchar_t* folder : {L"backup", L"backup\\backup1", L"backup\\backup1\\Programs",
                                  L"backup\\backup1\\Common_Programs"})
        MakeDir(app / folder);
    std::wstring user = PrefixFolder(CSIDL_PROGRAMS), common = PrefixFolder(CSIDL_COMMON_PROGRAMS);
    Tree menu = StoppedRestore::Menu(user, common);
    RunningProgram stopped(L"1 \"" + app.Path() + L"\" \"" + user + L"\" \"" + common + L"\" \"" +
                               app / L"backup\\backup1" + L"\" Empty",
                           BesideTests(L"restore_run.exe"));
    ASSERT_EQ(stopped.WaitForExit(), 99u);
    ASSERT_TRUE(Exists(app / L"backup\\restoring.txt"));

    RunningProgram program(L"", app / L"marlowen.exe");
    HWND question = program.WaitForWindow(L"#32770");
    ASSERT_TRUE(question);
    EXPECT_NE(WindowText(GetDlgItem(question, 0xFFFF)).find(L"did not finish"), std::wstring::npos);
    RunningProgram::Answer(question, IDNO);
    HWND said = program.WaitForWindow(L"#32770", question);
    ASSERT_TRUE(said);
    EXPECT_NE(WindowText(GetDlgItem(said, 0xFFFF)).find(L"has not been restored"),
              std::wstring::npos);
    RunningProgram::Answer(said, IDOK);
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(StoppedRestore::Menu(user, common), menu);
    EXPECT_EQ(ListNames(app / L"backup"), (std::vector<std::wstring>{L"backup1"}));
}
