#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"

namespace startmenu {

// The picture of the Start Menu for one run: where its folders are, its items, the
// categories and which of them is current. The main window owns it; the other windows are
// handed it and read it (or, the import, write categories into its entries).
//
// To use this class: the scan calls DiscardPicture, ResolveAppFolders, ResetCategories and
// ReadProgramsFolders in that order, with the window's own steps between them.
class StartMenuModel {
public:
    explicit StartMenuModel(const FolderSource& source);
    StartMenuModel(const StartMenuModel&) = delete;
    StartMenuModel& operator=(const StartMenuModel&) = delete;

    // The scan's steps on the model.
    void DiscardPicture();
    // AppDir and BackupRootDir, which is made when missing: raises AppError when it cannot.
    void ResolveAppFolders();
    void ResetCategories();
    void ReadProgramsFolders();

    // An item whose file name equals a category name, ignoring case.
    bool IsCategoryFolder(const std::wstring& path) const { return CategoryFolderTest()(path); }
    // The same test for many items: the names are lower-cased once, not once an item.
    std::function<bool(const std::wstring& path)> CategoryFolderTest() const;
    // Reads a folder entry's contents into it, from both Programs folders when it lies in
    // both; once per scan.
    void LoadContents(EntryNode& folder) const;

    FolderLocations Folders;
    std::unique_ptr<EntryList> Entries; // never null
    std::vector<std::wstring> CategoryNames;
    std::array<bool, 9> CategoryHidden{};
    int CurrentCategory = 0;
    bool ShowCategoryFolders = false;

private:
    const FolderSource& source_;
};

} // namespace startmenu
