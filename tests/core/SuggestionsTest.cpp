// The rules around suggestions: names compared in one form, lessons kept within bounds,
// and a click that changes only what the user has not chosen and undoes only its own.
#include <gtest/gtest.h>

#include "startmenu/suggestions/Suggestions.h"
#include "startmenu/suggestions/SuggestionName.h"

using namespace startmenu;

namespace {

constexpr int kOffice = 0, kUtilities = 1, kGames = 2, kInternet = 4, kProgramming = 5,
              kGraphics = 6, kSecurity = 7;

ItemEvidence Shortcut(const std::wstring& name) {
    ItemEvidence item;
    item.name = name;
    return item;
}

ItemEvidence Folder(const std::wstring& name, std::vector<std::wstring> contents) {
    ItemEvidence item;
    item.name = name;
    item.isFolder = true;
    item.contents = std::move(contents);
    return item;
}

} // namespace

TEST(SuggestionName, VersionsEditionsAndPunctuationDoNotChangeTheName) {
    EXPECT_EQ(NormalizedName(L"Python 3.11 (64-bit)"), L"python");
    EXPECT_EQ(NormalizedName(L"7-Zip"), L"7 zip");
    EXPECT_EQ(NormalizedName(L"Notepad++"), L"notepad++");
    EXPECT_EQ(NormalizedName(L"PotPlayer 64 bit"), L"potplayer");
    EXPECT_EQ(NormalizedName(L"Microsoft® Word™ 2010"), L"microsoft word");
    EXPECT_EQ(NormalizedName(L"GIMP 2.10.34"), L"gimp");
    EXPECT_EQ(NormalizedName(L"Zubehör"), L"zubehör");
    EXPECT_EQ(NormalizedName(L"2048"), L"2048");
    EXPECT_EQ(NormalizedName(L"((("), L"");
}

