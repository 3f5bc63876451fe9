#include "Seeds.h"
#include "backup/BackupKey.h"

// The index as the profile functions read it: [section] lines and the key=value lines below.
std::vector<std::string> FuzzSeeds() {
    std::wstring text = backup::WithEntry({}, L"C:\\B\\1\\", L"05:01:2024:10:00", L"first");
    text = backup::WithEntry(text, L"C:\\B\\2\\", L"02:29:2024:23:59", L"second");
    return {std::string(text.begin(), text.end()), "\xFF\xFE" + Utf16Bytes(text)};
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!backup::IndexDamage(bytes).empty())
        return 0;
    std::wstring text;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        text = Utf16Units(bytes.substr(2));
    else
        for (unsigned char byte : bytes)
            text += static_cast<wchar_t>(byte);
    std::vector<std::wstring> sections, lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find(L'\n', start), text.size());
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == L'[')
            sections.push_back(line.substr(1, line.find(L']') - 1));
        else
            lines.push_back(line);
    }
    std::vector<std::size_t> order = backup::NewestFirst(sections);
    if (!order.empty())
        backup::WithoutSection(text, sections[order.front()]);
    backup::BackupTime time;
    std::wstring description;
    for (const std::wstring& line : lines)
        backup::ParseBackupLine(line, time, description);
    return 0;
}
