#include "backup/RestoreJournal.h"

#include "backup/StoreParts.h"
#include "product/DiskChanges.h"
#include "win/Errors.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace backup {
namespace {

// A record is a few lines; one far larger is not one of ours.
constexpr LONGLONG kLargest = 1 << 20;

} // namespace

RestoreJournal::RestoreJournal(const startmenu::FolderLocations& folders)
    : path_(BackupRootOf(folders) + L"\\restoring.txt") {}

bool RestoreJournal::Exists() const {
    return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RestoreJournal::Read(RestoreRecord& record, std::wstring& error) {
    win::FileHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargest) {
        error = file ? L"It is far larger than any record of a restore."
                     : win::SystemErrorText(GetLastError());
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        error = win::SystemErrorText(GetLastError());
        return false;
    }
    if (!ParseRestoreRecord(bytes, record, error))
        return false;
    end_ = record.wholeBytes;
    return true;
}

void RestoreJournal::Write(const std::string& bytes, bool create) {
    win::FileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                     create ? CREATE_NEW : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
    // After the last whole line: a restore that stopped while writing left a part of one.
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(create ? 0 : end_);
    DWORD written = 0;
    // Flushed at once: the step that follows may be the last thing the restore does.
    if (!file || !SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(file.Get()) ||
        !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.Get()))
        throw win::AppError(L"The restore could not be recorded in " + path_ + L": " +
                            win::SystemErrorText(GetLastError()) +
                            L" It stopped before its next step.");
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
