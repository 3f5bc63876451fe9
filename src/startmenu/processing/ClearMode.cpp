#include "startmenu/processing/ClearMode.h"

#include <windows.h>

#include <string>
#include <vector>

#include "base/PathRules.h"
#include "cleaning/EmptyFolders.h"
#include "cleaning/ShortcutCheck.h"
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
        } else if (!RemoveDirectoryW(path.c_str())) {
            empty = false;
            if (GetLastError() != ERROR_DIR_NOT_EMPTY)
                ++result.notDeleted;
        }
    });
    for (const std::wstring& path : shortcuts) {
        if (checker.Check(path).state != cleaning::TargetState::Missing) {
            empty = false;
        } else if (!DeleteFileW(path.c_str())) {
            empty = false;
            ++result.notDeleted;
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
            RemoveDirectoryW(path.c_str());
        else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                 win::IsExistingDirectory(path))
            DeleteFolderTree(path);
    });
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes != FILE_ATTRIBUTE_ARCHIVE)
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
        DeleteFileW(path.c_str());
    });
    RemoveDirectoryW(folder.c_str());
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
    FolderLocations locations;
    ResolveStartupDirs(source, locations);
    return ClearFolder(folder, locations).notDeleted ? ClearOutcome::ItemsLeft
                                                     : ClearOutcome::Cleaned;
}

} // namespace startmenu
