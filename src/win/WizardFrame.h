#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "win/Gdi.h"
#include "win/Layout.h"

namespace win {

// What every wizard of the program shares: white pages of controls shown one at a time, and
// below them a bar in the dialog colour under an etched line that holds the wizard's
// buttons, with a default button and an Esc button per page and a forward button whose
// caption follows the page.
//
// To use this class: make it when the window is created, add each page's controls from a
// table (page 0 is the bar, shown on every page), then hand it the window's WM_SIZE,
// WM_ERASEBKGND, WM_CTLCOLORSTATIC/BTN and DM_GETDEFID, and ask KeyCommand what Enter
// (IDOK) and Esc (IDCANCEL) mean on the page shown.
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
    int DefaultId() const { return Keys().enter; }

    HFONT Font() const { return AsFont(font_); }
    HFONT BoldFont() const { return AsFont(boldFont_); }
    UINT Dpi() const { return dpi_; }
    AnchorLayout& Layout() { return layout_; }
    RECT PageArea() const; // the client area above the bar
    void Apply(SIZE client, int bandExtra = 0) const { layout_.Apply(client, dpi_, bandExtra); }

    // The smallest the window may be made, designed at 96 dpi.
    void SetMinimumSize(SIZE at96) { minimum_ = at96; }
    // What every wizard window does with these messages: WM_SIZE, WM_GETMINMAXINFO,
    // WM_ERASEBKGND, WM_CTLCOLORSTATIC/BTN and DM_GETDEFID. False for any other message.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void PaintBackground(HDC dc) const;
    // The brush for a static or button control's background: the page's or the bar's.
    HBRUSH ControlBrush(HDC dc, HWND control) const;

private:
    const PageKeys& Keys() const;

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
    std::vector<PageKeys> keys_;
    HWND forward_ = nullptr;
    SIZE minimum_ = {0, 0};
    std::vector<std::wstring> forwardCaptions_;
    int page_ = 0;
};

} // namespace win
