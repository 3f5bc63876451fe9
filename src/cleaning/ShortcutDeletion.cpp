#include "cleaning/ShortcutDeletion.h"

#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "win/Handles.h"

namespace cleaning {
namespace {

// Far more than any shortcut; a larger file is read as no shortcut at all.
constexpr std::uint64_t kMaxShortcutBytes = 1 << 20;

std::uint64_t Joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// The find data of a listing and the information of an open handle name these fields alike.
template <typename Info> FileStamp StampFrom(const Info& info) {
    return {Joined(info.nFileSizeHigh, info.nFileSizeLow),
            Joined(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
}

DeletionResult Refused(DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return {Deletion::AlreadyGone, error};
    return {Deletion::Failed, error};
}

} // namespace

FileStamp StampOf(const WIN32_FIND_DATAW& data) {
    return StampFrom(data);
}

DeletionResult DeleteIfStillDead(const std::wstring& path, const FileStamp* seen,
                                 ShortcutChecker& checker, bool unreachableIsDead) {
    // A link in the place of the shortcut is itself deleted, never what it leads to.
    win::FileHandle file(CreateFileW(base::LiteralPath(path).c_str(), GENERIC_READ | DELETE,
                                     FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
        return Refused(GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info))
        return Refused(GetLastError());
    FileStamp now = StampFrom(info);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || (seen && now != *seen))
        return {Deletion::Changed};
    if (now.size > kMaxShortcutBytes)
        return {Deletion::WorksAgain};
    std::string bytes(static_cast<size_t>(now.size), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return Refused(GetLastError());
    TargetState state = checker.CheckBytes(bytes).state;
    if (state == TargetState::Present || (state == TargetState::Unreachable && !unreachableIsDead))
        return {Deletion::WorksAgain};
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (!SetFileInformationByHandle(file.Get(), FileDispositionInfo, &dispose, sizeof dispose))
        return Refused(GetLastError());
    file.Reset(); // the file goes as the last handle to it closes
    product::NoteDiskChange();
    return {Deletion::Deleted};
}

} // namespace cleaning
