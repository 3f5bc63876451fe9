#include "win/FileIdentity.h"

#include "base/PathRules.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace win {
namespace {

// Opened for its attributes only and sharing everything, so that nobody else's open or
// delete is disturbed; a folder needs the backup-semantics flag to be opened at all.
FileHandle OpenForIdentity(const std::wstring& path) {
    return FileHandle(CreateFileW(base::LiteralPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Calls fill(buffer, size) until the buffer is big enough; fill returns the length written,
// or the size needed when the buffer is too small, or 0 on failure.
template <typename Fill> std::wstring GrowingText(Fill fill) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0)
            return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length + 1);
    }
}

std::wstring ComparablePath(const std::wstring& path) {
    std::wstring full = FullPathOf(path);
    if (full.empty())
        return {};
    std::wstring longer = GrowingText(
        [&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(full.c_str(), buffer, size); });
    if (!longer.empty())
        full = longer;
    return LowerFileName(base::FolderWithoutTrailingBackslash(full));
}

} // namespace

FileIdentity::FileIdentity(const std::wstring& path) : fullPath_(ComparablePath(path)) {
    if (path.empty())
        return;
    FileHandle file = OpenForIdentity(path);
    BY_HANDLE_FILE_INFORMATION info;
    if (file && GetFileInformationByHandle(file.Get(), &info)) {
        opened_ = true;
        volume_ = info.dwVolumeSerialNumber;
        indexHigh_ = info.nFileIndexHigh;
        indexLow_ = info.nFileIndexLow;
    }
}

bool FileIdentity::operator==(const FileIdentity& other) const {
    if (opened_ && other.opened_)
        return volume_ == other.volume_ && indexHigh_ == other.indexHigh_ &&
               indexLow_ == other.indexLow_;
    return !fullPath_.empty() && fullPath_ == other.fullPath_;
}

void FolderSet::Add(const std::wstring& path) {
    if (!path.empty())
        members_.emplace_back(path);
}

void FolderSet::Add(const std::vector<std::wstring>& paths) {
    for (const std::wstring& path : paths)
        Add(path);
}

bool FolderSet::Contains(const FileIdentity& identity) const {
    for (const FileIdentity& member : members_)
        if (member == identity)
            return true;
    return false;
}

std::wstring FullPathOf(const std::wstring& path) {
    if (path.empty())
        return {};
    return GrowingText([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
}

std::wstring ExtendedLengthPath(const std::wstring& path) {
    const std::wstring prefix = L"\\\\?\\";
    if (path.compare(0, prefix.size(), prefix) == 0)
        return path;
    std::wstring full = FullPathOf(path);
    if (full.size() < 3 || full.compare(0, 4, L"\\\\.\\") == 0)
        return path;
    if (full.compare(0, 2, L"\\\\") == 0)
        return prefix + L"UNC\\" + full.substr(2);
    return prefix + full;
}

std::wstring ResolvedPathOf(const std::wstring& path) {
    FileHandle file = OpenForIdentity(path);
    if (!file)
        return {};
    return GrowingText([&](wchar_t* buffer, DWORD size) {
        return GetFinalPathNameByHandleW(file.Get(), buffer, size,
                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    });
}

} // namespace win
