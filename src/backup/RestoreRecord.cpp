#include "backup/RestoreRecord.h"

#include <vector>

#include "base/RecordLines.h"

namespace backup {
namespace {

const std::wstring kHeader = L"Marlowen restore journal";
const std::wstring kVersion = L"1";
const std::wstring kFilling = L"filling";
const std::wstring kFinished = L"finished";
} // namespace

std::string RestoreBeginBytes(const RestoreRecord& r) {
    return base::RecordFileStart() +
           base::RecordLineBytes({kHeader, kVersion, r.copy, r.description, r.before,
                                  r.userPrograms, r.commonPrograms});
}

std::string RestoreFillingBytes(const std::wstring& from) {
    return base::RecordLineBytes({kFilling, from});
}

std::string RestoreFinishedBytes() {
    return base::RecordLineBytes({kFinished});
}

bool ParseRestoreRecord(const std::string& bytes, RestoreRecord& record, std::wstring& error) {
    record = RestoreRecord();
    if (bytes.size() < 2)
        return true;
    base::RecordLineReader reader;
    if (!reader.Open(bytes)) {
        error = L"It is not a record of a restore.";
        return false;
    }
    // An unfinished last line ends the loop: the restore stopped while writing it.
    for (std::vector<std::wstring> f; reader.Next(f);) {
        bool sound = !f.empty() && !record.finished;
        if (reader.LineNumber() == 1) {
            sound = f.size() == 7 && f[0] == kHeader && f[1] == kVersion && !f[2].empty() &&
                    !f[4].empty();
            if (sound)
                record = {f[2], f[3], f[4], f[5], f[6], {}, false, 0};
        } else if (sound && f[0] == kFilling && f.size() == 2 &&
                   (f[1] == record.copy || f[1] == record.before)) {
            record.filling = f[1];
        } else if (sound && f[0] == kFinished && f.size() == 1) {
            record.finished = true;
        } else {
            sound = false;
        }
        if (!sound) {
            error = reader.LineNumber() == 1 ? L"It is not a record of a restore."
                                             : L"Line " + std::to_wstring(reader.LineNumber()) +
                                                   L" of it has been changed or damaged.";
            record = RestoreRecord();
            return false;
        }
        record.wholeBytes = reader.WholeBytes();
    }
    return true;
}

} // namespace backup
