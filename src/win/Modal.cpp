#include "win/Modal.h"

#include <algorithm>

#include "win/Focus.h"

namespace win {
namespace {
ScopedModalDriver* driver = nullptr;
}

ScopedModalDriver::ScopedModalDriver(std::function<void(ModalWindow&)> drive)
    : drive_(std::move(drive)), previous_(driver) {
    driver = this;
}

ScopedModalDriver::~ScopedModalDriver() {
    driver = previous_;
}

void ModalWindow::EndModal(int result) {
    ended_ = true;
    result_ = result;
}

int ModalWindow::RunModal(HWND owner) {
    FocusReturn focusBack;
    ended_ = false;
    bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    if (driver) {
        driver->drive_(*this);
    } else {
        MSG msg;
        while (!ended_ && IsWindow(Handle())) {
            BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0)
                break;
            if (IsDialogMessageW(Handle(), &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    if (IsWindow(Handle()))
        ShowWindow(Handle(), SW_HIDE);
    if (owner && IsWindow(owner))
        SetActiveWindow(owner);
    return ended_ ? result_ : IDCANCEL;
}

LRESULT ModalWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HELP) {
        HELPINFO info = *reinterpret_cast<const HELPINFO*>(lParam);
        info.dwContextId = GetWindowContextHelpId(Handle());
        if (HWND owner = GetWindow(Handle(), GW_OWNER))
            SendMessageW(owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        return TRUE;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

POINT CentredOn(HWND owner, SIZE size) {
    RECT area = {};
    if (owner)
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    LONG x = area.left + ((area.right - area.left) - size.cx) / 2;
    LONG y = area.top + ((area.bottom - area.top) - size.cy) / 2;
    x = std::max(work.left, std::min(x, work.right - size.cx));
    y = std::max(work.top, std::min(y, work.bottom - size.cy));
    return {x, y};
}

} // namespace win
