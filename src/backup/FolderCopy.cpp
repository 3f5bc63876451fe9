#include "backup/FolderCopy.h"

#include <map>
#include <utility>
#include <vector>

#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "win/FileIdentity.h"
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

std::wstring Plain(const std::wstring& path) {
    return base::WithoutLongPathPrefix(path);
}

// The paths given are walk paths (WalkPath).
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
                progress_->Copying(Plain(from));
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
        product::NoteDiskChange();
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
        product::NoteDiskChange();
    }

    void Fail(const std::wstring& item, DWORD error) {
        failures_.push_back({Plain(item), error ? error : DWORD(ERROR_GEN_FAILURE), {}});
    }

    CopyProgress* progress_;
    CopyFailures failures_;
};

// The items below folder by their path there: a folder's attributes and a file's, with its
// size or its bytes.
struct TreeItem {
    DWORD attributes;
    ULONGLONG size;
    std::string bytes;
    bool operator==(const TreeItem& other) const {
        return attributes == other.attributes && size == other.size && bytes == other.bytes;
    }
};
using Tree = std::map<std::wstring, TreeItem>;

void ReadTree(const std::wstring& folder, const std::wstring& prefix, bool withBytes, Tree& tree) {
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        if (win::IsLinkedDirectory(data))
            return;
        std::wstring path = folder + L"\\" + data.cFileName;
        std::wstring name = prefix + data.cFileName;
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        TreeItem& item = tree[name];
        item.attributes = data.dwFileAttributes & (kKeptAttributes | FILE_ATTRIBUTE_DIRECTORY);
        if (isFolder) {
            ReadTree(path, name + L"\\", withBytes, tree);
            return;
        }
        item.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!withBytes)
            return;
        win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file) {
            item.attributes = INVALID_FILE_ATTRIBUTES; // unreadable is never the same
            return;
        }
        char buffer[65536];
        DWORD read = 0;
        while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
            item.bytes.append(buffer, read);
    });
}

Tree TreeOf(const std::wstring& folder, bool withBytes) {
    Tree tree;
    ReadTree(WalkPath(folder), L"", withBytes, tree);
    return tree;
}

} // namespace

std::wstring WalkPath(const std::wstring& path) {
    return win::ExtendedLengthPath(base::FolderWithoutTrailingBackslash(path));
}

CopyFailures CopyFolderContents(const std::wstring& source, const std::wstring& target,
                                CopyProgress* progress) {
    if (!win::IsExistingDirectory(source))
        return {{source, ERROR_PATH_NOT_FOUND, {}}};
    if (DWORD error = win::CreateFolderUnlessThere(target))
        return {{target, error, {}}};
    Copier copier(progress);
    copier.CopyContents(WalkPath(source), WalkPath(target));
    return copier.Failures();
}

CopyFailures CompareCopy(const std::wstring& source, const std::wstring& copy) {
    Tree from = TreeOf(source, false), to = TreeOf(copy, false);
    CopyFailures differences;
    std::wstring sourceFolder = Plain(WalkPath(source)), copyFolder = Plain(WalkPath(copy));
    for (const auto& [name, item] : from) {
        auto found = to.find(name);
        if (found == to.end())
            differences.push_back({sourceFolder + L"\\" + name, 0, L"is missing from the copy."});
        else if ((found->second.attributes ^ item.attributes) & FILE_ATTRIBUTE_DIRECTORY ||
                 found->second.size != item.size)
            differences.push_back(
                {sourceFolder + L"\\" + name, 0, L"is not the same in the copy."});
    }
    for (const auto& [name, item] : to)
        if (from.count(name) == 0)
            differences.push_back({copyFolder + L"\\" + name, 0,
                                   L"is in the copy, but not in " + sourceFolder + L"."});
    return differences;
}

bool HoldTheSame(const std::wstring& first, const std::wstring& second) {
    Tree a = TreeOf(first, true), b = TreeOf(second, true);
    for (const auto& [name, item] : a)
        if (item.attributes == INVALID_FILE_ATTRIBUTES)
            return false;
    return a == b;
}

unsigned CountFolderItems(const std::wstring& source) {
    return static_cast<unsigned>(TreeOf(source, false).size());
}

} // namespace backup
