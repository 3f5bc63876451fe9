#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "Fixtures.h"
#include "startmenu/model/Categories.h"
#include "startmenu/processing/Processing.h"
#include "startmenu/model/StartMenuScan.h"
#include "win/Application.h"
#include "win/Handles.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;

namespace {

constexpr int kOffice = 0, kUtilities = 1, kGames = 2, kInternet = 4;

std::string Content(const std::wstring& path) {
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        file.Release();
        return "<missing>";
    }
    char buffer[256];
    DWORD read = 0;
    ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr);
    return std::string(buffer, read);
}

// Held open the way another program holds a file it is using.
win::KernelHandle HoldOpen(const std::wstring& path) {
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    EXPECT_NE(file.Get(), INVALID_HANDLE_VALUE);
    return file;
}

bool IsDirectory(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using Names = std::vector<std::wstring>;

// Both Programs folders of a Start Menu in the test prefix, scanned as the main window
// scans them; the tests assign categories as the user would and process.
class ProcessingTest : public ::testing::Test {
protected:
    TempFolder menu{L"proc"};
    TempFolder store{L"store"}; // where runs keep their journals
    TestFolderSource source;
    FolderLocations folders;
    EntryList list;
    std::vector<std::wstring> categories = DefaultCategoryNames();
    ScriptedPrompt prompt;
    win::ScopedPrompt scopedPrompt{prompt};

    void SetUp() override {
        win::Application::SetTitle(L"Marlowen");
        MakeDir(menu / L"All Users");
        MakeDir(menu / L"Me");
        source.commonPrograms = menu / L"All Users\\Programs";
        source.userPrograms = menu / L"Me\\Programs";
        MakeDir(source.commonPrograms);
        MakeDir(source.userPrograms);
    }

    std::wstring Common(const std::wstring& name) const {
        return source.commonPrograms + L"\\" + name;
    }
    std::wstring User(const std::wstring& name) const { return source.userPrograms + L"\\" + name; }

    void Scan() {
        ScanProgramsFolders(list, source, folders);
        folders.BackupRootDir = store.Path();
    }

    EntryNode& Top(const std::wstring& name) {
        EntryNode* node = FindSiblingByName(list.First(), name, true);
        if (!node)
            throw std::runtime_error("no top-level entry " + win::Utf8FromWide(name));
        return *node;
    }

    void Assign(const std::wstring& name, int category) { Top(name).Entry().Category = category; }

    // Loads a folder's item as the category tree does when the user opens the folder: the
    // path as read, the folder's category, Origin by the folder it was read from.
    EntryNode& Child(EntryNode& folder, const std::wstring& name, int category,
                     std::uint8_t origin) {
        EntryNode& child = folder.AppendChild(
            name, {folder.Entry().Path + L"\\" + name, folder.Entry().Category, origin, 0});
        child.Entry().Category = category;
        return child;
    }

    MoveReport report;
    void Process() { report = MoveEntries(list.First(), folders, categories); }

    void ExpectFailures(size_t count) {
        ASSERT_EQ(report.failures.size(), count);
        EXPECT_EQ(report.moved == report.assigned, count == 0) << "a failed item is not counted";
        EXPECT_TRUE(prompt.shown.empty()) << "the caller shows the report";
    }

    static bool Mentions(const MoveFailure& failure, const std::wstring& text) {
        return (failure.item + L" to " + failure.targetFolder + L": " + failure.reason)
                   .find(text) != std::wstring::npos;
    }
};

} // namespace

