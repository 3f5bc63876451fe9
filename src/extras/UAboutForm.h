#pragma once
#include <windows.h>

#include "win/Gdi.h"
#include "win/Handles.h"
#include "win/Modal.h"

namespace extras {

// The about window: the program's icon, name and version, and links to the home page and to
// support. Handlers are public so that tests can drive the window as a user's clicks do.
//
// To use this class: make it once, hidden, over the main window, and call ShowModal each
// time the user asks for it; closing only hides it again.
class TAboutBox : public win::ModalWindow {
public:
    explicit TAboutBox(HWND owner);
    ~TAboutBox() override { DestroyWindowObject(); }

    int ShowModal();
    void Label1Click(); // the home page
    void Label2Click(); // a new mail to support
    void OKButtonClick();

    // Controls, by their designer names.
    HWND Panel1 = nullptr, ProgramIcon = nullptr, ProductName = nullptr, Version = nullptr,
         Label1 = nullptr, Label3 = nullptr, Label2 = nullptr, OKButton = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void Translate();
    LRESULT OnNotify(const NMHDR& header);

    HWND owner_;
    UINT dpi_ = 96;
    win::GdiObject font_, nameFont_;
    win::IconHandle icon_;
};

} // namespace extras
