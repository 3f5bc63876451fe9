#pragma once
#include <windows.h>

#include <functional>

#include "win/Window.h"

namespace win {

// A vertical bar the user drags to share a width between the control on its left and the
// control on its right. The owner does the resizing, live, through Moving; Moved comes once
// the mouse button is let go.
class Splitter : public Window {
public:
    Splitter(HWND parent, int id);

    // Called with the new left edge of the bar, in the parent's client coordinates.
    std::function<void(int left)> Moving;
    std::function<void()> Moved;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int grabOffset_ = 0;
    bool dragging_ = false;
};

} // namespace win
