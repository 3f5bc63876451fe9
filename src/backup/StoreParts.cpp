#include "backup/StoreParts.h"

#include <algorithm>

#include "backup/BackupIndex.h"
#include "backup/BackupKey.h"
#include "backup/BackupStore.h"
#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "win/Errors.h"
#include "win/FileIdentity.h"
#include "win/FileSystem.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace backup {
namespace {

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

// The first file or folder below folder (a walk path) that another program holds so that it
// cannot be removed (a file open without sharing its deletion, a folder that is a program's
// current folder or open in it): a restore must be able to remove everything it replaces.
std::wstring FirstItemInUseBelow(const std::wstring& folder) {
    std::wstring found;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!found.empty() || win::IsLinkedDirectory(data))
            return;
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (!CanBeRemoved(path, isFolder))
            found = base::WithoutLongPathPrefix(path);
        else if (isFolder)
            found = FirstItemInUseBelow(path);
    });
    return found;
}

CopyFailures RemoveContents(const std::wstring& folder, bool keepLinks);

// Removes one item of a walk, a folder with its content; false, with the system's error,
// when it stays.
bool RemoveItem(const std::wstring& path, const WIN32_FIND_DATAW& data, DWORD& error) {
    bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (isFolder && !win::IsLinkedDirectory(data))
        RemoveContents(path, false);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (isFolder ? !RemoveDirectoryW(path.c_str()) : !DeleteFileW(path.c_str())) {
        error = isFolder ? DWORD(ERROR_DIR_NOT_EMPTY) : GetLastError();
        return false;
    }
    product::NoteDiskChange();
    return true;
}

// Removes what lies in folder (a walk path), linked folders too unless keepLinks; names what
// stays.
CopyFailures RemoveContents(const std::wstring& folder, bool keepLinks) {
    // Listed first: a listing open while its entries go may skip some.
    std::vector<WIN32_FIND_DATAW> entries;
    win::ForEachFile(folder + L"\\*",
                     [&](const WIN32_FIND_DATAW& data) { entries.push_back(data); });
    CopyFailures left;
    for (const WIN32_FIND_DATAW& data : entries) {
        if (keepLinks && win::IsLinkedDirectory(data))
            continue;
        std::wstring path = folder + L"\\" + data.cFileName;
        DWORD error = ERROR_SUCCESS;
        if (!RemoveItem(path, data, error))
            left.push_back({base::WithoutLongPathPrefix(path), error, {}});
    }
    return left;
}

} // namespace

bool IsInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

std::wstring BackupRootOf(const startmenu::FolderLocations& folders) {
    return folders.BackupRootDir.empty() ? folders.AppDir + L"backup" : folders.BackupRootDir;
}

