#include "win/Text.h"

#include <algorithm>

#include "win/Handles.h"

namespace win {

std::string Utf8FromWide(const std::wstring& text) {
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring WideFromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
    return result;
}

std::string AnsiFromWide(const std::wstring& text, bool* lossless) {
    if (lossless)
        *lossless = true;
    if (text.empty())
        return {};
    // Where the ANSI code page is UTF-8 every character has its bytes, and the function
    // refuses to report default characters.
    bool utf8 = GetACP() == CP_UTF8;
    DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* reportDefault = utf8 ? nullptr : &usedDefault;
    int length = static_cast<int>(text.size());
    int size =
        WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, reportDefault);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, result.data(), size, nullptr,
                        reportDefault);
    if (lossless)
        *lossless = !usedDefault;
    return result;
}

std::wstring LowerFileName(std::wstring text) {
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    LocalHandle owner(buffer);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"System error " + std::to_wstring(code) + L".";
    return text;
}

void CopyTruncated(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return;
    size_t length = std::min(text.size(), static_cast<size_t>(capacity - 1));
    text.copy(buffer, length);
    buffer[length] = L'\0';
}

} // namespace win
