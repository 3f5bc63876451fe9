#pragma once
// The steps of a restore that its recovery at the next start takes again.
#include <string>

#include "backup/BackupStore.h"
#include "backup/RestoreJournal.h"

namespace backup {

// The description of the copy that keeps the Start Menu from before a restore.
std::wstring BeforeRestoring(const std::wstring& description);

// Empties both Programs folders and fills them from the copy from (with its trailing
// backslash), recorded in the journal first. Whether they now hold that copy whole; if not,
// failure is the first thing that went wrong.
bool FillStartMenu(const startmenu::FolderLocations& folders, RestoreJournal& journal,
                   const std::wstring& from, CopyProgress* progress, CopyFailure& failure);

// Records that the restore has ended and removes its record; after a put back the copy that
// kept the Start Menu holds nothing the Start Menu lacks, so it goes too. Whether it went.
bool EndRestore(const startmenu::FolderLocations& folders, RestoreJournal& journal,
                const RestoreRecord& record, bool putBack);

// Removes the copy that kept the Start Menu before a restore, its entry in the index first;
// false when it stays (it is not one of the store's copies, or it is listed and the index
// cannot be written).
bool DropHoldingCopy(const startmenu::FolderLocations& folders, const std::wstring& before);

} // namespace backup
