#pragma once
// How the program names the Start Menu's items: as the list shows them, as Windows numbers a
// name already taken, and which top-level names the scan leaves out. No Windows call.
#include <string>

namespace startmenu {

// The text from the last dot, unless a backslash or colon follows that dot; else empty.
std::wstring ExtensionOf(const std::wstring& fileName);

// The name shown in the program list: the file name without its extension.
std::wstring DisplayNameOf(const std::wstring& fileName);

// The name Windows gives the n-th item of one name in a folder: "Tool (2).lnk" for a file,
// "Suite 2.0 (2)" for a folder, whose dots are part of its name.
std::wstring NumberedName(const std::wstring& name, bool isFolder, int n);

// Whether a top-level name of a Programs folder stays out of the picture: ".ini" files and
// names that occur inside the all-users Startup path (which keeps the Startup folder out).
// Both arguments are already lower-cased by the system's file-name rules.
bool IsSkippedTopLevelName(const std::wstring& lowerName, const std::wstring& lowerStartupDir);

} // namespace startmenu
