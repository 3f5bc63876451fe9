#pragma once
#include <windows.h>

#include <string>

#include "win/UserPrompt.h"

namespace win {

// The longest full path the common file dialogs are given. Wine's dialogs build the path in
// buffers of MAX_PATH characters on their stack, so a longer one overwrites the stack.
constexpr size_t kMaxDialogPath = MAX_PATH - 1;

// The system's open or save dialog for request; false when the user cancels. Under Wine, a
// name whose full path would be longer than kMaxDialogPath is refused with a message before
// the dialog takes it, and the dialog stays open.
bool ShowFileDialog(HWND owner, const FileRequest& request, std::wstring& path);

} // namespace win