TEST_F(ProcessingTest, ItemGoesIntoTheCategoryFolderOfEachProgramsFolderItLiesIn) {
    MakeShortcut(User(L"Chess.lnk"), L"C:\\windows\\notepad.exe");
    MakeFile(Common(L"Editor.lnk"), "common editor");
    MakeFile(User(L"Editor.lnk"), "user editor");
    MakeFile(Common(L"Viewer.lnk"), "viewer");
    Scan();
    Assign(L"Chess.lnk", kGames);
    Assign(L"Editor.lnk", kOffice);
    Assign(L"Viewer.lnk", kGames);

    Process();
    EXPECT_EQ(ListNames(User(L"Games")), Names{L"Chess.lnk"});
    EXPECT_EQ(ListNames(Common(L"Games")), Names{L"Viewer.lnk"})
        << "a user's item makes no folder for all users";
    EXPECT_EQ(Content(Common(L"Office\\Editor.lnk")), "common editor");
    EXPECT_EQ(Content(User(L"Office\\Editor.lnk")), "user editor");
    EXPECT_EQ(ListNames(source.commonPrograms), (Names{L"Games", L"Office"}));
    EXPECT_EQ(ListNames(source.userPrograms), (Names{L"Games", L"Office"}));
    EXPECT_TRUE(report.failures.empty());
}

