#pragma once
// A record file from fuzz input. A hostile writer can compute the check values, so most
// inputs are lines of fields that get them: after a first byte 0, UTF-16LE units, lines ended
// by '\n', fields split by tabs, a last line without '\n' left unfinished. After any other
// first byte, the file's bytes as they are.
#include "Seeds.h"
#include "base/RecordLines.h"

inline std::string RecordFromInput(const unsigned char* data, std::size_t size) {
    std::string raw(reinterpret_cast<const char*>(data), size);
    if (raw.empty() || raw[0] != 0)
        return raw.empty() ? raw : raw.substr(1);
    std::wstring text = Utf16Units(raw.substr(1));
    std::string bytes = base::RecordFileStart();
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        std::vector<std::wstring> fields;
        for (std::size_t from = start;; ++from) {
            std::size_t tab = std::min(text.find(L'\t', from), end);
            fields.push_back(text.substr(from, tab - from));
            if ((from = tab) == end)
                break;
        }
        bytes += base::RecordLineBytes(fields);
    }
    return bytes + Utf16Bytes(text.substr(start));
}

// The seeds in both forms: as written, and as the lines that write them.
inline std::vector<std::string> RecordSeeds(const std::vector<std::string>& files) {
    std::vector<std::string> seeds;
    for (const std::string& file : files) {
        seeds.push_back("\x01" + file);
        base::RecordLineReader reader;
        reader.Open(file);
        std::wstring lines;
        for (std::vector<std::wstring> fields; reader.Next(fields); lines += L'\n')
            for (std::size_t i = 0; i < fields.size(); ++i)
                lines += (i ? L"\t" : L"") + fields[i];
        seeds.push_back(std::string(1, '\0') + Utf16Bytes(lines));
    }
    return seeds;
}
