#pragma once
#include <map>
#include <string>

#include "win/FileSystem.h"
#include "win/ShellLink.h"

// The test for a shortcut whose target is gone, which clear mode and the search for empty
// shortcuts share.
namespace cleaning {

enum class TargetState {
    Present,     // there, or the shortcut names no file-system target, or it cannot be read
    Missing,     // gone from a volume that is there
    Unreachable, // on a volume that cannot be reached now: no medium, no drive, no answer
};

struct ShortcutTarget {
    TargetState state = TargetState::Present;
    std::wstring path; // as stored in the shortcut, not resolved
};

// Checks many shortcuts in a row at the cost of the file reads alone: one link object, COM
// and the quiet drive errors for the checker's life, and each volume's reachability asked
// once (a share that does not answer costs its time-out once, not once a shortcut).
//
// To use this class: make one for a walk on the thread that walks, and drop it after.
class ShortcutChecker {
public:
    ShortcutChecker();
    ShortcutTarget Check(const std::wstring& shortcutPath);
    // The same for a shortcut file's bytes.
    ShortcutTarget CheckBytes(const std::string& bytes);

private:
    ShortcutTarget Judge(bool read, std::wstring target);
    bool FoundNatively(const std::wstring& target) const;

    win::QuietDriveErrors quiet_;
    win::ShortcutReader reader_;
    bool redirected_ = false; // a 32-bit program on 64-bit Windows
    std::wstring programFiles32_, programFiles64_;
    std::map<std::wstring, bool> reachable_; // by lower-cased volume root
};

// A shortcut is dead when its stored target is a path whose volume is there and which
// names neither a file nor a folder. A target on a volume that cannot be reached now (no
// medium, no such drive, a share that does not answer) is not dead: it may come back.
bool IsDeadShortcut(const std::wstring& shortcutPath);

} // namespace cleaning
