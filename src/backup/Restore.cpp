#include "backup/Restore.h"

#include "backup/BackupIndex.h"
#include "backup/StoreParts.h"
#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "startmenu/processing/NewItems.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace backup {
namespace {

const std::wstring kNothingChanged = L" Nothing has been changed.";

win::AppError InUseError(const std::wstring& item) {
    return win::AppError(item +
                         L" is in use by another program, so the restore could not "
                         L"replace it. Close that program and restore again." +
                         kNothingChanged);
}

// Copies the Start Menu into the holding copy, compares the two, looks again for items another
// program holds, and lists the copy; what it made goes again when any of that fails. Until it
// has ended, nothing of the Start Menu has changed.
void SetAside(const startmenu::FolderLocations& folders, const RestoreRecord& record,
              CopyProgress* progress) {
    const std::wstring holding = base::FolderWithoutTrailingBackslash(record.before);
    auto refuse = [&](const std::wstring& why) {
        RemoveTree(holding);
        return win::AppError(L"The present Start Menu could not be set aside in " + holding +
                             L" before the restore: " + why + kNothingChanged);
    };
    if (!CreateDirectoryW(holding.c_str(), nullptr))
        throw win::AppError(L"The present Start Menu could not be set aside in " + holding +
                            L" before the restore: " + win::SystemErrorText(GetLastError()) +
                            kNothingChanged);
    product::NoteDiskChange();
    const std::wstring marker = record.before + kIncompleteName;
    if (!WriteMarker(marker, L"This copy of the Start Menu was not finished.\r\n"))
        throw refuse(win::SystemErrorText(GetLastError()));
    for (const CopyPair& pair : PairsOf(folders, holding)) {
        // A Programs folder that is not there holds nothing; its empty copy puts that back.
        bool there = win::IsExistingDirectory(pair.programs);
        CopyFailures failures =
            there ? CopyFolderContents(pair.programs, pair.copy, progress) : CopyFailures{};
        if (failures.empty())
            if (DWORD error = win::CreateFolderUnlessThere(pair.copy))
                failures.push_back({pair.copy, error, {}});
        if (failures.empty() && there)
            failures = CompareCopy(pair.programs, pair.copy);
        if (!failures.empty())
            throw refuse(FailureText(failures.front()));
    }
    // Looked at again now: the copy took a while, and a program may have opened an item since.
    if (std::wstring inUse = FirstItemInUse(folders); !inUse.empty()) {
        RemoveTree(holding);
        throw InUseError(inUse);
    }
    if (!DeleteFileW(marker.c_str()))
        throw refuse(win::SystemErrorText(GetLastError()));
    product::NoteDiskChange();
    const std::wstring index = IndexFileOf(folders);
    if (!AddIndexEntry(index, record.before, BeforeRestoring(record.description)))
        throw refuse(L"it could not be listed in " + index + L".");
}

} // namespace

std::wstring BeforeRestoring(const std::wstring& description) {
    return L"Before restoring " + description;
}

bool FillStartMenu(const startmenu::FolderLocations& folders, RestoreJournal& journal,
                   const std::wstring& from, CopyProgress* progress, CopyFailure& failure) {
    journal.Filling(from);
    // What a restore brings back is the user's choice, not new: a tidy-up must not sort it.
    startmenu::ForgetKnownItems(folders);
    std::vector<CopyPair> pairs = PairsOf(folders, base::FolderWithoutTrailingBackslash(from));
    CopyFailures failures = ReplaceFrom(pairs, progress);
    // Judged by what the folders hold: a folder another program keeps cannot be removed, yet
    // its content can be put in whole.
    if (failures.empty() || HoldTheirCopies(pairs))
        return true;
    failure = failures.front();
    return false;
}

bool EndRestore(const startmenu::FolderLocations& folders, RestoreJournal& journal,
                const RestoreRecord& record, bool putBack) {
    journal.Finished();
    bool dropped = putBack && DropHoldingCopy(folders, record.before);
    journal.Remove();
    return dropped;
}

bool DropHoldingCopy(const startmenu::FolderLocations& folders, const std::wstring& before) {
    if (!IsStoreCopy(folders, before))
        return false;
    const std::wstring index = IndexFileOf(folders);
    for (const std::wstring& section : SectionNames(index))
        if (base::SameNameAscii(section, before) && !RemoveIndexEntry(index, before))
            return false; // still listed, so it stays
    RemoveTree(base::FolderWithoutTrailingBackslash(before));
    return true;
}

RestoreResult RestoreFromBackup(const startmenu::FolderLocations& folders,
                                const std::wstring& backupFolder, const std::wstring& description,
                                CopyProgress* progress) {
    CheckStoreOutsideStartMenu(folders);
    const std::wstring copy = base::FolderWithoutTrailingBackslash(backupFolder);
    CheckRestorable(folders, copy);
    product::WriterLock lock = TakeWriterLock(
        L"a restore of the backup copy \"" + description + L"\"", L"The restore has not begun.");
    RestoreJournal journal(folders);
    if (journal.Exists())
        throw win::AppError(L"An earlier restore did not finish; " + journal.Path() +
                            L" records it. Open the Backup/Restore Wizard again to finish that "
                            L"restore or to put the Start Menu back first." +
                            kNothingChanged);
    if (std::wstring inUse = FirstItemInUse(folders); !inUse.empty())
        throw InUseError(inUse);

    // What the restore replaces becomes a listed backup copy of its own before anything of the
    // Start Menu changes, so the restore can be undone whenever it stops; its number has no
    // old entry in the index, which would be listed in place of its own.
    RestoreRecord record;
    record.copy = copy + L"\\";
    record.description = description;
    record.before =
        FirstFreeFolder(BackupRootOf(folders), L"backup", SectionNames(IndexFileOf(folders))) +
        L"\\";
    record.userPrograms = folders.UserProgramsDir;
    record.commonPrograms = folders.CommonProgramsDir;
    journal.Begin(record);
    try {
        SetAside(folders, record, progress);
    } catch (...) {
        journal.Remove();
        throw;
    }

    RestoreResult result;
    result.before = record.before;
    result.beforeListed = true;
    if (FillStartMenu(folders, journal, record.copy, progress, result.failure)) {
        EndRestore(folders, journal, record, false);
        return result;
    }
    CopyFailure ignored;
    if (FillStartMenu(folders, journal, record.before, progress, ignored)) {
        result.outcome = RestoreOutcome::PutBack;
        if (EndRestore(folders, journal, record, true))
            result.before.clear();
        return result;
    }
    // The record stays: the next start of the program offers to finish or to put back.
    result.outcome = RestoreOutcome::Held;
    return result;
}

} // namespace backup
