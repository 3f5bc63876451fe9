#include "base/RecordLines.h"

#include <cstdint>

#include "base/Hash.h"

namespace base {
namespace {

constexpr std::size_t kMaxField = 32768;
// Above the most any line has (a replace step: eight and the check value), so that a line of
// tabs alone cannot make a field of each.
constexpr std::size_t kMaxFields = 16;

std::wstring CheckOf(const std::wstring& text) {
    Hash64 hash;
    hash.Add(text);
    return hash.Hex();
}

// UTF-16LE, surrogate pairs where wchar_t is wider than 16 bits.
std::string Encoded(const std::wstring& text) {
    std::string bytes;
    auto unit = [&](std::uint32_t u) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    for (wchar_t c : text) {
        auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            code -= 0x10000;
            unit(0xD800 + (code >> 10));
            unit(0xDC00 + (code & 0x3FF));
        } else {
            unit(code);
        }
    }
    return bytes;
}

} // namespace

std::string RecordFileStart() {
    return std::string("\xFF\xFE", 2);
}

std::string RecordLineBytes(std::vector<std::wstring> fields) {
    std::wstring text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        for (wchar_t& c : fields[i])
            if (c == L'\t' || c == L'\r' || c == L'\n')
                c = L' ';
        text += (i ? L"\t" : L"") + fields[i];
    }
    return Encoded(text + L"\t" + CheckOf(text) + L"\r\n");
}

bool RecordLineReader::Open(const std::string& bytes) {
    text_.clear();
    start_ = number_ = 0;
    if (bytes.size() < 2 || bytes.compare(0, 2, RecordFileStart()) != 0)
        return false;
    text_.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text_.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return true;
}

bool RecordLineReader::Next(std::vector<std::wstring>& fields) {
    fields.clear();
    std::size_t end = text_.find(L"\r\n", start_);
    if (end == std::wstring::npos)
        return false;
    const std::wstring line = text_.substr(start_, end - start_);
    start_ = end + 2;
    ++number_;
    for (std::size_t from = 0;;) {
        std::size_t tab = line.find(L'\t', from);
        fields.push_back(line.substr(from, tab - from));
        if (fields.back().size() > kMaxField || fields.size() > kMaxFields ||
            tab == std::wstring::npos)
            break;
        from = tab + 1;
    }
    std::size_t check = line.rfind(L'\t');
    if (fields.size() < 2 || fields.size() > kMaxFields || fields.back().size() > kMaxField ||
        CheckOf(line.substr(0, check)) != fields.back())
        fields.clear();
    else
        fields.pop_back();
    return true;
}

} // namespace base