TEST_F(ProcessingTest, ExistingCategoryFolderIsFilledAndNamesakesAreReplaced) {
    MakeDir(Common(L"Games"));
    MakeFile(Common(L"Games\\Old.lnk"), "old game");
    MakeFile(Common(L"Games\\Chess.lnk"), "old chess");
    SetFileAttributesW(Common(L"Games\\Chess.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFile(Common(L"Chess.lnk"), "new chess");
    // A folder whose namesake is there already is merged into it, level by level.
    MakeDir(Common(L"Games\\Suite"));
    MakeFile(Common(L"Games\\Suite\\Kept.lnk"), "kept");
    MakeFile(Common(L"Games\\Suite\\Shared.lnk"), "old shared");
    MakeDir(Common(L"Games\\Suite\\Help"));
    MakeFile(Common(L"Games\\Suite\\Help\\Old.txt"), "old help");
    MakeDir(Common(L"Suite"));
    MakeFile(Common(L"Suite\\Shared.lnk"), "new shared");
    MakeFile(Common(L"Suite\\Extra.lnk"), "extra");
    MakeDir(Common(L"Suite\\Help"));
    MakeFile(Common(L"Suite\\Help\\New.txt"), "new help");
    MakeDir(Common(L"Suite\\Samples"));
    MakeFile(Common(L"Suite\\Samples\\One.txt"), "one");
    Scan();
    Assign(L"Chess.lnk", kGames);
    Assign(L"Suite", kGames);

    Process();
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(ListNames(source.commonPrograms), Names{L"Games"});
    EXPECT_EQ(ListNames(Common(L"Games")), (Names{L"Chess.lnk", L"Old.lnk", L"Suite"}));
    EXPECT_EQ(Content(Common(L"Games\\Chess.lnk")), "new chess");
    EXPECT_EQ(ListNames(Common(L"Games\\Suite")),
              (Names{L"Extra.lnk", L"Help", L"Kept.lnk", L"Samples", L"Shared.lnk"}));
    EXPECT_EQ(Content(Common(L"Games\\Suite\\Shared.lnk")), "new shared");
    EXPECT_EQ(ListNames(Common(L"Games\\Suite\\Help")), (Names{L"New.txt", L"Old.txt"}));
    EXPECT_EQ(Content(Common(L"Games\\Suite\\Samples\\One.txt")), "one");
}

TEST_F(ProcessingTest, OnlyUncategorisedFoldersAreEntered) {
    MakeDir(Common(L"Tools"));
    MakeFile(Common(L"Tools\\Browser.lnk"));
    MakeFile(Common(L"Tools\\Calc.lnk"));
    MakeFile(Common(L"Tools\\Root.lnk"));
    MakeDir(Common(L"Pack"));
    MakeFile(Common(L"Pack\\Helper.lnk"));
    MakeFile(Common(L"Pack\\Mail.lnk"));
    Scan();
    EntryNode& tools = Top(L"Tools");
    Child(tools, L"Browser.lnk", kInternet, OriginCommon);
    Child(tools, L"Calc.lnk", CategoryNone, OriginCommon);
    Child(tools, L"Root.lnk", MoveToRootCategory, OriginCommon);
    EntryNode& pack = Top(L"Pack");
    pack.Entry().Category = kOffice;
    // Whatever was set inside a folder that moves as a whole has no effect.
    Child(pack, L"Helper.lnk", MoveToRootCategory, OriginCommon);
    Child(pack, L"Mail.lnk", kInternet, OriginCommon);

    Process();
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(ListNames(source.commonPrograms),
              (Names{L"Internet", L"Office", L"Root.lnk", L"Tools"}));
    EXPECT_EQ(ListNames(Common(L"Tools")), Names{L"Calc.lnk"});
    EXPECT_EQ(ListNames(Common(L"Internet")), Names{L"Browser.lnk"});
    EXPECT_EQ(ListNames(Common(L"Office\\Pack")), (Names{L"Helper.lnk", L"Mail.lnk"}));
}

TEST_F(ProcessingTest, FolderInBothProgramsFoldersIsWorkedInEach) {
    MakeDir(Common(L"Suite"));
    MakeFile(Common(L"Suite\\Tool.lnk"), "common tool");
    MakeFile(Common(L"Suite\\Manual.lnk"), "common manual");
    MakeDir(User(L"Suite"));
    MakeFile(User(L"Suite\\Tool.lnk"), "user tool");
    MakeFile(User(L"Suite\\Mine.lnk"), "mine");
    Scan();
    EntryNode& suite = Top(L"Suite");
    ASSERT_EQ(suite.Entry().Origin, OriginBoth);
    // Read from the all-users copy, found in the user's copy too.
    Child(suite, L"Tool.lnk", kUtilities, OriginBoth);
    Child(suite, L"Manual.lnk", MoveToRootCategory, OriginCommon);
    // Read from the user's copy only.
    suite.AppendChild(L"Mine.lnk", {User(L"Suite\\Mine.lnk"), kGames, OriginUser, 0});

    Process();
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(Content(Common(L"Utilities\\Tool.lnk")), "common tool");
    EXPECT_EQ(Content(User(L"Utilities\\Tool.lnk")), "user tool");
    EXPECT_EQ(Content(Common(L"Manual.lnk")), "common manual");
    EXPECT_EQ(Content(User(L"Games\\Mine.lnk")), "mine");
    EXPECT_TRUE(ListNames(Common(L"Suite")).empty());
    EXPECT_TRUE(ListNames(User(L"Suite")).empty());
    EXPECT_FALSE(Exists(Common(L"Games")));
    EXPECT_FALSE(Exists(User(L"Manual.lnk")));
}

TEST_F(ProcessingTest, NothingCategorisedMovesNothing) {
    MakeDir(Common(L"Tools"));
    MakeFile(Common(L"Tools\\Calc.lnk"));
    MakeFile(Common(L"Editor.lnk"));
    MakeFile(User(L"Editor.lnk"));
    MakeFile(User(L"Chess.lnk"));
    Scan();
    Child(Top(L"Tools"), L"Calc.lnk", CategoryNone, OriginCommon);

    Process();
    EXPECT_EQ(ListNames(source.commonPrograms), (Names{L"Editor.lnk", L"Tools"}));
    EXPECT_EQ(ListNames(Common(L"Tools")), Names{L"Calc.lnk"});
    EXPECT_EQ(ListNames(source.userPrograms), (Names{L"Chess.lnk", L"Editor.lnk"}));
    EXPECT_TRUE(report.failures.empty());
}

TEST_F(ProcessingTest, UnknownProgramsFolderIsLeftAlone) {
    MakeFile(Common(L"Editor.lnk"));
    MakeFile(User(L"Editor.lnk"));
    MakeFile(User(L"Chess.lnk"));
    Scan();
    Assign(L"Editor.lnk", kOffice);
    Assign(L"Chess.lnk", kGames);
    folders.UserProgramsDir.clear();

    Process();
    EXPECT_EQ(ListNames(Common(L"Office")), Names{L"Editor.lnk"});
    EXPECT_EQ(ListNames(source.userPrograms), (Names{L"Chess.lnk", L"Editor.lnk"}));
    EXPECT_TRUE(report.failures.empty());
}

TEST_F(ProcessingTest, FileInThePlaceOfACategoryFolderIsNamedAndTheRestGoesOn) {
    MakeFile(Common(L"Both.lnk"), "common");
    MakeFile(User(L"Both.lnk"), "user");
    MakeFile(User(L"Games"), "a file where the category folder would go");
    MakeFile(User(L"Later.lnk"), "later");
    MakeFile(User(L"Pinball.lnk"), "pinball");
    Scan();
    Assign(L"Both.lnk", kGames);
    Assign(L"Later.lnk", kOffice);
    Assign(L"Pinball.lnk", kGames);

    Process();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(2));
    for (const MoveFailure& failure : report.failures) {
        EXPECT_EQ(failure.targetFolder, User(L"Games"));
        EXPECT_TRUE(Mentions(failure, L"The file \"Games\" in " + source.userPrograms))
            << win::Utf8FromWide(failure.reason);
    }
    EXPECT_EQ(report.failures[0].item, User(L"Both.lnk"));
    EXPECT_EQ(report.failures[1].item, User(L"Pinball.lnk"));
    EXPECT_EQ(Content(Common(L"Games\\Both.lnk")), "common") << "the other folder is done";
    EXPECT_EQ(Content(User(L"Office\\Later.lnk")), "later") << "later items still move";
    EXPECT_EQ(Content(User(L"Both.lnk")), "user");
    EXPECT_EQ(Content(User(L"Games")), "a file where the category folder would go");
    EXPECT_NE(MoveReportCaption(report), L"Programs have been successfully categorized!");
}

// Uninstall.lnk, Readme.lnk and Help.lnk lie in many program folders.
TEST_F(ProcessingTest, ItemsOfOneNameNeverLandOnEachOther) {
    MakeFile(Common(L"Tool.lnk"), "top");
    MakeDir(Common(L"Suite1"));
    MakeFile(Common(L"Suite1\\Tool.lnk"), "suite 1");
    MakeDir(Common(L"Suite1\\Docs"));
    MakeFile(Common(L"Suite1\\Docs\\Guide.txt"), "guide 1");
    MakeDir(Common(L"Suite2"));
    MakeFile(Common(L"Suite2\\Tool.lnk"), "suite 2");
    MakeDir(Common(L"Suite3"));
    MakeFile(Common(L"Suite3\\Help.lnk"), "suite 3 help");
    MakeFile(Common(L"Help.lnk"), "top help");
    MakeDir(Common(L"Docs"));
    MakeFile(Common(L"Docs\\Guide.txt"), "top guide");
    // Already in the category folder before the run: a namesake replaces it, as the shell
    // does, and a numbered name is never taken from it.
    MakeDir(Common(L"Office"));
    MakeFile(Common(L"Office\\Readme.lnk"), "old readme");
    MakeFile(Common(L"Office\\Tool (2).lnk"), "old tool 2");
    MakeFile(Common(L"Readme.lnk"), "new readme");
    Scan();
    Assign(L"Tool.lnk", kOffice);
    Assign(L"Docs", kOffice);
    Assign(L"Readme.lnk", kOffice);
    Child(Top(L"Suite1"), L"Tool.lnk", kOffice, OriginCommon);
    Child(Top(L"Suite1"), L"Docs", kOffice, OriginCommon);
    Child(Top(L"Suite2"), L"Tool.lnk", kOffice, OriginCommon);
    Child(Top(L"Suite3"), L"Help.lnk", MoveToRootCategory, OriginCommon);

    Process();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(0));
    EXPECT_EQ(report.assigned, 7);
    EXPECT_EQ(ListNames(Common(L"Office")),
              (Names{L"Docs", L"Docs (2)", L"Readme.lnk", L"Tool (2).lnk", L"Tool (3).lnk",
                     L"Tool (4).lnk", L"Tool.lnk"}));
    EXPECT_EQ(Content(Common(L"Office\\Readme.lnk")), "new readme");
    EXPECT_EQ(Content(Common(L"Office\\Tool (2).lnk")), "old tool 2");
    std::multiset<std::string> tools, guides;
    for (const wchar_t* name : {L"Tool.lnk", L"Tool (3).lnk", L"Tool (4).lnk"})
        tools.insert(Content(Common(L"Office\\") + name));
    for (const wchar_t* name : {L"Docs", L"Docs (2)"})
        guides.insert(Content(Common(L"Office\\") + name + L"\\Guide.txt"));
    EXPECT_EQ(tools, (std::multiset<std::string>{"top", "suite 1", "suite 2"}));
    EXPECT_EQ(guides, (std::multiset<std::string>{"top guide", "guide 1"}));
    // Moved to the top beside an unrelated item of its name: both stay.
    EXPECT_EQ(Content(Common(L"Help.lnk")), "top help");
    EXPECT_EQ(Content(Common(L"Help (2).lnk")), "suite 3 help");

    ASSERT_EQ(report.renames.size(), 4u);
    std::wstring text = MoveReportText(report);
    for (const wchar_t* name : {L"Tool (3).lnk", L"Tool (4).lnk", L"Docs (2)", L"Help (2).lnk"})
        EXPECT_NE(text.find(L"is now \"" + std::wstring(name) + L"\""), std::wstring::npos)
            << win::Utf8FromWide(text);
    EXPECT_EQ(MoveReportCaption(report), L"Programs have been successfully categorized!");
}

