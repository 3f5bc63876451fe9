#include "startmenu/processing/ItemMove.h"

#include "base/PathRules.h"
#include "product/DiskChanges.h"
#include "win/Application.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// Each change on disk is counted as it is made (see product::NoteDiskChange).
DWORD LastErrorUnless(BOOL done) {
    if (!done)
        return GetLastError();
    product::NoteDiskChange();
    return ERROR_SUCCESS;
}

// The attributes SetFileAttributes takes.
DWORD Settable(DWORD attributes) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD settable = attributes & kSettable;
    return settable ? settable : FILE_ATTRIBUTE_NORMAL;
}

DWORD Writable(DWORD attributes) {
    return Settable(attributes & ~FILE_ATTRIBUTE_READONLY);
}

void SetAttributes(const std::wstring& path, DWORD attributes) {
    LastErrorUnless(SetFileAttributesW(base::LiteralPath(path).c_str(), attributes));
}

} // namespace

DWORD MoveToFreePlace(const std::wstring& from, const std::wstring& to) {
    return LastErrorUnless(MoveFileExW(base::LiteralPath(from).c_str(),
                                       base::LiteralPath(to).c_str(), MOVEFILE_COPY_ALLOWED));
}

DWORD MoveKeepingAttributes(const std::wstring& from, const std::wstring& to, DWORD attributes) {
    // A copy to another volume must delete the original, which a read-only file refuses.
    bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly)
        SetAttributes(from, Writable(attributes));
    DWORD error = MoveToFreePlace(from, to);
    SetAttributes(error == ERROR_SUCCESS ? to : from, Settable(attributes));
    return error;
}

DWORD RemoveEmptyFolder(const std::wstring& folder, DWORD attributes) {
    // Customised Start Menu folders are often read-only, which RemoveDirectory refuses.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetAttributes(folder, Writable(attributes));
    DWORD error = RemoveFolder(folder);
    if (error != ERROR_SUCCESS)
        SetAttributes(folder, Settable(attributes));
    return error;
}

DWORD MakeFolder(const std::wstring& folder) {
    return LastErrorUnless(CreateDirectoryW(base::LiteralPath(folder).c_str(), nullptr));
}

DWORD RemoveFolder(const std::wstring& folder) {
    return LastErrorUnless(RemoveDirectoryW(base::LiteralPath(folder).c_str()));
}

DWORD RecreateFolder(const std::wstring& folder, DWORD attributes) {
    DWORD error = MakeFolder(folder);
    if (error == ERROR_SUCCESS)
        SetAttributes(folder, Settable(attributes));
    return error;
}

std::wstring MoveFailureReason(DWORD error) {
    std::wstring reason = win::SystemErrorText(error);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD)
        reason += L" Administrator rights are needed to change this item. Start " +
                  win::Application::Title() + L" as an administrator and try again.";
    return reason;
}

} // namespace startmenu
