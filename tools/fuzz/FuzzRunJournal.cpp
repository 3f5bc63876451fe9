#include "RecordInput.h"
#include "startmenu/processing/RunJournal.h"
#include "startmenu/processing/UndoRules.h"

using namespace startmenu;

static std::vector<std::string> Files() {
    const std::wstring a = L"C:\\P\\a.lnk", office = L"C:\\P\\Office";
    std::string run = JournalHeaderBytes(L"2024-05-01 10:00");
    run += JournalStepBytes({StepKind::MakeFolder, office, office, {}, {}, {}, {}, 0});
    run += JournalStepBytes({StepKind::Move, a, a, office + L"\\a.lnk", L"f1", {}, {}, 0});
    run += JournalStepBytes(
        {StepKind::Replace, a, a, office + L"\\a.lnk", L"f2", L"C:\\R\\1", L"f3", 0x20});
    run += JournalStepBytes({StepKind::SetAside, a, a, {}, L"f4", L"C:\\R\\2", {}, 0});
    run += JournalStepBytes({StepKind::Remove, office, office, {}, {}, {}, {}, 0x10});
    return {run, run + JournalMarkBytes(RunMark::End, L"later"),
            run + JournalMarkBytes(RunMark::Undo, L"u") + JournalMarkBytes(RunMark::Undone, L"v")};
}

std::vector<std::string> FuzzSeeds() {
    return RecordSeeds(Files());
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    RunJournal journal;
    std::wstring error;
    if (!ParseJournal(RecordFromInput(data, size), journal, error))
        return 0;
    // What the program does next with a journal it has read.
    JournalPlacesRefusal(journal, {L"C:\\P", L"D:\\Q\\"}, L"C:\\R",
                         [](const std::wstring& path) { return path; });
    UndoQuestionText(journal);
    RecoveryQuestionText(journal, {{L"C:\\P\\c", L"C:\\R\\2"}});
    for (const JournalStep& step : journal.steps)
        SkipReason(UndoVerdict::PlaceTaken, step.to, step.from);
    return 0;
}
