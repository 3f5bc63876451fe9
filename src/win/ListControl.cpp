#include "win/ListControl.h"

#include <commctrl.h>

namespace win {

int CheckBoxItemAt(HWND list, POINT client) {
    LVHITTESTINFO hit = {};
    hit.pt = client;
    int item = ListView_HitTest(list, &hit);
    return item >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) ? item : -1;
}

} // namespace win
