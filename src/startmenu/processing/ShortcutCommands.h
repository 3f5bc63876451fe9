#pragma once
#include <string>
#include <unordered_map>

#include "win/ShellLink.h"

namespace startmenu {

// What shortcuts start, read through one link object, each file once: the form in which two
// shortcuts that start the same program with the same arguments compare equal, whatever
// their names. Empty for a file that is no shortcut, a shortcut without a file as its target
// and an installer's advertised shortcut, whose target says nothing of the program.
class ShortcutCommands {
public:
    std::wstring KeyOf(const std::wstring& shortcutPath);

private:
    win::ShortcutReader reader_;
    std::unordered_map<std::wstring, std::wstring> known_;
};

} // namespace startmenu
