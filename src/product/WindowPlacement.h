#pragma once
#include <windows.h>

namespace product {

// The main window's size, position and maximised state, kept under the settings key from one
// start to the next.
void SaveWindowPlacement(HWND window);
// Shows window where it was last, whole inside the work area of the monitor nearest to where
// it was (that monitor may be gone); false, showing nothing, when nothing was kept.
bool RestoreWindowPlacement(HWND window);

} // namespace product
