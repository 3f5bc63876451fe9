#include "Seeds.h"
#include "startmenu/suggestions/LearnedChoices.h"

std::vector<std::string> FuzzSeeds() {
    startmenu::LearnedChoices learned;
    learned.Remember(L"word", 2);
    learned.Remember(L"tool", -1);
    return {Utf16Bytes(learned.Text())};
}

// The registry value's text, as read: 16-bit units.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    auto learned = startmenu::LearnedChoices::Parse(
        Utf16Units(std::string(reinterpret_cast<const char*>(data), size)));
    // What is kept stays within its bound and reads back the same.
    if (learned.Count() > startmenu::LearnedChoices::kMaxEntries ||
        startmenu::LearnedChoices::Parse(learned.Text()).Text() != learned.Text())
        __builtin_trap();
    return 0;
}
