#pragma once
// The moves of a processing run, worked out before anything is touched: the preview shows
// the plan, the run carries it out step by step. No Windows call: built and tested natively.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/processing/MoveReport.h"

namespace startmenu {

// What the planner may ask of the disk as it is before the run.
class DiskView {
public:
    enum class Kind { Missing, File, Folder, LinkedFolder };
    struct Child {
        std::wstring name;
        Kind kind;
    };
    virtual ~DiskView() = default;
    virtual Kind KindOf(const std::wstring& path) const = 0;
    virtual std::vector<Child> ChildrenOf(const std::wstring& folder) const = 0;
    // The form in which two names or paths compare equal (lower-cased by file-name rules).
    virtual std::wstring Key(const std::wstring& text) const = 0;
    // What a shortcut starts, its target and arguments as the shell resolves them, in a form
    // in which two shortcuts that start the same compare equal; empty when that is not known.
    virtual std::wstring CommandKey(const std::wstring& /*shortcut*/) const { return {}; }
};

// What happens to one item in one Programs folder.
enum class PlannedOutcome {
    Moves,      // into its category folder
    Merges,     // into a folder of its name already there, item by item
    Replaces,   // an item of its name, which is kept for an undo
    KeptBeside, // beside an item of its name, under a numbered name
    ToRoot,     // back to the top of its Programs folder
    Stays,      // it is there already
    Blocked,    // cannot move; failures say why
};

struct PlannedItem {
    std::wstring source;   // the item's path
    std::wstring programs; // the Programs folder it lies in
    std::wstring targetFolder;
    std::wstring targetName;
    PlannedOutcome outcome = PlannedOutcome::Moves;
    std::size_t entry = 0;             // which assigned entry, counted from 0
    std::vector<MoveFailure> failures; // what is known now to be unable to move
    std::vector<std::wstring> twins;   // earlier shortcuts of the same program it replaces
    std::size_t firstStep = 0, endStep = 0;
};

// One change on disk.
enum class StepKind {
    MakeFolder, // from: a category folder the run makes
    Move,       // from to to, where nothing is
    Replace,    // from to to, after the item at to has been set aside
    Remove,     // from: a merged folder, emptied by the steps since after
    SetAside,   // from: a twin of the item, kept for an undo once the step after is taken
};

constexpr std::size_t kNoStep = static_cast<std::size_t>(-1);

struct PlannedStep {
    StepKind kind;
    std::wstring from, to;
    std::size_t item;
    // Move or Replace: the MakeFolder step it needs. Remove: the first step of its merge.
    // SetAside: the step that brings the item that takes the twin's place.
    std::size_t after = kNoStep;
};

struct MovePlan {
    std::vector<PlannedItem> items;
    std::vector<PlannedStep> steps;
    int assigned = 0; // entries that are to move
};

// Works out what MoveEntries does for first and every sibling after it: an entry in category
// c goes into categoryNames[c] directly inside its Programs folder, an entry marked
// MoveToRootCategory to the top of it, only uncategorised folders are entered, the all-users
// folder comes before the user's. No item replaces what the same run put somewhere, nor, at
// the top, an unrelated item: it takes a free numbered name there. A shortcut from the top
// that starts what a shortcut already in its category folder starts is a re-creation of that
// one (an update put it back): that twin is set aside, so that one shortcut stays.
MovePlan PlanMoves(const EntryNode* first, const FolderLocations& folders,
                   const std::vector<std::wstring>& categoryNames, const DiskView& disk);

// The preview's words for an outcome.
std::wstring OutcomeText(const PlannedItem& item);

// One line of the preview: the item and its destination below their Programs folder, which
// folder that is, and what happens.
struct PreviewRow {
    std::wstring item, programs, destination, outcome;
};
std::vector<PreviewRow> PreviewRows(const MovePlan& plan, const FolderLocations& folders);

} // namespace startmenu