TEST_F(ProcessingTest, FailedMoveIsReportedAndProcessingGoesOn) {
    MakeFile(Common(L"Gone.lnk"));
    MakeDir(Common(L"Vanished"));
    MakeFile(User(L"Kept.lnk"), "kept");
    Scan();
    Assign(L"Gone.lnk", kGames);
    Assign(L"Vanished", kGames);
    Assign(L"Kept.lnk", kGames);
    ASSERT_TRUE(DeleteFileW(Common(L"Gone.lnk").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(Common(L"Vanished").c_str()));

    Process();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(2));
    for (const auto& shown : report.failures)
        EXPECT_TRUE(Mentions(shown, win::SystemErrorText(ERROR_FILE_NOT_FOUND)))
            << win::Utf8FromWide(shown.reason);
    EXPECT_TRUE(Mentions(report.failures[0], Common(L"Gone.lnk")) ||
                Mentions(report.failures[1], Common(L"Gone.lnk")));
    EXPECT_TRUE(Mentions(report.failures[0], Common(L"Vanished")) ||
                Mentions(report.failures[1], Common(L"Vanished")));
    EXPECT_EQ(Content(User(L"Games\\Kept.lnk")), "kept");
}

TEST_F(ProcessingTest, PartlyMergedFolderKeepsWhatCouldNotBeMoved) {
    MakeDir(Common(L"Games"));
    MakeDir(Common(L"Games\\Suite"));
    MakeDir(Common(L"Suite"));
    MakeFile(Common(L"Suite\\Free.lnk"), "free");
    MakeFile(Common(L"Suite\\Busy.lnk"), "busy");
    MakeDir(Common(L"Suite\\Docs"));
    MakeFile(Common(L"Suite\\Docs\\Read.txt"), "read");
    Scan();
    Assign(L"Suite", kGames);
    win::KernelHandle busy = HoldOpen(Common(L"Suite\\Busy.lnk"));

    Process();
    busy.Reset();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(1));
    EXPECT_TRUE(Mentions(report.failures[0], Common(L"Suite\\Busy.lnk")));
    EXPECT_TRUE(Mentions(report.failures[0], win::SystemErrorText(ERROR_SHARING_VIOLATION)));
    EXPECT_EQ(ListNames(Common(L"Suite")), Names{L"Busy.lnk"});
    EXPECT_EQ(Content(Common(L"Suite\\Busy.lnk")), "busy");
    EXPECT_EQ(ListNames(Common(L"Games\\Suite")), (Names{L"Docs", L"Free.lnk"}));
    EXPECT_EQ(Content(Common(L"Games\\Suite\\Docs\\Read.txt")), "read");
}

