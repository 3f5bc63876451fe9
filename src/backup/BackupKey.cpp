#include "backup/BackupKey.h"

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

std::vector<std::size_t> NewestFirst(std::size_t count) {
    std::vector<std::size_t> order;
    order.reserve(count);
    for (std::size_t i = count; i > 0; --i)
        order.push_back(i - 1);
    return order;
}

} // namespace backup
