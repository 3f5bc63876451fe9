#include <gtest/gtest.h>

#include <algorithm>

#include "Fixtures.h"
#include "startmenu/model/StartMenuScan.h"
#include "win/FileSystem.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;

namespace {

// A Start Menu laid out as the system lays it out: a Programs folder for all users and one
// for the user, each with its Startup folder inside.
class ScanTest : public ::testing::Test {
protected:
    TempFolder menu{L"scan"};
    TestFolderSource source;
    FolderLocations locations;
    EntryList list;

    void SetUp() override {
        MakeDir(menu / L"All Users");
        MakeDir(menu / L"All Users\\Start Menu");
        MakeDir(menu / L"User");
        MakeDir(menu / L"User\\Start Menu");
        source.commonPrograms = menu / L"All Users\\Start Menu\\Programs";
        source.userPrograms = menu / L"User\\Start Menu\\Programs";
        source.commonStartup = source.commonPrograms + L"\\StartUp";
        source.userStartup = source.userPrograms + L"\\Startup";
        for (auto* dir : {&source.commonPrograms, &source.userPrograms, &source.commonStartup,
                          &source.userStartup})
            MakeDir(*dir);
    }

    std::wstring Common(const std::wstring& name) const {
        return source.commonPrograms + L"\\" + name;
    }
    std::wstring User(const std::wstring& name) const { return source.userPrograms + L"\\" + name; }

    void Scan() { ScanProgramsFolders(list, source, locations); }

    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (EntryNode* n = list.First(); n; n = n->NextSibling())
            names.push_back(n->Name());
        return names;
    }

    const EntryNode* Named(const std::wstring& name) const {
        for (EntryNode* n = list.First(); n; n = n->NextSibling())
            if (n->Name() == name)
                return n;
        return nullptr;
    }

    // The order the file system lists a folder in, which the scan keeps.
    static std::vector<std::wstring> ListingOrder(const std::wstring& folder) {
        std::vector<std::wstring> names;
        win::ForEachFile(folder + L"\\*.*",
                         [&](const WIN32_FIND_DATAW& d) { names.emplace_back(d.cFileName); });
        return names;
    }
};

} // namespace

TEST_F(ScanTest, CommonItemsComeFirstThenUserOnlyItemsInListingOrder) {
    MakeShortcut(Common(L"Writer.lnk"), source.commonPrograms);
    MakeDir(Common(L"Tools"));
    MakeShortcut(User(L"Abacus.lnk"), source.userPrograms);
    MakeDir(User(L"Zoo"));
    Scan();

    std::vector<std::wstring> expected;
    for (const auto& name : ListingOrder(source.commonPrograms))
        if (name != L"StartUp")
            expected.push_back(name);
    for (const auto& name : ListingOrder(source.userPrograms))
        if (name != L"Startup")
            expected.push_back(name);
    EXPECT_EQ(Names(), expected);
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(list.First()->Entry().Origin, OriginCommon);

    const EntryNode* abacus = Named(L"Abacus.lnk");
    ASSERT_TRUE(abacus);
    EXPECT_EQ(abacus->Entry().Path, User(L"Abacus.lnk"));
    EXPECT_EQ(abacus->Entry().Origin, OriginUser);
    EXPECT_EQ(abacus->Entry().Category, CategoryNone);
    EXPECT_EQ(abacus->Entry().Status, 0);
    EXPECT_EQ(locations.CommonProgramsDir, source.commonPrograms);
    EXPECT_EQ(locations.UserProgramsDir, source.userPrograms);
    EXPECT_EQ(locations.CommonStartupDir, win::LowerFileName(source.commonStartup));
}

TEST_F(ScanTest, NamesakesMergeIntoOneEntryWithTheCommonPath) {
    MakeDir(Common(L"Games"));
    MakeDir(User(L"GAMES"));
    MakeShortcut(Common(L"Office.lnk"), source.commonPrograms);
    MakeDir(User(L"Office"));
    Scan();

    const EntryNode* games = Named(L"Games");
    ASSERT_TRUE(games);
    EXPECT_EQ(games->Entry().Origin, OriginBoth);
    EXPECT_EQ(games->Entry().Path, Common(L"Games"));
    EXPECT_FALSE(Named(L"GAMES"));
    // A shortcut and a folder of the same stem are different items.
    EXPECT_EQ(Named(L"Office.lnk")->Entry().Origin, OriginCommon);
    EXPECT_EQ(Named(L"Office")->Entry().Origin, OriginUser);
    EXPECT_EQ(list.Count(), 3u);
}

TEST_F(ScanTest, NonAsciiCaseDifferencesDoNotMerge) {
    MakeDir(Common(L"\u00c9diteurs"));
    MakeDir(User(L"\u00e9diteurs"));
    MakeDir(User(L"\u30b2\u30fc\u30e0"));
    Scan();
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(Named(L"\u00c9diteurs")->Entry().Origin, OriginCommon);
    EXPECT_EQ(Named(L"\u00e9diteurs")->Entry().Origin, OriginUser);
    EXPECT_EQ(Named(L"\u30b2\u30fc\u30e0")->Entry().Path, User(L"\u30b2\u30fc\u30e0"));
}

