#include "startmenu/processing/RunJournal.h"

#include <algorithm>
#include <iterator>

#include "base/Hash.h"
#include "base/PathRules.h"

namespace startmenu {
namespace {

const std::wstring kHeader = L"Marlowen processing journal";
const std::wstring kVersion = L"2", kVersionWithoutEnd = L"1";
const wchar_t* const kMarkWords[] = {L"", L"end", L"undo", L"undone"};
constexpr size_t kMaxField = 32768;

const wchar_t* KindWord(StepKind kind) {
    switch (kind) {
    case StepKind::MakeFolder:
        return L"folder";
    case StepKind::Move:
        return L"move";
    case StepKind::Replace:
        return L"replace";
    case StepKind::Remove:
        break;
    }
    return L"remove";
}

std::wstring Hex8(std::uint32_t value) {
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring text(8, L'0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<size_t>(i)] = digits[value & 0xF];
    return text;
}

bool ParseHex(const std::wstring& text, size_t maxDigits, std::uint64_t& value) {
    if (text.empty() || text.size() > maxDigits)
        return false;
    value = 0;
    for (wchar_t c : text) {
        int digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

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
        std::uint32_t code = static_cast<std::uint32_t>(c);
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

std::string Line(std::vector<std::wstring> fields) {
    std::wstring text;
    for (size_t i = 0; i < fields.size(); ++i)
        text += (i ? L"\t" : L"") + fields[i];
    return Encoded(text + L"\t" + CheckOf(text) + L"\r\n");
}

std::vector<std::wstring> Split(const std::wstring& line) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

bool ParseStep(const std::vector<std::wstring>& f, JournalStep& step) {
    std::uint64_t attributes = 0;
    const std::wstring& kind = f[0];
    if (kind == L"folder" && f.size() == 3) {
        step = {StepKind::MakeFolder, f[1], f[2], {}, {}, {}, {}, 0};
        return true;
    }
    if (kind == L"move" && f.size() == 5) {
        step = {StepKind::Move, f[1], f[2], f[3], f[4], {}, {}, 0};
        return true;
    }
    if (kind == L"replace" && f.size() == 8 && ParseHex(f[7], 8, attributes)) {
        step = {StepKind::Replace,
                f[1],
                f[2],
                f[3],
                f[4],
                f[5],
                f[6],
                static_cast<std::uint32_t>(attributes)};
        return true;
    }
    if (kind == L"remove" && f.size() == 4 && ParseHex(f[3], 8, attributes)) {
        step = {
            StepKind::Remove, f[1], f[2], {}, {}, {}, {}, static_cast<std::uint32_t>(attributes)};
        return true;
    }
    return false;
}

// A plain absolute path: a volume, then names, none of them "." or "..", no stream.
bool IsPlainPath(const std::wstring& path) {
    std::wstring root = base::VolumeRootOf(path);
    if (root.empty() || path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0)
        return false;
    for (size_t start = root.size(); start < path.size();) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        std::wstring name = path.substr(start, end - start);
        if (name.empty() || name == L"." || name == L".." ||
            name.find_first_of(L":*?\"<>|/") != std::wstring::npos)
            return false;
        start = end + 1;
    }
    return path.back() != L'\\';
}

bool StrictlyInside(const std::wstring& path, const std::wstring& folder,
                    const std::function<std::wstring(const std::wstring&)>& key) {
    std::wstring p = key(path), f = key(folder);
    return !f.empty() && p.size() > f.size() && base::IsSameOrInside(p, f);
}

} // namespace

std::string JournalHeaderBytes(const std::wstring& started) {
    return std::string("\xFF\xFE", 2) + Line({kHeader, kVersion, started});
}

std::string JournalStepBytes(const JournalStep& s) {
    switch (s.kind) {
    case StepKind::MakeFolder:
        return Line({KindWord(s.kind), s.item, s.from});
    case StepKind::Move:
        return Line({KindWord(s.kind), s.item, s.from, s.to, s.fingerprint});
    case StepKind::Replace:
        return Line({KindWord(s.kind), s.item, s.from, s.to, s.fingerprint, s.kept,
                     s.keptFingerprint, Hex8(s.attributes)});
    case StepKind::Remove:
        break;
    }
    return Line({KindWord(s.kind), s.item, s.from, Hex8(s.attributes)});
}

std::string JournalMarkBytes(RunMark mark, const std::wstring& when) {
    return Line({kMarkWords[static_cast<int>(mark)], when});
}

bool ParseJournal(const std::string& bytes, RunJournal& journal, std::wstring& error) {
    journal = RunJournal();
    if (bytes.empty() || bytes == "\xFF")
        return true; // stopped before its first line
    journal.wholeBytes = 2;
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE", 2) != 0) {
        error = L"It is not a record of a processing run.";
        return false;
    }
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    size_t lineNumber = 0;
    bool marked = false;
    for (size_t start = 0;;) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos)
            break; // an unfinished last line: the run stopped while writing it
        std::wstring line = text.substr(start, end - start);
        start = end + 2;
        journal.wholeBytes = 2 + 2 * start;
        ++lineNumber;
        std::vector<std::wstring> fields = Split(line);
        size_t check = line.rfind(L'\t');
        bool sound = fields.size() >= 2 && check != std::wstring::npos &&
                     CheckOf(line.substr(0, check)) == fields.back();
        for (const std::wstring& field : fields)
            sound = sound && field.size() <= kMaxField;
        if (sound) {
            fields.pop_back();
            if (lineNumber == 1)
                sound = fields.size() == 3 && fields[0] == kHeader &&
                        (fields[1] == kVersion || fields[1] == kVersionWithoutEnd);
            auto mark = std::find(std::begin(kMarkWords) + 1, std::end(kMarkWords), fields[0]);
            if (lineNumber == 1 && sound) {
                journal.started = fields[2];
                if (fields[1] == kVersionWithoutEnd)
                    journal.lastMark = RunMark::End;
            } else if (sound && mark != std::end(kMarkWords) && fields.size() == 2) {
                marked = true;
                journal.lastMark = static_cast<RunMark>(mark - std::begin(kMarkWords));
                journal.undone = journal.undone || journal.lastMark == RunMark::Undone;
            } else if (sound) {
                JournalStep step;
                // No step follows a mark: the run had ended.
                sound = !marked && ParseStep(fields, step);
                if (sound)
                    journal.steps.push_back(std::move(step));
            }
        }
        if (!sound) {
            error = lineNumber == 1 ? L"It is not a record of a processing run."
                                    : L"Line " + std::to_wstring(lineNumber) +
                                          L" of it has been changed or damaged.";
            journal = RunJournal();
            return false;
        }
    }
    return true;
}

std::wstring JournalPlacesRefusal(const RunJournal& journal,
                                  const std::vector<std::wstring>& programsFolders,
                                  const std::wstring& runFolder,
                                  const std::function<std::wstring(const std::wstring&)>& key) {
    auto inStartMenu = [&](const std::wstring& path) {
        if (!IsPlainPath(path))
            return false;
        for (const std::wstring& programs : programsFolders)
            if (StrictlyInside(path, programs, key))
                return true;
        return false;
    };
    for (const JournalStep& step : journal.steps) {
        std::vector<std::wstring> places = {step.from};
        if (step.kind == StepKind::Move || step.kind == StepKind::Replace)
            places.push_back(step.to);
        for (const std::wstring& place : places)
            if (!inStartMenu(place))
                return L"It names " + place +
                       L", which does not lie in a Programs folder of the Start Menu.";
        if (step.kind == StepKind::Replace &&
            !(IsPlainPath(step.kept) && StrictlyInside(step.kept, runFolder, key)))
            return L"It names " + step.kept +
                   L" as the place of a replaced item, which does "
                   L"not lie in the run's own folder " +
                   runFolder + L".";
    }
    return {};
}

} // namespace startmenu
