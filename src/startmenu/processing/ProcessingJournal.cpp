#include "startmenu/processing/ProcessingJournal.h"

#include <algorithm>
#include <vector>

#include "base/Hash.h"
#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

constexpr const wchar_t* kJournalsName = L"processing";
constexpr const wchar_t* kRunStem = L"run";
constexpr const wchar_t* kJournalName = L"journal.txt";
// A journal is a few lines an item; one far larger is not one of ours.
constexpr LONGLONG kMaxJournalBytes = 64ll * 1024 * 1024;

// Moving a file may set its archive bit, and nothing else a user sees.
constexpr DWORD kComparedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                      FILE_ATTRIBUTE_REPARSE_POINT;

void AddEntry(base::Hash64& hash, DWORD attributes, DWORD sizeHigh, DWORD sizeLow,
              const FILETIME& written) {
    hash.Add(attributes & kComparedAttributes);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return; // a folder's own times change as the shell looks into it
    hash.Add((static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow);
    hash.Add((static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
}

void AddContents(base::Hash64& hash, const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    win::ForEachFile(folder + L"\\*",
                     [&](const WIN32_FIND_DATAW& data) { entries.push_back(data); });
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return lstrcmpW(a.cFileName, b.cFileName) < 0; });
    for (const WIN32_FIND_DATAW& data : entries) {
        hash.Add(std::wstring(data.cFileName));
        AddEntry(hash, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                 data.ftLastWriteTime);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !win::IsLinkedDirectory(data))
            AddContents(hash, folder + L"\\" + data.cFileName);
    }
}

std::wstring NowText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[64] = L"", time[64] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 64);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, time, 64);
    return std::wstring(date) + L" " + time;
}

// The numbers of the run folders there are, highest first.
std::vector<unsigned> RunNumbers(const std::wstring& journals) {
    std::vector<unsigned> numbers;
    const std::wstring stem = kRunStem;
    win::ForEachFile(journals + L"\\" + stem + L"*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring name = data.cFileName;
        std::wstring digits = name.substr(std::min(name.size(), stem.size()));
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || digits.empty() ||
            digits.size() > 9 || digits[0] == L'0' ||
            digits.find_first_not_of(L"0123456789") != std::wstring::npos)
            return;
        numbers.push_back(static_cast<unsigned>(std::stoul(digits)));
    });
    std::sort(numbers.rbegin(), numbers.rend());
    return numbers;
}

std::wstring RunFolder(const std::wstring& journals, unsigned number) {
    return journals + L"\\" + kRunStem + std::to_wstring(number);
}

bool ReadJournal(const std::wstring& file, LastRun& run) {
    win::FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.Get(), &size) || size.QuadPart > kMaxJournalBytes) {
        run.error = L"It is far larger than any record of a processing run.";
        return true;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(handle.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        run.error = win::SystemErrorText(GetLastError());
        return true;
    }
    ParseJournal(bytes, run.journal, run.error);
    return true;
}

std::wstring MarkFailure(RunMark mark) {
    switch (mark) {
    case RunMark::Undo:
        return L"Nothing has been changed: the undo could not be recorded in ";
    case RunMark::Undone:
        return L"The run has been undone, but this could not be noted in ";
    case RunMark::None:
    case RunMark::End:
        break;
    }
    return L"The Start Menu stays as it is, but this could not be noted in ";
}

} // namespace

std::wstring ItemFingerprint(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(base::LiteralPath(path).c_str(), GetFileExInfoStandard, &data))
        return {};
    base::Hash64 hash;
    AddEntry(hash, data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
             data.ftLastWriteTime);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        AddContents(hash, path);
    return hash.Hex();
}

void JournalWriter::Open() {
    if (file_)
        return;
    if (backupRoot_.empty())
        throw win::AppError(L"The backup folder is not known, so this processing run could not "
                            L"be recorded for an undo. Nothing has been moved.");
    std::wstring journals = backupRoot_ + L"\\" + kJournalsName;
    win::CreateFolderIfMissing(backupRoot_);
    win::CreateFolderIfMissing(journals);
    std::vector<unsigned> numbers = RunNumbers(journals);
    for (unsigned number = numbers.empty() ? 1 : numbers.front() + 1;; ++number) {
        folder_ = RunFolder(journals, number);
        if (CreateDirectoryW(folder_.c_str(), nullptr)) {
            product::NoteDiskChange();
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            win::ThrowSystemError(GetLastError());
    }
    std::wstring file = folder_ + L"\\" + kJournalName;
    file_.Reset(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_)
        win::ThrowSystemError(GetLastError());
    Append(JournalHeaderBytes(NowText()));
}

void JournalWriter::Append(const std::string& bytes) {
    DWORD written = 0;
    // Flushed at once: the step that follows may be the last thing the run does.
    if (!WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file_.Get()))
        throw win::AppError(L"This processing run could not be recorded in " + folder_ + L": " +
                            win::SystemErrorText(GetLastError()) +
                            L" It stopped before its next step.");
    product::NoteDiskChange();
}

void JournalWriter::End() {
    if (file_)
        Append(JournalMarkBytes(RunMark::End, NowText()));
}

void JournalWriter::Record(const JournalStep& step) {
    Open();
    Append(JournalStepBytes(step));
}

std::wstring JournalWriter::KeptPlace(const std::wstring& name) {
    Open();
    return folder_ + L"\\" + std::to_wstring(++kept_) + L" " + name;
}

bool FindLastRun(const std::wstring& backupRoot, LastRun& run) {
    if (backupRoot.empty())
        return false;
    std::wstring journals = backupRoot + L"\\" + kJournalsName;
    for (unsigned number : RunNumbers(journals)) {
        LastRun candidate;
        candidate.folder = RunFolder(journals, number);
        candidate.file = candidate.folder + L"\\" + kJournalName;
        if (!ReadJournal(candidate.file, candidate))
            continue;
        if (candidate.error.empty() &&
            (candidate.journal.undone || candidate.journal.steps.empty()))
            continue;
        run = std::move(candidate);
        return true;
    }
    return false;
}

void Mark(const LastRun& run, RunMark mark) {
    // After the last whole line: a run that stopped while writing left a part of one.
    if (DWORD error = win::WriteFromOffset(run.file, run.journal.wholeBytes,
                                           JournalMarkBytes(mark, NowText()), OPEN_EXISTING))
        throw win::AppError(MarkFailure(mark) + run.file + L": " + win::SystemErrorText(error));
    product::NoteDiskChange();
}

} // namespace startmenu
