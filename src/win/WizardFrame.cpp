#include "win/WizardFrame.h"

#include <commctrl.h>

#include <algorithm>

#include "win/Dpi.h"
#include "win/Errors.h"

namespace win {
namespace {

void SetDefaultStyle(HWND button, bool isDefault) {
    bool now = (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (now != isDefault)
        SendMessageW(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

} // namespace

WizardFrame::WizardFrame(HWND window, SIZE designClient, int barHeight, UINT dpi)
    : window_(window), dpi_(dpi), barHeight_(barHeight), layout_(designClient),
      font_(MakeFont(L"Tahoma", -11, dpi)), boldFont_(MakeFont(L"Tahoma", -11, dpi, true)),
      whiteBrush_(CreateSolidBrush(GetSysColor(COLOR_WINDOW))),
      focus_(window, [this] { return FirstOfPage(); }) {}

HWND WizardFrame::Add(int page, const Control& c) {
    HWND control = CreateWindowExW(0, c.className, c.text, WS_CHILD | c.style, 0, 0, 0, 0, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control)
        ThrowSystemError(GetLastError());
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(c.font ? c.font : Font()), 0);
    layout_.Add(control, c.design, c.anchors);
    controls_.push_back({control, page});
    DWORD type = c.style & BS_TYPEMASK;
    if (lstrcmpiW(c.className, WC_BUTTONW) == 0 &&
        (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        pushButtons_.push_back(control);
        SetWindowSubclass(control, FollowFocus, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    return control;
}

LRESULT CALLBACK WizardFrame::FollowFocus(HWND button, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR frame) {
    if (msg == WM_SETFOCUS)
        reinterpret_cast<WizardFrame*>(frame)->ShowDefault(button);
    else if (msg == WM_KILLFOCUS)
        reinterpret_cast<WizardFrame*>(frame)->ShowDefault(reinterpret_cast<HWND>(wParam));
    else if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(button, FollowFocus, id);
    return DefSubclassProc(button, msg, wParam, lParam);
}

bool WizardFrame::IsPushButton(HWND control) const {
    return control &&
           std::find(pushButtons_.begin(), pushButtons_.end(), control) != pushButtons_.end();
}

void WizardFrame::ShowDefault(HWND focus) {
    HWND target = IsPushButton(focus) ? focus
                  : Keys().enter      ? GetDlgItem(window_, Keys().enter)
                                      : nullptr;
    for (HWND button : pushButtons_)
        SetDefaultStyle(button, button == target);
}

HWND WizardFrame::FirstOfPage() const {
    for (int page : {page_, 0})
        for (const Paged& c : controls_)
            if (c.page == page && (GetWindowLongW(c.control, GWL_STYLE) & WS_TABSTOP) &&
                CanTakeFocus(c.control))
                return TabStopOf(window_, c.control);
    return nullptr;
}

int WizardFrame::DefaultId() const {
    HWND focus = GetFocus();
    return IsPushButton(focus) ? GetDlgCtrlID(focus) : Keys().enter;
}

void WizardFrame::ShowPage(int page, const std::function<bool(HWND)>& visible) {
    page_ = page;
    for (const Paged& c : controls_) {
        bool shown = (c.page == 0 || c.page == page) && (!visible || visible(c.control));
        ShowWindow(c.control, shown ? SW_SHOWNA : SW_HIDE);
    }
    ShowDefault(GetFocus());
    if (forward_ && page >= 0 && static_cast<size_t>(page) < forwardCaptions_.size())
        SetWindowTextW(forward_, forwardCaptions_[static_cast<size_t>(page)].c_str());
    InvalidateRect(window_, nullptr, TRUE);
}

void WizardFrame::SetKeys(int page, PageKeys keys) {
    if (keys_.size() <= static_cast<size_t>(page))
        keys_.resize(static_cast<size_t>(page) + 1);
    keys_[static_cast<size_t>(page)] = keys;
}

const WizardFrame::PageKeys& WizardFrame::Keys() const {
    static const PageKeys none;
    return page_ >= 0 && static_cast<size_t>(page_) < keys_.size()
               ? keys_[static_cast<size_t>(page_)]
               : none;
}

void WizardFrame::SetForwardButton(HWND button, std::vector<std::wstring> captionsByPage) {
    forward_ = button;
    forwardCaptions_ = std::move(captionsByPage);
}

int WizardFrame::KeyCommand(int key) const {
    int id = key == IDOK ? DefaultId() : key == IDCANCEL ? Keys().escape : 0;
    HWND button = id ? GetDlgItem(window_, id) : nullptr;
    return button && IsWindowVisible(button) && IsWindowEnabled(button) ? id : 0;
}

RECT WizardFrame::PageArea() const {
    RECT client;
    GetClientRect(window_, &client);
    client.bottom -= Scale(barHeight_, dpi_);
    return client;
}

bool WizardFrame::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Apply({LOWORD(lParam), HIWORD(lParam)});
        InvalidateRect(window_, nullptr, TRUE);
        result = 0;
        return true;
    case WM_GETMINMAXINFO: {
        UINT dpi = DpiOf(window_);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {Scale(minimum_.cx, dpi),
                                                                 Scale(minimum_.cy, dpi)};
        result = 0;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = reinterpret_cast<LRESULT>(
            ControlBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        return true;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        result = TRUE;
        return true;
    case DM_GETDEFID:
        result = MAKELRESULT(DefaultId(), DC_HASDEFID);
        return true;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        result = 0;
        return KeepFocus(msg, wParam);
    }
    return false;
}

void WizardFrame::PaintBackground(HDC dc) const {
    RECT client;
    GetClientRect(window_, &client);
    RECT page = PageArea();
    RECT bar = client;
    bar.top = page.bottom;
    FillRect(dc, &page, static_cast<HBRUSH>(whiteBrush_.Get()));
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &bar, EDGE_ETCHED, BF_TOP);
}

HBRUSH WizardFrame::ControlBrush(HDC dc, HWND control) const {
    for (const Paged& c : controls_)
        if (c.control == control && c.page == 0)
            return GetSysColorBrush(COLOR_BTNFACE);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return static_cast<HBRUSH>(whiteBrush_.Get());
}

} // namespace win
