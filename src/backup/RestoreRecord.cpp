#include "backup/RestoreRecord.h"

#include <cstdint>
#include <vector>

#include "base/Hash.h"

namespace backup {
namespace {

const std::wstring kHeader = L"Marlowen restore journal";
const std::wstring kVersion = L"1";
const std::wstring kFilling = L"filling";
const std::wstring kFinished = L"finished";
constexpr std::size_t kMaxField = 32768;

std::wstring CheckOf(const std::wstring& text) {
    base::Hash64 hash;
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

// A field never holds the tab that separates fields nor a line break.
std::string Line(std::vector<std::wstring> fields) {
    std::wstring text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        for (wchar_t& c : fields[i])
            if (c == L'\t' || c == L'\r' || c == L'\n')
                c = L' ';
        text += (i ? L"\t" : L"") + fields[i];
    }
    return Encoded(text + L"\t" + CheckOf(text) + L"\r\n");
}

std::vector<std::wstring> Split(const std::wstring& line) {
    std::vector<std::wstring> fields;
    for (std::size_t start = 0;;) {
        std::size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

// The fields of a whole line whose check value is right; empty when it is not.
std::vector<std::wstring> SoundFields(const std::wstring& line) {
    std::vector<std::wstring> fields = Split(line);
    std::size_t check = line.rfind(L'\t');
    if (fields.size() < 2 || check == std::wstring::npos ||
        CheckOf(line.substr(0, check)) != fields.back())
        return {};
    for (const std::wstring& field : fields)
        if (field.size() > kMaxField)
            return {};
    fields.pop_back();
    return fields;
}

} // namespace

std::string RestoreBeginBytes(const RestoreRecord& r) {
    return std::string("\xFF\xFE", 2) + Line({kHeader, kVersion, r.copy, r.description, r.before,
                                              r.userPrograms, r.commonPrograms});
}

std::string RestoreFillingBytes(const std::wstring& from) {
    return Line({kFilling, from});
}

std::string RestoreFinishedBytes() {
    return Line({kFinished});
}

bool ParseRestoreRecord(const std::string& bytes, RestoreRecord& record, std::wstring& error) {
    record = RestoreRecord();
    if (bytes.size() < 2)
        return true;
    if (bytes.compare(0, 2, "\xFF\xFE", 2) != 0) {
        error = L"It is not a record of a restore.";
        return false;
    }
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    std::size_t number = 0;
    for (std::size_t start = 0;;) {
        std::size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos)
            return true; // an unfinished last line: the restore stopped while writing it
        std::vector<std::wstring> f = SoundFields(text.substr(start, end - start));
        start = end + 2;
        std::size_t whole = 2 + 2 * start;
        bool sound = !f.empty() && !record.finished;
        if (++number == 1) {
            sound = f.size() == 7 && f[0] == kHeader && f[1] == kVersion && !f[2].empty() &&
                    !f[4].empty();
            if (sound)
                record = {f[2], f[3], f[4], f[5], f[6], {}, false, 0};
        } else if (sound && f[0] == kFilling && f.size() == 2 &&
                   (f[1] == record.copy || f[1] == record.before)) {
            record.filling = f[1];
        } else if (sound && f[0] == kFinished && f.size() == 1) {
            record.finished = true;
        } else {
            sound = false;
        }
        if (!sound) {
            error = number == 1 ? L"It is not a record of a restore."
                                : L"Line " + std::to_wstring(number) +
                                      L" of it has been changed or damaged.";
            record = RestoreRecord();
            return false;
        }
        record.wholeBytes = whole;
    }
}

} // namespace backup
