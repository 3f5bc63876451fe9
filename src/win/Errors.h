#pragma once
#include <windows.h>

#include <exception>
#include <string>

namespace win {

// An error that ends the current operation and is shown to the user with its text.
class AppError : public std::exception {
public:
    explicit AppError(std::wstring message);
    const std::wstring& Message() const { return message_; }
    // The message in UTF-8, so that a test failing on the error names it.
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring message_;
    std::string utf8_;
};

// Raises an AppError carrying the system's text for code.
[[noreturn]] void ThrowSystemError(DWORD code);

// The text shown for any exception that reaches a window's boundary.
std::wstring ErrorText(const std::exception& error);

} // namespace win
