#include "win/Application.h"

namespace win {
namespace {
std::wstring title;
}

void Application::SetTitle(std::wstring text) {
    title = std::move(text);
}

const std::wstring& Application::Title() {
    return title;
}

int Application::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Application::Terminate() {
    PostQuitMessage(0);
}

} // namespace win