TEST(SuggestionRules, EvidenceFromNameFolderContentsTargetAndTheUsersLessons) {
    LearnedChoices none;
    // The table, with vendors, versions and editions around the known name.
    EXPECT_EQ(SuggestCategory(Shortcut(L"Mozilla Firefox.lnk"), none), kInternet);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Adobe Photoshop CS6 (64 Bit).lnk"), none), kGraphics);
    // A vendor folder the table does not know, judged by the programs inside; the
    // uninstaller and the web link inside say nothing.
    EXPECT_EQ(SuggestCategory(Folder(L"Zylom", {L"Zuma Deluxe.lnk", L"Mahjong Titans.lnk",
                                                L"Uninstall.lnk", L"Zylom on the Web.url"}),
                              none),
              kGames);
    // Inside programs that disagree, or only readme and help: no suggestion.
    EXPECT_EQ(SuggestCategory(Folder(L"Qwertz Soft", {L"Steam.lnk", L"Word.lnk"}), none), -1);
    EXPECT_EQ(SuggestCategory(Folder(L"Qwertz Soft", {L"Readme.lnk", L"Help.lnk"}), none), -1);
    // Uninstallers, readme files and links at the top are never sorted.
    EXPECT_EQ(SuggestCategory(Shortcut(L"Uninstall Steam.lnk"), none), -1);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Steam Support Center.url"), none), -1);
    // ... unless the word is the program's own name; a game's edition is a hint of its own.
    EXPECT_EQ(SuggestCategory(Shortcut(L"Revo Uninstaller.lnk"), none), kUtilities);
    EXPECT_EQ(SuggestCategory(Shortcut(L"HiBit Uninstaller Portable.lnk"), none), kUtilities);
    EXPECT_EQ(SuggestCategory(Shortcut(L"HiBit Uninstaller Setup.lnk"), none), -1);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Qwertz Mania Deluxe.lnk"), none), kGames);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Qwertz Photo Deluxe.lnk"), none), kGraphics);
    // Windows' own, by name in several languages, or by what the shell says of it.
    EXPECT_EQ(SuggestCategory(Folder(L"Accessories", {L"Paint.lnk"}), none), -1);
    EXPECT_EQ(SuggestCategory(Folder(L"Outils d'administration", {}), none), -1);
    EXPECT_EQ(SuggestCategory(Folder(L"Windows PowerShell", {L"Windows PowerShell.lnk"}), none),
              -1);
    // ... but not another maker's tool named after Windows.
    EXPECT_EQ(SuggestCategory(Shortcut(L"Windows Terminal.lnk"), none), -1);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Windows Update MiniTool.lnk"), none), kUtilities);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Windows Firewall Control Portable.lnk"), none), kSecurity);
    ItemEvidence localized = Folder(L"Spiele", {L"Solitaire.lnk"});
    localized.windowsOwn = IsWindowsOwnResource(L"@%SystemRoot%\\system32\\shell32.dll,-21787");
    EXPECT_EQ(SuggestCategory(localized, none), -1);
    EXPECT_FALSE(IsWindowsOwnResource(L"@C:\\Program Files\\Acme\\acme.dll,-1"));
    // The target's version resource, for a name that says nothing.
    EXPECT_EQ(SuggestCategory(Shortcut(L"Start.lnk"), none), -1);
    EXPECT_EQ(
        SuggestFromTarget({L"C:\\Program Files\\X\\x.exe", L"", L"VLC media player", L"VideoLAN"}),
        3);
    EXPECT_EQ(SuggestFromTarget({L"C:\\Games\\x.exe", L"", L"", L"Valve Corporation"}), kGames);
    EXPECT_EQ(SuggestFromTarget({L"C:\\X\\unins000.exe", L"Setup/Uninstall", L"Steam", L""}), -1);
    // A description's words, a portable build's file name; texts that disagree say nothing.
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\qx.exe", L"Secure shell and SFTP client", L"", L""}),
              kInternet);
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\PuTTYPortable.exe", L"", L"", L""}), kInternet);
    EXPECT_EQ(SuggestCategory(Shortcut(L"SQLiteDatabaseBrowserPortable.lnk"), none), kProgramming);
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\HDTunePortable.exe", L"", L"", L""}), kUtilities);
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\FastStoneCapturePortable.exe", L"", L"", L""}),
              kUtilities);
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\obs64.exe", L"", L"", L""}), 3);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Dism++x64.lnk"), none), kUtilities);
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\i_view32.exe", L"", L"", L""}), 6);
    EXPECT_EQ(SuggestFromTarget({L"C:\\P\\qx.exe", L"Chess game", L"Qwertz Photo Viewer", L""}),
              -1);
    // A folder's programs together: they must agree.
    TargetEvidence chess = {L"C:\\Z\\chess.exe", L"Zylofon Chess", L"", L""};
    TargetEvidence unknown = {L"C:\\Z\\tool.exe", L"", L"", L""};
    TargetEvidence player = {L"C:\\Z\\play.exe", L"Zylofon Player", L"", L""};
    EXPECT_EQ(SuggestFromTargets({chess, chess, unknown}), kGames);
    EXPECT_EQ(SuggestFromTargets({chess, player}), -1);
    EXPECT_EQ(SuggestFromTargets({chess, unknown, unknown}), -1);
    EXPECT_EQ(SuggestFromTargets({}), -1);
    // What the user taught wins over the table, "none" included.
    LearnedChoices learned;
    learned.Remember(NormalizedName(L"Mozilla Firefox"), kOffice);
    learned.Remember(NormalizedName(L"Steam"), -1);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Mozilla Firefox.lnk"), learned), kOffice);
    EXPECT_EQ(SuggestCategory(Shortcut(L"Steam.lnk"), learned), -1);
}

