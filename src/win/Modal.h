#pragma once
#include <windows.h>

#include <functional>

#include "win/Window.h"

namespace win {

// A window that can be run modally over an owner.
//
// To use this class: derive from it instead of Window, create the window hidden with the
// owner, call RunModal, and call EndModal from the handler that closes it (OK, Cancel,
// WM_CLOSE). RunModal returns the result given to EndModal; destroy the object after.
class ModalWindow : public Window {
public:
    void EndModal(int result);
    bool ModalEnded() const { return ended_; }

    // Shows the window and runs its own message loop, with dialog keys, until EndModal.
    // The owner takes no input meanwhile and is enabled again before this window is
    // hidden, so activation returns to it, and the focus to the control that had it. A
    // WM_QUIT ends the loop and is posted again for the loop outside.
    int RunModal(HWND owner);

protected:
    // F1 goes to the owner, which opens the help at this window's context help id.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool ended_ = false;
    int result_ = IDCANCEL;
};

// While it lives, RunModal does not wait for a person: it shows the window, hands it to
// drive (which clicks and types as a user would) and returns. A window that drive left open
// ends as if cancelled. For tests that open a wizard from its button.
class ScopedModalDriver {
public:
    explicit ScopedModalDriver(std::function<void(ModalWindow&)> drive);
    ScopedModalDriver(const ScopedModalDriver&) = delete;
    ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;
    ~ScopedModalDriver();

private:
    std::function<void(ModalWindow&)> drive_;
    ScopedModalDriver* previous_;
    friend class ModalWindow;
};

// The position that centres a window of size on the owner, kept inside the owner's work
// area.
POINT CentredOn(HWND owner, SIZE size);

} // namespace win
