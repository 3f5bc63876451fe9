#include <gtest/gtest.h>

#include "Fixtures.h"
#include "startmenu/ClearMode.h"
#include "win/Text.h"

using namespace testing_support;
using startmenu::ClearFolder;
using startmenu::DeleteFolderTree;
using startmenu::FolderLocations;
using startmenu::IsDeadShortcut;

namespace {

class ClearModeTest : public ::testing::Test {
protected:
    TempFolder root{L"clear"};
    TempFolder programs{L"apps"};
    FolderLocations noStartup;

    std::wstring LiveTarget(const std::wstring& name) {
        std::wstring path = programs / name;
        MakeFile(path);
        return path;
    }
};

} // namespace

TEST_F(ClearModeTest, DeadShortcutIsOneWhoseTargetIsGoneFromAReachableVolume) {
    MakeDeadShortcut(root / L"Dead.lnk", programs / L"gone.exe");
    MakeShortcut(root / L"Live.lnk", LiveTarget(L"app.exe"));
    MakeShortcut(root / L"Folder.lnk", programs.Path());
    MakeShellObjectShortcut(root / L"Computer.lnk");
    MakeFile(root / L"NotALink.lnk", "this is no shortcut");

    EXPECT_TRUE(IsDeadShortcut(root / L"Dead.lnk"));
    EXPECT_FALSE(IsDeadShortcut(root / L"Live.lnk"));
    EXPECT_FALSE(IsDeadShortcut(root / L"Folder.lnk"));
    EXPECT_FALSE(IsDeadShortcut(root / L"Computer.lnk"));
    EXPECT_FALSE(IsDeadShortcut(root / L"NotALink.lnk"));
    EXPECT_FALSE(IsDeadShortcut(root / L"Missing.lnk"));
}

TEST_F(ClearModeTest, TargetOnAVolumeThatIsNotThereNowIsKept) {
    // No drive Q: exists in the test prefix, and no server answers to this name.
    MakeShortcut(root / L"OnDrive.lnk", L"Q:\\Tools\\tool.exe");
    MakeShortcut(root / L"OnShare.lnk", L"\\\\no-such-host.invalid\\apps\\tool.exe");
    EXPECT_FALSE(IsDeadShortcut(root / L"OnDrive.lnk"));
    EXPECT_FALSE(IsDeadShortcut(root / L"OnShare.lnk"));

    ClearFolder(root.Path(), noStartup);
    EXPECT_TRUE(Exists(root / L"OnDrive.lnk"));
    EXPECT_TRUE(Exists(root / L"OnShare.lnk"));
}

TEST_F(ClearModeTest, CategoryFolderOfUninstalledProgramsDisappearsInOneRun) {
    MakeDir(root / L"Games");
    MakeDeadShortcut(root / L"Games\\Chess.lnk", programs / L"chess.exe");
    MakeDir(root / L"Games\\Old");
    MakeDeadShortcut(root / L"Games\\Old\\Pinball.lnk", programs / L"pinball.exe");
    MakeDir(root / L"Games\\Old\\Empty");

    ClearFolder(root.Path(), noStartup);
    EXPECT_FALSE(Exists(root / L"Games"));
    EXPECT_TRUE(Exists(root.Path())) << "the folder named on the command line stays";
}

