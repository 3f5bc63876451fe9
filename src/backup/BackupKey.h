#pragma once
// The index of backup copies: its date keys and the order of its entries. No Windows call:
// built and tested natively too.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace backup {

// A local date and time to the minute, as a backup's key holds it.
struct BackupTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// Characters in a key: "mm:dd:yyyy:hh:nn".
inline constexpr std::size_t kBackupKeyLength = 16;

// The key "mm:dd:yyyy:hh:nn" for time, with separator between the fields.
std::wstring FormatBackupKey(const BackupTime& time, wchar_t separator);

// One "key=value" line of an index section, read back: false when its key is not a date
// key (too short, a field that is not digits, no "=" after the key, a date that cannot be).
// The separators are not looked at.
bool ParseBackupLine(const std::wstring& line, BackupTime& time, std::wstring& description);

// The first number from 1 up for which taken says no, so a gap is used again.
unsigned FirstFreeNumber(const std::function<bool(unsigned)>& taken);

// The indexes of the sections in the order they are listed: the one written last first, and a
// name written twice (in any ASCII letter case) only once, where it first stands, whose
// content the profile functions read.
std::vector<std::size_t> NewestFirst(const std::vector<std::wstring>& sections);

// What makes an index's bytes unreadable as a profile file, in words that follow "it": empty
// when nothing does. A profile file is ANSI text, or UTF-16 text that begins with its
// byte-order mark; each line is blank, a comment, a [section] or a key=value line.
std::wstring IndexDamage(const std::string& bytes);

// The index's text with a new section at its end holding key=value. A line break in the value
// would begin a line of its own, so it becomes a space.
std::wstring WithEntry(const std::wstring& text, const std::wstring& section,
                       const std::wstring& key, const std::wstring& value);

// The index's text without the lines of the section of that name (ASCII letters folded).
std::wstring WithoutSection(const std::wstring& text, const std::wstring& section);

} // namespace backup
