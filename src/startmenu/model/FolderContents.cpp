#include "startmenu/model/FolderContents.h"

#include <windows.h>

#include "win/FileSystem.h"

namespace startmenu {

void AddNewItem(const std::wstring& folder, EntryNode& parent,
                const std::wstring& commonProgramsDir) {
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring name = data.cFileName;
        std::wstring path = folder + L"\\" + name;
        // A linked folder is listed but never walked into, so a link cannot loop.
        bool walk =
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !win::IsLinkedDirectory(data);
        if (EntryNode* namesake = FindSiblingByName(parent.FirstChild(), name, true)) {
            namesake->Entry().Origin = OriginBoth;
            if (walk)
                AddNewItem(path, *namesake, commonProgramsDir);
            return;
        }
        bool common =
            !commonProgramsDir.empty() && folder.find(commonProgramsDir) != std::wstring::npos;
        EntryNode& child = parent.AppendChild(
            name, {path, parent.Entry().Category, common ? OriginCommon : OriginUser, 0});
        child.SetFolder((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        if (walk)
            AddNewItem(path, child, commonProgramsDir);
    });
}

} // namespace startmenu