std::wstring FirstFreeFolder(const std::wstring& root, const std::wstring& stem,
                             const std::vector<std::wstring>& sections) {
    unsigned number = FirstFreeNumber([&](unsigned n) {
        std::wstring path = root + L"\\" + stem + std::to_wstring(n);
        for (const std::wstring& section : sections)
            if (base::SameNameAscii(section, path + L"\\"))
                return true;
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return root + L"\\" + stem + std::to_wstring(number);
}

std::vector<CopyPair> PairsOf(const startmenu::FolderLocations& folders,
                              const std::wstring& store) {
    std::vector<CopyPair> pairs;
    if (!folders.UserProgramsDir.empty())
        pairs.push_back({folders.UserProgramsDir, store + L"\\" + kUserCopyName});
    if (!folders.CommonProgramsDir.empty())
        pairs.push_back({folders.CommonProgramsDir, store + L"\\" + kCommonCopyName});
    return pairs;
}

product::WriterLock TakeWriterLock(const std::wstring& run, const std::wstring& refused) {
    std::wstring busy;
    std::optional<product::WriterLock> lock = product::WriterLock::Take(run, &busy);
    if (!lock)
        throw win::AppError(L"Another instance of Marlowen is changing the Start Menu" +
                            (busy.empty() ? std::wstring() : L": " + busy) + L". " + refused +
                            L" Try again when it has finished. Nothing has been changed.");
    return std::move(*lock);
}

void RemoveTree(const std::wstring& folder) {
    std::wstring walk = WalkPath(folder);
    RemoveContents(walk, false);
    SetFileAttributesW(walk.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryW(walk.c_str()))
        product::NoteDiskChange();
}

CopyFailures EmptyFolder(const std::wstring& folder) {
    return RemoveContents(WalkPath(folder), true);
}

std::wstring FirstItemInUse(const startmenu::FolderLocations& folders) {
    for (const std::wstring& programs : {folders.UserProgramsDir, folders.CommonProgramsDir})
        if (!programs.empty())
            if (std::wstring found = FirstItemInUseBelow(WalkPath(programs)); !found.empty())
                return found;
    return {};
}

CopyFailures ReplaceFrom(const std::vector<CopyPair>& pairs, CopyProgress* progress) {
    CopyFailures failures;
    for (const CopyPair& pair : pairs) {
        for (const CopyFailures& step :
             {EmptyFolder(pair.programs), CopyFolderContents(pair.copy, pair.programs, progress)})
            failures.insert(failures.end(), step.begin(), step.end());
    }
    if (failures.empty())
        for (const CopyPair& pair : pairs)
            for (CopyFailure& difference : CompareCopy(pair.copy, pair.programs))
                failures.push_back(std::move(difference));
    return failures;
}

bool HoldTheirCopies(const std::vector<CopyPair>& pairs) {
    for (const CopyPair& pair : pairs)
        if (!HoldTheSame(pair.programs, pair.copy))
            return false;
    return true;
}

bool WriteMarker(const std::wstring& path, const std::wstring& text) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::wstring content = L"\xFEFF" + text;
    DWORD size = static_cast<DWORD>(content.size() * sizeof(wchar_t)), written = 0;
    bool whole = WriteFile(file.Get(), content.data(), size, &written, nullptr) && written == size;
    product::NoteDiskChange();
    return whole;
}

void CheckRestorable(const startmenu::FolderLocations& folders, const std::wstring& copy) {
    const std::wstring shown = copy + L"\\";
    const std::wstring kNothing = L" Nothing has been changed.";
    if (!win::IsExistingDirectory(copy))
        throw win::AppError(L"The backup copy " + shown + L" is missing." + kNothing);
    std::wstring root = win::ResolvedPathOf(BackupRootOf(folders));
    auto liesInside = [&](const std::wstring& path) {
        std::wstring resolved = win::LowerFileName(win::ResolvedPathOf(path));
        std::wstring lowerRoot = win::LowerFileName(root);
        return !resolved.empty() && !lowerRoot.empty() && resolved != lowerRoot &&
               base::IsSameOrInside(resolved, lowerRoot);
    };
    if (!liesInside(copy))
        throw win::AppError(L"The backup copy " + shown + L" does not lie in the backup folder " +
                            BackupRootOf(folders) + L"." + kNothing);
    for (const CopyPair& pair : PairsOf(folders, copy)) {
        if (!win::IsExistingDirectory(pair.copy) || !liesInside(pair.copy))
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

bool IsStoreCopy(const startmenu::FolderLocations& folders, const std::wstring& copy) {
    std::wstring folder = base::FolderWithoutTrailingBackslash(copy);
    std::wstring name = base::FileNameOf(folder),
                 digits = name.substr(std::min<size_t>(6, name.size()));
    if (copy.empty() || copy.back() != L'\\' ||
        !base::SameNameAscii(name.substr(0, 6), L"backup") || digits.empty() || digits.size() > 9 ||
        digits[0] == L'0' || digits.find_first_not_of(L"0123456789") != std::wstring::npos ||
        !base::SameNameAscii(folder, BackupRootOf(folders) + L"\\" + name))
        return false;
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool AddIndexEntry(const std::wstring& index, const std::wstring& section,
                   const std::wstring& value) {
    const std::wstring key = CurrentBackupKey();
    DWORD error = ERROR_SUCCESS;
    return ChangeIndex(
        index, [&](const std::wstring& text) { return WithEntry(text, section, key, value); },
        error);
}

bool RemoveIndexEntry(const std::wstring& index, const std::wstring& section) {
    DWORD error = ERROR_SUCCESS;
    return ChangeIndex(
        index, [&](const std::wstring& text) { return WithoutSection(text, section); }, error);
}

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

} // namespace backup
