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

// An item that could not be copied, and the system error code that said why.
struct CopyFailure {
    std::wstring item;
    DWORD error;
};
using CopyFailures = std::vector<CopyFailure>;

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

// Whether two folders hold the same items: names, the attributes a copy keeps, and the
// content of each file.
bool HoldTheSame(const std::wstring& first, const std::wstring& second);

// How many items CopyFolderContents would copy from source, for a progress bar.
unsigned CountFolderItems(const std::wstring& source);

} // namespace backup
