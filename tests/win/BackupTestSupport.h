#pragma once
// What the backup tests compare: a folder tree as the user sees it in Explorer.
#include <windows.h>

#include <map>
#include <string>

#include "Fixtures.h"
#include "startmenu/model/FolderLocations.h"
#include "win/FileIdentity.h"
#include "win/FileSystem.h"
#include "win/Handles.h"

namespace testing_support {

// Every item below a folder by its path there: its read-only, hidden, system and folder
// attributes, and a file's content.
struct TreeItem {
    DWORD attributes;
    std::string content;
    bool operator==(const TreeItem& other) const {
        return attributes == other.attributes && content == other.content;
    }
};
using Tree = std::map<std::wstring, TreeItem>;

inline void AddTree(Tree& tree, const std::wstring& folder, const std::wstring& prefix) {
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        std::wstring name = prefix + data.cFileName;
        DWORD attributes =
            data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        tree[name] = {attributes, isFolder ? std::string() : FileBytes(path)};
        if (isFolder)
            AddTree(tree, path, name + L"\\");
    });
}

// Through the extended-length path, so names the system's path rules would change are read too.
inline Tree TreeOf(const std::wstring& folder) {
    Tree tree;
    AddTree(tree, win::ExtendedLengthPath(folder), L"");
    return tree;
}

inline void SetAttributes(const std::wstring& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
}

// A Start Menu with what a backup must keep: shortcuts, names outside the ANSI code page,
// hidden, read-only and system items, nested and attributed folders.
inline void MakeRichStartMenu(const startmenu::FolderLocations& folders,
                              const std::wstring& target) {
    const std::wstring& user = folders.UserProgramsDir;
    const std::wstring& common = folders.CommonProgramsDir;
    MakeShortcut(user + L"\\Mail.lnk", target);
    MakeShortcut(user + L"\\\u00c9diteur \u0416\u0443\u0440\u043d\u0430\u043b \u03a9 \u2713.lnk",
                 target);
    MakeFile(user + L"\\Hidden.lnk", "hidden shortcut bytes");
    SetAttributes(user + L"\\Hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(user + L"\\ReadMe.txt", std::string(70000, 'r'));
    SetAttributes(user + L"\\ReadMe.txt", FILE_ATTRIBUTE_READONLY);
    MakeDir(user + L"\\Suite");
    MakeShortcut(user + L"\\Suite\\Tool.lnk", target);
    MakeFile(user + L"\\Suite\\desktop.ini", "[.ShellClassInfo]\r\n");
    SetAttributes(user + L"\\Suite\\desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeDir(user + L"\\Suite\\Deep");
    MakeDir(user + L"\\Suite\\Deep\\\u6df1\u3044");
    MakeFile(user + L"\\Suite\\Deep\\\u6df1\u3044\\notes.txt", "deep");
    MakeDir(user + L"\\Kept");
    MakeFile(user + L"\\Kept\\inside.txt", "kept");
    SetAttributes(user + L"\\Kept", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    MakeShortcut(common + L"\\Writer.lnk", target);
    MakeDir(common + L"\\Games");
    MakeShortcut(common + L"\\Games\\Pinball.lnk", target);
    MakeDir(common + L"\\Empty");
}

} // namespace testing_support
