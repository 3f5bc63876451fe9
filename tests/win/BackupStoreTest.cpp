// The backup store on real folders of the test prefix: copies made, listed and put back.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "BackupTestSupport.h"
#include "backup/BackupStore.h"
#include "product/WriterLock.h"
#include "startmenu/processing/NewItems.h"
#include "win/Com.h"
#include "win/Errors.h"
#include "win/FileIdentity.h"
#include "win/Text.h"

using namespace testing_support;
using namespace backup;

namespace {

class BackupStoreTest : public ::testing::Test {
protected:
    TempFolder place{L"backup"};
    win::ComInit com;
    startmenu::FolderLocations folders;
    std::wstring target;

    void SetUp() override {
        folders.AppDir = place / L"App\\";
        folders.BackupRootDir = folders.AppDir + L"backup";
        folders.UserProgramsDir = place / L"User";
        folders.CommonProgramsDir = place / L"Common";
        for (const std::wstring& folder : {place / L"App", folders.BackupRootDir,
                                           folders.UserProgramsDir, folders.CommonProgramsDir})
            MakeDir(folder);
        target = place / L"program.exe";
        MakeFile(target, "MZ");
    }

    std::wstring Copy(unsigned n) const {
        return folders.BackupRootDir + L"\\backup" + std::to_wstring(n) + L"\\";
    }
    std::wstring Index() const { return folders.AppDir + L"backup.dat"; }
    std::vector<std::wstring> Keys(const std::wstring& section) const {
        std::vector<std::wstring> keys;
        wchar_t buffer[4096] = {};
        DWORD length = GetPrivateProfileSectionW(section.c_str(), buffer, 4096, Index().c_str());
        for (DWORD at = 0; at < length; at += static_cast<DWORD>(wcslen(buffer + at)) + 1)
            keys.push_back(buffer + at);
        return keys;
    }
    Tree User() const { return TreeOf(folders.UserProgramsDir); }
    Tree Common() const { return TreeOf(folders.CommonProgramsDir); }
};

// Sets the user's date and time formats for one test, and puts the earlier ones back.
class ScopedLocaleFormats {
public:
    ScopedLocaleFormats(const wchar_t* shortDate, const wchar_t* timeFormat,
                        const wchar_t* separator) {
        for (LCTYPE type :
             {LCTYPE(LOCALE_SSHORTDATE), LCTYPE(LOCALE_STIMEFORMAT), LCTYPE(LOCALE_STIME)}) {
            wchar_t value[80] = {};
            GetLocaleInfoW(LOCALE_USER_DEFAULT, type, value, 80);
            saved_.push_back({type, value});
        }
        Set(shortDate, timeFormat, separator);
    }
    ~ScopedLocaleFormats() {
        for (const auto& [type, value] : saved_)
            SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value.c_str());
    }
    static void Set(const wchar_t* shortDate, const wchar_t* timeFormat, const wchar_t* separator) {
        EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, shortDate));
        EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, timeFormat));
        EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, separator));
    }

private:
    std::vector<std::pair<LCTYPE, std::wstring>> saved_;
};

std::vector<std::wstring> Texts(const BackupList& list) {
    std::vector<std::wstring> texts;
    for (const BackupListItem& item : list.items)
        texts.push_back(item.text);
    return texts;
}

} // namespace