TEST(LearnedChoices, StoredTextRoundTripsStaysBoundedAndSurvivesDamage) {
    LearnedChoices learned;
    for (int i = 0; i < 250; ++i)
        learned.Remember(L"program " + std::to_wstring(i), i % 9);
    learned.Remember(L"program 100", -1); // again: moves to the newest
    learned.Remember(std::wstring(500, L'a'), 1);
    learned.Remember(L"tab\tinside", 1);
    learned.Remember(L"bad category", 12);
    EXPECT_EQ(learned.Count(), LearnedChoices::kMaxEntries);
    int category = 0;
    EXPECT_FALSE(learned.Find(L"program 0", category)); // the oldest went
    LearnedChoices back = LearnedChoices::Parse(learned.Text());
    EXPECT_EQ(back.Count(), learned.Count());
    ASSERT_TRUE(back.Find(L"program 100", category));
    EXPECT_EQ(category, -1);
    ASSERT_TRUE(back.Find(L"program 249", category));
    EXPECT_EQ(category, 249 % 9);
    LearnedChoices damaged = LearnedChoices::Parse(L"x\ty\n7\n\t\n99\tz\n3\tgood\n-5\tq\n4");
    EXPECT_EQ(damaged.Count(), 1u);
    EXPECT_TRUE(damaged.Find(L"good", category));
}

TEST(SuggestionRun, ChangesOnlyWhatTheUserLeftAndUndoesOnlyItsOwn) {
    EntryList list;
    auto add = [&](const std::wstring& name, int category = CategoryNone) -> EntryNode& {
        return list.Append(name, {L"C:\\P\\" + name, category, OriginCommon, 0});
    };
    EntryNode& firefox = add(L"Firefox.lnk");
    EntryNode& steam = add(L"Steam.lnk");
    EntryNode& word = add(L"Word.lnk", kUtilities); // the user's own choice
    EntryNode& gimp = add(L"GIMP 2");
    gimp.SetFolder(true);
    EntryNode& gimpInside = gimp.AppendChild(L"GIMP.lnk", {L"C:\\P\\GIMP 2\\GIMP.lnk"});
    EntryNode& partly = add(L"Suite");
    partly.Entry().Status = StatusPartial;
    EntryNode& inside = add(L"Tools");
    inside.AppendChild(L"Chess.lnk", {L"C:\\P\\Tools\\Chess.lnk", kGames});
    EntryNode& games = add(L"Games");
    EntryNode& unknown = add(L"Qwertz.lnk");

    SuggestionRun run;
    LearnedChoices none;
    SuggestionCount count = SuggestAll(
        list, run, none, [](const EntryNode& n) { return n.Name() == L"Games"; },
        [](const EntryNode& n) {
            ItemEvidence e;
            e.name = n.Name();
            e.isFolder = n.IsFolder();
            return e;
        });
    EXPECT_EQ(count.suggested, 3);
    EXPECT_EQ(count.left, 1); // Qwertz; the user's, partly ticked and category folders do not count
    EXPECT_EQ(firefox.Entry().Category, kInternet);
    EXPECT_EQ(steam.Entry().Category, kGames);
    EXPECT_EQ(gimp.Entry().Category, kGraphics);
    EXPECT_EQ(gimpInside.Entry().Category, kGraphics); // loaded contents go with their folder
    EXPECT_EQ(word.Entry().Category, kUtilities);
    EXPECT_EQ(partly.Entry().Category, CategoryNone);
    EXPECT_EQ(inside.Entry().Category, CategoryNone);
    EXPECT_EQ(games.Entry().Category, CategoryNone);
    EXPECT_EQ(unknown.Entry().Category, CategoryNone);

    // The user moves Steam elsewhere: learned once, and kept by the undo.
    steam.Entry().Category = kOffice;
    std::vector<SuggestionRun::Change> changes = run.TakeUserChanges(list);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].node, &steam);
    EXPECT_EQ(changes[0].category, kOffice);
    EXPECT_TRUE(run.TakeUserChanges(list).empty());
    // Set back to the suggestion by hand, it is still the user's.
    steam.Entry().Category = kGames;
    EXPECT_EQ(run.Undo(list), 2);
    EXPECT_EQ(firefox.Entry().Category, CategoryNone);
    EXPECT_EQ(gimp.Entry().Category, CategoryNone);
    EXPECT_EQ(gimpInside.Entry().Category, CategoryNone);
    EXPECT_EQ(steam.Entry().Category, kGames);
    EXPECT_EQ(word.Entry().Category, kUtilities);
    EXPECT_EQ(run.Count(), 0u);
}
