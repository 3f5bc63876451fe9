#include "startmenu/ItemMove.h"

#include "base/PathRules.h"
#include "win/Application.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return win::LowerFileName(a) == win::LowerFileName(b);
}

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
    return base::IsSameOrInside(win::LowerFileName(path), win::LowerFileName(folder));
}

class Mover {
public:
    explicit Mover(std::vector<MoveFailure>& failures) : failures_(failures) {}

    bool Move(const std::wstring& source, const std::wstring& targetFolder,
              const std::wstring& targetName) {
        std::wstring target = targetFolder + L"\\" + targetName;
        if (SamePath(source, target))
            return true;

        DWORD sourceAttributes = GetFileAttributesW(source.c_str());
        if (sourceAttributes == INVALID_FILE_ATTRIBUTES)
            return Fail(source, targetFolder, GetLastError());
        bool sourceIsFolder = sourceAttributes & FILE_ATTRIBUTE_DIRECTORY;
        DWORD targetAttributes = GetFileAttributesW(target.c_str());
        bool targetExists = targetAttributes != INVALID_FILE_ATTRIBUTES;
        // A file and a folder never replace each other: one of them would be lost.
        if (targetExists && sourceIsFolder != ((targetAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0))
            return Fail(source, targetFolder,
                        sourceIsFolder ? L"A file of the same name is already there, and a "
                                         L"folder cannot take the place of a file."
                                       : L"A folder of the same name is already there, and a "
                                         L"file cannot take the place of a folder.");

        if (!sourceIsFolder)
            return MoveFileReplacing(source, target) || Fail(source, targetFolder, GetLastError());

        if (IsSameOrInside(targetFolder, source))
            return Fail(source, targetFolder,
                        L"The destination folder is inside the folder being moved.");
        if (!targetExists)
            return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED) ||
                   Fail(source, targetFolder, GetLastError());
        // A link is moved as it is or not at all: merging would empty the folder it points to.
        if (sourceAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return Fail(source, targetFolder,
                        L"A folder of the same name is already there, and a linked folder is "
                        L"never merged into another.");
        return MergeInto(source, sourceAttributes, target);
    }

private:
    bool Fail(const std::wstring& item, const std::wstring& targetFolder, DWORD error) {
        return Fail(item, targetFolder, MoveFailureReason(error));
    }
    bool Fail(const std::wstring& item, const std::wstring& targetFolder, std::wstring reason) {
        failures_.push_back({item, targetFolder, std::move(reason)});
        return false;
    }

    // The shell replaces a read-only namesake once told yes; MoveFileEx alone would refuse it.
    static bool MoveFileReplacing(const std::wstring& source, const std::wstring& target) {
        DWORD targetAttributes = GetFileAttributesW(target.c_str());
        bool readOnly = targetAttributes != INVALID_FILE_ATTRIBUTES &&
                        (targetAttributes & FILE_ATTRIBUTE_READONLY);
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

    bool MergeInto(const std::wstring& sourceFolder, DWORD sourceAttributes,
                   const std::wstring& targetFolder) {
        // Named first: moving while the listing is open could skip or repeat entries.
        std::vector<std::wstring> names;
        win::ForEachFile(sourceFolder + L"\\*",
                         [&](const WIN32_FIND_DATAW& data) { names.push_back(data.cFileName); });
        bool complete = true;
        for (const std::wstring& name : names)
            complete = Move(sourceFolder + L"\\" + name, targetFolder, name) && complete;
        if (!complete)
            return false;
        // Customised Start Menu folders are often read-only, which RemoveDirectory refuses.
        if (sourceAttributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesW(sourceFolder.c_str(), sourceAttributes & ~FILE_ATTRIBUTE_READONLY);
        return RemoveDirectoryW(sourceFolder.c_str()) ||
               Fail(sourceFolder, targetFolder, GetLastError());
    }

    std::vector<MoveFailure>& failures_;
};

} // namespace

std::wstring MoveFailureReason(DWORD error) {
    std::wstring reason = win::SystemErrorText(error);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD)
        reason += L" Administrator rights are needed to change this item. Start " +
                  win::Application::Title() + L" as an administrator and try again.";
    return reason;
}

bool MoveItemInto(const std::wstring& source, const std::wstring& targetFolder,
                  const std::wstring& targetName, std::vector<MoveFailure>& failures) {
    return Mover(failures).Move(source, targetFolder, targetName);
}

} // namespace startmenu
