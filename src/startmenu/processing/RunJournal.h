#pragma once
// The record a processing run keeps of its steps, so that it can be undone later: its text
// form and how it is read back. No Windows call: built and tested natively.
//
// The file is UTF-16LE text with a byte order mark, one step a line, each line ending in a
// check value. It is only ever appended to, a line written whole before its step is taken,
// so a run that stops at any point leaves every line but perhaps an unfinished last one.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "startmenu/processing/MovePlan.h"

namespace startmenu {

struct JournalStep {
    StepKind kind = StepKind::Move;
    std::wstring item;        // the item whose move this step is part of
    std::wstring from, to;    // MakeFolder and Remove: the folder, in from
    std::wstring fingerprint; // Move and Replace: the moved item as it was; SetAside: the twin
    std::wstring kept;        // Replace and SetAside: where the replaced item or twin is kept
    std::wstring keptFingerprint;
    std::uint32_t attributes = 0; // Replace, SetAside: the kept item's; Remove: the folder's
};

// The marks written after the steps, each with its time.
enum class RunMark {
    None,   // the run is on, or it stopped without an end: a crash, a power cut
    End,    // the run ended, or the user chose to keep what a stopped run or undo left
    Undo,   // an undo began
    Undone, // the undo finished
};

struct RunJournal {
    std::wstring started; // the local time the run began, as written
    std::vector<JournalStep> steps;
    RunMark lastMark = RunMark::None;
    bool undone = false;
    std::size_t wholeBytes = 0; // the bytes up to the end of the last whole line

    // A run, or its undo, that stopped in the middle and that nobody has been told about.
    bool Unfinished() const {
        return !steps.empty() && (lastMark == RunMark::None || lastMark == RunMark::Undo);
    }
};

// The lines, as the bytes appended to the file; the header begins the file.
std::string JournalHeaderBytes(const std::wstring& started);
std::string JournalStepBytes(const JournalStep& step);
std::string JournalMarkBytes(RunMark mark, const std::wstring& when);

// Reads a journal file's bytes. An unfinished last line is left out; anything else that is not
// as written refuses the whole file: false, with the reason in error. An empty file is a
// journal without steps. A journal of the first version, which wrote no end, counts as ended.
bool ParseJournal(const std::string& bytes, RunJournal& journal, std::wstring& error);

// Whether an undo may touch every place the journal names: moved items and made or emptied
// folders strictly inside one of programsFolders, kept items strictly inside runFolder, all
// plain absolute paths. Empty when so, else the reason. key folds paths for comparison.
std::wstring JournalPlacesRefusal(const RunJournal& journal,
                                  const std::vector<std::wstring>& programsFolders,
                                  const std::wstring& runFolder,
                                  const std::function<std::wstring(const std::wstring&)>& key);

} // namespace startmenu
