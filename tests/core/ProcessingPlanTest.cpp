#include <gtest/gtest.h>

#include <cwctype>
#include <map>

#include "base/Hash.h"
#include "base/RecordLines.h"
#include "startmenu/model/Categories.h"
#include "startmenu/processing/KnownItems.h"
#include "startmenu/processing/MovePlan.h"
#include "startmenu/processing/RunJournal.h"
#include "startmenu/processing/UndoRules.h"

using namespace startmenu;

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

// A disk of folders and files in memory.
class MemoryDisk : public DiskView {
public:
    void Folder(const std::wstring& path) { Add(path, Kind::Folder); }
    void File(const std::wstring& path) { Add(path, Kind::File); }

    Kind KindOf(const std::wstring& path) const override {
        auto found = items_.find(Lower(path));
        return found == items_.end() ? Kind::Missing : found->second.kind;
    }
    std::vector<Child> ChildrenOf(const std::wstring& folder) const override {
        ++listings;
        std::vector<Child> children;
        std::wstring prefix = Lower(folder) + L"\\";
        for (const auto& [key, item] : items_)
            if (key.compare(0, prefix.size(), prefix) == 0 &&
                key.find(L'\\', prefix.size()) == std::wstring::npos)
                children.push_back({item.name, item.kind});
        return children;
    }
    std::wstring Key(const std::wstring& text) const override { return Lower(text); }
    std::wstring CommandKey(const std::wstring& shortcut) const override {
        auto found = commands.find(Lower(shortcut));
        return found == commands.end() ? std::wstring() : found->second;
    }

    mutable int listings = 0;
    std::map<std::wstring, std::wstring> commands; // what each shortcut starts

private:
    struct Item {
        std::wstring name;
        Kind kind;
    };
    void Add(const std::wstring& path, Kind kind) {
        items_[Lower(path)] = {path.substr(path.rfind(L'\\') + 1), kind};
    }
    std::map<std::wstring, Item> items_;
};

struct StepLine {
    StepKind kind;
    std::wstring from, to;
    std::size_t after;
    bool operator==(const StepLine& o) const {
        return kind == o.kind && from == o.from && to == o.to && after == o.after;
    }
};

} // namespace

