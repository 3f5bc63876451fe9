#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace backup {

// Told of each item as a copy reaches it, so a long copy can show how far it is and keep its
// window painted.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void Copying(const std::wstring& item) = 0;
};

// An item that could not be copied or removed: the system error code that said why, or what
// a comparison found, in words that follow the item's path.
struct CopyFailure {
    std::wstring item;
    DWORD error;
    std::wstring finding;
};
using CopyFailures = std::vector<CopyFailure>;

// The walks below reach every name the file system holds, also those the system's path rules
// would change (a trailing dot or space, a device name such as "CON" or "nul"): they go
// through extended-length paths. The paths they report are the plain ones.

// Copies everything inside source into target, as the shell's copy does when every question
// is answered yes: sub-folders with all their content, missing folders made, an item of the
// same name replaced (a read-only one too). Each copy keeps its name, content and its
// read-only, hidden, system and archive attributes. An item that cannot be copied is left
// and the copy goes on; the result names every item that failed (source itself when it is
// not a folder or target cannot be made), empty when everything was copied. Linked folders
// (junctions, symbolic links) are not walked into and not copied, so a copy never leaves the tree
// it was given.
CopyFailures CopyFolderContents(const std::wstring& source, const std::wstring& target,
                                CopyProgress* progress);

// Every item of source that its copy does not hold as it is, by name, kind and size, and
// every item of the copy that source lacks; empty when both hold the same. Linked folders
// count on neither side.
CopyFailures CompareCopy(const std::wstring& source, const std::wstring& copy);

// Whether two folders hold the same items: names, the attributes a copy keeps, and the
// content of each file.
bool HoldTheSame(const std::wstring& first, const std::wstring& second);

// How many items CopyFolderContents would copy from source, for a progress bar.
unsigned CountFolderItems(const std::wstring& source);

// The path in the form that every name below it keeps: full, with "\\?\" in front, no
// trailing backslash.
std::wstring WalkPath(const std::wstring& path);

} // namespace backup
