#include "backup/FolderCopy.h"

#include <map>
#include <utility>
#include <vector>

#include "win/FileSystem.h"
#include "win/Handles.h"

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

    const CopyFailures& Failures() const { return failures_; }

private:
    void CopyFolder(const std::wstring& from, const std::wstring& to, DWORD attributes) {
        // Copying into a linked folder would write outside the tree.
        DWORD existing = GetFileAttributesW(to.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_REPARSE_POINT)) {
            Fail(from, ERROR_ALREADY_EXISTS);
            return;
        }
        if (DWORD error = win::CreateFolderUnlessThere(to)) {
            Fail(from, error);
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
            Fail(from, ERROR_ALREADY_EXISTS); // a file never takes the place of a folder
            return;
        }
        // CopyFile refuses to replace a read-only or hidden file.
        if (existing != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
            Fail(from, GetLastError());
            return;
        }
        if (!SetFileAttributesW(to.c_str(), KeptAttributes(attributes)))
            Fail(from, GetLastError());
    }

    void Fail(const std::wstring& item, DWORD error) {
        failures_.push_back({item, error ? error : DWORD(ERROR_GEN_FAILURE)});
    }

    CopyProgress* progress_;
    CopyFailures failures_;
};

// The items below folder by their path there: the kept attributes, and a file's bytes.
void ReadTree(const std::wstring& folder, const std::wstring& prefix,
              std::map<std::wstring, std::pair<DWORD, std::string>>& tree) {
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        if (win::IsLinkedDirectory(data))
            return;
        std::wstring path = folder + L"\\" + data.cFileName;
        std::wstring name = prefix + data.cFileName;
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        auto& item = tree[name];
        item.first = data.dwFileAttributes & (kKeptAttributes | FILE_ATTRIBUTE_DIRECTORY);
        if (isFolder) {
            ReadTree(path, name + L"\\", tree);
            return;
        }
        win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file) {
            item.first = INVALID_FILE_ATTRIBUTES; // unreadable is never the same
            return;
        }
        char buffer[65536];
        DWORD read = 0;
        while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
            item.second.append(buffer, read);
    });
}

} // namespace

CopyFailures CopyFolderContents(const std::wstring& source, const std::wstring& target,
                                CopyProgress* progress) {
    if (!win::IsExistingDirectory(source))
        return {{source, ERROR_PATH_NOT_FOUND}};
    if (DWORD error = win::CreateFolderUnlessThere(target))
        return {{target, error}};
    Copier copier(progress);
    copier.CopyContents(source, target);
    return copier.Failures();
}

bool HoldTheSame(const std::wstring& first, const std::wstring& second) {
    std::map<std::wstring, std::pair<DWORD, std::string>> a, b;
    ReadTree(first, L"", a);
    ReadTree(second, L"", b);
    for (const auto& [name, item] : a)
        if (item.first == INVALID_FILE_ATTRIBUTES)
            return false;
    return a == b;
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
