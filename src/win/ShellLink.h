#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "win/Com.h"

namespace win {

// What a shortcut starts: its target as the shell resolves it (environment strings
// expanded), its arguments, and whether an installer advertises it (the target is then only
// the installer's stand-in).
struct ShortcutCommand {
    std::wstring target, arguments;
    bool advertised = false;
};

// Reads the target paths stored in shortcut files through one shell link object: making
// one costs the system a class look-up, so a walk over many shortcuts keeps one reader.
// The target is not resolved (empty when the link has no file-system target); Read is false
// when the file cannot be read as a shortcut. COM is initialised for the reader's life.
class ShortcutReader {
public:
    ShortcutReader() = default;
    ShortcutReader(const ShortcutReader&) = delete;
    ShortcutReader& operator=(const ShortcutReader&) = delete;

    bool Read(const std::wstring& shortcutPath, std::wstring& target);
    // The same from a shortcut file's bytes, read by the caller through a handle it holds.
    bool ReadBytes(const std::string& bytes, std::wstring& target);
    // Also the arguments and whether it is advertised.
    bool ReadCommand(const std::wstring& shortcutPath, ShortcutCommand& command);

private:
    bool MakeLink();
    bool Loaded(HRESULT loaded, std::wstring& target);

    ComInit com_;
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

// The same for one shortcut.
bool ReadShortcutTarget(const std::wstring& shortcutPath, std::wstring& target);

} // namespace win
