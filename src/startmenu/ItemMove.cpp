#include "startmenu/ItemMove.h"

#include <vector>

#include "win/Application.h"
#include "win/FileSystem.h"
#include "win/Text.h"
#include "win/UserPrompt.h"

namespace startmenu {
namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return win::LowerFileName(a) == win::LowerFileName(b);
}

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
    std::wstring lowerPath = win::LowerFileName(path), lowerFolder = win::LowerFileName(folder);
    return lowerPath == lowerFolder || lowerPath.rfind(lowerFolder + L"\\", 0) == 0;
}

bool RefuseFor(HWND owner, const std::wstring& item, const std::wstring& targetFolder,
               const std::wstring& reason, DWORD error) {
    std::wstring text =
        L"Cannot move \"" + item + L"\" to \"" + targetFolder + L"\".\r\n\r\n" + reason;
    if (error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD)
        text += L"\r\n\r\nAdministrator rights are needed to change this item. Start " +
                win::Application::Title() + L" as an administrator and try again.";
    win::Prompt().Message(owner, text, win::Application::Title(), MB_OK | MB_ICONERROR);
    return false;
}

bool Refuse(HWND owner, const std::wstring& item, const std::wstring& targetFolder, DWORD error) {
    return RefuseFor(owner, item, targetFolder, win::SystemErrorText(error), error);
}

// The shell replaces a read-only namesake once told yes; MoveFileEx alone would refuse it.
bool MoveFileReplacing(const std::wstring& source, const std::wstring& target) {
    DWORD targetAttributes = GetFileAttributesW(target.c_str());
    bool readOnly =
        targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) {
        DWORD writable = targetAttributes & ~FILE_ATTRIBUTE_READONLY;
        SetFileAttributesW(target.c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL);
    }
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    DWORD error = GetLastError();
    if (readOnly)
        SetFileAttributesW(target.c_str(), targetAttributes);
    SetLastError(error);
    return false;
}

bool MergeInto(HWND owner, const std::wstring& sourceFolder, DWORD sourceAttributes,
               const std::wstring& targetFolder) {
    // Named first: moving while the listing is open could skip or repeat entries.
    std::vector<std::wstring> children;
    win::ForEachFile(sourceFolder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        children.push_back(sourceFolder + L"\\" + data.cFileName);
    });
    bool complete = true;
    for (const std::wstring& child : children)
        complete = MoveItemInto(owner, child, targetFolder) && complete;
    if (!complete)
        return false;
    // Customised Start Menu folders are often read-only, which RemoveDirectory refuses.
    if (sourceAttributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(sourceFolder.c_str(), sourceAttributes & ~FILE_ATTRIBUTE_READONLY);
    if (RemoveDirectoryW(sourceFolder.c_str()))
        return true;
    return Refuse(owner, sourceFolder, targetFolder, GetLastError());
}

} // namespace

bool MoveItemInto(HWND owner, const std::wstring& source, const std::wstring& targetFolder) {
    std::wstring target = targetFolder + source.substr(source.find_last_of(L'\\'));
    if (SamePath(source, target))
        return true;

    DWORD sourceAttributes = GetFileAttributesW(source.c_str());
    if (sourceAttributes == INVALID_FILE_ATTRIBUTES)
        return Refuse(owner, source, targetFolder, GetLastError());
    bool sourceIsFolder = sourceAttributes & FILE_ATTRIBUTE_DIRECTORY;
    DWORD targetAttributes = GetFileAttributesW(target.c_str());
    bool targetExists = targetAttributes != INVALID_FILE_ATTRIBUTES;
    // A file and a folder never replace each other: one of them would be lost.
    if (targetExists && sourceIsFolder != ((targetAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0))
        return Refuse(owner, source, targetFolder, ERROR_ALREADY_EXISTS);

    if (!sourceIsFolder)
        return MoveFileReplacing(source, target) ||
               Refuse(owner, source, targetFolder, GetLastError());

    if (IsSameOrInside(targetFolder, source))
        return RefuseFor(owner, source, targetFolder,
                         L"The destination folder is inside the folder being moved.",
                         ERROR_SUCCESS);
    if (!targetExists)
        return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED) ||
               Refuse(owner, source, targetFolder, GetLastError());
    // A link is moved as it is or not at all: merging would empty the folder it points to.
    if (sourceAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Refuse(owner, source, targetFolder, ERROR_ALREADY_EXISTS);
    return MergeInto(owner, source, sourceAttributes, target);
}

} // namespace startmenu
