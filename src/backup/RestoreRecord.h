#pragma once
// What a restore writes down before it changes anything, so that a restore stopped at any
// point (a crash, a power cut, the process ended) can be finished or undone at the next start.
// No Windows call: built and tested natively.
//
// The file is UTF-16LE text with a byte-order mark, one line a step, each line ending in a
// check value. It is only appended to, each line flushed before the step it announces, so a
// stopped restore leaves every line but perhaps an unfinished last one.
#include <cstddef>
#include <string>

namespace backup {

struct RestoreRecord {
    // The copy being restored and the copy that keeps the Start Menu from before the restore,
    // each with its trailing backslash; the Programs folders the restore replaces.
    std::wstring copy, description, before, userPrograms, commonPrograms;
    // The copy the Start Menu is being filled from; empty while nothing of it has changed.
    std::wstring filling;
    bool finished = false;
    std::size_t wholeBytes = 0; // the bytes up to the end of the last whole line
};

// The first line, begun by the byte-order mark; then the line before the Start Menu is
// emptied and filled from a copy; then the line once the restore has ended.
std::string RestoreBeginBytes(const RestoreRecord& record);
std::string RestoreFillingBytes(const std::wstring& from);
std::string RestoreFinishedBytes();

// Reads the file's bytes; an unfinished last line is left out. False, with the reason in
// error, when anything else is not as written. A record whose first line is not whole holds
// nothing (nothing was changed before it was written): true, with an empty copy.
bool ParseRestoreRecord(const std::string& bytes, RestoreRecord& record, std::wstring& error);

} // namespace backup