// Each step is planned on the disk as the steps before it leave it.
TEST(PlanMoves, FollowsWhatEachEarlierStepDoesToTheDisk) {
    MemoryDisk disk;
    const std::wstring p = L"C:\\P", u = L"C:\\U";
    for (const wchar_t* folder : {L"C:\\P", L"C:\\U", L"C:\\P\\Games", L"C:\\P\\Games\\Suite",
                                  L"C:\\P\\Suite", L"C:\\P\\Tools", L"C:\\P\\Other"})
        disk.Folder(folder);
    for (const wchar_t* file :
         {L"C:\\P\\Games\\Chess.lnk", L"C:\\P\\Games\\Suite\\Shared.lnk", L"C:\\P\\Chess.lnk",
          L"C:\\P\\Suite\\Shared.lnk", L"C:\\P\\Suite\\Extra.lnk", L"C:\\P\\Help.lnk",
          L"C:\\P\\Tools\\Help.lnk", L"C:\\P\\Tools\\Calc.lnk", L"C:\\P\\Other\\Calc.lnk",
          L"C:\\P\\Writer.lnk", L"C:\\U\\Writer.lnk", L"C:\\U\\Office"})
        disk.File(file);
    FolderLocations folders;
    folders.CommonProgramsDir = p;
    folders.UserProgramsDir = u;
    const int office = 0, games = 2;

    EntryList list;
    list.Append(L"Writer.lnk", {p + L"\\Writer.lnk", office, OriginBoth, 0});
    list.Append(L"Chess.lnk", {p + L"\\Chess.lnk", games, OriginCommon, 0});
    list.Append(L"Suite", {p + L"\\Suite", games, OriginCommon, 0});
    list.Append(L"Help.lnk", {p + L"\\Help.lnk", office, OriginCommon, 0});
    EntryNode& tools = list.Append(L"Tools", {p + L"\\Tools", CategoryNone, OriginCommon, 0});
    tools.AppendChild(L"Help.lnk", {p + L"\\Tools\\Help.lnk", MoveToRootCategory, 0, 0});
    tools.AppendChild(L"Calc.lnk", {p + L"\\Tools\\Calc.lnk", office, OriginCommon, 0});
    EntryNode& other = list.Append(L"Other", {p + L"\\Other", CategoryNone, OriginCommon, 0});
    other.AppendChild(L"Calc.lnk", {p + L"\\Other\\Calc.lnk", office, OriginCommon, 0});
    // Whatever lies inside a folder that moves as a whole is not looked at.
    list.Append(L"Games", {p + L"\\Games", CategoryNone, OriginCommon, 0});

    MovePlan plan = PlanMoves(list.First(), folders, DefaultCategoryNames(), disk);
    EXPECT_EQ(plan.assigned, 7);
    std::vector<StepLine> steps;
    for (const PlannedStep& step : plan.steps)
        steps.push_back({step.kind, step.from, step.to, step.after});
    const std::wstring officeDir = p + L"\\Office";
    std::vector<StepLine> expected = {
        {StepKind::MakeFolder, officeDir, L"", kNoStep},
        {StepKind::Move, p + L"\\Writer.lnk", officeDir + L"\\Writer.lnk", 0},
        {StepKind::Replace, p + L"\\Chess.lnk", p + L"\\Games\\Chess.lnk", kNoStep},
        // Merged item by item, the emptied folder removed once all of it has gone.
        {StepKind::Move, p + L"\\Suite\\Extra.lnk", p + L"\\Games\\Suite\\Extra.lnk", kNoStep},
        {StepKind::Replace, p + L"\\Suite\\Shared.lnk", p + L"\\Games\\Suite\\Shared.lnk", kNoStep},
        {StepKind::Remove, p + L"\\Suite", p + L"\\Games\\Suite", 3},
        {StepKind::Move, p + L"\\Help.lnk", officeDir + L"\\Help.lnk", 0},
        // The top is free again: Help.lnk went to Office the step before.
        {StepKind::Move, p + L"\\Tools\\Help.lnk", p + L"\\Help.lnk", kNoStep},
        {StepKind::Move, p + L"\\Tools\\Calc.lnk", officeDir + L"\\Calc.lnk", 0},
        {StepKind::Move, p + L"\\Other\\Calc.lnk", officeDir + L"\\Calc (2).lnk", 0}};
    EXPECT_EQ(steps, expected);

    ASSERT_EQ(plan.items.size(), 8u);
    std::vector<PlannedOutcome> outcomes;
    for (const PlannedItem& item : plan.items)
        outcomes.push_back(item.outcome);
    EXPECT_EQ(outcomes,
              (std::vector<PlannedOutcome>{PlannedOutcome::Moves, PlannedOutcome::Blocked,
                                           PlannedOutcome::Replaces, PlannedOutcome::Merges,
                                           PlannedOutcome::Moves, PlannedOutcome::ToRoot,
                                           PlannedOutcome::Moves, PlannedOutcome::KeptBeside}))
        << "one item per Programs folder an entry lies in";
    const PlannedItem& blocked = plan.items[1];
    EXPECT_EQ(blocked.source, u + L"\\Writer.lnk");
    ASSERT_EQ(blocked.failures.size(), 1u);
    EXPECT_NE(blocked.failures[0].reason.find(L"The file \"Office\" in C:\\U is in the way"),
              std::wstring::npos);
    EXPECT_EQ(blocked.firstStep, blocked.endStep);

    std::vector<PreviewRow> rows = PreviewRows(plan, folders);
    EXPECT_EQ(rows[1].programs, L"Current user");
    EXPECT_EQ(rows.back().item, L"Other\\Calc.lnk");
    EXPECT_EQ(rows.back().destination, L"Office\\Calc (2).lnk");
    EXPECT_EQ(rows.back().outcome, L"Is kept beside an item of its name, as \"Calc (2).lnk\"");
    EXPECT_EQ(rows[5].destination, L"Help.lnk");
}

