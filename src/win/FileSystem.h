#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace win {

// Every function here takes a path as the listing spelled it (see base::LiteralPath): a name
// with a trailing dot or a device's name is reached as itself, never as another item.

// Calls visit for every name the listing of pattern returns, "." and ".." left out, in the
// order the file system gives them. A listing that cannot be opened visits nothing.
void ForEachFile(const std::wstring& pattern,
                 const std::function<void(const WIN32_FIND_DATAW&)>& visit);
// The same, asking stopped before each name; the listing ends when it says yes.
void ForEachFile(const std::wstring& pattern,
                 const std::function<void(const WIN32_FIND_DATAW&)>& visit,
                 const std::function<bool()>& stopped);

// INVALID_FILE_ATTRIBUTES when nothing is at path; GetLastError says why.
DWORD AttributesOf(const std::wstring& path);
bool IsExistingDirectory(const std::wstring& path);
bool IsExistingFile(const std::wstring& path);

// Creates the folder (one level) unless it is there; raises an AppError with the system's
// text when it cannot.
void CreateFolderIfMissing(const std::wstring& path);
// The same, returning the system's error code (ERROR_SUCCESS when the folder is there).
DWORD CreateFolderUnlessThere(const std::wstring& path);

// Reads a whole file of at most maxBytes into bytes, letting others do what share allows
// meanwhile; the system's error code, ERROR_FILE_TOO_LARGE for a larger one, ERROR_READ_FAULT
// for one that shrank while it was read.
DWORD ReadWholeFile(const std::wstring& path, size_t maxBytes, std::string& bytes,
                    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
// Writes bytes in place of all that follows offset end in the file, flushed at once, letting
// others only read it meanwhile; disposition as CreateFileW takes it. The system's error code.
DWORD WriteFromOffset(const std::wstring& path, unsigned long long end, const std::string& bytes,
                      DWORD disposition);
// Writes a whole file through a new one beside it that then takes its place, so that the
// file is always either as it was or as written; the system's error code.
DWORD ReplaceWholeFile(const std::wstring& path, const std::string& bytes);

// A directory entry that is a junction or symbolic link: never walked into, so a walk
// cannot loop or leave the tree it was given.
inline bool IsLinkedDirectory(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// While it lives, the system does not ask this thread's user to insert a disk when a drive
// without a medium is probed: the probe fails instead.
class QuietDriveErrors {
public:
    QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;
    ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }

private:
    DWORD previous_ = 0;
};

} // namespace win
