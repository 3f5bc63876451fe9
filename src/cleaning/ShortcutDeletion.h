#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "cleaning/ShortcutCheck.h"

namespace cleaning {

// A file as a listing saw it: its size and when it was last written.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    bool operator==(const FileStamp& other) const {
        return size == other.size && written == other.written;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
FileStamp StampOf(const WIN32_FIND_DATAW& data);

enum class Deletion {
    Deleted,
    AlreadyGone, // nothing is at the path any more
    WorksAgain,  // its target is there now, or it is no shortcut to a missing target
    Changed,     // another file than the one seen is at the path now
    Failed,      // the system refused; error says why
};
struct DeletionResult {
    Deletion outcome = Deletion::Failed;
    DWORD error = ERROR_SUCCESS;
};

// Deletes the shortcut at path only if, looked at now, it is still dead: the file seen (when
// seen is given), whose target is missing, or lies on a volume that is away when
// unreachableIsDead. The file is held against writing, renaming and deletion by others from
// that look until it is gone, so the file deleted is the file looked at.
DeletionResult DeleteIfStillDead(const std::wstring& path, const FileStamp* seen,
                                 ShortcutChecker& checker, bool unreachableIsDead);

} // namespace cleaning
