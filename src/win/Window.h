#pragma once
#include <windows.h>

namespace win {

// Base of every top-level window of the program. The window procedure stores `this` once
// at WM_NCCREATE and routes every message to HandleMessage; an exception thrown by a
// handler stops at this boundary and is shown with the application's error display.
//
// To use this class: derive, call RegisterWindowClass once per class name, create the
// window with CreateWindowObject, and override HandleMessage (call the base for defaults).
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }

protected:
    static void RegisterWindowClass(const wchar_t* className, HICON icon, HICON smallIcon);
    void CreateWindowObject(const wchar_t* className, const wchar_t* caption, DWORD style,
                            DWORD exStyle, int x, int y, int width, int height, HWND owner);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Destroys the window while the derived object, and what its controls use, still lives.
    void DestroyWindowObject();

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace win
