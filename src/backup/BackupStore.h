#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "backup/FolderCopy.h"
#include "startmenu/FolderLocations.h"

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

// How a backup went: its folder, and the system error code of each copy (ERROR_SUCCESS when
// it copied everything or was skipped).
struct BackupResult {
    std::wstring folder;
    DWORD userCopyError = ERROR_SUCCESS, commonCopyError = ERROR_SUCCESS;
};

// Copies both Programs folders into the first free backupN and adds its entry to the index.
// Raises AppError when the copy's folder cannot be made (nothing written to the index), when
// the index cannot be written ("Unable to write to ...", the empty folder stays) or when a
// sub-folder for a copy cannot be made. A copy that fails part-way is told in the result.
BackupResult CreateBackup(const startmenu::FolderLocations& folders,
                          const std::wstring& description, CopyProgress* progress);

// One listed copy: its text and the index of its section in the index file's order.
struct BackupListItem {
    std::wstring text;
    std::size_t section;
};
struct BackupList {
    std::vector<std::wstring> sections; // section names, in file order
    std::vector<BackupListItem> items;  // newest section first
    std::wstring error; // why the listing stopped at a section; empty when it did not
};

// Reads the index: every section name, and an item per section down from the last written
// until one has no date key. Item text: the date in the user's short date format and the
// time in the user's time format (left out at exactly midnight), " - ", the description.
BackupList ReadBackupList(const startmenu::FolderLocations& folders);

// How a restore ended.
enum class RestoreOutcome {
    Restored, // both Programs folders now hold the copy
    PutBack,  // the copy could not be put in completely; the earlier content is back
    Held,     // neither worked completely; the earlier content is kept in heldAt
};
struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Restored;
    DWORD error = ERROR_SUCCESS; // the first failure of the copy back
    std::wstring heldAt;
};

// Puts the copy in backupFolder in place of both Programs folders. Refused with an AppError
// before anything is changed when the copy does not lie inside BackupRootDir, is gone, or
// lacks the copy of a Programs folder it would empty. What the folders held is copied to a
// holding folder in the store first, and put back when the copy back fails; it is removed
// once the restore has succeeded.
RestoreResult RestoreFromBackup(const startmenu::FolderLocations& folders,
                                const std::wstring& backupFolder, CopyProgress* progress);

// The local time as the index's key holds it, with the user's time separator.
std::wstring CurrentBackupKey();

} // namespace backup
