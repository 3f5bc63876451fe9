#include "backup/BackupStore.h"

#include "backup/BackupKey.h"
#include "base/PathRules.h"
#include "startmenu/processing/ClearMode.h"
#include "win/Errors.h"
#include "win/FileIdentity.h"
#include "win/FileSystem.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace backup {
namespace {

std::wstring BackupRootOf(const startmenu::FolderLocations& folders) {
    return folders.BackupRootDir.empty() ? folders.AppDir + L"backup" : folders.BackupRootDir;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    return path;
}

// A numbered folder name under root that nothing, file or folder, uses yet, nor one of the
// index's sections when they are given.
std::wstring FirstFreeFolder(const std::wstring& root, const std::wstring& stem,
                             const std::vector<std::wstring>& sections = {}) {
    unsigned number = FirstFreeNumber([&](unsigned n) {
        std::wstring path = root + L"\\" + stem + std::to_wstring(n);
        for (const std::wstring& section : sections)
            if (base::SameNameAscii(section, path + L"\\"))
                return true;
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return root + L"\\" + stem + std::to_wstring(number);
}

// A profile function's list of NUL-terminated strings, read into a buffer that grows until
// the function no longer says it was cut short (by answering size - 2).
struct BackupItem {
    BackupTime time;
    std::wstring description;
};

std::vector<std::wstring> ProfileStrings(const std::function<DWORD(wchar_t*, DWORD)>& read) {
    std::vector<wchar_t> buffer(4096);
    DWORD length = 0;
    for (;;) {
        length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size())
            break;
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::wstring> strings;
    for (DWORD start = 0; start < length;) {
        std::wstring item(buffer.data() + start);
        start += static_cast<DWORD>(item.size()) + 1;
        if (!item.empty())
            strings.push_back(std::move(item));
    }
    return strings;
}

std::vector<std::wstring> SectionNames(const std::wstring& index) {
    return ProfileStrings([&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, index.c_str());
    });
}

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

// Windows will not remove a read-only folder, and DeleteFolderTree tries a folder's removal
// before it clears that folder's attributes; so the folders are made writable first.
void ClearFolderAttributes(const std::wstring& folder) {
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || win::IsLinkedDirectory(data))
            return;
        std::wstring path = folder + L"\\" + data.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ClearFolderAttributes(path);
    });
}

void DeleteTree(const std::wstring& folder) {
    ClearFolderAttributes(folder);
    startmenu::DeleteFolderTree(folder);
}

// Empties a Programs folder as far as the system lets it, and names what it could not remove: an
// item left behind would otherwise stay in the restored Start Menu unnoticed. A linked folder
// is left: its target is not the Start Menu's, and the copies never hold one.
CopyFailures EmptyFolder(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    win::ForEachFile(folder + L"\\*",
                     [&](const WIN32_FIND_DATAW& data) { entries.push_back(data); });
    CopyFailures left;
    for (const WIN32_FIND_DATAW& data : entries) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (win::IsLinkedDirectory(data))
            continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteTree(path);
            if (win::IsExistingDirectory(path))
                left.push_back({path, ERROR_DIR_NOT_EMPTY});
        } else if (!DeleteFileW(path.c_str())) {
            left.push_back({path, GetLastError()});
        }
    }
    return left;
}

bool IsInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Whether no other program holds the item so that it cannot be removed. The system's own
// readers (an indexer, a virus scanner, the shell) open items for a moment: an item is held
// only when it stays so for half a second.
bool CanBeRemoved(const std::wstring& path, bool isFolder) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0)
            Sleep(50);
        win::FileHandle probe(CreateFileW(
            path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING,
            FILE_FLAG_OPEN_REPARSE_POINT | (isFolder ? FILE_FLAG_BACKUP_SEMANTICS : 0), nullptr));
        if (probe || !IsInUse(GetLastError()))
            return true;
    }
    return false;
}

// The first file or folder below folder that another program holds so that it cannot be
// removed (a file open without sharing its deletion, a folder that is a program's current
// folder or open in it), or empty: a restore must be able to remove everything it replaces.
std::wstring FirstItemInUse(const std::wstring& folder) {
    std::wstring found;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!found.empty() || win::IsLinkedDirectory(data))
            return;
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (!CanBeRemoved(path, isFolder))
            found = path;
        else if (isFolder)
            found = FirstItemInUse(path);
    });
    return found;
}

// One Programs folder and where its copy lies in a backup or holding folder.
struct CopyPair {
    std::wstring programs, copy;
};

std::vector<CopyPair> PairsOf(const startmenu::FolderLocations& folders,
                              const std::wstring& store) {
    std::vector<CopyPair> pairs;
    if (!folders.UserProgramsDir.empty())
        pairs.push_back({folders.UserProgramsDir, store + L"\\" + kUserCopyName});
    if (!folders.CommonProgramsDir.empty())
        pairs.push_back({folders.CommonProgramsDir, store + L"\\" + kCommonCopyName});
    return pairs;
}

