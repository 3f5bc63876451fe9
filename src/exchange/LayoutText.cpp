#include "exchange/LayoutText.h"

namespace exchange {
namespace {

bool StartsAt(const std::wstring& text, size_t at, const wchar_t* part) {
    for (size_t i = 0; part[i]; ++i)
        if (at + i >= text.size() || text[at + i] != part[i])
            return false;
    return true;
}

// Where the markup that opens at at ends: just after terminator, or the text's end.
size_t After(const std::wstring& text, size_t at, const wchar_t* terminator) {
    size_t end = text.find(terminator, at);
    return end == std::wstring::npos ? text.size()
                                     : end + std::char_traits<wchar_t>::length(terminator);
}

bool ContainsNoCase(const std::wstring& text, const wchar_t* upperPart) {
    size_t length = std::char_traits<wchar_t>::length(upperPart);
    for (size_t i = 0; i + length <= text.size(); ++i) {
        size_t k = 0;
        while (k < length) {
            wchar_t c = text[i + k];
            if (c >= L'a' && c <= L'z')
                c = static_cast<wchar_t>(c - L'a' + L'A');
            if (c != upperPart[k])
                break;
            ++k;
        }
        if (k == length)
            return true;
    }
    return false;
}

} // namespace

std::wstring LayoutTextProblem(const std::wstring& text, size_t maxDepth) {
    // The XML parser would read the text only up to it, and then find it empty or broken.
    if (size_t nul = text.find(L'\0'); nul != std::wstring::npos) {
        size_t line = 1, column = 1;
        for (size_t i = 0; i < nul; ++i) {
            if (text[i] == L'\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        return L"it contains a NUL character (line " + std::to_wstring(line) + L", column " +
               std::to_wstring(column) + L"), which no XML text may hold";
    }
    if (text.find_first_not_of(L" \t\r\n") == std::wstring::npos)
        return L"it is empty";
    // Also inside a comment or CDATA, where it is harmless: a layout has neither.
    if (ContainsNoCase(text, L"<!DOCTYPE") || ContainsNoCase(text, L"<!ENTITY"))
        return L"it contains a document type declaration (<!DOCTYPE>), which a layout never "
               L"has";
    size_t depth = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] != L'<') {
            ++i;
            continue;
        }
        if (StartsAt(text, i, L"<!--")) {
            i = After(text, i + 4, L"-->");
        } else if (StartsAt(text, i, L"<![CDATA[")) {
            i = After(text, i + 9, L"]]>");
        } else if (StartsAt(text, i, L"<?")) {
            i = After(text, i + 2, L"?>");
        } else if (StartsAt(text, i, L"</")) {
            if (depth > 0)
                --depth;
            i = After(text, i + 2, L">");
        } else {
            // A start tag: to its '>', past quoted attribute values that may hold one.
            size_t j = i + 1;
            wchar_t quote = 0;
            while (j < text.size() && (quote || text[j] != L'>')) {
                if (quote ? text[j] == quote : text[j] == L'"' || text[j] == L'\'')
                    quote = quote ? 0 : text[j];
                ++j;
            }
            bool empty = j < text.size() && text[j - 1] == L'/';
            if (!empty && ++depth > maxDepth)
                return L"its elements are nested more than " + std::to_wstring(maxDepth) +
                       L" levels deep, which a layout never is";
            i = j + 1;
        }
    }
    return {};
}

} // namespace exchange
