#include "backup/BackupStore.h"

#include "backup/BackupIndex.h"
#include "backup/BackupKey.h"
#include "backup/StoreParts.h"
#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "win/Errors.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace backup {
namespace {

struct BackupItem {
    BackupTime time;
    std::wstring description;
};

std::wstring Formatted(const std::function<int(wchar_t*, int)>& format) {
    int length = format(nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    length = format(text.data(), length);
    text.resize(length > 0 ? static_cast<std::size_t>(length) - 1 : 0);
    return text;
}

// The short date, and the time unless it is exactly midnight; the key holds no seconds.
std::wstring DateTimeText(const BackupTime& time) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.year);
    st.wMonth = static_cast<WORD>(time.month);
    st.wDay = static_cast<WORD>(time.day);
    st.wHour = static_cast<WORD>(time.hour);
    st.wMinute = static_cast<WORD>(time.minute);
    std::wstring text = Formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
    });
    if (time.hour != 0 || time.minute != 0)
        text += L" " + Formatted([&](wchar_t* buffer, int size) {
                    return GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, buffer,
                                          size);
                });
    return text;
}

std::wstring FailureList(const CopyFailures& failures) {
    std::wstring list;
    for (const CopyFailure& failure : failures)
        list += FailureText(failure) + L"\r\n";
    return list;
}

} // namespace

std::wstring FailureText(const CopyFailure& failure) {
    if (!failure.finding.empty())
        return failure.item + L" " + failure.finding;
    if (IsInUse(failure.error))
        return failure.item + L" is in use by another program.";
    return failure.item + L": " + win::SystemErrorText(failure.error);
}

std::wstring IndexFileOf(const startmenu::FolderLocations& folders) {
    return folders.AppDir + kIndexFileName;
}

std::wstring CurrentBackupKey() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t separator[8] = L":";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, 8) <= 1)
        separator[0] = L':';
    return FormatBackupKey({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute}, separator[0]);
}

BackupResult CreateBackup(const startmenu::FolderLocations& folders,
                          const std::wstring& description, CopyProgress* progress) {
    CheckStoreOutsideStartMenu(folders);
    // A backup beside a run that changes the Start Menu would copy it half changed.
    product::WriterLock lock = TakeWriterLock(L"a backup", L"The backup has not been made.");
    const std::wstring index = IndexFileOf(folders);
    std::vector<std::wstring> sections = SectionNames(index);
    if (IndexTooLarge(index) || sections.size() >= kMostIndexEntries)
        throw win::AppError(L"The index of the backup copies, " + index +
                            L", has no room for another copy: it may have " +
                            std::to_wstring(kMostIndexEntries) +
                            L" entries and 1 MB at most. The backup has not been made.");
    // A gap whose entry is still in the index is not used again: that entry would be listed
    // in place of the new one.
    std::wstring store = FirstFreeFolder(BackupRootOf(folders), L"backup", sections);
    if (!CreateDirectoryW(store.c_str(), nullptr))
        win::ThrowSystemError(GetLastError());
    product::NoteDiskChange();
    BackupResult result;
    result.folder = store + L"\\";
    // Marked before it is listed, so a copy cut short in any way is never taken for complete.
    std::wstring marker = result.folder + kIncompleteName;
    if (!WriteMarker(marker, L"This backup copy was not finished.\r\n")) {
        DWORD error = GetLastError();
        RemoveTree(store);
        win::ThrowSystemError(error);
    }
    if (!AddIndexEntry(index, result.folder, description)) {
        DeleteFileW(marker.c_str());
        throw win::AppError(L"Unable to write to " + index);
    }
    for (const CopyPair& pair : PairsOf(folders, store)) {
        win::CreateFolderIfMissing(pair.copy);
        CopyFailures failures = CopyFolderContents(pair.programs, pair.copy, progress);
        // Created only when the copy holds every item as the Start Menu does.
        if (failures.empty())
            failures = CompareCopy(pair.programs, pair.copy);
        result.failures.insert(result.failures.end(), failures.begin(), failures.end());
    }
    if (!result.failures.empty()) {
        WriteMarker(marker, L"This backup copy is not complete. These items were not copied:\r\n" +
                                FailureList(result.failures));
    } else if (!DeleteFileW(marker.c_str())) {
        result.failures.push_back({marker, GetLastError(), {}});
    } else {
        product::NoteDiskChange();
    }
    return result;
}

BackupList ReadBackupList(const startmenu::FolderLocations& folders) {
    BackupList list;
    if (folders.AppDir.empty())
        return list; // a bare name would be looked for in the Windows folder
    std::wstring index = IndexFileOf(folders);
    list.sections = SectionNames(index);
    std::wstring problems;
    if (std::wstring damage = ReadIndexDamage(index); !damage.empty())
        problems += L"The file " + damage + L".\n";
    if (list.sections.size() > kMostIndexEntries) {
        problems += L"It has " + std::to_wstring(list.sections.size()) + L" entries, more than " +
                    std::to_wstring(kMostIndexEntries) + L", so they are not read.\n";
        list.sections.clear();
    }
    for (std::size_t i : NewestFirst(list.sections)) {
        const std::wstring& section = list.sections[i];
        std::vector<std::wstring> lines = SectionLines(index, section);
        BackupItem item;
        if (lines.empty() || !ParseBackupLine(lines.front(), item.time, item.description)) {
            problems +=
                L"The entry " + section + L" has no date and time of the form mm:dd:yyyy:hh:nn.\n";
            continue;
        }
        std::wstring when = DateTimeText(item.time);
        bool incomplete =
            GetFileAttributesW((section + kIncompleteName).c_str()) != INVALID_FILE_ATTRIBUTES;
        std::wstring name = base::FileNameOf(base::FolderWithoutTrailingBackslash(section));
        list.items.push_back({when + L" - " + item.description + L" (" + name +
                                  (incomplete ? L", incomplete)" : L")"),
                              when, item.description, i, incomplete});
    }
    if (!problems.empty())
        list.error =
            L"The index of the backup copies, " + index + L", is damaged:\n" + problems +
            (list.items.empty() ? L"\nNo copy can be read from it."
                                : L"\nEvery copy that can still be read from it is listed.");
    return list;
}

} // namespace backup
