#pragma once
#include <windows.h>

#include <exception>
#include <string>

namespace win {

// An error that ends the current operation and is shown to the user with its text.
class AppError : public std::exception {
public:
    explicit AppError(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }
    const char* what() const noexcept override { return "Marlowen error"; }

private:
    std::wstring message_;
};

// Raises an AppError carrying the system's text for code.
[[noreturn]] void ThrowSystemError(DWORD code);

// The text shown for any exception that reaches a window's boundary.
std::wstring ErrorText(const std::exception& error);

} // namespace win
