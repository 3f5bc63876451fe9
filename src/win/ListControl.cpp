#include "win/ListControl.h"

#include <algorithm>

namespace win {

int CheckBoxItemAt(HWND list, POINT client) {
    LVHITTESTINFO hit = {};
    hit.pt = client;
    int item = ListView_HitTest(list, &hit);
    return item >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) ? item : -1;
}

void ShowFocusedRow(HWND list) {
    if (ListView_GetItemCount(list) == 0 || ListView_GetNextItem(list, -1, LVNI_FOCUSED) >= 0)
        return;
    int row = std::max(0, ListView_GetNextItem(list, -1, LVNI_SELECTED));
    ListView_SetItemState(list, row, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

int FindListRow(const NMLVFINDITEMW& find, int count,
                const std::function<std::wstring(int)>& text) {
    const LVFINDINFOW& info = find.lvfi;
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz || count <= 0)
        return -1;
    std::wstring typed = info.psz;
    int length = static_cast<int>(typed.size());
    if (length == 0)
        return -1;
    bool partial = info.flags & LVFI_PARTIAL;
    int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    int rows = info.flags & LVFI_WRAP ? count : count - start;
    for (int i = 0; i < rows; ++i) {
        int row = (start + i) % count;
        std::wstring shown = text(row);
        int size = static_cast<int>(shown.size());
        if (partial ? size < length : size != length)
            continue;
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, shown.c_str(), length,
                           typed.c_str(), length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

bool LabelCutOff(HWND list, int item, const std::wstring& text) {
    RECT label = {};
    if (item < 0 || !ListView_GetItemRect(list, item, &label, LVIR_LABEL))
        return false;
    // The control leaves a little room either side of the text.
    return static_cast<int>(
               SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))) +
               4 >
           label.right - label.left;
}

void CapListColumns(HWND list, int width) {
    RECT client;
    GetClientRect(list, &client);
    int capped = std::max(1, std::min(width, static_cast<int>(client.right) / 2));
    if (ListView_GetColumnWidth(list, 0) != capped)
        ListView_SetColumnWidth(list, 0, capped);
}

} // namespace win
