#pragma once
#include <windows.h>

#include <exception>
#include <string>

namespace win {

// Every message box and question of the program goes through here, so tests can read the
// messages and give the answers without a person at the screen.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // Same contract as MessageBoxW: returns IDOK, IDCANCEL, IDYES, ...
    virtual int Message(HWND owner, const std::wstring& text, const std::wstring& caption,
                        UINT type) = 0;
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

} // namespace win
