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

// Copies as much of text as fits into a buffer of capacity characters, with its end, as a
// control asks for an item's text.
void CopyTruncated(const std::wstring& text, wchar_t* buffer, int capacity);

// The system's own message for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

} // namespace win
