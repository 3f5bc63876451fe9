#include "base/RecordLines.h"
#include "Seeds.h"

std::vector<std::string> FuzzSeeds() {
    return {base::RecordFileStart() + base::RecordLineBytes({L"a", L"b"}) +
            base::RecordLineBytes({L"\u00e9t\u00e9"})};
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    base::RecordLineReader reader;
    if (!reader.Open(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    for (std::vector<std::wstring> fields; reader.Next(fields);)
        if (reader.WholeBytes() > size)
            __builtin_trap();
    return 0;
}
