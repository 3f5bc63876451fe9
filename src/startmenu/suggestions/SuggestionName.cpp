#include "startmenu/suggestions/SuggestionName.h"

#include <algorithm>

#include "startmenu/model/NameRules.h"

namespace startmenu {
namespace {

constexpr wchar_t kVersionDot = 1; // a dot between digits, kept inside its word

bool IsAsciiLetterOrDigit(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}

// Marks that say nothing about the program but would make its name differ.
bool IsSignMark(wchar_t c) {
    return c == 0x00A9 || c == 0x00AE || c == 0x2122;
}

bool IsVersionWord(const std::wstring& word) {
    static const wchar_t* const dropped[] = {L"x64",   L"x86",   L"amd64", L"arm64", L"win32",
                                             L"win64", L"64bit", L"32bit", L"tm"};
    for (const wchar_t* d : dropped)
        if (word == d)
            return true;
    size_t i = word[0] == L'v' ? 1 : 0;
    if (i >= word.size() || word[i] < L'0' || word[i] > L'9')
        return false;
    return std::all_of(word.begin() + static_cast<std::ptrdiff_t>(i), word.end(),
                       [](wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'.'; });
}

} // namespace

std::wstring NormalizedName(const std::wstring& name) {
    std::wstring text;
    text.reserve(name.size());
    int depth = 0;
    for (wchar_t c : name) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c == L'(' || c == L'[') {
            ++depth;
            text += L' ';
            continue;
        }
        if ((c == L')' || c == L']') && depth > 0) {
            --depth;
            text += L' ';
            continue;
        }
        if (depth > 0)
            continue;
        text += c;
    }
    std::wstring cleaned;
    cleaned.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        bool digitsAround = i > 0 && i + 1 < text.size() && text[i - 1] >= L'0' &&
                            text[i - 1] <= L'9' && text[i + 1] >= L'0' && text[i + 1] <= L'9';
        if (c == L'.' && digitsAround)
            cleaned += kVersionDot;
        else if (IsAsciiLetterOrDigit(c) || c == L'+' || c == L'#' || (c >= 0x80 && !IsSignMark(c)))
            cleaned += c;
        else
            cleaned += L' ';
    }
    std::replace(cleaned.begin(), cleaned.end(), kVersionDot, L'.');
    std::wstring result;
    size_t index = 0, kept = 0;
    for (const std::wstring& word : WordsOf(cleaned)) {
        bool drop =
            index > 0 && (IsVersionWord(word) || (word == L"bit" && kept > 0 && kept < index));
        ++index;
        if (drop)
            continue;
        if (!result.empty())
            result += L' ';
        result += word;
        ++kept;
    }
    return result;
}

std::wstring WithoutExtension(const std::wstring& fileName) {
    return fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
}

std::vector<std::wstring> WordsOf(const std::wstring& normalized) {
    std::vector<std::wstring> words;
    for (size_t start = 0; start < normalized.size();) {
        size_t end = normalized.find(L' ', start);
        if (end == std::wstring::npos)
            end = normalized.size();
        if (end > start)
            words.push_back(normalized.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

} // namespace startmenu
