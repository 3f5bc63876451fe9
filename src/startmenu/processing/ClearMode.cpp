#include "startmenu/processing/ClearMode.h"

#include <windows.h>

#include <string>
#include <vector>

#include "base/PathRules.h"
#include "cleaning/EmptyFolders.h"
#include "cleaning/ShortcutDeletion.h"
#include "product/DiskChanges.h"
#include "product/WriterLock.h"
#include "startmenu/model/NameRules.h"
#include "win/FileIdentity.h"
#include "win/FileSystem.h"
#include "win/SpecialFolders.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// Cleans below folder; kept holds the folders that stay even when empty. True when nothing
// is left in it: only then is its removal tried, which costs the file system an open.
bool Clear(const std::wstring& folder, const win::FolderSet& kept,
           cleaning::ShortcutChecker& checker, ClearResult& result) {
    bool empty = true;
    // One listing a folder: its shortcuts are looked at once its sub-folders are done.
    std::vector<std::wstring> shortcuts;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (base::IsShortcutFileName(data.cFileName))
                shortcuts.push_back(std::move(path));
            else
                empty = false;
            return;
        }
        if (win::IsLinkedDirectory(data) || !win::IsExistingDirectory(path)) {
            empty = false;
            return;
        }
        if (!Clear(path, kept, checker, result) || kept.Contains(path)) {
            empty = false;
        } else if (RemoveDirectoryW(base::LiteralPath(path).c_str())) {
            product::NoteDiskChange();
        } else {
            empty = false;
            if (GetLastError() != ERROR_DIR_NOT_EMPTY)
                ++result.notDeleted;
        }
    });
    // Each is looked at again as it is deleted, so one made anew meanwhile stays.
    for (const std::wstring& path : shortcuts) {
        switch (cleaning::DeleteIfStillDead(path, nullptr, checker, false).outcome) {
        case cleaning::Deletion::Deleted:
        case cleaning::Deletion::AlreadyGone:
            break;
        case cleaning::Deletion::Failed:
            ++result.notDeleted;
            [[fallthrough]];
        case cleaning::Deletion::WorksAgain:
        case cleaning::Deletion::Changed:
            empty = false;
        }
    }
    return empty;
}

} // namespace

ClearResult ClearFolder(const std::wstring& folder, const FolderLocations& locations) {
    win::FolderSet kept =
        cleaning::KeptFolders(locations.CommonStartupDir, locations.UserStartupDir);
    cleaning::ShortcutChecker checker;
    ClearResult result;
    Clear(folder, kept, checker, result);
    return result;
}

bool DeleteFolderTree(const std::wstring& folder) {
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (win::IsLinkedDirectory(data))
            RemoveDirectoryW(base::LiteralPath(path).c_str());
        else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                 win::IsExistingDirectory(path))
            DeleteFolderTree(path);
    });
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes != FILE_ATTRIBUTE_ARCHIVE)
            SetFileAttributesW(base::LiteralPath(path).c_str(), FILE_ATTRIBUTE_ARCHIVE);
        DeleteFileW(base::LiteralPath(path).c_str());
    });
    RemoveDirectoryW(base::LiteralPath(folder).c_str());
    return true;
}

bool IsRefusedClearFolder(const std::wstring& folder) {
    win::FolderSet roots, windows;
    roots.Add(win::SystemRootFolders());
    windows.Add(win::WindowsFolders());
    if (roots.Contains(folder))
        return true;
    // As spelled and as the file system resolves it, so that a link cannot lead in.
    for (const std::wstring& spelling : {folder, win::ResolvedPathOf(folder)}) {
        std::wstring full = win::FullPathOf(base::WithoutLongPathPrefix(spelling));
        if (base::IsVolumeRoot(full))
            return true;
        for (std::wstring up = full; !up.empty(); up = base::ParentFolderOf(up))
            if (windows.Contains(up))
                return true;
    }
    return false;
}

ClearOutcome RunClearMode(const std::wstring& folder, const FolderSource& source) {
    // An empty argument would turn the listing into "\*", the root of the current drive.
    if (folder.empty() || !win::IsExistingDirectory(folder))
        return ClearOutcome::NoFolder;
    if (IsRefusedClearFolder(folder))
        return ClearOutcome::Refused;
    // The names below are joined to the folder as the file system spells it, so that each is
    // reached as it is named.
    std::wstring full = base::FolderWithoutTrailingBackslash(win::FullPathOf(folder));
    auto writer = product::WriterLock::Take(L"cleaning " + full + L" in clear mode");
    if (!writer)
        return ClearOutcome::Busy;
    FolderLocations locations;
    ResolveStartupDirs(source, locations);
    return ClearFolder(full, locations).notDeleted ? ClearOutcome::ItemsLeft
                                                   : ClearOutcome::Cleaned;
}

} // namespace startmenu
