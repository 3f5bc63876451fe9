#pragma once
// Path and name rules that several subsystems share. No Windows call: built and tested
// natively too.
#include <string>

namespace base {

// Sibling names match when equal with ASCII letters folded; other letters must be equal.
bool SameNameAscii(const std::wstring& a, const std::wstring& b);
bool ContainsAsciiNoCase(const std::wstring& text, const std::wstring& part);

// A shortcut file's name: something, then ".lnk" in any case of its letters. A listing for
// "*.lnk" also gives names with a longer extension, through their short names.
bool IsShortcutFileName(const std::wstring& name);

// A folder's path without trailing backslashes ("C:\Folder\" is "C:\Folder"); a drive's
// root keeps its own ("C:\").
std::wstring FolderWithoutTrailingBackslash(std::wstring path);

// The last path component (after the last backslash).
std::wstring FileNameOf(const std::wstring& path);

// The root of the volume a path lies on: "C:\" for a drive path, "\\server\share\" for a
// network path; empty when the path names no volume (a relative path).
std::wstring VolumeRootOf(const std::wstring& path);

// path with its leading folder from (matched with ASCII letters folded, at a whole folder
// name) replaced by to; empty when path does not lie in from or either folder is empty.
std::wstring ReplaceFolderPrefix(const std::wstring& path, const std::wstring& from,
                                 const std::wstring& to);

// path without a leading "\\?\" before a drive letter ("\\?\UNC\" becomes "\\"). That
// prefix turns the system's path parsing off, so "." and ".." stay unresolved behind it.
// Other device paths are left as they are.
std::wstring WithoutLongPathPrefix(const std::wstring& path);

// The same path with "\\?\" in front ("\\?\UNC\" for a network path), so that the file
// functions take every name as it is spelled: also one the system's path parsing would
// change (a trailing dot or space, a device name such as CON, nul.lnk or LPT1) and a path
// beyond MAX_PATH. Only a plain absolute path gets it: a relative one, or one with ".",
// "..", "/" or doubled backslashes, needs that parsing and is given back as it is.
std::wstring LiteralPath(const std::wstring& path);

// Whether an absolute path names the root of its volume ("C:\", "\\server\share"), with or
// without trailing backslashes.
bool IsVolumeRoot(const std::wstring& fullPath);

// The folder holding an absolute path, without a trailing backslash except at a volume root
// ("C:\"); empty for a volume root or a path that names no volume.
std::wstring ParentFolderOf(const std::wstring& fullPath);

// Whether path is folder or lies below it, compared a whole folder name at a time with ASCII
// letters folded ("C:\\Apps" holds "c:\\apps\\x", not "C:\\Apps2"). Give it lower-cased
// paths to fold other letters too.
bool IsSameOrInside(const std::wstring& path, const std::wstring& folder);

} // namespace base
