#pragma once
// What an undo of a processing run does with each step, from what it finds on disk, and
// what it tells the user. No Windows call: built and tested natively.
#include <string>
#include <vector>

#include "startmenu/processing/RunJournal.h"

namespace startmenu {

// What is at a place, compared with what the journal recorded there.
enum class Presence { Missing, AsRecorded, Changed };

enum class UndoVerdict {
    PutBack,    // the item is where the run put it, as it was, and its old place is free
    Untouched,  // the step was never taken (the run stopped before it) or is undone already
    Gone,       // the user moved or deleted the item since
    Changed,    // the user changed the item since
    PlaceTaken, // something else lies in the item's old place now
};

// An item the run moved, found at its new place and at its old place.
UndoVerdict JudgeMoveBack(Presence atNewPlace, Presence atOldPlace);

// An item an undo leaves alone, and why.
struct UndoSkip {
    std::wstring item;
    std::wstring reason;
};
struct UndoReport {
    int putBack = 0;
    std::vector<UndoSkip> skipped;
};

// The reason shown for an item left alone; empty for PutBack and Untouched.
std::wstring SkipReason(UndoVerdict verdict, const std::wstring& newPlace,
                        const std::wstring& oldPlace);

// The one question before an undo: which items go back.
std::wstring UndoQuestionText(const RunJournal& journal);
// The message after it.
std::wstring UndoReportText(const UndoReport& report);

// An item a run had set aside in its own folder to put another in its place: its place in
// the Start Menu, and where it is kept now.
struct SetAsideItem {
    std::wstring place, keptAt;
};

// The question at the start when the latest run, or the undo of it, stopped in the middle:
// what the Start Menu holds now, and whether to undo the run (or finish the undo).
std::wstring RecoveryQuestionText(const RunJournal& journal,
                                  const std::vector<SetAsideItem>& setAside);

} // namespace startmenu
