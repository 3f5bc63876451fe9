#include "backup/BackupStore.h"

#include "backup/BackupKey.h"
#include "base/PathRules.h"
#include "startmenu/ClearMode.h"
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

// A numbered folder name under root that nothing, file or folder, uses yet.
std::wstring FirstFreeFolder(const std::wstring& root, const std::wstring& stem) {
    unsigned number = FirstFreeNumber([&](unsigned n) {
        std::wstring path = root + L"\\" + stem + std::to_wstring(n);
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return root + L"\\" + stem + std::to_wstring(number);
}

// A profile function's list of NUL-terminated strings, read into a buffer that grows until
// the function no longer says it was cut short (by answering size - 2).
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

std::wstring Formatted(const std::function<int(wchar_t*, int)>& format) {
    int length = format(nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    length = format(text.data(), length);
    text.resize(length > 0 ? static_cast<std::size_t>(length) - 1 : 0);
    return text;
}

// The "c" pattern: the short date, and the long time unless it is exactly midnight.
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
                    return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
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

// Empties a Programs folder as far as the system lets it, and says why when it could not: an
// item left behind would otherwise stay in the restored Start Menu unnoticed. A linked folder
// is left: its target is not the Start Menu's, and the copies never hold one.
DWORD EmptyFolder(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    win::ForEachFile(folder + L"\\*",
                     [&](const WIN32_FIND_DATAW& data) { entries.push_back(data); });
    DWORD first = ERROR_SUCCESS;
    for (const WIN32_FIND_DATAW& data : entries) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (win::IsLinkedDirectory(data))
            continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteTree(path);
            if (first == ERROR_SUCCESS && win::IsExistingDirectory(path))
                first = ERROR_DIR_NOT_EMPTY;
        } else if (!DeleteFileW(path.c_str()) && first == ERROR_SUCCESS) {
            first = GetLastError();
        }
    }
    return first;
}

// The first file below folder that another program holds open so that it cannot be deleted,
// or empty: a restore must be able to remove everything it replaces.
std::wstring FirstItemInUse(const std::wstring& folder) {
    std::wstring found;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!found.empty() || win::IsLinkedDirectory(data))
            return;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            found = FirstItemInUse(path);
            return;
        }
        win::FileHandle probe(CreateFileW(
            path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!probe && GetLastError() == ERROR_SHARING_VIOLATION)
            found = path;
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
DWORD ReplaceFrom(const std::vector<CopyPair>& pairs, CopyProgress* progress) {
    DWORD first = ERROR_SUCCESS;
    for (const CopyPair& pair : pairs) {
        DWORD emptied = EmptyFolder(pair.programs);
        DWORD copied = CopyFolderContents(pair.copy, pair.programs, progress);
        if (first == ERROR_SUCCESS)
            first = emptied != ERROR_SUCCESS ? emptied : copied;
    }
    return first;
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
    std::wstring store = FirstFreeFolder(BackupRootOf(folders), L"backup");
    if (!CreateDirectoryW(store.c_str(), nullptr))
        win::ThrowSystemError(GetLastError());
    BackupResult result;
    result.folder = store + L"\\";
    std::wstring index = IndexFileOf(folders);
    BeginIndexUnlessThere(index);
    if (!WritePrivateProfileStringW(result.folder.c_str(), CurrentBackupKey().c_str(),
                                    description.c_str(), index.c_str()))
        throw win::AppError(L"Unable to write to " + index);
    for (const CopyPair& pair : PairsOf(folders, store)) {
        win::CreateFolderIfMissing(pair.copy);
        DWORD error = CopyFolderContents(pair.programs, pair.copy, progress);
        (pair.programs == folders.UserProgramsDir ? result.userCopyError : result.commonCopyError) =
            error;
    }
    return result;
}

BackupList ReadBackupList(const startmenu::FolderLocations& folders) {
    BackupList list;
    if (folders.AppDir.empty())
        return list; // a bare name would be looked for in the Windows folder
    std::wstring index = IndexFileOf(folders);
    list.sections = ProfileStrings([&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, index.c_str());
    });
    for (std::size_t i : NewestFirst(list.sections.size())) {
        const std::wstring& section = list.sections[i];
        std::vector<std::wstring> lines = ProfileStrings([&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileSectionW(section.c_str(), buffer, size, index.c_str());
        });
        BackupTime time;
        std::wstring description;
        if (lines.empty() || !ParseBackupLine(lines.front(), time, description)) {
            list.error = L"The backup copy " + section + L" in " + index +
                         L" has no date and time of the form mm:dd:yyyy:hh:nn, so it and the "
                         L"copies made before it cannot be listed.";
            break;
        }
        list.items.push_back({DateTimeText(time) + L" - " + description, i});
    }
    return list;
}

RestoreResult RestoreFromBackup(const startmenu::FolderLocations& folders,
                                const std::wstring& backupFolder, CopyProgress* progress) {
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

    // What the restore replaces is kept until the copy back has succeeded.
    std::wstring holding = FirstFreeFolder(BackupRootOf(folders), L"replaced");
    win::CreateFolderIfMissing(holding);
    std::vector<CopyPair> held = PairsOf(folders, holding);
    for (const CopyPair& pair : held) {
        // A Programs folder that is not there holds nothing; its empty copy puts that back.
        DWORD error = win::IsExistingDirectory(pair.programs)
                          ? CopyFolderContents(pair.programs, pair.copy, progress)
                          : win::CreateFolderUnlessThere(pair.copy);
        if (error) {
            DeleteTree(holding);
            throw win::AppError(L"The present Start Menu could not be set aside in " + holding +
                                L" before the restore: " + win::SystemErrorText(error) +
                                L" Nothing has been changed.");
        }
    }

    RestoreResult result;
    result.error = ReplaceFrom(PairsOf(folders, copy), progress);
    if (result.error == ERROR_SUCCESS) {
        DeleteTree(holding);
        return result;
    }
    if (ReplaceFrom(held, progress) == ERROR_SUCCESS) {
        DeleteTree(holding);
        result.outcome = RestoreOutcome::PutBack;
        return result;
    }
    result.outcome = RestoreOutcome::Held;
    result.heldAt = holding;
    return result;
}

} // namespace backup
