#include "startmenu/suggestions/SuggestionEvidence.h"

#include <windows.h>

#include <vector>

#include "base/PathRules.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

constexpr DWORD kValueLength = 1024;

std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    std::vector<wchar_t> buffer(kValueLength);
    GetPrivateProfileStringW(section, key, L"", buffer.data(), kValueLength, file.c_str());
    return buffer.data();
}

// The names and values of the [LocalizedFileNames] section.
void ReadWindowsItems(const std::wstring& folder, std::unordered_set<std::wstring>& items) {
    if (folder.empty())
        return;
    std::wstring ini = folder + L"\\desktop.ini";
    if (!win::IsExistingFile(ini))
        return;
    std::vector<wchar_t> keys(32 * 1024);
    DWORD length = GetPrivateProfileStringW(L"LocalizedFileNames", nullptr, L"", keys.data(),
                                            static_cast<DWORD>(keys.size()), ini.c_str());
    for (const wchar_t* key = keys.data(); key < keys.data() + length && *key;
         key += wcslen(key) + 1)
        if (IsWindowsOwnResource(IniValue(ini, L"LocalizedFileNames", key)))
            items.insert(win::LowerFileName(key));
}

} // namespace

SuggestionEvidence::SuggestionEvidence(const FolderLocations& folders) : folders_(folders) {
    ReadWindowsItems(folders.CommonProgramsDir, windowsItems_);
    ReadWindowsItems(folders.UserProgramsDir, windowsItems_);
}

ItemEvidence SuggestionEvidence::For(const EntryNode& node) const {
    ItemEvidence item;
    item.name = node.Name();
    item.isFolder = node.IsFolder();
    item.windowsOwn = windowsItems_.count(win::LowerFileName(node.Name())) > 0;
    if (!item.isFolder || item.windowsOwn)
        return item;
    bool hasIni = false;
    for (const std::wstring& place : PlacesOf(node)) {
        win::ForEachFile(place + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
            std::wstring name = data.cFileName;
            if (base::SameNameAscii(name, L"desktop.ini"))
                hasIni = true;
            else
                item.contents.push_back(name);
        });
        // A folder the shell shows under a name from Windows' own libraries is Windows' own,
        // whatever the language of its name on disk.
        if (hasIni && IsWindowsOwnResource(IniValue(place + L"\\desktop.ini", L".ShellClassInfo",
                                                    L"LocalizedResourceName"))) {
            item.windowsOwn = true;
            break;
        }
        hasIni = false;
    }
    return item;
}

std::vector<std::wstring> SuggestionEvidence::PlacesOf(const EntryNode& node) const {
    if (node.Entry().Origin != OriginBoth)
        return {node.Entry().Path};
    std::vector<std::wstring> places;
    for (const std::wstring* programs : {&folders_.CommonProgramsDir, &folders_.UserProgramsDir})
        if (!programs->empty())
            places.push_back(*programs + L"\\" + node.Name());
    return places;
}

std::vector<std::wstring> SuggestionEvidence::ProgramShortcuts(const EntryNode& node) const {
    if (!node.IsFolder())
        return {node.Entry().Path};
    std::vector<std::wstring> shortcuts;
    for (const std::wstring& place : PlacesOf(node))
        win::ForEachFile(place + L"\\*.lnk", [&](const WIN32_FIND_DATAW& data) {
            std::wstring name = data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                base::IsShortcutFileName(name) && !IsAsideItem(name) && !IsWindowsOwnName(name))
                shortcuts.push_back(place + L"\\" + name);
        });
    return shortcuts;
}

} // namespace startmenu
