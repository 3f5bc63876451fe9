#include "startmenu/model/StartMenuModel.h"

#include <algorithm>

#include "base/PathRules.h"
#include "startmenu/model/Categories.h"
#include "startmenu/model/FolderContents.h"
#include "startmenu/model/NameRules.h"
#include "startmenu/model/StartMenuScan.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {

StartMenuModel::StartMenuModel(const FolderSource& source)
    : Entries(std::make_unique<EntryList>()), source_(source) {}

void StartMenuModel::DiscardPicture() {
    CategoryNames.clear();
    Entries = std::make_unique<EntryList>();
}

void StartMenuModel::ResolveAppFolders() {
    Folders = FolderLocations{};
    Folders.AppDir = source_.ExecutableDir();
    Folders.BackupRootDir = Folders.AppDir + L"backup";
    win::CreateFolderIfMissing(Folders.BackupRootDir);
}

void StartMenuModel::ResetCategories() {
    CategoryNames = DefaultCategoryNames();
    CategoryHidden.fill(false);
}

void StartMenuModel::ReadProgramsFolders() {
    Entries = std::make_unique<EntryList>();
    ScanProgramsFolders(*Entries, source_, Folders);
}

std::function<bool(const std::wstring& path)> StartMenuModel::CategoryFolderTest() const {
    std::vector<std::wstring> lowered;
    for (const std::wstring& category : CategoryNames)
        lowered.push_back(win::LowerFileName(category));
    return [lowered](const std::wstring& path) {
        std::wstring name = win::LowerFileName(base::FileNameOf(path));
        return std::find(lowered.begin(), lowered.end(), name) != lowered.end();
    };
}

void StartMenuModel::LoadContents(EntryNode& folder) const {
    const TStartMenu entry = folder.Entry();
    if (entry.Origin != OriginBoth) {
        AddNewItem(entry.Path, folder, Folders.CommonProgramsDir);
        return;
    }
    std::wstring name = base::FileNameOf(entry.Path);
    for (const std::wstring* programs : {&Folders.CommonProgramsDir, &Folders.UserProgramsDir})
        if (!programs->empty())
            AddNewItem(*programs + L"\\" + name, folder, Folders.CommonProgramsDir);
}

} // namespace startmenu
