#pragma once
// What the backup, the restore and its recovery share inside the backup store.
#include <windows.h>

#include <string>
#include <vector>

#include "backup/FolderCopy.h"
#include "product/WriterLock.h"
#include "startmenu/model/FolderLocations.h"

namespace backup {

// An error that says another program holds the item.
bool IsInUse(DWORD error);

std::wstring BackupRootOf(const startmenu::FolderLocations& folders);

// A numbered folder under root that nothing, file or folder, uses yet, nor a section of the
// index, which would be listed in place of the new copy.
std::wstring FirstFreeFolder(const std::wstring& root, const std::wstring& stem,
                             const std::vector<std::wstring>& sections);

// One Programs folder and where its copy lies in a backup copy.
struct CopyPair {
    std::wstring programs, copy;
};
std::vector<CopyPair> PairsOf(const startmenu::FolderLocations& folders, const std::wstring& store);

// Takes the lock of the one instance that changes the Start Menu for run; raises AppError
// saying which run holds it elsewhere and that what was asked (refused) did not happen.
product::WriterLock TakeWriterLock(const std::wstring& run, const std::wstring& refused);

// Removes folder with everything in it as far as the system lets it, read-only items too; a
// linked folder inside is unlinked, never emptied.
void RemoveTree(const std::wstring& folder);

// Empties a Programs folder as far as the system lets it; names what it could not remove. A
// linked folder is left: its target is not the Start Menu's, and the copies never hold one.
CopyFailures EmptyFolder(const std::wstring& folder);

// The first item of the Programs folders that another program holds so that it cannot be
// removed; empty when there is none.
std::wstring FirstItemInUse(const startmenu::FolderLocations& folders);

// Empties every Programs folder and copies its content in from the copy; then compares them.
// Everything that went wrong, empty when the Start Menu now holds the copy.
CopyFailures ReplaceFrom(const std::vector<CopyPair>& pairs, CopyProgress* progress);

// Whether each Programs folder holds what its copy holds, contents and attributes too.
bool HoldTheirCopies(const std::vector<CopyPair>& pairs);

// Writes a marker file as UTF-16 text; false when it cannot be written whole.
bool WriteMarker(const std::wstring& path, const std::wstring& text);

// Refuses a copy that a restore must not use, before anything is changed.
void CheckRestorable(const startmenu::FolderLocations& folders, const std::wstring& copy);

// Whether copy (with its trailing backslash) is a numbered copy folder directly in the backup
// folder, not a link to elsewhere: what a restore's record may name, and remove.
bool IsStoreCopy(const startmenu::FolderLocations& folders, const std::wstring& copy);

// Adds the entry of a copy to the index, or removes it; false, the index as it was, when the
// index cannot be written.
bool AddIndexEntry(const std::wstring& index, const std::wstring& section,
                   const std::wstring& value);
bool RemoveIndexEntry(const std::wstring& index, const std::wstring& section);

// A store inside a Programs folder would be copied into itself by a backup and emptied by a
// restore.
void CheckStoreOutsideStartMenu(const startmenu::FolderLocations& folders);

} // namespace backup
