#include "win/Focus.h"

namespace win {

bool CanTakeFocus(HWND control) {
    return control && IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

HWND TabStopOf(HWND window, HWND control) {
    LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    wchar_t name[16] = L"";
    GetClassNameW(control, name, 16);
    if (lstrcmpiW(name, L"Button") != 0 || (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON))
        return control;
    HWND radio = control;
    do {
        if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED && CanTakeFocus(radio))
            return radio;
        radio = GetNextDlgGroupItem(window, radio, FALSE);
    } while (radio && radio != control);
    return control;
}

void FocusKeeper::Give(HWND control) {
    saved_ = control;
    if (GetActiveWindow() == window_ && CanTakeFocus(control))
        SetFocus(control);
}

bool FocusKeeper::HandleMessage(UINT msg, WPARAM wParam) {
    if (msg == WM_ACTIVATE) {
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                saved_ = focus;
            return false;
        }
        if (HIWORD(wParam)) // minimised
            return false;
    } else if (msg != WM_SETFOCUS) {
        return false;
    }
    HWND target = CanTakeFocus(saved_) && IsChild(window_, saved_) ? saved_ : first_();
    if (!CanTakeFocus(target))
        return false;
    SetFocus(target);
    return true;
}

FocusReturn::~FocusReturn() {
    if (CanTakeFocus(control_) && GetActiveWindow() == GetAncestor(control_, GA_ROOT))
        SetFocus(control_);
}

} // namespace win