TEST_F(ClearModeTest, LiveShortcutsAndTheirFoldersStay) {
    MakeDir(root / L"Office");
    MakeShortcut(root / L"Office\\Writer.lnk", LiveTarget(L"writer.exe"));
    MakeDeadShortcut(root / L"Office\\Old.lnk", programs / L"old.exe");
    MakeDir(root / L"Office\\Docs");
    MakeFile(root / L"Office\\Docs\\readme.txt");
    MakeDir(root / L"Hidden");
    MakeDeadShortcut(root / L"Hidden\\Gone.lnk", programs / L"gone.exe");
    SetFileAttributesW((root / L"Hidden\\Gone.lnk").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeDeadShortcut(root / L"Top.lnk", programs / L"top.exe");

    ClearFolder(root.Path(), noStartup);
    EXPECT_EQ(ListNames(root / L"Office"), (std::vector<std::wstring>{L"Docs", L"Writer.lnk"}));
    EXPECT_TRUE(Exists(root / L"Office\\Docs\\readme.txt"));
    EXPECT_FALSE(Exists(root / L"Hidden")) << "hidden dead shortcuts are found too";
    EXPECT_FALSE(Exists(root / L"Top.lnk"));
}

TEST_F(ClearModeTest, NamesOutsideTheAnsiCodePageSurvive) {
    std::wstring folder = root / L"\u30b2\u30fc\u30e0";
    MakeDir(folder);
    MakeShortcut(folder + L"\\\u0428\u0430\u0445\u043c\u0430\u0442\u044b.lnk",
                 LiveTarget(L"\u0161ach.exe"));
    MakeDeadShortcut(folder + L"\\\u03a0\u03b1\u03b9\u03c7\u03bd\u03af\u03b4\u03b9.lnk",
                     programs / L"\u00e9t\u00e9.exe");

    ClearFolder(root.Path(), noStartup);
    EXPECT_EQ(ListNames(folder),
              (std::vector<std::wstring>{L"\u0428\u0430\u0445\u043c\u0430\u0442\u044b.lnk"}));
}

TEST_F(ClearModeTest, EmptyStartupFoldersAreKeptWhenSpelledLikeTheSystemPath) {
    MakeDir(root / L"StartUp");
    MakeDir(root / L"Mine");
    MakeDir(root / L"Mine\\Startup");
    MakeDir(root / L"Spare");
    FolderLocations locations;
    locations.CommonStartupDir = win::LowerFileName(root / L"StartUp");
    locations.UserStartupDir = win::LowerFileName(root / L"Mine\\Startup");

    ClearFolder(root.Path(), locations);
    EXPECT_EQ(ListNames(root.Path()), (std::vector<std::wstring>{L"Mine", L"StartUp"}));
    EXPECT_TRUE(Exists(root / L"Mine\\Startup"));

    // With a trailing backslash the joined paths no longer match the Startup paths.
    ClearFolder(root.Path() + L"\\", locations);
    EXPECT_TRUE(ListNames(root.Path()).empty());
}

TEST_F(ClearModeTest, NeverWalksThroughALinkedFolder) {
    TempFolder outside{L"outside"};
    MakeDeadShortcut(outside / L"Elsewhere.lnk", programs / L"elsewhere.exe");
    MakeDir(root / L"Sub");
    CreateSymbolicLinkW((root / L"Sub\\Loop").c_str(), outside.Path().c_str(),
                        SYMBOLIC_LINK_FLAG_DIRECTORY);
    DWORD attributes = GetFileAttributesW((root / L"Sub\\Loop").c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "this system cannot make directory links";

    ClearFolder(root.Path(), noStartup);
    EXPECT_TRUE(Exists(outside / L"Elsewhere.lnk"));
    EXPECT_TRUE(DeleteFolderTree(root.Path()));
    EXPECT_FALSE(Exists(root.Path()));
    EXPECT_TRUE(Exists(outside / L"Elsewhere.lnk"));
}

TEST_F(ClearModeTest, DeleteFolderTreeRemovesReadOnlyHiddenAndSystemFiles) {
    std::wstring tree = root / L"Programs";
    MakeDir(tree);
    MakeDir(tree + L"\\Deep");
    MakeDir(tree + L"\\Deep\\Deeper");
    MakeFile(tree + L"\\Deep\\Deeper\\locked.txt");
    SetFileAttributesW((tree + L"\\Deep\\Deeper\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFile(tree + L"\\hidden.lnk");
    SetFileAttributesW((tree + L"\\hidden.lnk").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    MakeFile(tree + L"\\plain.lnk");

    EXPECT_TRUE(DeleteFolderTree(tree));
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(Exists(root.Path()));
}

TEST_F(ClearModeTest, DeleteFolderTreeOnAFileChangesNothing) {
    MakeFile(root / L"file.lnk");
    SetFileAttributesW((root / L"file.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(DeleteFolderTree(root / L"file.lnk"));
    EXPECT_TRUE(Exists(root / L"file.lnk"));
    EXPECT_TRUE(DeleteFolderTree(root / L"nothing-here"));
}

TEST_F(ClearModeTest, EmptyFolderArgumentCleansNothing) {
    // An empty argument would turn the listing into "\*": the root of the current drive.
    std::wstring rootLink = L"C:\\marlowen-clear-guard.lnk";
    MakeDeadShortcut(rootLink, programs / L"guard.exe");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(L"C:\\");

    startmenu::RunClearMode(L"", TestFolderSource());
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(Exists(rootLink));
    DeleteFileW(rootLink.c_str());
}

// The program itself, started the way a user or a script starts it.
TEST_F(ClearModeTest, ClearRunCleansTheFolderAndKeepsTheSystemStartupFolder) {
    wchar_t common[MAX_PATH];
    ASSERT_HRESULT_SUCCEEDED(
        SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, common));
    std::wstring menu = common;
    std::wstring startup = menu + L"\\StartUp";
    MakeDir(startup);
    MakeDir(menu + L"\\Utilities");
    MakeDeadShortcut(menu + L"\\Utilities\\Defrag.lnk", programs / L"defrag.exe");
    MakeShortcut(menu + L"\\Editor.lnk", LiveTarget(L"editor.exe"));

    EXPECT_EQ(RunProgram(BesideTests(L"marlowen.exe"), L"/clear \"" + menu + L"\""), 0u);
    EXPECT_FALSE(Exists(menu + L"\\Utilities"));
    EXPECT_TRUE(Exists(menu + L"\\Editor.lnk"));
    EXPECT_TRUE(Exists(startup));
    DeleteFileW((menu + L"\\Editor.lnk").c_str());
}

TEST_F(ClearModeTest, ClearRunWithoutFolderEndsAtOnce) {
    std::wstring rootLink = L"C:\\marlowen-clear-guard2.lnk";
    MakeDeadShortcut(rootLink, programs / L"guard.exe");
    EXPECT_EQ(RunProgram(BesideTests(L"marlowen.exe"), L"/clear"), 0u);
    EXPECT_EQ(RunProgram(BesideTests(L"marlowen.exe"), L"/clear \"\""), 0u);
    EXPECT_TRUE(Exists(rootLink));
    DeleteFileW(rootLink.c_str());
}

// On 64-bit Windows this 32-bit program reads "%ProgramFiles%" in a shortcut as the 32-bit
// folder; a 64-bit program installed in the native folder must not look dead.
TEST_F(ClearModeTest, ProgramInTheNativeProgramFilesFolderIsNotDead) {
    TempFolder x86{L"x86"}, native{L"native"};
    SetEnvironmentVariableW(L"ProgramFiles(x86)", x86.Path().c_str());
    SetEnvironmentVariableW(L"ProgramW6432", native.Path().c_str());
    MakeDir(native / L"Editor");
    MakeFile(native / L"Editor\\editor.exe");
    MakeDir(x86 / L"Editor");
    MakeFile(x86 / L"Editor\\editor.exe");
    MakeShortcut(root / L"Editor.lnk", x86 / L"Editor\\editor.exe");
    DeleteFileW((x86 / L"Editor\\editor.exe").c_str());
    MakeDeadShortcut(root / L"Gone.lnk", x86 / L"Editor\\gone.exe");

    ClearFolder(root.Path(), noStartup);
    SetEnvironmentVariableW(L"ProgramFiles(x86)", nullptr);
    SetEnvironmentVariableW(L"ProgramW6432", nullptr);
    EXPECT_TRUE(Exists(root / L"Editor.lnk"));
    EXPECT_FALSE(Exists(root / L"Gone.lnk")) << "missing in both places: dead";
}
