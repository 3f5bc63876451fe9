#include "win/Dpi.h"

namespace win {
namespace {

template <typename F> F UserFunction(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

UINT DpiOf(HWND hwnd) {
    using ForWindow = UINT(WINAPI*)(HWND);
    using ForSystem = UINT(WINAPI*)();
    static const auto forWindow = UserFunction<ForWindow>("GetDpiForWindow");
    static const auto forSystem = UserFunction<ForSystem>("GetDpiForSystem");
    if (hwnd && forWindow)
        return forWindow(hwnd);
    if (forSystem)
        return forSystem();
    HDC screen = GetDC(nullptr);
    UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace win
