#pragma once
// What a processing run tells the user: the items it moved, renamed or left where they were,
// as the Start Processing button's caption and one message.
#include <string>
#include <vector>

namespace startmenu {

// One item that stayed where it was, with the reason in words a user understands.
struct MoveFailure {
    std::wstring item;         // the item's path
    std::wstring targetFolder; // where it was to go
    std::wstring reason;
};

// An item that arrived under another name, because this run had already put an item of
// its name there (or, moved to the top, because an unrelated item of its name lies there).
struct MoveRename {
    std::wstring item; // the item's path before the move
    std::wstring targetFolder;
    std::wstring newName;
};

// What a processing run did, item by item, for the user.
struct MoveReport {
    int assigned = 0; // entries that were to move
    int moved = 0;    // of them, those that arrived in every Programs folder they lie in
    std::vector<MoveFailure> failures;
    std::vector<MoveRename> renames;

    bool Complete() const { return failures.empty(); }
};

// Appends a line break and a bullet for each line, as many as a message box shows, then how
// many more there are.
void AppendBulletList(std::wstring& text, const std::vector<std::wstring>& lines);

// The caption of the Start Processing button after the run.
std::wstring MoveReportCaption(const MoveReport& report);

// The message that lists what could not be moved and what was renamed; empty when there is
// nothing to tell.
std::wstring MoveReportText(const MoveReport& report);

} // namespace startmenu
