#include "startmenu/processing/NewItems.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "startmenu/processing/KnownItems.h"
#include "startmenu/processing/ShortcutCommands.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// A record of the names at the top of two folders is small; one far larger is not ours.
constexpr size_t kMaxRecordBytes = 16 * 1024 * 1024;

std::wstring RecordPath(const std::wstring& backupRoot) {
    return backupRoot + L"\\processing\\known.txt";
}

std::wstring Key(const std::wstring& name) {
    return win::LowerFileName(name);
}

std::vector<std::wstring> NamesAtTop(const std::wstring& programs, const StillNew& stillNew) {
    std::vector<std::wstring> names;
    if (!programs.empty())
        win::ForEachFile(programs + L"\\*", [&](const WIN32_FIND_DATAW& data) {
            if (!stillNew || !stillNew(programs, data.cFileName))
                names.push_back(data.cFileName);
        });
    return names;
}

// The category of each shortcut inside the category folders of one Programs folder, by what
// it starts; read only when a new shortcut asks.
class Twins {
public:
    Twins(const StartMenuModel& model, ShortcutCommands& commands)
        : model_(model), commands_(commands) {}

    int CategoryOf(const std::wstring& programs, const std::wstring& command) {
        auto read = byFolder_.find(programs);
        if (read == byFolder_.end()) {
            read = byFolder_.emplace(programs, std::map<std::wstring, int>()).first;
            for (size_t c = 0; c < model_.CategoryNames.size(); ++c)
                Walk(programs + L"\\" + model_.CategoryNames[c], static_cast<int>(c), read->second);
        }
        auto found = read->second.find(command);
        return found == read->second.end() ? CategoryNone : found->second;
    }

private:
    void Walk(const std::wstring& folder, int category, std::map<std::wstring, int>& commands) {
        win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
            std::wstring path = folder + L"\\" + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!win::IsLinkedDirectory(data))
                    Walk(path, category, commands);
            } else if (base::IsShortcutFileName(data.cFileName)) {
                std::wstring command = commands_.KeyOf(path);
                if (!command.empty())
                    commands.emplace(command, category);
            }
        });
    }

    const StartMenuModel& model_;
    ShortcutCommands& commands_;
    std::map<std::wstring, std::map<std::wstring, int>> byFolder_;
};

} // namespace

void RecordKnownItems(const FolderLocations& folders, const StillNew& stillNew) {
    if (folders.BackupRootDir.empty())
        return;
    std::wstring record = RecordPath(folders.BackupRootDir);
    KnownItems known{NamesAtTop(folders.CommonProgramsDir, stillNew),
                     NamesAtTop(folders.UserProgramsDir, stillNew)};
    if (win::CreateFolderUnlessThere(base::ParentFolderOf(record)) != ERROR_SUCCESS ||
        win::ReplaceWholeFile(record, KnownItemsBytes(known)) != ERROR_SUCCESS)
        DeleteFileW(record.c_str());
    product::NoteDiskChange();
}

void ForgetKnownItems(const FolderLocations& folders) {
    if (!folders.BackupRootDir.empty() && DeleteFileW(RecordPath(folders.BackupRootDir).c_str()))
        product::NoteDiskChange();
}

int NewItems::Duplicates() const {
    return static_cast<int>(std::count_if(items.begin(), items.end(), [](const NewItem& item) {
        return item.twinCategory != CategoryNone;
    }));
}

NewItems FindNewItems(const StartMenuModel& model) {
    NewItems found;
    if (model.Folders.BackupRootDir.empty())
        return found;
    std::string bytes;
    DWORD error =
        win::ReadWholeFile(RecordPath(model.Folders.BackupRootDir), kMaxRecordBytes, bytes);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return found;
    found.sorted = true;
    KnownItems known;
    if (error != ERROR_SUCCESS) {
        found.error = win::SystemErrorText(error);
        return found;
    }
    if (!ParseKnownItems(bytes, known, found.error))
        return found;
    NewItemTest test(known, Key);
    auto isCategoryFolder = model.CategoryFolderTest();
    ShortcutCommands commands;
    Twins twins(model, commands);
    for (const EntryNode* node = model.Entries->First(); node; node = node->NextSibling()) {
        const TStartMenu& entry = node->Entry();
        if (!test.IsNew(*node) || isCategoryFolder(entry.Path))
            continue;
        NewItem item{node->Handle(), CategoryNone};
        for (const std::wstring* programs :
             {&model.Folders.CommonProgramsDir, &model.Folders.UserProgramsDir}) {
            bool inside =
                entry.Origin == OriginBoth ||
                (entry.Origin == OriginCommon) == (programs == &model.Folders.CommonProgramsDir);
            if (item.twinCategory != CategoryNone || node->IsFolder() || !inside ||
                programs->empty() || !base::IsShortcutFileName(node->Name()))
                continue;
            std::wstring command = commands.KeyOf(*programs + L"\\" + node->Name());
            if (!command.empty())
                item.twinCategory = twins.CategoryOf(*programs, command);
        }
        found.items.push_back(item);
    }
    return found;
}

} // namespace startmenu
