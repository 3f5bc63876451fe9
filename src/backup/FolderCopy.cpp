#include "backup/FolderCopy.h"

#include <vector>

#include "win/FileSystem.h"

namespace backup {
namespace {

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

DWORD KeptAttributes(DWORD attributes) {
    DWORD kept = attributes & kKeptAttributes;
    return kept ? kept : FILE_ATTRIBUTE_NORMAL;
}

class Copier {
public:
    explicit Copier(CopyProgress* progress) : progress_(progress) {}

    void CopyContents(const std::wstring& source, const std::wstring& target) {
        // Listed first, so the listing is closed before anything is written.
        std::vector<WIN32_FIND_DATAW> entries;
        win::ForEachFile(source + L"\\*",
                         [&](const WIN32_FIND_DATAW& data) { entries.push_back(data); });
        for (const WIN32_FIND_DATAW& data : entries) {
            if (win::IsLinkedDirectory(data))
                continue;
            std::wstring from = source + L"\\" + data.cFileName;
            std::wstring to = target + L"\\" + data.cFileName;
            if (progress_)
                progress_->Copying(from);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                CopyFolder(from, to, data.dwFileAttributes);
            else
                CopyOneFile(from, to, data.dwFileAttributes);
        }
    }

    DWORD FirstError() const { return firstError_; }

private:
    void CopyFolder(const std::wstring& from, const std::wstring& to, DWORD attributes) {
        // Copying into a linked folder would write outside the tree.
        DWORD existing = GetFileAttributesW(to.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_REPARSE_POINT)) {
            Fail(ERROR_ALREADY_EXISTS);
            return;
        }
        if (DWORD error = win::CreateFolderUnlessThere(to)) {
            Fail(error);
            return;
        }
        // A read-only folder made before its content would still take it on Windows, but the
        // attributes go on last so that nothing of the copy depends on that.
        SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        CopyContents(from, to);
        SetFileAttributesW(to.c_str(), KeptAttributes(attributes));
    }

    void CopyOneFile(const std::wstring& from, const std::wstring& to, DWORD attributes) {
        DWORD existing = GetFileAttributesW(to.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) {
            Fail(ERROR_ALREADY_EXISTS); // a file never takes the place of a folder
            return;
        }
        // CopyFile refuses to replace a read-only or hidden file.
        if (existing != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
            Fail(GetLastError());
            return;
        }
        if (!SetFileAttributesW(to.c_str(), KeptAttributes(attributes)))
            Fail(GetLastError());
    }

    void Fail(DWORD error) {
        if (firstError_ == ERROR_SUCCESS)
            firstError_ = error ? error : ERROR_GEN_FAILURE;
    }

    CopyProgress* progress_;
    DWORD firstError_ = ERROR_SUCCESS;
};

} // namespace

DWORD CopyFolderContents(const std::wstring& source, const std::wstring& target,
                         CopyProgress* progress) {
    if (!win::IsExistingDirectory(source))
        return ERROR_PATH_NOT_FOUND;
    if (DWORD error = win::CreateFolderUnlessThere(target))
        return error;
    Copier copier(progress);
    copier.CopyContents(source, target);
    return copier.FirstError();
}

unsigned CountFolderItems(const std::wstring& source) {
    unsigned count = 0;
    win::ForEachFile(source + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        if (win::IsLinkedDirectory(data))
            return;
        ++count;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountFolderItems(source + L"\\" + data.cFileName);
    });
    return count;
}

} // namespace backup
