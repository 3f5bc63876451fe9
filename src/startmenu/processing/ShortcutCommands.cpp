#include "startmenu/processing/ShortcutCommands.h"

#include <windows.h>

#include "win/Text.h"

namespace startmenu {
namespace {

// The long form of a path that exists, so that "PROGRA~1" and "Program Files" agree.
std::wstring LongPath(const std::wstring& path) {
    DWORD length = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    length = GetLongPathNameW(path.c_str(), full.data(), length);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return full;
}

std::wstring Trimmed(const std::wstring& text) {
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

} // namespace

std::wstring ShortcutCommands::KeyOf(const std::wstring& shortcutPath) {
    std::wstring place = win::LowerFileName(shortcutPath);
    auto known = known_.find(place);
    if (known != known_.end())
        return known->second;
    win::ShortcutCommand command;
    std::wstring key;
    if (reader_.ReadCommand(shortcutPath, command) && !command.target.empty() &&
        !command.advertised)
        key = win::LowerFileName(LongPath(command.target)) + L"\n" + Trimmed(command.arguments);
    known_.emplace(place, key);
    return key;
}

} // namespace startmenu
