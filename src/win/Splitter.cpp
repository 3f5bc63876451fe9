#include "win/Splitter.h"

#include <windowsx.h>

namespace win {
namespace {
constexpr const wchar_t* kClassName = L"TSplitter";
}

Splitter::Splitter(HWND parent, int id) {
    RegisterWindowClass(kClassName, nullptr, nullptr);
    CreateWindowObject(kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, 0, parent);
    SetWindowLongPtrW(Handle(), GWLP_ID, id);
}

LRESULT Splitter::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        grabOffset_ = GET_X_LPARAM(lParam);
        dragging_ = true;
        SetCapture(Handle());
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_ && Moving) {
            POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
            Moving(p.x - grabOffset_);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            ReleaseCapture();
            if (Moved)
                Moved();
        }
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace win
