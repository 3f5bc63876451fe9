#include "backup/CopyProgressBar.h"

#include <commctrl.h>

#include "base/PathRules.h"

namespace backup {
namespace {

// Often enough to look alive, seldom enough that 10,000 small copies are not slowed.
constexpr DWORD kShowEveryMs = 50;

bool IsUserInput(UINT msg) {
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
           (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK);
}

} // namespace

CopyProgressBar::CopyProgressBar(HWND bar, HWND text, unsigned total)
    : bar_(bar), text_(text), total_(total) {
    SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total_ ? total_ : 1));
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
    SetWindowTextW(text_, L"");
    // The first item is shown at once.
    shownAt_ = GetTickCount() - kShowEveryMs;
}

void CopyProgressBar::Copying(const std::wstring& item) {
    ++done_;
    DWORD now = GetTickCount();
    if (now - shownAt_ < kShowEveryMs)
        return;
    shownAt_ = now;
    Show(item);
    HandleWaitingMessages();
}

void CopyProgressBar::Show(const std::wstring& item) {
    SendMessageW(bar_, PBM_SETPOS, done_ < total_ ? done_ : total_, 0);
    SetWindowTextW(text_, base::FileNameOf(item).c_str());
}

void CopyProgressBar::HandleWaitingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // For the loop outside, once the copy is over.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsUserInput(msg.message))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace backup
