#pragma once
#include <windows.h>

#include <string>

namespace backup {

// Told of each item as a copy reaches it, so a long copy can show how far it is and keep its
// window painted.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void Copying(const std::wstring& item) = 0;
};

// Copies everything inside source into target, as the shell's copy does when every question
// is answered yes: sub-folders with all their content, missing folders made, an item of the
// same name replaced (a read-only one too). Each copy keeps its name, content and its
// read-only, hidden, system and archive attributes. An item that cannot be copied is left
// and the copy goes on; the result is the first failure's system error code, or
// ERROR_SUCCESS. Linked folders (junctions, symbolic links) are not walked into and not
// copied, so a copy never leaves the tree it was given.
DWORD CopyFolderContents(const std::wstring& source, const std::wstring& target,
                         CopyProgress* progress);

// How many items CopyFolderContents would copy from source, for a progress bar.
unsigned CountFolderItems(const std::wstring& source);

} // namespace backup
