#include "win/WizardWindow.h"

#include "win/Dpi.h"

namespace win {

void WizardWindow::CreateWizard(HWND owner, const wchar_t* className, const wchar_t* caption,
                                SIZE size96, int iconId) {
    RegisterWindowClass(className, iconId);
    UINT dpi = DpiOf(owner);
    SIZE size = {Scale(size96.cx, dpi), Scale(size96.cy, dpi)};
    POINT at = CentredOn(owner, size);
    CreateWindowObject(className, caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                       WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, at.x, at.y, size.cx, size.cy,
                       owner);
}

LRESULT WizardWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        FormCreate();
        return 0;
    }
    // Before WM_CREATE there is no frame yet.
    LRESULT result = 0;
    if (!frame_)
        return ModalWindow::HandleMessage(msg, wParam, lParam);
    if (frame_->HandleMessage(msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            int command = frame_->KeyCommand(id);
            return command ? OnCommand(command, BN_CLICKED) : 0;
        }
        return OnCommand(id, HIWORD(wParam));
    }
    case WM_CLOSE:
        CloseRequested();
        return 0;
    }
    return ModalWindow::HandleMessage(msg, wParam, lParam);
}

} // namespace win