// An update re-creates a sorted program's shortcut at the top, under any name: processing it
// into its twin's folder sets every twin that was there before aside, nothing the run brings.
TEST(PlanMoves, AShortcutFromTheTopReplacesItsTwinsInItsCategoryFolder) {
    MemoryDisk disk;
    const std::wstring p = L"C:\\P", in = p + L"\\Internet";
    for (const std::wstring& folder : {p, in, in + L"\\Mozilla", p + L"\\Suite"})
        disk.Folder(folder);
    for (const auto& [file, command] :
         std::map<std::wstring, std::wstring>{{L"Internet\\Old Fox.lnk", L"fox"},
                                              {L"Internet\\Mozilla\\Fox.lnk", L"fox"},
                                              {L"Internet\\Mail.lnk", L"mail"},
                                              {L"Fox.lnk", L"fox"},
                                              {L"Fox again.lnk", L"fox"},
                                              {L"Suite\\Fox Tool.lnk", L"fox"},
                                              {L"Mail.lnk", L"mail"}}) {
        disk.File(p + L"\\" + file);
        disk.commands[Lower(p + L"\\" + file)] = command;
    }
    FolderLocations folders;
    folders.CommonProgramsDir = p;
    const int office = 0, internet = 4;
    EntryList list;
    EntryNode& suite = list.Append(L"Suite", {p + L"\\Suite", CategoryNone, OriginCommon, 0});
    suite.AppendChild(L"Fox Tool.lnk", {p + L"\\Suite\\Fox Tool.lnk", internet, OriginCommon, 0});
    list.Append(L"Fox.lnk", {p + L"\\Fox.lnk", internet, OriginCommon, 0});
    list.Append(L"Fox again.lnk", {p + L"\\Fox again.lnk", internet, OriginCommon, 0});
    list.Append(L"Mail.lnk", {p + L"\\Mail.lnk", office, OriginCommon, 0});

    MovePlan plan = PlanMoves(list.First(), folders, DefaultCategoryNames(), disk);
    std::vector<StepLine> steps;
    for (const PlannedStep& step : plan.steps)
        steps.push_back({step.kind, step.from, step.to, step.after});
    std::vector<StepLine> expected = {
        // Not from the top: an item inside a folder is no re-creation.
        {StepKind::Move, p + L"\\Suite\\Fox Tool.lnk", in + L"\\Fox Tool.lnk", kNoStep},
        {StepKind::Move, p + L"\\Fox.lnk", in + L"\\Fox.lnk", kNoStep},
        {StepKind::SetAside, in + L"\\Mozilla\\Fox.lnk", L"", 1},
        {StepKind::SetAside, in + L"\\Old Fox.lnk", L"", 1},
        // What this run brought is never set aside; a twin elsewhere is no twin here.
        {StepKind::Move, p + L"\\Fox again.lnk", in + L"\\Fox again.lnk", kNoStep},
        {StepKind::MakeFolder, p + L"\\Office", L"", kNoStep},
        {StepKind::Move, p + L"\\Mail.lnk", p + L"\\Office\\Mail.lnk", 5}};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(PreviewRows(plan, folders)[1].outcome,
              L"Moves into the folder, in place of its earlier shortcuts \"Fox.lnk\", \"Old "
              L"Fox.lnk\", which are kept for an undo");
}

// The names at the top as a run left them; an item is new when none of its folders had it.
TEST(KnownItems, ReadsBackWhatWasWrittenRefusesAnyChangeAndTellsNewItems) {
    std::string bytes = KnownItemsBytes({{L"Writer.lnk", L"Games"}, {L"\u00c9diteur.lnk"}});
    KnownItems known;
    std::wstring error;
    ASSERT_TRUE(ParseKnownItems(bytes, known, error));
    EXPECT_EQ(known.user, std::vector<std::wstring>{L"\u00c9diteur.lnk"});
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x01);
        EXPECT_FALSE(ParseKnownItems(changed, known, error)) << "byte " << at;
    }
    EXPECT_FALSE(ParseKnownItems(bytes.substr(0, bytes.size() - 1), known, error));
    EXPECT_EQ(error, L"Line 4 of it has been changed or damaged.");
    NewItemTest test({{L"Writer.lnk"}, {L"Mail.lnk"}}, Lower);
    EntryList list;
    auto isNew = [&](const wchar_t* name, Origin origin) {
        return test.IsNew(
            list.Append(name, {std::wstring(L"C:\\P\\") + name, CategoryNone, origin, 0}));
    };
    EXPECT_FALSE(isNew(L"WRITER.lnk", OriginCommon));
    EXPECT_TRUE(isNew(L"Writer.lnk", OriginUser));
    EXPECT_FALSE(isNew(L"Mail.lnk", OriginBoth));
    EXPECT_TRUE(isNew(L"Chess.lnk", OriginBoth));
}

