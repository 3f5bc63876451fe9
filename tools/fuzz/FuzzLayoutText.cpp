#include "Seeds.h"
#include "exchange/LayoutText.h"
#include "exchange/Utf8.h"

std::vector<std::string> FuzzSeeds() {
    std::string layout = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<MarlowenExport "
                         "version=\"2.6\"><CurrentUser><Office><Item>Word.lnk</Item></Office>"
                         "</CurrentUser><Common><!-- x --><Games/></Common></MarlowenExport>";
    return {layout, "\xEF\xBB\xBF" + layout,
            "\xFF\xFE" + Utf16Bytes(std::wstring(layout.begin(), layout.end()))};
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::wstring text;
    if (!exchange::DecodeLayoutBytes(bytes, text))
        return 0;
    exchange::LayoutTextProblem(text);
    // Well-formed UTF-8 without a mark is written back byte for byte.
    std::wstring plain;
    if (exchange::TextFromUtf8(bytes, plain) && exchange::Utf8FromText(plain) != bytes)
        __builtin_trap();
    return 0;
}
