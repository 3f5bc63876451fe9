#include "startmenu/processing/RunJournal.h"

#include <algorithm>
#include <iterator>

#include "base/PathRules.h"
#include "base/RecordLines.h"

namespace startmenu {
namespace {

const std::wstring kHeader = L"Marlowen processing journal";
const std::wstring kVersion = L"2", kVersionWithoutEnd = L"1";
const wchar_t* const kMarkWords[] = {L"", L"end", L"undo", L"undone"};

const wchar_t* KindWord(StepKind kind) {
    switch (kind) {
    case StepKind::MakeFolder:
        return L"folder";
    case StepKind::Move:
        return L"move";
    case StepKind::Replace:
        return L"replace";
    case StepKind::SetAside:
        return L"aside";
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
    if (kind == L"aside" && f.size() == 6 && ParseHex(f[5], 8, attributes)) {
        step = {StepKind::SetAside,
                f[1],
                f[2],
                {},
                f[3],
                f[4],
                {},
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
    return base::RecordFileStart() + base::RecordLineBytes({kHeader, kVersion, started});
}

std::string JournalStepBytes(const JournalStep& s) {
    switch (s.kind) {
    case StepKind::MakeFolder:
        return base::RecordLineBytes({KindWord(s.kind), s.item, s.from});
    case StepKind::Move:
        return base::RecordLineBytes({KindWord(s.kind), s.item, s.from, s.to, s.fingerprint});
    case StepKind::Replace:
        return base::RecordLineBytes({KindWord(s.kind), s.item, s.from, s.to, s.fingerprint, s.kept,
                                      s.keptFingerprint, Hex8(s.attributes)});
    case StepKind::SetAside:
        return base::RecordLineBytes(
            {KindWord(s.kind), s.item, s.from, s.fingerprint, s.kept, Hex8(s.attributes)});
    case StepKind::Remove:
        break;
    }
    return base::RecordLineBytes({KindWord(s.kind), s.item, s.from, Hex8(s.attributes)});
}

std::string JournalMarkBytes(RunMark mark, const std::wstring& when) {
    return base::RecordLineBytes({kMarkWords[static_cast<int>(mark)], when});
}

bool ParseJournal(const std::string& bytes, RunJournal& journal, std::wstring& error) {
    journal = RunJournal();
    if (bytes.empty() || bytes == "\xFF")
        return true; // stopped before its first line
    base::RecordLineReader reader;
    journal.wholeBytes = reader.WholeBytes();
    if (!reader.Open(bytes)) {
        error = L"It is not a record of a processing run.";
        return false;
    }
    bool marked = false;
    // An unfinished last line ends the loop: the run stopped while writing it.
    for (std::vector<std::wstring> fields; reader.Next(fields);) {
        journal.wholeBytes = reader.WholeBytes();
        bool first = reader.LineNumber() == 1;
        bool sound = !fields.empty();
        if (sound && first)
            sound = fields.size() == 3 && fields[0] == kHeader &&
                    (fields[1] == kVersion || fields[1] == kVersionWithoutEnd);
        auto mark = std::find(std::begin(kMarkWords) + 1, std::end(kMarkWords),
                              sound ? fields[0] : std::wstring());
        if (first && sound) {
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
        if (!sound) {
            error = first ? L"It is not a record of a processing run."
                          : L"Line " + std::to_wstring(reader.LineNumber()) +
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
        if ((step.kind == StepKind::Replace || step.kind == StepKind::SetAside) &&
            !(IsPlainPath(step.kept) && StrictlyInside(step.kept, runFolder, key)))
            return L"It names " + step.kept +
                   L" as the place of a replaced item, which does "
                   L"not lie in the run's own folder " +
                   runFolder + L".";
    }
    return {};
}

} // namespace startmenu
