#pragma once
// The form of the records the program keeps beside its backups: UTF-16LE text with a
// byte-order mark, one record a line, fields split by tabs, each line ending in a check
// value of its text, so that any change to a line shows. Such a file is only appended to,
// so a writer that stops leaves every line but perhaps an unfinished last one.
#include <cstddef>
#include <string>
#include <vector>

namespace base {

// The byte-order mark that begins a record file.
std::string RecordFileStart();
// One line, as the bytes appended to the file. A field never holds the tab that separates
// fields nor a line break: they become blanks.
std::string RecordLineBytes(std::vector<std::wstring> fields);

// Reads a record file's whole lines, one after the other.
class RecordLineReader {
public:
    // False when the bytes do not begin with the byte-order mark.
    bool Open(const std::string& bytes);
    // False at the end or at an unfinished last line. Otherwise the line's fields without
    // its check value, none when the check value is wrong, or a field is longer or the line
    // has more fields than any the program writes.
    bool Next(std::vector<std::wstring>& fields);
    // The bytes up to the end of the last line Next gave.
    std::size_t WholeBytes() const { return 2 + 2 * start_; }
    std::size_t LineNumber() const { return number_; }

private:
    std::wstring text_;
    std::size_t start_ = 0, number_ = 0;
};

} // namespace base
