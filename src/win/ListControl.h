#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

namespace win {

// The item of a list view whose check box (its state picture) lies at a point of the list's
// client area, or -1: a click elsewhere on a row selects it and does not tick it.
int CheckBoxItemAt(HWND list, POINT client);

// Gives a list view that has rows and no focused row one, the selected row or the first, so
// that the arrow keys move from a row the user sees. Nothing is selected by it.
void ShowFocusedRow(HWND list);

// The answer to LVN_ODFINDITEM, with which a list that holds no items of its own finds the
// row a user's typing names: the first row from find.iStart on (going round to the top when
// asked) whose text starts with the typed letters, in any letter case; -1 when none does.
int FindListRow(const NMLVFINDITEMW& find, int count, const std::function<std::wstring(int)>& text);

// Whether the label of item is wider than the room its column leaves it, so that it is shown
// cut off with an ellipsis.
bool LabelCutOff(HWND list, int item, const std::wstring& text);

// Sets the column width of a list view in list style to width, but never more than half the
// list's client width, so that at least two columns are on screen; a longer label ends with
// an ellipsis.
void CapListColumns(HWND list, int width);

} // namespace win
