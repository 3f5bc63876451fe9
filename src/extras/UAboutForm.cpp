#include "extras/UAboutForm.h"

#include <commctrl.h>

#include <string>

#include "product/AppInfo.h"
#include "product/Help.h"
#include "extras/Links.h"
#include "extras/OpenLinks.h"
#include "res/resource.h"
#include "win/Dpi.h"
#include "win/Errors.h"

namespace extras {
namespace {

constexpr const wchar_t* kClassName = L"TAboutBox";
constexpr SIZE kClient = {298, 205};
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
enum AboutId : int {
    IdPanel1 = 101,
    IdProgramIcon,
    IdProductName,
    IdVersion,
    IdLabel1,
    IdLabel3,
    IdLabel2
};

std::wstring Link(const std::wstring& text) {
    return L"<a>" + text + L"</a>";
}

} // namespace

TAboutBox::TAboutBox(HWND owner) : owner_(owner) {
    RegisterWindowClass(kClassName, IDI_MARLOWEN);
    UINT dpi = win::DpiOf(owner);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, win::Scale(kClient.cx, dpi), win::Scale(kClient.cy, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SIZE size = {frame.right - frame.left, frame.bottom - frame.top};
    POINT at = win::CentredOn(nullptr, size);
    CreateWindowObject(kClassName, L"About", style, exStyle, at.x, at.y, size.cx, size.cy, owner);
}

int TAboutBox::ShowModal() {
    return RunModal(owner_);
}

void TAboutBox::CreateControls() {
    font_ = win::MakeFont(L"Tahoma", -11, dpi_);
    nameFont_ = win::MakeFont(L"Tahoma", -16, dpi_);
    HFONT font = win::AsFont(font_), name = win::AsFont(nameFont_);
    const std::wstring version = L"Version " MARLOWEN_VERSION_WIDE;
    const std::wstring home = Link(HomePageHost()), support = Link(SupportMailText());
    struct Row {
        HWND TAboutBox::*member;
        const wchar_t* className;
        const wchar_t* text;
        DWORD style;
        int id;
        RECT design; // at 96 dpi
        HFONT font;
    };
    const Row rows[] = {
        {&TAboutBox::Panel1,
         WC_STATICW,
         L"",
         WS_VISIBLE | SS_ETCHEDFRAME,
         IdPanel1,
         {8, 8, 290, 160},
         font},
        {&TAboutBox::ProgramIcon,
         WC_STATICW,
         L"",
         WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL,
         IdProgramIcon,
         {20, 20, 92, 92},
         font},
        {&TAboutBox::ProductName,
         WC_STATICW,
         product::kProductName,
         kLabel,
         IdProductName,
         {108, 30, 280, 50},
         name},
        {&TAboutBox::Version,
         WC_STATICW,
         version.c_str(),
         kLabel,
         IdVersion,
         {108, 56, 280, 76},
         name},
        {&TAboutBox::Label1,
         WC_LINK,
         home.c_str(),
         WS_VISIBLE | WS_TABSTOP,
         IdLabel1,
         {20, 104, 280, 120},
         font},
        {&TAboutBox::Label3,
         WC_STATICW,
         L"Free to use: the Start Menu in categories.",
         kLabel,
         IdLabel3,
         {20, 122, 280, 138},
         font},
        {&TAboutBox::Label2,
         WC_LINK,
         support.c_str(),
         WS_VISIBLE | WS_TABSTOP,
         IdLabel2,
         {20, 140, 280, 156},
         font},
        {&TAboutBox::OKButton,
         WC_BUTTONW,
         L"OK",
         WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
         IDOK,
         {111, 170, 187, 195},
         font},
    };
    for (const Row& row : rows) {
        RECT r = {win::Scale(row.design.left, dpi_), win::Scale(row.design.top, dpi_),
                  win::Scale(row.design.right, dpi_), win::Scale(row.design.bottom, dpi_)};
        HWND control = CreateWindowExW(0, row.className, row.text, WS_CHILD | row.style, r.left,
                                       r.top, r.right - r.left, r.bottom - r.top, Handle(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       GetModuleHandleW(nullptr), nullptr);
        if (!control)
            win::ThrowSystemError(GetLastError());
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(row.font), 0);
        this->*row.member = control;
    }
    int side = win::Scale(72, dpi_);
    icon_.Reset(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MARLOWEN), IMAGE_ICON, side, side, 0)));
    SendMessageW(ProgramIcon, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
    Translate();
}

// Texts are set at creation from the table above; this is the one place where a
// translation would replace them.
void TAboutBox::Translate() {}

void TAboutBox::Label1Click() {
    OpenHomePage();
}

void TAboutBox::Label2Click() {
    OpenSupportMail(Handle());
}

void TAboutBox::OKButtonClick() {
    EndModal(IDOK);
}

LRESULT TAboutBox::OnNotify(const NMHDR& header) {
    if (header.code != NM_CLICK && header.code != NM_RETURN)
        return 0;
    if (header.hwndFrom == Label1)
        Label1Click();
    else if (header.hwndFrom == Label2)
        Label2Click();
    return 0;
}

LRESULT TAboutBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        dpi_ = win::DpiOf(Handle());
        CreateControls();
        SetWindowContextHelpId(Handle(), product::kHelpMenu);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(OKButton);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OKButtonClick();
        else if (LOWORD(wParam) == IDCANCEL)
            EndModal(IDCANCEL);
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        // Kept for the next showing.
        EndModal(IDCANCEL);
        return 0;
    }
    return ModalWindow::HandleMessage(msg, wParam, lParam);
}

} // namespace extras
