#pragma once
#include <windows.h>

#include <functional>

namespace win {

// Whether control can take the keyboard focus now: it is there, visible and enabled.
bool CanTakeFocus(HWND control);
// The control Tab would stop at for control: of a group of radio buttons the one selected,
// else control itself.
HWND TabStopOf(HWND window, HWND control);

// Keeps a plain window's keyboard focus where the user left it. A dialog does this itself;
// a window that only borrows the dialog keys puts the focus on itself whenever it is
// activated again (after a message box, a wizard, the help, another program), and nothing
// looks focused.
//
// To use this class: hand it the window's WM_ACTIVATE and WM_SETFOCUS, and Give it the
// control a page or a step wants the keyboard on. Until then, first says where it goes.
class FocusKeeper {
public:
    FocusKeeper(HWND window, std::function<HWND()> first)
        : window_(window), first_(std::move(first)) {}

    // Puts the focus on control now when the window is active, else when it next becomes so.
    void Give(HWND control);
    // True when the message was handled and the default must not run.
    bool HandleMessage(UINT msg, WPARAM wParam);

private:
    HWND window_;
    std::function<HWND()> first_;
    HWND saved_ = nullptr;
};

// While it lives the focus is wherever anybody puts it; at its end it goes back to the
// control that had it at its start, when that can still take it. Around a modal window or a
// message box, which leave their owner's focus nowhere.
class FocusReturn {
public:
    FocusReturn() : control_(GetFocus()) {}
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;
    ~FocusReturn();

private:
    HWND control_;
};

} // namespace win
