#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "backup/FolderCopy.h"
#include "startmenu/model/FolderLocations.h"

namespace backup {

// The backup store beside the executable: the copies AppDir\backup\backupN\ with "Programs\"
// (the user's Programs folder) and "Common_Programs\" (the all-users one), and the index
// "backup.dat" in AppDir, a profile file with one section per copy (the copy's folder with
// its trailing backslash) whose key is the time of the copy and whose value its description.
// An empty Programs folder location is skipped everywhere.

inline constexpr const wchar_t* kIndexFileName = L"backup.dat";
inline constexpr const wchar_t* kUserCopyName = L"Programs";
inline constexpr const wchar_t* kCommonCopyName = L"Common_Programs";

std::wstring IndexFileOf(const startmenu::FolderLocations& folders);

// A backup copy that was not finished, or lacks items, holds this file beside its Programs
// copies, with the items that could not be copied; a restore refuses it.
inline constexpr const wchar_t* kIncompleteName = L"incomplete.txt";

// Why an item could not be copied or removed, in words: the item's path, then the reason.
std::wstring FailureText(const CopyFailure& failure);

// How a backup went: its folder, and every item that could not be copied. A copy that lacks
// items is kept and marked incomplete.
struct BackupResult {
    std::wstring folder;
    CopyFailures failures;
};

// Copies both Programs folders into the first free backupN and adds its entry to the index;
// the copy is complete only when it has been compared item by item with the Start Menu.
// Raises AppError when another instance is changing the Start Menu, when the index has no room
// for another entry (kMostIndexEntries, 1 MB; nothing made), when the copy's folder cannot be
// made or marked (nothing written to the index), when the index cannot be written ("Unable to
// write to ...", the empty folder stays) or when a sub-folder for a copy cannot be made.
BackupResult CreateBackup(const startmenu::FolderLocations& folders,
                          const std::wstring& description, CopyProgress* progress);

// One listed copy: its text, its parts, and the index of its section in the index file's
// order.
struct BackupListItem {
    std::wstring text, when, description;
    std::size_t section;
    bool incomplete;
};
struct BackupList {
    std::vector<std::wstring> sections; // section names, in file order
    std::vector<BackupListItem> items;  // newest section first, each once
    std::wstring error; // what is wrong with the index, naming it; empty when nothing
};

// Reads the index: every section name, and an item per section that has a date key, newest
// first. Item text: the date in the user's short date format and the time in the user's time
// format without seconds (left out at exactly midnight), " - ", the description, and the
// copy's folder name (with "incomplete" for a copy that is), so copies of one minute differ.
BackupList ReadBackupList(const startmenu::FolderLocations& folders);

// How a restore ended.
enum class RestoreOutcome {
    Restored, // both Programs folders now hold the copy
    PutBack,  // the copy could not be put in completely; the earlier content is back
    Held,     // neither worked completely; the earlier content is kept in before
};
struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Restored;
    CopyFailure failure{}; // the first item of the copy that could not be put in
    // The backup copy that keeps what the Start Menu held before (Restored, Held), and whether
    // the index lists it as "Before restoring <description>".
    std::wstring before;
    bool beforeListed = false;
};

// Puts the copy in backupFolder, listed with description, in place of both Programs folders.
// Refused with an AppError before anything is changed when another instance is changing the
// Start Menu, when an earlier restore has not finished, when the copy does not lie inside
// BackupRootDir, is gone, is incomplete, or lacks the copy of a Programs folder it would
// empty, or when an item of the Programs folders cannot be removed. Before the first item of
// the Start Menu is replaced, the restore is recorded in the backup store (a crash at any
// point is then finished or undone at the next start) and what the folders held is a new
// backup copy, compared with them and listed as "Before restoring <description>"; it is
// removed again when the copy back fails and the Start Menu has been put back.
RestoreResult RestoreFromBackup(const startmenu::FolderLocations& folders,
                                const std::wstring& backupFolder, const std::wstring& description,
                                CopyProgress* progress);

// What to tell the user after a restore of the copy with that description: the text, and the
// message box's type.
std::wstring RestoreResultText(const RestoreResult& result, const std::wstring& description);
UINT RestoreResultType(const RestoreResult& result);

// Looks for a restore that did not finish (the program was ended, the system went down); when
// there is one, says so in words and offers to finish it or to put back the Start Menu from
// before it, through the user prompt over owner. Nothing happens while another instance is
// changing the Start Menu. True when the Start Menu has changed.
bool RecoverUnfinishedRestore(HWND owner, const startmenu::FolderLocations& folders);

// The local time as the index's key holds it, with the user's time separator.
std::wstring CurrentBackupKey();

} // namespace backup
