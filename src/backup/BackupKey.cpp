#include "backup/BackupKey.h"

#include "base/PathRules.h"

namespace backup {
namespace {

void AppendDigits(std::wstring& text, int value, int digits) {
    std::wstring number = std::to_wstring(value < 0 ? 0 : value);
    if (number.size() < static_cast<std::size_t>(digits))
        text.append(static_cast<std::size_t>(digits) - number.size(), L'0');
    text += number;
}

bool ReadDigits(const std::wstring& text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        value = value * 10 + (text[i] - L'0');
    }
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

std::wstring FormatBackupKey(const BackupTime& time, wchar_t separator) {
    std::wstring key;
    AppendDigits(key, time.month, 2);
    key += separator;
    AppendDigits(key, time.day, 2);
    key += separator;
    AppendDigits(key, time.year, 4);
    key += separator;
    AppendDigits(key, time.hour, 2);
    key += separator;
    AppendDigits(key, time.minute, 2);
    return key;
}

bool ParseBackupLine(const std::wstring& line, BackupTime& time, std::wstring& description) {
    if (line.size() <= kBackupKeyLength || line[kBackupKeyLength] != L'=')
        return false;
    BackupTime read;
    if (!ReadDigits(line, 0, 2, read.month) || !ReadDigits(line, 3, 2, read.day) ||
        !ReadDigits(line, 6, 4, read.year) || !ReadDigits(line, 11, 2, read.hour) ||
        !ReadDigits(line, 14, 2, read.minute))
        return false;
    if (read.year < 1601 || read.month < 1 || read.month > 12 || read.day < 1 ||
        read.day > DaysInMonth(read.year, read.month) || read.hour > 23 || read.minute > 59)
        return false;
    time = read;
    description = line.substr(kBackupKeyLength + 1);
    return true;
}

unsigned FirstFreeNumber(const std::function<bool(unsigned)>& taken) {
    unsigned number = 1;
    while (taken(number))
        ++number;
    return number;
}

std::vector<std::size_t> NewestFirst(const std::vector<std::wstring>& sections) {
    std::vector<std::size_t> order;
    for (std::size_t i = sections.size(); i > 0; --i) {
        std::size_t at = i - 1;
        bool earlier = false;
        for (std::size_t j = 0; j < at && !earlier; ++j)
            earlier = base::SameNameAscii(sections[j], sections[at]);
        if (!earlier)
            order.push_back(at);
    }
    return order;
}

std::wstring IndexDamage(const std::string& bytes) {
    std::wstring text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        if (bytes.size() % 2 != 0)
            return L"ends in the middle of a UTF-16 character";
        for (std::size_t i = 2; i < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8);
    } else {
        for (char byte : bytes)
            text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    }
    if (text.find(L'\0') != std::wstring::npos)
        return L"holds NUL characters, so it is neither ANSI text nor UTF-16 text with a "
               L"byte-order mark (it may be UTF-16 text without one)";
    std::size_t number = 0;
    for (std::size_t start = 0; start <= text.size(); ++number) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        for (wchar_t c : line)
            if (c < 0x20 && c != L'\t' && c != L'\r')
                return L"holds control characters in line " + std::to_wstring(number + 1) +
                       L", so it is not text";
        std::size_t first = line.find_first_not_of(L" \t\r");
        if (first == std::wstring::npos || line[first] == L';' || line[first] == L'[' ||
            line.find(L'=') != std::wstring::npos)
            continue;
        return L"has a line " + std::to_wstring(number + 1) +
               L" that is neither a [section] nor a key=value line";
    }
    return {};
}

std::wstring WithEntry(const std::wstring& text, const std::wstring& section,
                       const std::wstring& key, const std::wstring& value) {
    std::wstring line = value;
    for (wchar_t& c : line)
        if (c == L'\r' || c == L'\n' || c == L'\0')
            c = L' ';
    std::wstring result = text;
    if (!result.empty() && result.back() != L'\n')
        result += L"\r\n";
    return result + L"[" + section + L"]\r\n" + key + L"=" + line + L"\r\n";
}

std::wstring WithoutSection(const std::wstring& text, const std::wstring& section) {
    std::wstring result;
    bool dropping = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        end = end == std::wstring::npos ? text.size() : end + 1;
        std::wstring line = text.substr(start, end - start);
        start = end;
        std::size_t first = line.find_first_not_of(L" \t");
        if (first != std::wstring::npos && line[first] == L'[') {
            std::size_t close = line.rfind(L']');
            dropping = close != std::wstring::npos && close > first &&
                       base::SameNameAscii(line.substr(first + 1, close - first - 1), section);
        }
        if (!dropping)
            result += line;
    }
    return result;
}

} // namespace backup