TEST_F(ProcessingTest, NamesakeInUseIsNeitherReplacedNorLost) {
    MakeDir(Common(L"Games"));
    MakeFile(Common(L"Games\\Chess.lnk"), "old chess");
    MakeFile(Common(L"Chess.lnk"), "new chess");
    Scan();
    Assign(L"Chess.lnk", kGames);
    // Held open by another program, it cannot be set aside for an undo, so it stays.
    win::KernelHandle inUse = HoldOpen(Common(L"Games\\Chess.lnk"));

    Process();
    inUse.Reset();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(1));
    EXPECT_TRUE(Mentions(report.failures[0], Common(L"Chess.lnk")));
    EXPECT_TRUE(Mentions(report.failures[0], win::SystemErrorText(ERROR_SHARING_VIOLATION)))
        << win::Utf8FromWide(report.failures[0].reason);
    EXPECT_FALSE(Mentions(report.failures[0], L"Administrator")) << "rights are not the cause";
    EXPECT_EQ(Content(Common(L"Chess.lnk")), "new chess");
    EXPECT_EQ(Content(Common(L"Games\\Chess.lnk")), "old chess");
}

TEST_F(ProcessingTest, FileAndFolderOfTheSameNameNeverReplaceEachOther) {
    MakeDir(Common(L"Games"));
    MakeDir(Common(L"Games\\Solitaire"));
    MakeFile(Common(L"Games\\Solitaire\\Cards.lnk"), "cards");
    MakeFile(Common(L"Solitaire"), "a file");
    MakeDir(Common(L"Office"));
    MakeFile(Common(L"Office\\Letters"), "another file");
    MakeDir(Common(L"Letters"));
    MakeFile(Common(L"Letters\\Draft.txt"), "draft");
    Scan();
    Assign(L"Solitaire", kGames);
    Assign(L"Letters", kOffice);

    Process();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(2));
    for (const auto& shown : report.failures) {
        EXPECT_TRUE(Mentions(shown, L"of the same name is already there"));
        EXPECT_FALSE(Mentions(shown, L"Administrator")) << "rights have nothing to do with it";
    }
    EXPECT_EQ(Content(Common(L"Solitaire")), "a file");
    EXPECT_EQ(Content(Common(L"Games\\Solitaire\\Cards.lnk")), "cards");
    EXPECT_EQ(Content(Common(L"Letters\\Draft.txt")), "draft");
    EXPECT_EQ(Content(Common(L"Office\\Letters")), "another file");
}

