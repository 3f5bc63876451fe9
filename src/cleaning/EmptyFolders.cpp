#include "cleaning/EmptyFolders.h"

#include <windows.h>

#include "win/FileSystem.h"
#include "win/SpecialFolders.h"

namespace cleaning {

win::FolderSet KeptFolders(const std::wstring& commonStartup, const std::wstring& userStartup) {
    win::FolderSet kept;
    kept.Add(commonStartup);
    kept.Add(userStartup);
    kept.Add(win::NamedSystemFolders());
    return kept;
}

void RemoveEmptyFolders(const std::wstring& folder, const win::FolderSet& kept) {
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        const DWORD attributes = data.dwFileAttributes;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) ||
            win::IsLinkedDirectory(data))
            return;
        std::wstring path = folder + L"\\" + data.cFileName;
        RemoveEmptyFolders(path, kept);
        if (!kept.Contains(path))
            RemoveDirectoryW(path.c_str());
    });
}

} // namespace cleaning
