#pragma once
#include <windows.h>

#include <string>

#include "backup/FolderCopy.h"

namespace backup {

// Shows a copy's progress in a progress bar and a line of text of a window while the copy
// runs on the GUI thread, and keeps the window painted: between items it handles the
// messages that are waiting, except the user's input, so nothing can start or close anything
// while the copy is on.
//
// To use this class: make it with the two controls (shown by the caller) and the number of
// items the copy will report, and hand it to the copy.
class CopyProgressBar : public CopyProgress {
public:
    CopyProgressBar(HWND bar, HWND text, unsigned total);
    CopyProgressBar(const CopyProgressBar&) = delete;
    CopyProgressBar& operator=(const CopyProgressBar&) = delete;

    void Copying(const std::wstring& item) override;
    unsigned Done() const { return done_; }

private:
    void Show(const std::wstring& item);
    static void HandleWaitingMessages();

    HWND bar_, text_;
    unsigned total_, done_ = 0;
    DWORD shownAt_ = 0;
};

} // namespace backup