TEST_F(ProcessingTest, CategoryFolderAssignedToItselfStaysWhole) {
    MakeDir(Common(L"Games"));
    MakeFile(Common(L"Games\\Chess.lnk"), "chess");
    MakeDir(Common(L"Games\\Games"));
    MakeFile(Common(L"Games\\Games\\Go.lnk"), "go");
    MakeDir(User(L"Games"));
    MakeFile(User(L"Games\\Mine.lnk"), "mine");
    Scan();
    // With category folders shown, the user can put a category folder into its category.
    Assign(L"Games", kGames);

    Process();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(2));
    EXPECT_TRUE(Mentions(report.failures[0], Common(L"Games")));
    EXPECT_TRUE(Mentions(report.failures[1], User(L"Games")));
    EXPECT_EQ(ListNames(Common(L"Games")), (Names{L"Chess.lnk", L"Games"}));
    EXPECT_EQ(ListNames(Common(L"Games\\Games")), Names{L"Go.lnk"});
    EXPECT_EQ(ListNames(User(L"Games")), Names{L"Mine.lnk"});
}

TEST_F(ProcessingTest, ItemAlreadyInItsCategoryFolderStaysPut) {
    MakeDir(Common(L"Games"));
    MakeFile(Common(L"Games\\Chess.lnk"), "chess");
    MakeDir(Common(L"Games\\Classics"));
    MakeFile(Common(L"Games\\Classics\\Go.lnk"), "go");
    Scan();
    Child(Top(L"Games"), L"Chess.lnk", kGames, OriginCommon);
    Child(Top(L"Games"), L"Classics", kGames, OriginCommon);

    Process();
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(ListNames(Common(L"Games")), (Names{L"Chess.lnk", L"Classics"}));
    EXPECT_EQ(Content(Common(L"Games\\Chess.lnk")), "chess");
    EXPECT_EQ(Content(Common(L"Games\\Classics\\Go.lnk")), "go");
}

