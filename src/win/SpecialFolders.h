#pragma once
#include <string>
#include <vector>

namespace win {

// Every folder the system knows by name: the shell's special folders (CSIDL 0 to 0x3F), the
// known folders, and the temp folder. Only those the system gives a path for.
std::vector<std::wstring> NamedSystemFolders();

// The Windows folder, in each way the system names it.
std::vector<std::wstring> WindowsFolders();

// The top folders of what the system, the programs and the users keep: the Program Files
// folders, the profiles folder, each user's profile, the public profile and ProgramData.
std::vector<std::wstring> SystemRootFolders();

} // namespace win