TEST_F(BackupStoreTest, RestoreGivesBackEveryItemAsItWasBackedUp) {
    MakeRichStartMenu(folders, target);
    Tree user = User(), common = Common();
    ASSERT_EQ(user.size(), 12u);
    ASSERT_EQ(user[L"ReadMe.txt"].attributes, DWORD(FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(user[L"Hidden.lnk"].attributes, DWORD(FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(user[L"Suite\\desktop.ini"].attributes,
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    // Wine keeps no read-only attribute on a folder; Windows does, and the copy keeps it.
    DWORD hiddenFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_EQ(user[L"Kept"].attributes & hiddenFolder, hiddenFolder);
    // Names that another program made and the system's path rules would change.
    std::wstring extended = win::ExtendedLengthPath(folders.UserProgramsDir);
    for (const wchar_t* folder : {L"Vendor Tools...", L"LPT1", L"Trail space "})
        MakeDir(extended + L"\\" + folder);
    for (const wchar_t* file :
         {L"Vendor Tools...\\Tool.lnk", L"Trail dot.lnk.", L"CON.lnk", L"nul.lnk", L"LPT1\\nul"})
        MakeFile(extended + L"\\" + file, win::Utf8FromWide(file));
    user = User();
    ASSERT_EQ(user.size(), 20u);

    BackupResult made = CreateBackup(folders, L"Before sorting", nullptr);
    EXPECT_EQ(made.folder, Copy(1));
    EXPECT_TRUE(made.failures.empty());
    EXPECT_EQ(ListNames(Copy(1)), (std::vector<std::wstring>{L"Common_Programs", L"Programs"}))
        << "a complete copy is not marked";
    EXPECT_EQ(TreeOf(Copy(1) + L"Programs"), user);
    EXPECT_EQ(TreeOf(Copy(1) + L"Common_Programs"), common);
    std::vector<std::wstring> keys = Keys(Copy(1));
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].substr(16), L"=Before sorting");
    EXPECT_EQ(ListNames(folders.AppDir), (std::vector<std::wstring>{L"backup", L"backup.dat"}));

    // The user goes on: deletes, adds, edits and moves items.
    DeleteFileW((folders.UserProgramsDir + L"\\Mail.lnk").c_str());
    SetAttributes(folders.UserProgramsDir + L"\\ReadMe.txt", FILE_ATTRIBUTE_NORMAL);
    MakeFile(folders.UserProgramsDir + L"\\ReadMe.txt", "edited");
    MakeShortcut(folders.UserProgramsDir + L"\\New.lnk", target);
    MoveFileW((folders.UserProgramsDir + L"\\Suite\\Tool.lnk").c_str(),
              (folders.CommonProgramsDir + L"\\Tool.lnk").c_str());
    MakeDir(folders.CommonProgramsDir + L"\\Office");
    MakeShortcut(folders.CommonProgramsDir + L"\\Office\\Writer.lnk", target);
    DeleteFileW((folders.CommonProgramsDir + L"\\Writer.lnk").c_str());
    ASSERT_NE(User(), user);
    Tree changedUser = User(), changedCommon = Common();

    BackupResult second = CreateBackup(folders, L"After sorting", nullptr);
    EXPECT_EQ(second.folder, Copy(2));
    // An entry whose folder was removed by hand; its number is not used for a restore's copy.
    WritePrivateProfileStringW(Copy(3).c_str(), L"01:01:2020:10:00", L"Removed", Index().c_str());

    RestoreResult restored = RestoreFromBackup(folders, Copy(1), L"Before sorting", nullptr);
    EXPECT_EQ(restored.outcome, RestoreOutcome::Restored)
        << win::Utf8FromWide(FailureText(restored.failure));
    EXPECT_EQ(User(), user);
    EXPECT_EQ(Common(), common);
    // What the restore replaced is a listed copy of its own; both copies stay for later.
    EXPECT_EQ(restored.before, Copy(4));
    EXPECT_TRUE(restored.beforeListed);
    EXPECT_EQ(ListNames(folders.BackupRootDir),
              (std::vector<std::wstring>{L"backup1", L"backup2", L"backup4"}));
    EXPECT_EQ(TreeOf(Copy(4) + L"Programs"), changedUser);
    EXPECT_EQ(TreeOf(Copy(4) + L"Common_Programs"), changedCommon);
    keys = Keys(Copy(4));
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].substr(16), L"=Before restoring Before sorting");

    // What a restore brings back is the user's choice: nothing of it is new to a tidy-up.
    startmenu::RecordKnownItems(folders);
    restored = RestoreFromBackup(folders, Copy(2), L"After sorting", nullptr);
    EXPECT_EQ(restored.outcome, RestoreOutcome::Restored)
        << win::Utf8FromWide(FailureText(restored.failure));
    EXPECT_FALSE(Exists(folders.BackupRootDir + L"\\processing\\known.txt"));
    EXPECT_EQ(User(), changedUser);
    EXPECT_EQ(Common(), changedCommon);
    restored = RestoreFromBackup(folders, Copy(1), L"Before sorting", nullptr);
    EXPECT_EQ(restored.outcome, RestoreOutcome::Restored)
        << win::Utf8FromWide(FailureText(restored.failure));
    EXPECT_EQ(User(), user);
}

TEST_F(BackupStoreTest, ListIsNewestFirstInTheUsersFormatsAndANewCopyNumberedAsNoEntry) {
    for (unsigned n : {1u, 2u, 4u}) {
        MakeDir(Copy(n));
        MakeDir(Copy(n) + L"Programs");
        MakeDir(Copy(n) + L"Common_Programs");
    }
    // backup3's folder was removed by hand; its entry is still there. Notes has no date key.
    MakeFile(Index(), "[" + win::Utf8FromWide(Copy(1)) +
                          "]\r\n03:07:2026:09:05=Clean install\r\n"
                          "[" +
                          win::Utf8FromWide(Copy(2)) +
                          "]\r\n12:31:2025:00:00=New year\r\n"
                          "[Notes]\r\nnote=not a backup\r\n"
                          "[" +
                          win::Utf8FromWide(Copy(3)) +
                          "]\r\n01.02.2026.17.45=Removed by hand\r\n"
                          "[" +
                          win::Utf8FromWide(Copy(4)) + "]\r\n02:03:2026:08:30=After games\r\n");
    MakeShortcut(folders.UserProgramsDir + L"\\Mail.lnk", target);

    ScopedLocaleFormats formats(L"MM/dd/yyyy", L"HH:mm:ss", L":");
    BackupList list = ReadBackupList(folders);
    EXPECT_EQ(list.sections.size(), 5u);
    // The entry without a date is named, and the copies on both sides of it are listed.
    EXPECT_EQ(Texts(list),
              (std::vector<std::wstring>{L"02/03/2026 08:30 - After games (backup4)",
                                         L"01/02/2026 17:45 - Removed by hand (backup3)",
                                         L"12/31/2025 - New year (backup2)",
                                         L"03/07/2026 09:05 - Clean install (backup1)"}));
    EXPECT_EQ(list.items[0].section, 4u);
    EXPECT_NE(list.error.find(L"Notes"), std::wstring::npos) << win::Utf8FromWide(list.error);
    EXPECT_NE(list.error.find(Index()), std::wstring::npos);

    // The gap of backup3 is still named by the index: a new copy takes a number no entry
    // names, so that the list shows its own date and description.
    ScopedLocaleFormats::Set(L"dd.MM.yyyy", L"H.mm.ss", L".");
    BackupResult made = CreateBackup(folders, L"   ", nullptr);
    EXPECT_EQ(made.folder, Copy(5));
    EXPECT_EQ(ListNames(Copy(5) + L"Programs"), (std::vector<std::wstring>{L"Mail.lnk"}));
    EXPECT_EQ(Keys(Copy(3)), (std::vector<std::wstring>{L"01.02.2026.17.45=Removed by hand"}));
    std::vector<std::wstring> keys = Keys(Copy(5));
    ASSERT_EQ(keys.size(), 1u);
    // The profile functions drop the spaces around a value; the key is whole.
    ASSERT_GE(keys[0].size(), 17u);
    EXPECT_EQ(keys[0][16], L'=');
    EXPECT_EQ(keys[0][2], L'.');
    EXPECT_EQ(keys[0][13], L'.');
    list = ReadBackupList(folders);
    ASSERT_EQ(list.items.size(), 5u);
    EXPECT_EQ(list.items[0].section, 5u);
    EXPECT_EQ(list.items[1].text, L"03.02.2026 8.30 - After games (backup4)");
    EXPECT_EQ(list.items[2].text, L"02.01.2026 17.45 - Removed by hand (backup3)");
    EXPECT_EQ(CreateBackup(folders, L"Sixth", nullptr).folder, Copy(6));
    list = ReadBackupList(folders);
    ASSERT_EQ(list.items.size(), 6u);
    EXPECT_EQ(list.items[0].section, 6u);
    EXPECT_EQ(list.items[0].text.substr(list.items[0].text.size() - 18), L" - Sixth (backup6)");

    // Without Notes every entry is listed; midnight shows the date alone.
    WritePrivateProfileStringW(L"Notes", nullptr, nullptr, Index().c_str());
    list = ReadBackupList(folders);
    EXPECT_TRUE(list.error.empty());
    ASSERT_EQ(list.items.size(), 6u);
    EXPECT_EQ(list.items[4].text, L"31.12.2025 - New year (backup2)");
    EXPECT_EQ(list.items[5].text, L"07.03.2026 9.05 - Clean install (backup1)");

    // A hostile index of tiny entries: each would be read in a pass over the whole file.
    for (auto [entries, finding] :
         {std::pair{2001, L"2001 entries"}, std::pair{50000, L"larger than 1 MB"}}) {
        std::string text;
        for (int i = 0; i < entries; ++i)
            text += "[C:\\b" + std::to_string(i) + "\\]\r\n01:02:2026:17:45=Hostile\r\n";
        MakeFile(Index(), text);
        list = ReadBackupList(folders);
        EXPECT_TRUE(list.items.empty());
        EXPECT_NE(list.error.find(finding), std::wstring::npos) << win::Utf8FromWide(list.error);
        EXPECT_THROW(CreateBackup(folders, L"More", nullptr), win::AppError);
        EXPECT_FALSE(Exists(Copy(7)));
        EXPECT_TRUE(FileBytes(Index()) == text); // unchanged, and not printed whole
    }
}

TEST_F(BackupStoreTest, ACopyThatCannotBeRestoredFullyIsRefusedWithNothingDeleted) {
    MakeRichStartMenu(folders, target);
    Tree user = User(), common = Common();
    ASSERT_EQ(CreateBackup(folders, L"Good", nullptr).folder, Copy(1));
    MakeDir(Copy(2));
    MakeDir(Copy(2) + L"Programs"); // no Common_Programs
    std::wstring elsewhere = place / L"Elsewhere";
    MakeDir(elsewhere);
    MakeDir(elsewhere + L"\\Programs");
    MakeDir(elsewhere + L"\\Common_Programs");

    struct Case {
        std::wstring folder, says;
    };
    for (const Case& c :
         {Case{Copy(2), L"no \"Common_Programs\" folder"}, Case{Copy(7), L"is missing"},
          Case{elsewhere + L"\\", L"does not lie in the backup folder"},
          Case{Copy(1) + L"..\\..\\..\\Elsewhere\\", L"does not lie"},
          Case{folders.BackupRootDir + L"\\", L"does not lie"}}) {
        try {
            RestoreFromBackup(folders, c.folder, L"Any", nullptr);
            ADD_FAILURE() << "restored from " << win::Utf8FromWide(c.folder);
        } catch (const win::AppError& error) {
            EXPECT_NE(error.Message().find(c.says), std::wstring::npos)
                << win::Utf8FromWide(error.Message());
        }
        EXPECT_EQ(User(), user);
        EXPECT_EQ(Common(), common);
    }
    EXPECT_EQ(ListNames(folders.BackupRootDir),
              (std::vector<std::wstring>{L"backup1", L"backup2"}));

    {
        // Another instance changes the Start Menu: neither a backup nor a restore begins.
        win::KernelHandle taken(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
            done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread other([&] {
            auto lock = product::WriterLock::Take(L"processing of 3 items");
            SetEvent(taken.Get());
            WaitForSingleObject(done.Get(), INFINITE);
        });
        WaitForSingleObject(taken.Get(), INFINITE);
        for (const std::function<void()>& attempt :
             {std::function<void()>([&] { CreateBackup(folders, L"Busy", nullptr); }),
              std::function<void()>(
                  [&] { RestoreFromBackup(folders, Copy(1), L"Good", nullptr); })})
            try {
                attempt();
                ADD_FAILURE() << "went ahead beside another instance";
            } catch (const win::AppError& refused) {
                EXPECT_NE(refused.Message().find(L"changing the Start Menu: processing of 3 items"),
                          std::wstring::npos);
            }
        SetEvent(done.Get());
        other.join();
    }
    EXPECT_EQ(User(), user);
    EXPECT_EQ(Common(), common);

    // A store inside the Start Menu is neither copied into itself nor emptied.
    startmenu::FolderLocations inside = folders;
    inside.CommonProgramsDir = place.Path();
    EXPECT_THROW(CreateBackup(inside, L"Loop", nullptr), win::AppError);
    EXPECT_THROW(RestoreFromBackup(inside, Copy(1), L"Good", nullptr), win::AppError);
    EXPECT_EQ(User(), user);
    EXPECT_EQ(Common(), common);
    EXPECT_EQ(ListNames(folders.BackupRootDir),
              (std::vector<std::wstring>{L"backup1", L"backup2"}));

    // Without an all-users folder only the user's copy is needed and made.
    startmenu::FolderLocations userOnly = folders;
    userOnly.CommonProgramsDir.clear();
    EXPECT_EQ(RestoreFromBackup(userOnly, Copy(2), L"User", nullptr).outcome,
              RestoreOutcome::Restored);
    EXPECT_TRUE(User().empty());
    EXPECT_EQ(Common(), common);
    EXPECT_EQ(ListNames(Copy(3)), (std::vector<std::wstring>{L"Programs"}));
    EXPECT_EQ(TreeOf(Copy(3) + L"Programs"), user);
    EXPECT_EQ(CreateBackup(userOnly, L"User only", nullptr).folder, Copy(4));
    EXPECT_EQ(ListNames(Copy(4)), (std::vector<std::wstring>{L"Programs"}));

    // An installer adds a shortcut while the backup runs: the copy is not what the Start Menu
    // holds, so it is not complete.
    struct Installer : CopyProgress {
        std::wstring late;
        void Copying(const std::wstring& item) override {
            if (late.empty())
                MakeFile(late = item.substr(0, item.rfind(L'\\')) + L"\\Late.lnk", "late");
        }
    } installer;
    BackupResult late = CreateBackup(folders, L"Late", &installer);
    ASSERT_EQ(late.failures.size(), 1u);
    EXPECT_EQ(FailureText(late.failures[0]), installer.late + L" is missing from the copy.");
    EXPECT_TRUE(Exists(late.folder + L"incomplete.txt"));
}

TEST_F(BackupStoreTest, AFailedCopyBackPutsTheEarlierStartMenuBack) {
    MakeRichStartMenu(folders, target);
    ASSERT_EQ(CreateBackup(folders, L"Old", nullptr).folder, Copy(1));
    DeleteFileW((folders.UserProgramsDir + L"\\Mail.lnk").c_str());
    MakeShortcut(folders.UserProgramsDir + L"\\Only now.lnk", target);
    MakeShortcut(folders.CommonProgramsDir + L"\\Also now.lnk", target);
    Tree user = User(), common = Common();
    {
        // A file of the copy that cannot be read halfway through the copy back.
        win::FileHandle held(CreateFileW((Copy(1) + L"Programs\\Suite\\Tool.lnk").c_str(),
                                         GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        RestoreResult result = RestoreFromBackup(folders, Copy(1), L"Old", nullptr);
        EXPECT_EQ(result.outcome, RestoreOutcome::PutBack);
        EXPECT_EQ(result.failure.item, Copy(1) + L"Programs\\Suite\\Tool.lnk");
        EXPECT_EQ(result.failure.error, DWORD(ERROR_SHARING_VIOLATION));
        EXPECT_TRUE(result.before.empty());
    }
    EXPECT_EQ(User(), user);
    EXPECT_EQ(Common(), common);
    EXPECT_EQ(ListNames(folders.BackupRootDir), (std::vector<std::wstring>{L"backup1"}));

    {
        // An item of the Start Menu that cannot be set aside: the restore does not begin.
        win::FileHandle held(CreateFileW((folders.CommonProgramsDir + L"\\Also now.lnk").c_str(),
                                         GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_THROW(RestoreFromBackup(folders, Copy(1), L"Old", nullptr), win::AppError);
        // A backup goes on past it, names it and is marked incomplete.
        BackupResult made = CreateBackup(folders, L"Partial", nullptr);
        ASSERT_EQ(made.failures.size(), 1u);
        EXPECT_EQ(made.failures[0].item, folders.CommonProgramsDir + L"\\Also now.lnk");
        EXPECT_EQ(FailureText(made.failures[0]),
                  folders.CommonProgramsDir + L"\\Also now.lnk is in use by another program.");
        EXPECT_EQ(TreeOf(Copy(2) + L"Programs"), user);
        EXPECT_TRUE(Exists(Copy(2) + L"incomplete.txt"));
    }
    EXPECT_EQ(User(), user);
    EXPECT_EQ(Common(), common);
    EXPECT_EQ(ListNames(folders.BackupRootDir),
              (std::vector<std::wstring>{L"backup1", L"backup2"}));

    {
        // An item another program reads and will not let go: the restore could copy it aside
        // but never remove it, so it does not begin, and says which item.
        std::wstring inUse = folders.UserProgramsDir + L"\\Only now.lnk";
        win::FileHandle held(CreateFileW(inUse.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        try {
            RestoreFromBackup(folders, Copy(1), L"Old", nullptr);
            ADD_FAILURE() << "the restore went ahead";
        } catch (const win::AppError& refused) {
            EXPECT_EQ(refused.Message().rfind(inUse + L" is in use by another program", 0), 0u);
        }
    }
    EXPECT_EQ(User(), user);
    EXPECT_EQ(Common(), common);
    EXPECT_EQ(ListNames(folders.BackupRootDir),
              (std::vector<std::wstring>{L"backup1", L"backup2"}));

    // The copy back and the putting back both fail: what the Start Menu held is kept, and the
    // result says where.
    class LockingProgress : public CopyProgress {
    public:
        void Copying(const std::wstring& item) override {
            if (!locked && item.find(L"\\backup3\\") != std::wstring::npos &&
                item.find(L"Only now.lnk") != std::wstring::npos)
                locked.Reset(
                    CreateFileW(item.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        }
        win::FileHandle locked;
    } progress;
    win::FileHandle held(CreateFileW((Copy(1) + L"Programs\\Suite\\Tool.lnk").c_str(), GENERIC_READ,
                                     0, nullptr, OPEN_EXISTING, 0, nullptr));
    RestoreResult result = RestoreFromBackup(folders, Copy(1), L"Old", &progress);
    EXPECT_TRUE(progress.locked);
    progress.locked.Reset(); // so the comparison can read it
    EXPECT_EQ(result.outcome, RestoreOutcome::Held);
    EXPECT_EQ(result.before, Copy(3));
    EXPECT_TRUE(result.beforeListed) << "it can be restored from the list";
    EXPECT_EQ(TreeOf(result.before + L"Programs"), user);
    EXPECT_EQ(TreeOf(result.before + L"Common_Programs"), common);
}

TEST_F(BackupStoreTest, NamesOutsideTheCodePageSurviveTheIndex) {
    TempFolder other{L"\u0416\u0443\u0440\u043d\u0430\u043b-\u6df1"};
    startmenu::FolderLocations distant = folders;
    distant.AppDir = other.Path() + L"\\";
    distant.BackupRootDir = distant.AppDir + L"backup";
    MakeDir(distant.BackupRootDir);
    MakeShortcut(folders.UserProgramsDir + L"\\\u03a9 Mail.lnk", target);
    Tree user = User();

    const std::wstring description = L"\u041f\u0435\u0440\u0435\u0434 \u2713 \u00e9t\u00e9";
    BackupResult made = CreateBackup(distant, description, nullptr);
    EXPECT_EQ(made.folder, distant.BackupRootDir + L"\\backup1\\");
    BackupList list = ReadBackupList(distant);
    ASSERT_EQ(list.sections, (std::vector<std::wstring>{made.folder}));
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.items[0].description, description);
    EXPECT_NE(list.items[0].text.find(L" - " + description + L" (backup1)"), std::wstring::npos);

    DeleteFileW((folders.UserProgramsDir + L"\\\u03a9 Mail.lnk").c_str());
    EXPECT_EQ(RestoreFromBackup(distant, list.sections[list.items[0].section], description, nullptr)
                  .outcome,
              RestoreOutcome::Restored);
    EXPECT_EQ(User(), user);
}
