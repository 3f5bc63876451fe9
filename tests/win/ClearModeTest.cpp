#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "Fixtures.h"
#include "cleaning/ShortcutCheck.h"
#include "product/WriterLock.h"
#include "startmenu/processing/ClearMode.h"
#include "win/FileSystem.h"
#include "win/Text.h"

using namespace testing_support;
using cleaning::IsDeadShortcut;
using startmenu::ClearFolder;
using startmenu::ClearOutcome;
using startmenu::DeleteFolderTree;
using startmenu::FolderLocations;

namespace {

const wchar_t* const kShellFolderKeys[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};

// One of the user's shell folders moved elsewhere for the length of a scope, as a user moves
// Templates or Startup in the folder's properties. The shell writes what it finds into the
// second key, so both are put back.
class MovedShellFolder {
public:
    MovedShellFolder(const wchar_t* name, const std::wstring& path) : name_(name) {
        for (size_t i = 0; i < 2; ++i)
            saved_[i] = Read(kShellFolderKeys[i]);
        RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolderKeys[0], name_, REG_EXPAND_SZ, path.c_str(),
                        static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
    MovedShellFolder(const MovedShellFolder&) = delete;
    MovedShellFolder& operator=(const MovedShellFolder&) = delete;
    ~MovedShellFolder() {
        for (size_t i = 0; i < 2; ++i)
            if (saved_[i].present)
                RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolderKeys[i], name_, saved_[i].type,
                                saved_[i].data.data(), static_cast<DWORD>(saved_[i].data.size()));
            else
                RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolderKeys[i], name_);
    }

private:
    struct Value {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    Value Read(const wchar_t* key) const {
        Value value;
        DWORD bytes = 0;
        const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
        if (RegGetValueW(HKEY_CURRENT_USER, key, name_, flags, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS)
            return value;
        value.data.resize(bytes);
        value.present = RegGetValueW(HKEY_CURRENT_USER, key, name_, flags, &value.type,
                                     value.data.data(), &bytes) == ERROR_SUCCESS;
        value.data.resize(bytes);
        return value;
    }

    const wchar_t* name_;
    Value saved_[2];
};

// An environment variable of this process, and so of the programs it starts, for the length
// of a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name_(name) {
        DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
        if (size) {
            old_.resize(size);
            old_.resize(GetEnvironmentVariableW(name, old_.data(), size));
            hadValue_ = true;
        }
        SetEnvironmentVariableW(name, value.c_str());
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() { SetEnvironmentVariableW(name_, hadValue_ ? old_.c_str() : nullptr); }

private:
    const wchar_t* name_;
    std::wstring old_;
    bool hadValue_ = false;
};

// An empty folder and a dead shortcut in a folder, for the length of a scope: a clean that
// reached the folder would remove both.
class Bait {
public:
    Bait(const std::wstring& folder, const std::wstring& vanishedTarget)
        : empty_(folder + L"\\marlowen-bait"), link_(folder + L"\\marlowen-bait.lnk") {
        MakeDir(empty_);
        MakeDeadShortcut(link_, vanishedTarget);
    }
    Bait(const Bait&) = delete;
    Bait& operator=(const Bait&) = delete;
    ~Bait() {
        DeleteFileW(link_.c_str());
        RemoveDirectoryW(empty_.c_str());
    }
    bool Untouched() const { return win::IsExistingDirectory(empty_) && Exists(link_); }
    const std::wstring& Folder() const { return empty_; }

private:
    std::wstring empty_, link_;
};

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::wstring result = SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) ? path : L"";
    CoTaskMemFree(path);
    return result;
}

