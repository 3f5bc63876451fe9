#include "backup/RestoreJournal.h"

#include "backup/StoreParts.h"
#include "product/DiskChanges.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace backup {
namespace {

// A record is a few lines; one far larger is not one of ours.
constexpr size_t kLargest = 1 << 20;

} // namespace

RestoreJournal::RestoreJournal(const startmenu::FolderLocations& folders)
    : path_(BackupRootOf(folders) + L"\\restoring.txt") {}

bool RestoreJournal::Exists() const {
    return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RestoreJournal::Read(RestoreRecord& record, std::wstring& error) {
    std::string bytes;
    if (DWORD failure = win::ReadWholeFile(path_, kLargest, bytes, FILE_SHARE_READ)) {
        error = failure == ERROR_FILE_TOO_LARGE ? L"It is far larger than any record of a restore."
                                                : win::SystemErrorText(failure);
        return false;
    }
    if (!ParseRestoreRecord(bytes, record, error))
        return false;
    end_ = record.wholeBytes;
    return true;
}

void RestoreJournal::Write(const std::string& bytes, bool create) {
    // After the last whole line: a restore that stopped while writing left a part of one.
    // Flushed at once: the step that follows may be the last thing the restore does.
    if (DWORD error = win::WriteFromOffset(path_, create ? 0 : end_, bytes,
                                           create ? CREATE_NEW : OPEN_EXISTING))
        throw win::AppError(L"The restore could not be recorded in " + path_ + L": " +
                            win::SystemErrorText(error) + L" It stopped before its next step.");
    end_ = (create ? 0 : end_) + bytes.size();
    product::NoteDiskChange();
}

void RestoreJournal::Begin(const RestoreRecord& record) {
    Write(RestoreBeginBytes(record), true);
}

void RestoreJournal::Filling(const std::wstring& from) {
    Write(RestoreFillingBytes(from), false);
}

void RestoreJournal::Finished() {
    Write(RestoreFinishedBytes(), false);
}

void RestoreJournal::Remove() {
    if (DeleteFileW(path_.c_str()))
        product::NoteDiskChange();
}

} // namespace backup
