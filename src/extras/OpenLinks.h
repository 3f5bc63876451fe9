#pragma once
#include <windows.h>

#include <string>

// The web, mail and help links, each handed to the shell as the program's windows open them.
// The result is not looked at: a missing browser, mail program or help file is the shell's
// to report.
namespace extras {

// In the browser, through the default verb, owned by no window.
void OpenHomePage();
// A new mail to support, with the product and version as its subject.
void OpenSupportMail(HWND owner);
// The help file in the program's folder, by its full path, so that the current folder does
// not matter.
void OpenHelpFile(HWND owner, const std::wstring& appDir);

} // namespace extras
