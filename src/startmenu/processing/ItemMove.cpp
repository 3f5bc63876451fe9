#include "startmenu/processing/ItemMove.h"

#include "win/Application.h"
#include "win/Text.h"

namespace startmenu {
namespace {

DWORD LastErrorUnless(BOOL done) {
    return done ? ERROR_SUCCESS : GetLastError();
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

} // namespace

DWORD MoveToFreePlace(const std::wstring& from, const std::wstring& to) {
    return LastErrorUnless(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED));
}

DWORD MoveKeepingAttributes(const std::wstring& from, const std::wstring& to, DWORD attributes) {
    // A copy to another volume must delete the original, which a read-only file refuses.
    bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly)
        SetFileAttributesW(from.c_str(), Writable(attributes));
    DWORD error = MoveToFreePlace(from, to);
    SetFileAttributesW((error == ERROR_SUCCESS ? to : from).c_str(), Settable(attributes));
    return error;
}

DWORD RemoveEmptyFolder(const std::wstring& folder, DWORD attributes) {
    // Customised Start Menu folders are often read-only, which RemoveDirectory refuses.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(folder.c_str(), Writable(attributes));
    DWORD error = LastErrorUnless(RemoveDirectoryW(folder.c_str()));
    if (error != ERROR_SUCCESS)
        SetFileAttributesW(folder.c_str(), Settable(attributes));
    return error;
}

DWORD RecreateFolder(const std::wstring& folder, DWORD attributes) {
    if (!CreateDirectoryW(folder.c_str(), nullptr))
        return GetLastError();
    SetFileAttributesW(folder.c_str(), Settable(attributes));
    return ERROR_SUCCESS;
}

std::wstring MoveFailureReason(DWORD error) {
    std::wstring reason = win::SystemErrorText(error);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD)
        reason += L" Administrator rights are needed to change this item. Start " +
                  win::Application::Title() + L" as an administrator and try again.";
    return reason;
}

} // namespace startmenu
