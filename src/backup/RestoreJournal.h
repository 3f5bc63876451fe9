#pragma once
#include <string>

#include "backup/RestoreRecord.h"
#include "startmenu/model/FolderLocations.h"

namespace backup {

// The record of the restore under way, BackupRootDir\restoring.txt: there from before a
// restore's first change until it has ended, so a restore stopped in between is found at the
// next start. One restore at a time holds the writer lock, so there is one record.
class RestoreJournal {
public:
    explicit RestoreJournal(const startmenu::FolderLocations& folders);
    const std::wstring& Path() const { return path_; }
    bool Exists() const;
    // False, with the reason in error, when the file cannot be read or is not as written. The
    // lines written next follow its last whole line.
    bool Read(RestoreRecord& record, std::wstring& error);
    // Each line is on disk before the step it announces; raises AppError when it cannot be
    // written, ending what was to follow.
    void Begin(const RestoreRecord& record);
    void Filling(const std::wstring& from);
    void Finished();
    void Remove();

private:
    void Write(const std::string& bytes, bool create);

    std::wstring path_;
    std::size_t end_ = 0;
};

} // namespace backup