// Empties every Programs folder and copies its content in from store; the first failure.
CopyFailures ReplaceFrom(const std::vector<CopyPair>& pairs, CopyProgress* progress) {
    CopyFailures failures;
    for (const CopyPair& pair : pairs) {
        for (const CopyFailures& step :
             {EmptyFolder(pair.programs), CopyFolderContents(pair.copy, pair.programs, progress)})
            failures.insert(failures.end(), step.begin(), step.end());
    }
    return failures;
}

bool HoldTheirCopies(const std::vector<CopyPair>& pairs) {
    for (const CopyPair& pair : pairs)
        if (!HoldTheSame(pair.programs, pair.copy))
            return false;
    return true;
}

// Writes a marker file as UTF-16 text; false when it cannot be written whole.
bool WriteMarker(const std::wstring& path, const std::wstring& text) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::wstring content = L"\xFEFF" + text;
    DWORD size = static_cast<DWORD>(content.size() * sizeof(wchar_t)), written = 0;
    return WriteFile(file.Get(), content.data(), size, &written, nullptr) && written == size;
}

std::wstring FailureList(const CopyFailures& failures) {
    std::wstring list;
    for (const CopyFailure& failure : failures)
        list += FailureText(failure) + L"\r\n";
    return list;
}

// The index's bytes, or what keeps them from being read, for the damage check.
std::wstring ReadIndexDamage(const std::wstring& index) {
    constexpr DWORD kLargest = 16u << 20;
    win::FileHandle file(CreateFileW(index.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? L"" : L"cannot be opened";
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargest)
        return L"is larger than 16 MB";
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return L"cannot be read";
    return IndexDamage(bytes);
}

// A new index is begun as UTF-16 text, which the profile functions then keep, so that
// descriptions and folders in any script survive; an existing ANSI index is used as it is.
void BeginIndexUnlessThere(const std::wstring& index) {
    win::FileHandle file(CreateFileW(index.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return; // there already, or the write below fails and says so
    const unsigned char byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file.Get(), byteOrderMark, sizeof byteOrderMark, &written, nullptr);
}

bool LiesInside(const std::wstring& resolved, const std::wstring& resolvedRoot) {
    std::wstring path = win::LowerFileName(resolved), root = win::LowerFileName(resolvedRoot);
    return !path.empty() && !root.empty() && path != root && base::IsSameOrInside(path, root);
}

// Refuses a copy that a restore must not use, before anything is changed.
void CheckRestorable(const startmenu::FolderLocations& folders, const std::wstring& copy) {
    const std::wstring shown = copy + L"\\";
    const std::wstring kNothing = L" Nothing has been changed.";
    if (!win::IsExistingDirectory(copy))
        throw win::AppError(L"The backup copy " + shown + L" is missing." + kNothing);
    std::wstring root = win::ResolvedPathOf(BackupRootOf(folders));
    if (!LiesInside(win::ResolvedPathOf(copy), root))
        throw win::AppError(L"The backup copy " + shown + L" does not lie in the backup folder " +
                            BackupRootOf(folders) + L"." + kNothing);
    for (const CopyPair& pair : PairsOf(folders, copy)) {
        if (!win::IsExistingDirectory(pair.copy) ||
            !LiesInside(win::ResolvedPathOf(pair.copy), root))
            throw win::AppError(L"The backup copy " + shown + L" is incomplete: it holds no \"" +
                                base::FileNameOf(pair.copy) + L"\" folder for " + pair.programs +
                                L"." + kNothing);
    }
    if (GetFileAttributesW((shown + kIncompleteName).c_str()) != INVALID_FILE_ATTRIBUTES)
        throw win::AppError(L"The backup copy " + shown +
                            L" is incomplete: not everything could be copied when it was made (" +
                            shown + kIncompleteName +
                            L" names what is missing). Restoring it would remove from the Start "
                            L"Menu what it lacks, so it is not restored." +
                            kNothing);
}

// A store inside a Programs folder would be copied into itself by a backup and emptied by a
// restore.
void CheckStoreOutsideStartMenu(const startmenu::FolderLocations& folders) {
    if (folders.AppDir.empty())
        throw win::AppError(L"The program's folder is not known, so there is no backup store.");
    std::wstring root = win::LowerFileName(win::ResolvedPathOf(BackupRootOf(folders)));
    for (const std::wstring& programs : {folders.UserProgramsDir, folders.CommonProgramsDir}) {
        std::wstring resolved = win::LowerFileName(win::ResolvedPathOf(programs));
        if (!root.empty() && !resolved.empty() && base::IsSameOrInside(root, resolved))
            throw win::AppError(L"The backup folder " + BackupRootOf(folders) +
                                L" lies inside the Start Menu folder " + programs +
                                L". Start the program from a folder outside the Start Menu to "
                                L"back up or restore it.");
    }
}

} // namespace

std::wstring FailureText(const CopyFailure& failure) {
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
    // A gap whose entry is still in the index is not used again: that entry would be listed
    // in place of the new one.
    std::wstring store =
        FirstFreeFolder(BackupRootOf(folders), L"backup", SectionNames(IndexFileOf(folders)));
    if (!CreateDirectoryW(store.c_str(), nullptr))
        win::ThrowSystemError(GetLastError());
    BackupResult result;
    result.folder = store + L"\\";
    // Marked before it is listed, so a copy cut short in any way is never taken for complete.
    std::wstring marker = result.folder + kIncompleteName;
    if (!WriteMarker(marker, L"This backup copy was not finished.\r\n")) {
        DWORD error = GetLastError();
        RemoveDirectoryW(store.c_str());
        win::ThrowSystemError(error);
    }
    std::wstring index = IndexFileOf(folders);
    BeginIndexUnlessThere(index);
    if (!WritePrivateProfileStringW(result.folder.c_str(), CurrentBackupKey().c_str(),
                                    description.c_str(), index.c_str())) {
        DeleteFileW(marker.c_str());
        throw win::AppError(L"Unable to write to " + index);
    }
    for (const CopyPair& pair : PairsOf(folders, store)) {
        win::CreateFolderIfMissing(pair.copy);
        CopyFailures failures = CopyFolderContents(pair.programs, pair.copy, progress);
        result.failures.insert(result.failures.end(), failures.begin(), failures.end());
    }
    if (!result.failures.empty()) {
        WriteMarker(marker, L"This backup copy is not complete. These items were not copied:\r\n" +
                                FailureList(result.failures));
    } else if (!DeleteFileW(marker.c_str())) {
        result.failures.push_back({marker, GetLastError()});
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
    for (std::size_t i : NewestFirst(list.sections)) {
        const std::wstring& section = list.sections[i];
        std::vector<std::wstring> lines = ProfileStrings([&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileSectionW(section.c_str(), buffer, size, index.c_str());
        });
        BackupItem item;
        if (lines.empty() || !ParseBackupLine(lines.front(), item.time, item.description)) {
            problems +=
                L"The entry " + section + L" has no date and time of the form mm:dd:yyyy:hh:nn.\n";
            continue;
        }
        std::wstring when = DateTimeText(item.time);
        bool incomplete =
            GetFileAttributesW((section + kIncompleteName).c_str()) != INVALID_FILE_ATTRIBUTES;
        std::wstring name = base::FileNameOf(WithoutTrailingBackslash(section));
        list.items.push_back({when + L" - " + item.description + L" (" + name +
                                  (incomplete ? L", incomplete)" : L")"),
                              when, item.description, i, incomplete});
    }
    if (!problems.empty())
        list.error = L"The index of the backup copies, " + index + L", is damaged:\n" + problems +
                     L"\nEvery copy that can still be read from it is listed.";
    return list;
}

RestoreResult RestoreFromBackup(const startmenu::FolderLocations& folders,
                                const std::wstring& backupFolder, const std::wstring& description,
                                CopyProgress* progress) {
    CheckStoreOutsideStartMenu(folders);
    std::wstring copy = WithoutTrailingBackslash(backupFolder);
    CheckRestorable(folders, copy);

    for (const CopyPair& pair : PairsOf(folders, copy)) {
        std::wstring inUse = FirstItemInUse(pair.programs);
        if (!inUse.empty())
            throw win::AppError(inUse + L" is in use by another program, so the restore could not "
                                        L"replace it. Close that program and restore again. "
                                        L"Nothing has been changed.");
    }

    // What the restore replaces becomes a backup copy of its own, so the restore can be undone;
    // its number has no old entry in the index, which would be listed in place of its own.
    std::wstring index = IndexFileOf(folders);
    std::wstring holding = FirstFreeFolder(BackupRootOf(folders), L"backup", SectionNames(index));
    win::CreateFolderIfMissing(holding);
    std::vector<CopyPair> held = PairsOf(folders, holding);
    for (const CopyPair& pair : held) {
        // A Programs folder that is not there holds nothing; its empty copy puts that back.
        CopyFailures failures = win::IsExistingDirectory(pair.programs)
                                    ? CopyFolderContents(pair.programs, pair.copy, progress)
                                    : CopyFailures{};
        if (failures.empty())
            if (DWORD error = win::CreateFolderUnlessThere(pair.copy))
                failures.push_back({pair.copy, error});
        if (!failures.empty()) {
            DeleteTree(holding);
            throw win::AppError(L"The present Start Menu could not be set aside in " + holding +
                                L" before the restore: " + FailureText(failures.front()) +
                                L" Nothing has been changed.");
        }
    }

    RestoreResult result;
    result.before = holding + L"\\";
    CopyFailures failures = ReplaceFrom(PairsOf(folders, copy), progress);
    if (!failures.empty()) {
        result.failure = failures.front();
        ReplaceFrom(held, progress);
        // Judged by what the folders hold: a folder another program keeps cannot be removed,
        // yet its content can be put back whole.
        if (HoldTheirCopies(held)) {
            DeleteTree(holding);
            result.outcome = RestoreOutcome::PutBack;
            result.before.clear();
            return result;
        }
        result.outcome = RestoreOutcome::Held;
    }
    BeginIndexUnlessThere(index);
    result.beforeListed =
        WritePrivateProfileStringW(result.before.c_str(), CurrentBackupKey().c_str(),
                                   (L"Before restoring " + description).c_str(), index.c_str());
    return result;
}

} // namespace backup
