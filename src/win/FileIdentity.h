#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace win {

// Which file or folder a path names, as the file system tells them apart: by the volume's
// serial number and the file index, so that every spelling of one folder (a short 8.3 name,
// "." or "..", forward slashes, doubled backslashes, "\\?\" in front, a link to it) gives the
// same identity. A path that cannot be opened stands for itself: its full path, with long
// names and lower-cased, is compared instead.
class FileIdentity {
public:
    explicit FileIdentity(const std::wstring& path);
    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }

private:
    bool opened_ = false;
    DWORD volume_ = 0, indexHigh_ = 0, indexLow_ = 0;
    std::wstring fullPath_; // empty for an empty path, which is no folder at all
};

// Folders given in any spelling, each looked at once when it is added. Empty paths are left
// out.
class FolderSet {
public:
    void Add(const std::wstring& path);
    void Add(const std::vector<std::wstring>& paths);
    bool Contains(const FileIdentity& identity) const;
    bool Contains(const std::wstring& path) const { return Contains(FileIdentity(path)); }

private:
    std::vector<FileIdentity> members_;
};

// The absolute path as the system reads path (relative to the current folder, "/" read as
// "\", "." and ".." resolved); empty when it cannot.
std::wstring FullPathOf(const std::wstring& path);

// The full path with "\\?\" in front, which file functions take beyond MAX_PATH characters
// on every system; path itself when it has no full path.
std::wstring ExtendedLengthPath(const std::wstring& path);

// The path the file system resolves path to, links followed, as "\\?\C:\..."; empty when
// the path cannot be opened.
std::wstring ResolvedPathOf(const std::wstring& path);

} // namespace win
