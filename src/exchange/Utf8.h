#pragma once
#include <string>

namespace exchange {

// UTF-8 for the text of a layout document, also where wchar_t is 32 bits wide (native
// builds). A lone surrogate, which no XML document can hold, becomes U+FFFD.
std::string Utf8FromText(const std::wstring& text);

// False when bytes are not well-formed UTF-8 (overlong forms, surrogates, beyond U+10FFFF).
bool TextFromUtf8(const std::string& bytes, std::wstring& text);

// The text of a layout file: UTF-8 with or without its byte-order mark, or UTF-16 with its
// mark. False when the bytes are none of these.
bool DecodeLayoutBytes(const std::string& bytes, std::wstring& text);

} // namespace exchange