namespace {

std::vector<JournalStep> SomeSteps() {
    const std::wstring p = L"C:\\Start Menu\\Programs";
    return {{StepKind::MakeFolder,
             p + L"\\Spiele.lnk",
             p + L"\\\u0418\u0433\u0440\u044b",
             {},
             {},
             {},
             {},
             0},
            {StepKind::Move,
             p + L"\\Sch\u00e4ch.lnk",
             p + L"\\Sch\u00e4ch.lnk",
             p + L"\\\u0418\u0433\u0440\u044b\\Sch\u00e4ch.lnk",
             L"0123456789abcdef",
             {},
             {},
             0},
            {StepKind::Replace, p + L"\\Tool.lnk", p + L"\\Tool.lnk", p + L"\\Office\\Tool.lnk",
             L"fedcba9876543210", L"C:\\App\\backup\\processing\\run1\\1 Tool.lnk",
             L"00000000000000ff", 0x21},
            {StepKind::Remove, p + L"\\Suite", p + L"\\Suite", {}, {}, {}, {}, 0x11},
            {StepKind::SetAside,
             p + L"\\Tool.lnk",
             p + L"\\Office\\Old Tool.lnk",
             {},
             L"0123456789abcdef",
             L"C:\\App\\backup\\processing\\run1\\2 Old Tool.lnk",
             {},
             0x1}};
}

bool SameSteps(const std::vector<JournalStep>& a, const std::vector<JournalStep>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].item != b[i].item || a[i].from != b[i].from ||
            a[i].to != b[i].to || a[i].fingerprint != b[i].fingerprint || a[i].kept != b[i].kept ||
            a[i].keptFingerprint != b[i].keptFingerprint || a[i].attributes != b[i].attributes)
            return false;
    return true;
}

} // namespace

// A run may stop at any byte, and a file may be tampered with anywhere: what is read is
// always a whole prefix of the steps written, or a refusal.
TEST(RunJournal, ReadsTheWholeStepsOfAnyCutAndRefusesAnyChangedByte) {
    std::vector<JournalStep> steps = SomeSteps();
    std::string bytes = JournalHeaderBytes(L"08.12.2026 12:30");
    std::vector<size_t> lineEnds;
    for (const JournalStep& step : steps) {
        bytes += JournalStepBytes(step);
        lineEnds.push_back(bytes.size());
    }
    std::string finished = bytes + JournalMarkBytes(RunMark::Undone, L"09.12.2026 08:00");

    RunJournal journal;
    std::wstring error;
    ASSERT_TRUE(ParseJournal(finished, journal, error)) << std::string(error.begin(), error.end());
    EXPECT_TRUE(SameSteps(journal.steps, steps));
    EXPECT_EQ(journal.started, L"08.12.2026 12:30");
    EXPECT_TRUE(journal.undone);
    EXPECT_EQ(journal.wholeBytes, finished.size());

    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        ASSERT_TRUE(ParseJournal(bytes.substr(0, cut), journal, error)) << "cut at " << cut;
        size_t whole = 0;
        while (whole < lineEnds.size() && lineEnds[whole] <= cut)
            ++whole;
        ASSERT_TRUE(SameSteps(journal.steps,
                              std::vector<JournalStep>(steps.begin(), steps.begin() + whole)))
            << "cut at " << cut;
        EXPECT_FALSE(journal.undone);
    }
    for (size_t at = 0; at < finished.size(); ++at) {
        for (unsigned char flip : {0x01, 0x80}) {
            std::string changed = finished;
            changed[at] = static_cast<char>(changed[at] ^ flip);
            bool read = ParseJournal(changed, journal, error);
            if (!read) {
                EXPECT_FALSE(error.empty());
                EXPECT_TRUE(journal.steps.empty());
                continue;
            }
            // Only a broken line end can pass, by leaving the last lines unfinished.
            ASSERT_LE(journal.steps.size(), steps.size()) << "byte " << at;
            EXPECT_TRUE(SameSteps(
                journal.steps,
                std::vector<JournalStep>(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(
                                                                            journal.steps.size()))))
                << "byte " << at;
        }
    }
    EXPECT_FALSE(ParseJournal("not a journal at all", journal, error));
    EXPECT_FALSE(ParseJournal(bytes + JournalHeaderBytes(L"again").substr(2), journal, error))
        << "a second header";
    EXPECT_TRUE(ParseJournal("", journal, error) && journal.steps.empty());
    // A line of tabs alone, with its check value, is no field rather than one a tab.
    base::RecordLineReader reader;
    std::vector<std::wstring> fields;
    ASSERT_TRUE(reader.Open(base::RecordFileStart() +
                            base::RecordLineBytes(std::vector<std::wstring>(1000))));
    EXPECT_TRUE(reader.Next(fields) && fields.empty()) << fields.size() << " fields";
}

