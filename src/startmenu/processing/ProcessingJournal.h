#pragma once
#include <windows.h>

#include <string>

#include "startmenu/processing/RunJournal.h"
#include "win/Handles.h"

namespace startmenu {

// The journals live in the backup store: BackupRootDir\processing\runN\, each with the file
// "journal.txt" and the items its run replaced. N counts up; the highest is the latest run.

// What identifies an item as it is now, a folder with everything inside it: names, sizes,
// times of writing and attributes. Empty when nothing is at path.
std::wstring ItemFingerprint(const std::wstring& path);

// The journal of one run, made at its first step. Each step is written to disk before it is
// taken; a step that cannot be recorded raises AppError, so nothing happens unrecorded.
class JournalWriter {
public:
    explicit JournalWriter(std::wstring backupRoot) : backupRoot_(std::move(backupRoot)) {}
    void Record(const JournalStep& step);
    // Notes that the run has ended, when it has recorded anything.
    void End();
    // Where a replaced item is kept; makes the journal when there is none yet.
    std::wstring KeptPlace(const std::wstring& name);

private:
    void Open();
    void Append(const std::string& bytes);

    std::wstring backupRoot_, folder_;
    win::FileHandle file_;
    unsigned kept_ = 0;
};

// The latest run that can be undone: its folder, and its journal or why that cannot be read.
struct LastRun {
    std::wstring folder, file;
    RunJournal journal;
    std::wstring error; // not empty: the journal is refused
};

// Finds the latest run with steps that is not undone yet; false when there is none.
bool FindLastRun(const std::wstring& backupRoot, LastRun& run);

// Notes a mark after the run's steps: that an undo begins, that it is done (the run before
// it is then next), or that the user keeps what a stopped run or undo left. AppError when
// the note cannot be written.
void Mark(const LastRun& run, RunMark mark);

} // namespace startmenu