std::wstring UpperCase(std::wstring path) {
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

std::wstring ShortSpelling(const std::wstring& path) {
    wchar_t shortPath[MAX_PATH] = L"";
    return GetShortPathNameW(path.c_str(), shortPath, MAX_PATH) ? shortPath : L"";
}

std::wstring WithSlashes(std::wstring path) {
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

// "/clear" and the folder in quotes; backslashes before the closing quote are doubled, as
// the command line's rules want.
DWORD RunClear(const std::wstring& folder) {
    std::wstring quoted = folder;
    quoted.append(folder.size() - folder.find_last_not_of(L'\\') - 1, L'\\');
    return RunProgram(BesideTests(L"marlowen.exe"), L"/clear \"" + quoted + L"\"");
}

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

    // A trailing backslash doubles the backslashes of the joined paths; they name the same
    // folders all the same.
    ClearFolder(root.Path() + L"\\", locations);
    EXPECT_EQ(ListNames(root.Path()), (std::vector<std::wstring>{L"Mine", L"StartUp"}));
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
    std::wstring menu = PrefixFolder(CSIDL_COMMON_PROGRAMS);
    ASSERT_FALSE(menu.empty());
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
    EXPECT_EQ(RunProgram(BesideTests(L"marlowen.exe"), L"/clear"), 3u);
    EXPECT_EQ(RunProgram(BesideTests(L"marlowen.exe"), L"/clear \"\""), 3u);
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

// On 64-bit Windows, as the user has it: a 64-bit program's file in the native System32 and
// in the native Program Files folder, reached through "%ProgramFiles%", are alive.
TEST_F(ClearModeTest, NativeFilesOf64BitWindowsAreAlive) {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (!wow64)
        GTEST_SKIP() << "only a 32-bit program on 64-bit Windows sees redirected folders";
    wchar_t windows[MAX_PATH] = L"", native[MAX_PATH] = L"";
    ASSERT_TRUE(GetWindowsDirectoryW(windows, MAX_PATH));
    ASSERT_TRUE(GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH));
    std::wstring nativeOnly = std::wstring(windows) + L"\\Sysnative\\marlowen-native-only.dll";
    std::wstring nativeApp = std::wstring(native) + L"\\Marlowen Native App";
    MakeFile(nativeOnly);
    MakeDir(nativeApp);
    MakeFile(nativeApp + L"\\app.exe");
    MakeShortcut(root / L"Native.lnk",
                 std::wstring(windows) + L"\\System32\\marlowen-native-only.dll");
    MakeInstallerShortcut(root / L"App.lnk", win::Utf8FromWide(nativeApp + L"\\app.exe"),
                          L"%ProgramFiles%\\Marlowen Native App\\app.exe");
    MakeShortcut(root / L"Gone.lnk", std::wstring(windows) + L"\\System32\\marlowen-gone.dll");

    EXPECT_EQ(RunClear(root.Path()), 0u);
    EXPECT_TRUE(Exists(root / L"Native.lnk"));
    EXPECT_TRUE(Exists(root / L"App.lnk"));
    EXPECT_FALSE(Exists(root / L"Gone.lnk")) << "gone from both views: dead";
    DeleteFileW(nativeOnly.c_str());
    DeleteFileW((nativeApp + L"\\app.exe").c_str());
    RemoveDirectoryW(nativeApp.c_str());
}

// However the folder to clean is spelled, the Startup folders below it are known and kept,
// and the walk cleans everything else.
TEST_F(ClearModeTest, StartupFoldersAreKeptHoweverTheFolderIsSpelled) {
    MakeDir(root / L"Menu");
    MakeDir(root / L"Menu\\StartUp");
    MakeDir(root / L"Menu\\Mine");
    MakeDir(root / L"Menu\\Mine\\Startup");
    TestFolderSource source;
    source.commonStartup = root / L"Menu\\StartUp";
    source.userStartup = root / L"Menu\\Mine\\Startup";

    const std::wstring& path = root.Path();
    size_t last = path.find_last_of(L'\\');
    std::vector<std::wstring> spellings = {path,
                                           path + L"\\",
                                           WithSlashes(path),
                                           path.substr(0, last) + L"\\." + path.substr(last),
                                           root / L"Menu\\..",
                                           L"\\\\?\\" + path};
    std::wstring shortPath = ShortSpelling(path);
    if (!shortPath.empty() && shortPath != path)
        spellings.push_back(shortPath);

    for (const std::wstring& spelling : spellings) {
        SCOPED_TRACE(win::Utf8FromWide(spelling));
        MakeDir(root / L"Games");
        MakeDeadShortcut(root / L"Games\\Chess.lnk", programs / L"chess.exe");
        MakeDir(root / L"Menu\\Empty");

        EXPECT_EQ(startmenu::RunClearMode(spelling, source), ClearOutcome::Cleaned);
        EXPECT_EQ(ListNames(path), (std::vector<std::wstring>{L"Menu"}));
        EXPECT_EQ(ListNames(root / L"Menu"), (std::vector<std::wstring>{L"Mine", L"StartUp"}));
        EXPECT_TRUE(Exists(root / L"Menu\\Mine\\Startup"));
    }
}

// A folder the system knows by name stays, even empty, wherever the walk meets it: here the
// user keeps Templates, Startup and the temp folder inside the folder that is cleaned.
TEST_F(ClearModeTest, ClearRunKeepsEveryFolderTheSystemKnowsByName) {
    for (const wchar_t* dir :
         {L"Profile", L"Profile\\Templates", L"Profile\\Menu", L"Profile\\Menu\\Startup",
          L"Profile\\Local", L"Profile\\Local\\Temp", L"Games", L"Empty"})
        MakeDir(root / dir);
    MakeDeadShortcut(root / L"Games\\Chess.lnk", programs / L"chess.exe");
    MovedShellFolder templates(L"Templates", root / L"Profile\\Templates");
    MovedShellFolder startup(L"Startup", root / L"Profile\\Menu\\Startup");
    ScopedEnvironment tmp(L"TMP", root / L"Profile\\Local\\Temp");
    ScopedEnvironment temp(L"TEMP", root / L"Profile\\Local\\Temp");

    EXPECT_EQ(RunClear(root.Path() + L"\\"), 0u) << "folders kept on purpose are no failure";
    EXPECT_EQ(ListNames(root.Path()), (std::vector<std::wstring>{L"Profile"}));
    EXPECT_TRUE(win::IsExistingDirectory(root / L"Profile\\Templates"));
    EXPECT_TRUE(win::IsExistingDirectory(root / L"Profile\\Menu\\Startup"));
    EXPECT_TRUE(win::IsExistingDirectory(root / L"Profile\\Local\\Temp"));
}

// The exit code tells a script how the run ended; nothing is ever shown (a message box
// would keep the program from ending).
TEST_F(ClearModeTest, ClearRunTellsInItsExitCodeWhatItCouldNotDo) {
    MakeFile(root / L"notes.txt");
    EXPECT_EQ(RunClear(root / L"missing"), 3u);
    EXPECT_EQ(RunClear(root / L"notes.txt"), 3u);

    MakeDir(root / L"Office");
    MakeShortcut(root / L"Office\\Writer.lnk", LiveTarget(L"writer.exe"));
    EXPECT_EQ(RunClear(root.Path()), 0u) << "nothing to clean";

    MakeDir(root / L"Games");
    MakeDeadShortcut(root / L"Games\\Locked.lnk", programs / L"locked.exe");
    SetFileAttributesW((root / L"Games\\Locked.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeDeadShortcut(root / L"Games\\Chess.lnk", programs / L"chess.exe");
    MakeDir(root / L"Held");
    MakeDeadShortcut(root / L"Held\\Pinball.lnk", programs / L"pinball.exe");
    {
        // Open without delete sharing, as a program that works in the folder keeps it.
        win::KernelHandle held(CreateFileW((root / L"Held").c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (held.Get() == INVALID_HANDLE_VALUE) {
            held.Release();
            FAIL() << "cannot open the folder";
        }
        EXPECT_EQ(RunClear(root.Path()), 1u);
        EXPECT_EQ(ListNames(root.Path()),
                  (std::vector<std::wstring>{L"Games", L"Held", L"Office", L"notes.txt"}));
        EXPECT_EQ(ListNames(root / L"Games"), (std::vector<std::wstring>{L"Locked.lnk"}))
            << "the walk goes on after a failure";
        EXPECT_TRUE(ListNames(root / L"Held").empty());
    }
    EXPECT_EQ(RunClear(root.Path()), 1u) << "the read-only shortcut is still there";
    EXPECT_FALSE(Exists(root / L"Held"));

    SetFileAttributesW((root / L"Games\\Locked.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(RunClear(root.Path()), 0u);
    EXPECT_EQ(ListNames(root.Path()), (std::vector<std::wstring>{L"Office", L"notes.txt"}));
}

// "/clear" on a drive root, the Windows folder or a folder of all users' is refused in
// every spelling, and nothing at all is touched: not the bait planted in each of them.
TEST_F(ClearModeTest, ClearRunRefusesTheSystemsOwnFoldersAndTouchesNothing) {
    const std::wstring windows = PrefixFolder(CSIDL_WINDOWS), profile = PrefixFolder(CSIDL_PROFILE),
                       programFiles = PrefixFolder(CSIDL_PROGRAM_FILES),
                       programData = PrefixFolder(CSIDL_COMMON_APPDATA),
                       publicProfile = KnownFolder(FOLDERID_Public),
                       profiles = KnownFolder(FOLDERID_UserProfiles);
    std::deque<Bait> baits;
    for (const std::wstring& folder : {std::wstring(L"C:"), windows, windows + L"\\system32",
                                       profiles, profile, publicProfile, programData, programFiles})
        baits.emplace_back(folder, programs / L"bait.exe");

    std::vector<std::wstring> refused = {L"C:\\",
                                         L"C:",
                                         L"c:/",
                                         L"C:\\\\",
                                         L"C:\\.",
                                         windows + L"\\..",
                                         L"\\\\?\\C:\\",
                                         windows,
                                         windows + L"\\",
                                         UpperCase(windows),
                                         WithSlashes(windows + L"\\system32"),
                                         windows + L"\\system32\\..\\system32\\drivers",
                                         L"\\\\?\\" + windows + L"\\system32",
                                         programFiles,
                                         programFiles + L"\\",
                                         ShortSpelling(programFiles),
                                         profiles,
                                         profile,
                                         profile + L"\\.",
                                         ShortSpelling(profile),
                                         publicProfile,
                                         programData};
    for (const wchar_t* name : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
        wchar_t value[MAX_PATH] = L"";
        if (GetEnvironmentVariableW(name, value, MAX_PATH))
            refused.emplace_back(value);
    }
    for (const std::wstring& folder : refused) {
        if (folder.empty() || !win::IsExistingDirectory(folder))
            continue;
        SCOPED_TRACE(win::Utf8FromWide(folder));
        // Asked here first: a clean that were not refused could reach through the links of
        // the test prefix's profile into the user's own files.
        ASSERT_TRUE(startmenu::IsRefusedClearFolder(folder));
        EXPECT_EQ(RunClear(folder), 2u);
    }
    for (const Bait& bait : baits)
        EXPECT_TRUE(bait.Untouched()) << win::Utf8FromWide(bait.Folder());

    // The folders clear mode is for are not refused.
    EXPECT_FALSE(startmenu::IsRefusedClearFolder(root.Path()));
    EXPECT_FALSE(startmenu::IsRefusedClearFolder(PrefixFolder(CSIDL_PROGRAMS)));
    EXPECT_FALSE(startmenu::IsRefusedClearFolder(PrefixFolder(CSIDL_COMMON_PROGRAMS)));
    EXPECT_FALSE(startmenu::IsRefusedClearFolder(programFiles + L"\\Common Files"));
}

// Names Win32 would change are cleaned as themselves; while another instance changes the
// Start Menu, a clear run touches nothing and says so in its exit code.
TEST_F(ClearModeTest, ClearRunReachesEveryNameAndWaitsForTheOtherWriter) {
    for (const wchar_t* folder : {L"Vendor Tools...", L"Spaced ", L"LPT1", L"Kept."})
        MakeDir(root / folder);
    for (const wchar_t* link : {L"Vendor Tools...\\Old.lnk", L"Spaced \\Old.lnk", L"CON.lnk"})
        MakeDeadShortcut(root / link, programs / L"old.exe");
    for (const wchar_t* link : {L"Kept.\\Live.lnk", L"nul.lnk"})
        MakeShortcut(root / link, LiveTarget(L"live.exe"));
    {
        auto other = product::WriterLock::Take(L"testing");
        ASSERT_TRUE(other);
        EXPECT_EQ(RunClear(root.Path()), 4u);
        EXPECT_EQ(ListNames(root.Path()).size(), 6u) << "nothing touched";
    }
    EXPECT_EQ(RunClear(root.Path()), 0u);
    EXPECT_EQ(ListNames(root.Path()), (std::vector<std::wstring>{L"Kept.", L"nul.lnk"}));
    EXPECT_TRUE(Exists(root / L"Kept.\\Live.lnk"));
}
