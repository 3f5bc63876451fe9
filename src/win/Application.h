#pragma once
#include <windows.h>

#include <string>

namespace win {

// What the process as a whole shows and runs: its title and its message loop.
class Application {
public:
    static void SetTitle(std::wstring title);
    static const std::wstring& Title();
    // Runs the message loop until WM_QUIT; dialog navigation (Tab, Enter, Esc) is routed to
    // the active window.
    static int Run();
    static void Terminate();
};

} // namespace win
