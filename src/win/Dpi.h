#pragma once
#include <windows.h>

namespace win {

// Dots per inch of the monitor hwnd is on (of the system when hwnd is null). Uses the
// per-monitor query where the system has it, so the program still starts on Windows 7.
UINT DpiOf(HWND hwnd);

inline int Scale(int pixelsAt96, UINT dpi) {
    return MulDiv(pixelsAt96, static_cast<int>(dpi), 96);
}

} // namespace win
