#include "win/Window.h"

#include <utility>

#include "win/Errors.h"
#include "win/UserPrompt.h"

namespace win {

Window::~Window() {
    if (hwnd_) {
        // The derived part is gone: detach first so no message reaches it.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::DestroyWindowObject() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Window::RegisterWindowClass(const wchar_t* className, HICON icon, HICON smallIcon) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc))
        return;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc))
        ThrowSystemError(GetLastError());
}

void Window::RegisterWindowClass(const wchar_t* className, int iconId) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto load = [&](int width, int height, UINT flags) {
        return static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, height, flags));
    };
    RegisterWindowClass(
        className, load(0, 0, LR_DEFAULTSIZE | LR_SHARED),
        load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

void Window::CreateWindowObject(const wchar_t* className, const wchar_t* caption, DWORD style,
                                DWORD exStyle, int x, int y, int width, int height, HWND owner) {
    creationError_ = nullptr;
    HWND hwnd = CreateWindowExW(exStyle, className, caption, style, x, y, width, height, owner,
                                nullptr, GetModuleHandleW(nullptr), this);
    if (creationError_)
        std::rethrow_exception(std::exchange(creationError_, nullptr));
    if (!hwnd)
        ThrowSystemError(GetLastError());
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        if (msg != WM_NCCREATE && msg != WM_CREATE) {
            ShowCurrentError(hwnd);
        } else {
            self->creationError_ = std::current_exception();
            result = msg == WM_CREATE ? -1 : FALSE;
        }
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

} // namespace win
