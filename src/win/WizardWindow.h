#pragma once
#include <windows.h>

#include <memory>

#include "win/Modal.h"
#include "win/WizardFrame.h"

namespace win {

// A secondary wizard: a resizable modal window centred on its owner, its pages and bottom
// bar on the shared frame, Enter and Esc meaning the page's buttons, closing meaning Cancel.
//
// To use this class: derive; in the constructor call CreateWizard, in the destructor
// DestroyWindowObject; in FormCreate make frame_ and add the pages; route the controls in
// OnCommand; say in CloseRequested what closing the window does (usually what Cancel does).
class WizardWindow : public ModalWindow {
public:
    // Runs at window creation: makes frame_ and the pages.
    virtual void FormCreate() = 0;

protected:
    // size96 is the window's size at 96 dpi, scaled to the owner's.
    void CreateWizard(HWND owner, const wchar_t* className, const wchar_t* caption, SIZE size96,
                      int iconId);
    virtual LRESULT OnCommand(int id, int code) = 0;
    virtual void CloseRequested() = 0;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::unique_ptr<WizardFrame> frame_;
};

} // namespace win
