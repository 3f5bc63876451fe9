#pragma once
#include <windows.h>

#include <exception>
#include <string>

namespace win {

// What the open or save dialog is asked for.
struct FileRequest {
    bool save = false;
    std::wstring filter;           // pairs of text and pattern, split by '|': "XML|*.xml"
    std::wstring defaultExtension; // added to a typed name without one, no dot: "xml"
    std::wstring fileName;         // the name the dialog starts with
};

// Every message box, question and file dialog of the program goes through here, so tests
// can read the messages, give the answers and choose files without a person at the screen.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // Same contract as MessageBoxW: returns IDOK, IDCANCEL, IDYES, ...
    virtual int Message(HWND owner, const std::wstring& text, const std::wstring& caption,
                        UINT type) = 0;
    // The common open or save dialog: false when the user cancels.
    virtual bool ChooseFile(HWND owner, const FileRequest& request, std::wstring& path) = 0;
};

UserPrompt& Prompt();

// Replaces the prompt for the lifetime of the object (tests only).
class ScopedPrompt {
public:
    explicit ScopedPrompt(UserPrompt& replacement);
    ScopedPrompt(const ScopedPrompt&) = delete;
    ScopedPrompt& operator=(const ScopedPrompt&) = delete;
    ~ScopedPrompt();

private:
    UserPrompt* previous_;
};

// The application's default error display: a message box with the error's text.
void ShowError(HWND owner, const std::exception& error);
// The same for the exception being handled, whatever its type. Call it only in a catch.
void ShowCurrentError(HWND owner);

} // namespace win
