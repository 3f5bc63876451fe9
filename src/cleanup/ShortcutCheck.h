#pragma once
#include <string>

// The test for a shortcut whose target is gone, which clear mode and the search for empty
// shortcuts share.
namespace cleanup {

// A shortcut is dead when its stored target is a path whose volume is there and which
// names neither a file nor a folder. A target on a volume that cannot be reached now (no
// medium, no such drive, a share that does not answer) is not dead: it may come back.
bool IsDeadShortcut(const std::wstring& shortcutPath);

} // namespace cleanup
