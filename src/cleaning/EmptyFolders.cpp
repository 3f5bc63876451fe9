#include "cleaning/EmptyFolders.h"

#include <windows.h>

#include "base/PathRules.h"
#include "product/DiskChanges.h"
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
        // The system removes a folder only when it is empty at that moment.
        if (!kept.Contains(path) && RemoveDirectoryW(base::LiteralPath(path).c_str()))
            product::NoteDiskChange();
    });
}

} // namespace cleaning
