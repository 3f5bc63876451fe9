#pragma once
#include <windows.h>

namespace win {

// The item of a list view whose check box (its state picture) lies at a point of the list's
// client area, or -1: a click elsewhere on a row selects it and does not tick it.
int CheckBoxItemAt(HWND list, POINT client);

} // namespace win
