#pragma once
#include <windows.h>

#include <exception>

namespace win {

// Base of every top-level window of the program. The window procedure stores `this` once
// at WM_NCCREATE and routes every message to HandleMessage; an exception thrown by a
// handler stops at this boundary and is shown with the application's error display. One
// thrown while the window is being created fails the creation instead: CreateWindowObject
// raises it again, so no half-built window is left for later code to use.
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
    // The same with the icon of resource iconId, in the large and the small size.
    static void RegisterWindowClass(const wchar_t* className, int iconId);
    void CreateWindowObject(const wchar_t* className, const wchar_t* caption, DWORD style,
                            DWORD exStyle, int x, int y, int width, int height, HWND owner);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Destroys the window while the derived object, and what its controls use, still lives.
    void DestroyWindowObject();

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    std::exception_ptr creationError_;
};

// Takes no input while the object lives: for work that must not be changed under it. Give
// it no message box's lifetime: a box closing over a disabled owner sends the user to
// another program.
class DisabledWindow {
public:
    explicit DisabledWindow(HWND window)
        : window_(window), wasEnabled_(!EnableWindow(window, FALSE)) {}
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;
    ~DisabledWindow() {
        if (wasEnabled_)
            EnableWindow(window_, TRUE);
    }

private:
    HWND window_;
    bool wasEnabled_;
};

} // namespace win
