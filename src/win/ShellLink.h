#pragma once
#include <string>

namespace win {

// Reads the target path stored in a shortcut file, not resolved (empty when the link has
// no file-system target). False when the file cannot be read as a shortcut. COM is
// initialised around this one call.
bool ReadShortcutTarget(const std::wstring& shortcutPath, std::wstring& target);

} // namespace win
