#pragma once
#include <string>

namespace startmenu {

// Sibling names match when equal with ASCII letters folded; other letters must be equal.
bool SameNameAscii(const std::wstring& a, const std::wstring& b);
bool ContainsAsciiNoCase(const std::wstring& text, const std::wstring& part);

// The text from the last dot, unless a backslash or colon follows that dot; else empty.
std::wstring ExtensionOf(const std::wstring& fileName);

// The name shown in the program list: the file name without its extension.
std::wstring DisplayNameOf(const std::wstring& fileName);

// The last path component (after the last backslash).
std::wstring FileNameOf(const std::wstring& path);

// The name Windows gives the n-th item of one name in a folder: "Tool (2).lnk" for a file,
// "Suite 2.0 (2)" for a folder, whose dots are part of its name.
std::wstring NumberedName(const std::wstring& name, bool isFolder, int n);

// Whether a top-level name of a Programs folder stays out of the picture: ".ini" files and
// names that occur inside the all-users Startup path (which keeps the Startup folder out).
// Both arguments are already lower-cased by the system's file-name rules.
bool IsSkippedTopLevelName(const std::wstring& lowerName, const std::wstring& lowerStartupDir);

// The root of the volume a path lies on: "C:\" for a drive path, "\\server\share\" for a
// network path; empty when the path names no volume (a relative path).
std::wstring VolumeRootOf(const std::wstring& path);

// path with its leading folder from (matched with ASCII letters folded, at a whole folder
// name) replaced by to; empty when path does not lie in from or either folder is empty.
std::wstring ReplaceFolderPrefix(const std::wstring& path, const std::wstring& from,
                                 const std::wstring& to);

} // namespace startmenu
