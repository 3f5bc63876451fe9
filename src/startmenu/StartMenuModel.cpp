#include "startmenu/StartMenuModel.h"

#include "base/PathRules.h"
#include "startmenu/Categories.h"
#include "startmenu/FolderContents.h"
#include "startmenu/NameRules.h"
#include "startmenu/StartMenuScan.h"
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

bool StartMenuModel::IsCategoryFolder(const std::wstring& path) const {
    std::wstring name = win::LowerFileName(base::FileNameOf(path));
    for (const std::wstring& category : CategoryNames)
        if (name == win::LowerFileName(category))
            return true;
    return false;
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
