#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "win/Focus.h"
#include "win/Gdi.h"
#include "win/Layout.h"

namespace win {

// What every wizard of the program shares: white pages of controls shown one at a time, and
// below them a bar in the dialog colour under an etched line that holds the wizard's
// buttons, with a default button and an Esc button per page and a forward button whose
// caption follows the page. As in a dialog, the default button follows the focus: a push
// button that has the focus is the one Enter presses, and the page's default button is only
// while the focus is on another kind of control.
//
// To use this class: make it when the window is created, add each page's controls from a
// table (page 0 is the bar, shown on every page), then hand it the window's WM_SIZE,
// WM_ERASEBKGND, WM_CTLCOLORSTATIC/BTN, DM_GETDEFID, WM_ACTIVATE and WM_SETFOCUS, and ask
// KeyCommand what Enter (IDOK) and Esc (IDCANCEL) mean on the page shown.
class WizardFrame {
public:
    struct Control {
        const wchar_t* className;
        const wchar_t* text;
        DWORD style; // WS_CHILD is added
        int id;
        RECT design; // at 96 dpi, in the design client area
        unsigned anchors;
        HFONT font = nullptr; // null: the frame's font
    };
    // A control of a table, and the owner's member that keeps its handle (may be null).
    template <typename Owner> struct Row {
        HWND Owner::*member;
        Control control;
    };
    struct PageKeys {
        int enter = 0;  // the default button's id; 0: Enter does nothing
        int escape = 0; // 0: Esc does nothing
    };

    WizardFrame(HWND window, SIZE designClient, int barHeight, UINT dpi);
    WizardFrame(const WizardFrame&) = delete;
    WizardFrame& operator=(const WizardFrame&) = delete;

    HWND Add(int page, const Control& control);
    template <typename Owner>
    void AddPage(Owner& owner, int page, std::initializer_list<Row<Owner>> rows) {
        for (const Row<Owner>& row : rows) {
            HWND control = Add(page, row.control);
            if (row.member)
                owner.*row.member = control;
        }
    }
    // A control made elsewhere (a splitter) that belongs to page.
    void Adopt(int page, HWND control) { controls_.push_back({control, page}); }

    // Shows page and the bar, and of them only the controls visible says yes to; sets the
    // default button and the forward button's caption for the page.
    void ShowPage(int page, const std::function<bool(HWND)>& visible = {});
    int Page() const { return page_; }
    void SetKeys(int page, PageKeys keys);
    void SetForwardButton(HWND button, std::vector<std::wstring> captionsByPage);
    // The command Enter (IDOK) or Esc (IDCANCEL) stands for on the page shown, when its
    // button is there to press; else 0.
    int KeyCommand(int key) const;
    // The button Enter presses now: the focused push button, else the page's default.
    int DefaultId() const;

    // The keyboard on control, or on the first useful control of the page shown; now when
    // the window is active, else when it next becomes so.
    void Focus(HWND control) { focus_.Give(control); }
    void FocusFirst() { focus_.Give(FirstOfPage()); }
    // WM_ACTIVATE and WM_SETFOCUS: true when handled.
    bool KeepFocus(UINT msg, WPARAM wParam) { return focus_.HandleMessage(msg, wParam); }

    HFONT Font() const { return AsFont(font_); }
    HFONT BoldFont() const { return AsFont(boldFont_); }
    UINT Dpi() const { return dpi_; }
    AnchorLayout& Layout() { return layout_; }
    RECT PageArea() const; // the client area above the bar
    void Apply(SIZE client, int bandExtra = 0) const { layout_.Apply(client, dpi_, bandExtra); }

    // The smallest the window may be made, designed at 96 dpi.
    void SetMinimumSize(SIZE at96) { minimum_ = at96; }
    // What every wizard window does with these messages: WM_SIZE, WM_GETMINMAXINFO,
    // WM_ERASEBKGND, WM_CTLCOLORSTATIC/BTN, DM_GETDEFID, WM_ACTIVATE and WM_SETFOCUS. False
    // for any other message.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void PaintBackground(HDC dc) const;
    // The brush for a static or button control's background: the page's or the bar's.
    HBRUSH ControlBrush(HDC dc, HWND control) const;

private:
    const PageKeys& Keys() const;
    bool IsPushButton(HWND control) const;
    // The first control of the page shown that Tab stops at; else the bar's.
    HWND FirstOfPage() const;
    // Gives the default look to the push button focus, or to the page's default button.
    void ShowDefault(HWND focus);
    static LRESULT CALLBACK FollowFocus(HWND button, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR frame);

    struct Paged {
        HWND control;
        int page;
    };
    HWND window_;
    UINT dpi_;
    int barHeight_;
    AnchorLayout layout_;
    GdiObject font_, boldFont_, whiteBrush_;
    std::vector<Paged> controls_;
    std::vector<HWND> pushButtons_;
    FocusKeeper focus_;
    std::vector<PageKeys> keys_;
    HWND forward_ = nullptr;
    SIZE minimum_ = {0, 0};
    std::vector<std::wstring> forwardCaptions_;
    int page_ = 0;
};

} // namespace win