// The marks after the steps tell a run, or its undo, that stopped in the middle; a journal of
// the first version, which noted no end, never counts as stopped.
TEST(RunJournal, MarksTellARunOrAnUndoThatStoppedInTheMiddle) {
    std::string bytes = JournalHeaderBytes(L"08.12.2026 12:30") + JournalStepBytes(SomeSteps()[0]);
    const std::pair<RunMark, bool> marks[] = {{RunMark::None, true}, {RunMark::End, false},
                                              {RunMark::Undo, true}, {RunMark::End, false},
                                              {RunMark::Undo, true}, {RunMark::Undone, false}};
    RunJournal journal;
    std::wstring error;
    for (const auto& [mark, unfinished] : marks) {
        if (mark != RunMark::None)
            bytes += JournalMarkBytes(mark, L"09.12.2026 08:00");
        ASSERT_TRUE(ParseJournal(bytes, journal, error));
        EXPECT_EQ(journal.lastMark, mark);
        EXPECT_EQ(journal.Unfinished(), unfinished);
    }
    EXPECT_TRUE(journal.undone);
    EXPECT_FALSE(ParseJournal(bytes + JournalStepBytes(SomeSteps()[1]), journal, error))
        << "no step after a mark";

    std::wstring header = L"Marlowen processing journal\t1\t08.12.2026 12:30";
    base::Hash64 check;
    check.Add(header);
    std::string first("\xFF\xFE", 2);
    for (wchar_t c : header + L"\t" + check.Hex() + L"\r\n")
        first += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    ASSERT_TRUE(ParseJournal(first + JournalStepBytes(SomeSteps()[0]), journal, error));
    EXPECT_EQ(journal.steps.size(), 1u);
    EXPECT_FALSE(journal.Unfinished());
}

TEST(RunJournal, UndoTouchesOnlyTheProgramsFoldersAndItsOwnFolder) {
    auto key = [](const std::wstring& path) { return Lower(path); };
    const std::vector<std::wstring> programs = {L"C:\\Start Menu\\Programs", L"D:\\Me\\Programs"};
    const std::wstring run = L"C:\\App\\backup\\processing\\run1";
    RunJournal journal;
    journal.steps = SomeSteps();
    EXPECT_EQ(JournalPlacesRefusal(journal, programs, run, key), L"");

    auto refused = [&](JournalStep step) {
        journal.steps = {step};
        return !JournalPlacesRefusal(journal, programs, run, key).empty();
    };
    JournalStep move = SomeSteps()[1];
    EXPECT_FALSE(refused(move));
    for (const wchar_t* place :
         {L"C:\\Windows\\system32\\x.dll", L"C:\\Start Menu\\Programs",
          L"C:\\Start Menu\\Programs\\", L"C:\\Start Menu\\Programs\\..\\..\\Windows\\x.dll",
          L"C:\\Start Menu\\Programs\\a.lnk:s", L"\\\\?\\C:\\Start Menu\\Programs\\a.lnk",
          L"Programs\\a.lnk", L"", L"C:\\Start Menu\\Programs2\\a.lnk"}) {
        JournalStep changed = move;
        changed.to = place;
        EXPECT_TRUE(refused(changed)) << std::string(changed.to.begin(), changed.to.end());
        changed = move;
        changed.from = place;
        EXPECT_TRUE(refused(changed));
    }
    JournalStep replace = SomeSteps()[2];
    replace.kept = L"C:\\App\\backup\\processing\\run2\\1 Tool.lnk";
    EXPECT_TRUE(refused(replace)) << "another run's folder";
    replace.kept = run;
    EXPECT_TRUE(refused(replace));
    JournalStep folder = SomeSteps()[0];
    folder.from = L"D:\\Me\\Programs\\Games";
    EXPECT_FALSE(refused(folder));
}

TEST(UndoRules, AnItemGoesBackOnlyAsItWasAndOnlyToAFreePlace) {
    using P = Presence;
    using V = UndoVerdict;
    EXPECT_EQ(JudgeMoveBack(P::AsRecorded, P::Missing), V::PutBack);
    EXPECT_EQ(JudgeMoveBack(P::AsRecorded, P::Changed), V::PlaceTaken);
    EXPECT_EQ(JudgeMoveBack(P::AsRecorded, P::AsRecorded), V::PlaceTaken);
    EXPECT_EQ(JudgeMoveBack(P::Changed, P::Missing), V::Changed);
    EXPECT_EQ(JudgeMoveBack(P::Missing, P::AsRecorded), V::Untouched);
    EXPECT_EQ(JudgeMoveBack(P::Missing, P::Missing), V::Gone);
    EXPECT_EQ(JudgeMoveBack(P::Missing, P::Changed), V::Gone);
    EXPECT_EQ(SkipReason(V::PutBack, L"C:\\P\\Games\\A.lnk", L"C:\\P\\A.lnk"), L"");
    EXPECT_EQ(SkipReason(V::PlaceTaken, L"C:\\P\\Games\\A.lnk", L"C:\\P\\A.lnk"),
              L"another item of its name is in C:\\P now; it stays in C:\\P\\Games.");
}