TEST_F(ScanTest, IniFilesAndStartupFoldersStayOutHiddenItemsComeIn) {
    MakeFile(Common(L"desktop.ini"));
    SetFileAttributesW(Common(L"desktop.ini").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(User(L"Setup.INI"));
    MakeShortcut(Common(L"Secret.lnk"), source.commonPrograms);
    SetFileAttributesW(Common(L"Secret.lnk").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeDir(Common(L"Start Menu")); // its name occurs in the Startup path, so it goes too
    MakeDir(User(L"Notes.ini.d"));
    Scan();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Secret.lnk", L"Notes.ini.d"}));
}

TEST_F(ScanTest, WithoutACommonStartupPathNothingIsLeftOutByIt) {
    source.commonStartup.clear();
    Scan();
    // The folder named StartUp that the system no longer calls its Startup folder comes in;
    // the user's Startup folder stays out as the folder it is.
    const EntryNode* startup = Named(L"StartUp");
    ASSERT_TRUE(startup);
    EXPECT_EQ(startup->Entry().Origin, OriginCommon);
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_TRUE(locations.CommonStartupDir.empty());
}

TEST_F(ScanTest, MissingOrUnresolvedProgramsFoldersContributeNothing) {
    MakeShortcut(User(L"Only.lnk"), source.userPrograms);
    source.commonPrograms = menu / L"does not exist";
    Scan();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Only.lnk"}));

    EntryList other;
    TestFolderSource nothing;
    FolderLocations empty;
    ScanProgramsFolders(other, nothing, empty);
    EXPECT_EQ(other.Count(), 0u);
    EXPECT_TRUE(empty.CommonProgramsDir.empty());
}

TEST_F(ScanTest, SystemFolderSourceGivesThePrefixShellFolders) {
    SystemFolderSource system;
    std::wstring programs = system.ShellFolder(CSIDL_PROGRAMS);
    EXPECT_TRUE(win::IsExistingDirectory(programs));
    EXPECT_NE(programs, system.ShellFolder(CSIDL_COMMON_PROGRAMS));
    std::wstring exeDir = system.ExecutableDir();
    ASSERT_FALSE(exeDir.empty());
    EXPECT_EQ(exeDir.back(), L'\\');
    EXPECT_TRUE(win::IsExistingFile(exeDir + L"win_tests.exe"));
}

// The Startup folders are never offered for sorting: a Startup folder moved into a category
// no longer starts its programs with Windows. Each is known as the folder it is, whatever
// its name, however its location is spelled, and whatever state the other one is in.
TEST_F(ScanTest, NeitherStartupFolderIsOfferedWhateverTheOthersState) {
    MakeShortcut(Common(L"Writer.lnk"), source.commonPrograms);
    MakeShortcut(User(L"Abacus.lnk"), source.userPrograms);
    auto scanNames = [&] {
        EntryList scanned;
        FolderLocations found;
        ScanProgramsFolders(scanned, source, found);
        std::vector<std::wstring> names;
        for (EntryNode* n = scanned.First(); n; n = n->NextSibling())
            names.push_back(n->Name());
        return names;
    };
    const std::vector<std::wstring> both = {L"Writer.lnk", L"Abacus.lnk"};
    const std::wstring commonStartup = source.commonStartup;

    // The all-users Startup folder is missing, so the system gives no path for it.
    ASSERT_TRUE(RemoveDirectoryW(commonStartup.c_str()));
    source.commonStartup.clear();
    EXPECT_EQ(scanNames(), both) << "all-users Startup missing";

    // The all-users Programs folder cannot be read.
    source.commonPrograms = menu / L"unreadable";
    EXPECT_EQ(scanNames(), (std::vector<std::wstring>{L"Abacus.lnk"}))
        << "all-users Programs unreadable";
    source.commonPrograms = menu / L"All Users\\Start Menu\\Programs";
    MakeDir(commonStartup);
    source.commonStartup = commonStartup;

    // The user's Startup folder under its name in the user's language.
    std::wstring autostart = User(L"Autostart");
    ASSERT_TRUE(MoveFileW(source.userStartup.c_str(), autostart.c_str()));
    source.userStartup = autostart;
    EXPECT_EQ(scanNames(), both) << "user's Startup under another name";

    // Its location spelled as the system may spell it.
    std::vector<std::wstring> spellings = {autostart + L"\\", autostart + L"\\.\\",
                                           autostart + L"\\..\\Autostart"};
    std::wstring slashes = autostart;
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    spellings.push_back(slashes);
    wchar_t shortName[MAX_PATH];
    if (GetShortPathNameW(autostart.c_str(), shortName, MAX_PATH) && autostart != shortName)
        spellings.push_back(shortName);
    for (const std::wstring& spelling : spellings) {
        source.userStartup = spelling;
        EXPECT_EQ(scanNames(), both) << win::Utf8FromWide(spelling);
    }

    // The all-users Startup folder under a name that its path, in short form, does not show.
    std::wstring demarrage = Common(L"D\u00e9marrage automatique");
    ASSERT_TRUE(MoveFileW(commonStartup.c_str(), demarrage.c_str()));
    if (GetShortPathNameW(demarrage.c_str(), shortName, MAX_PATH) && demarrage != shortName) {
        source.commonStartup = shortName;
        EXPECT_EQ(scanNames(), both) << "all-users Startup given by its short name";
    }
}
