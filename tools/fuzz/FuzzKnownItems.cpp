#include "RecordInput.h"
#include "startmenu/processing/KnownItems.h"

static std::vector<std::string> Files() {
    return {startmenu::KnownItemsBytes({{L"Accessories", L"Word.lnk"}, {L"Tool.lnk"}}),
            startmenu::KnownItemsBytes({})};
}

std::vector<std::string> FuzzSeeds() {
    return RecordSeeds(Files());
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    startmenu::KnownItems known;
    std::wstring error;
    startmenu::ParseKnownItems(RecordFromInput(data, size), known, error);
    return 0;
}