TEST_F(ProcessingTest, NamesOutsideTheAnsiCodePage) {
    categories = {L"\u0418\u0433\u0440\u044b", L"\u30c4\u30fc\u30eb"}; // Игры, ツール
    const std::wstring chess = L"\u0428\u0430\u0445\u043c\u0430\u0442\u044b.lnk";
    const std::wstring suite = L"\u03a0\u03b1\u03b9\u03c7\u03bd\u03af\u03b4\u03b9\u03b1";
    MakeShortcut(Common(chess), L"C:\\windows\\notepad.exe");
    MakeDir(Common(suite));
    MakeFile(Common(suite + L"\\\u00e9t\u00e9.lnk"), "new");
    MakeDir(User(categories[1]));
    MakeDir(User(categories[1] + L"\\" + suite));
    MakeFile(User(categories[1] + L"\\" + suite + L"\\\u00e9t\u00e9.lnk"), "old");
    MakeDir(User(suite));
    MakeFile(User(suite + L"\\\u00e9t\u00e9.lnk"), "new");
    Scan();
    Assign(chess, 0);
    Assign(suite, 1);

    Process();
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(ListNames(source.commonPrograms), (Names{categories[0], categories[1]}));
    EXPECT_EQ(ListNames(Common(categories[0])), Names{chess});
    EXPECT_TRUE(IsDirectory(Common(categories[1] + L"\\" + suite)));
    EXPECT_EQ(Content(User(categories[1] + L"\\" + suite + L"\\\u00e9t\u00e9.lnk")), "new");
    EXPECT_EQ(ListNames(source.userPrograms), Names{categories[1]});
}

TEST_F(ProcessingTest, LinkedFolderIsNeverEmptiedIntoItsNamesake) {
    TempFolder elsewhere{L"elsewhere"};
    MakeFile(elsewhere / L"Data.txt", "data");
    MakeDir(Common(L"Games"));
    MakeDir(Common(L"Games\\Linked"));
    // Wine 8 answers TRUE and makes nothing.
    if (!CreateSymbolicLinkW(Common(L"Linked").c_str(), elsewhere.Path().c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY) ||
        !IsDirectory(Common(L"Linked")))
        GTEST_SKIP() << "this system cannot make directory links";
    Scan();
    Assign(L"Linked", kGames);

    Process();
    ASSERT_NO_FATAL_FAILURE(ExpectFailures(1));
    EXPECT_TRUE(Mentions(report.failures[0], Common(L"Linked")));
    EXPECT_EQ(ListNames(elsewhere.Path()), Names{L"Data.txt"});
    EXPECT_TRUE(ListNames(Common(L"Games\\Linked")).empty());
}
