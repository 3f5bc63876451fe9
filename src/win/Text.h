#pragma once
#include <windows.h>

#include <string>

namespace win {

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);

// The text in the system's ANSI code page, for interfaces that take nothing else. A
// character the code page lacks becomes its default character ('?'); lossless, when given,
// says whether that happened to none.
std::string AnsiFromWide(const std::wstring& text, bool* lossless = nullptr);

// Lower-cases by the system's rules for file names, so non-ASCII letters fold too.
std::wstring LowerFileName(std::wstring text);

// The system's own message for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

} // namespace win
