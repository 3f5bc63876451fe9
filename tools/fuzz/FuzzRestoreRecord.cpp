#include "RecordInput.h"
#include "backup/RestoreRecord.h"

static std::vector<std::string> Files() {
    backup::RestoreRecord record;
    record.copy = L"C:\\B\\1\\";
    record.description = L"before the update";
    record.before = L"C:\\B\\2\\";
    record.userPrograms = L"C:\\U\\Programs";
    record.commonPrograms = L"C:\\C\\Programs";
    std::string begun = backup::RestoreBeginBytes(record);
    return {begun,
            begun + backup::RestoreFillingBytes(record.copy) + backup::RestoreFinishedBytes()};
}

std::vector<std::string> FuzzSeeds() {
    return RecordSeeds(Files());
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    backup::RestoreRecord record;
    std::wstring error;
    backup::ParseRestoreRecord(RecordFromInput(data, size), record, error);
    return 0;
}
