#include "win/Dpi.h"

#include "win/Handles.h"
#include "win/SystemLibrary.h"

namespace win {

UINT DpiOf(HWND hwnd) {
    // Windows 10 has them; Windows 7 answers with the screen's.
    static const auto forWindow =
        LoadedFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    static const auto forSystem = LoadedFunction<UINT(WINAPI*)()>(L"user32.dll", "GetDpiForSystem");
    if (hwnd && forWindow)
        return forWindow(hwnd);
    if (forSystem)
        return forSystem();
    WindowDc screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSX));
}

} // namespace win
