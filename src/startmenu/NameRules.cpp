#include "startmenu/NameRules.h"

#include <algorithm>

namespace startmenu {
namespace {

wchar_t FoldAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

} // namespace

bool SameNameAscii(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

bool ContainsAsciiNoCase(const std::wstring& text, const std::wstring& part) {
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                          [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
    return it != text.end() || part.empty();
}

std::wstring ExtensionOf(const std::wstring& fileName) {
    size_t pos = fileName.find_last_of(L".\\:");
    if (pos == std::wstring::npos || fileName[pos] != L'.')
        return {};
    return fileName.substr(pos);
}

std::wstring DisplayNameOf(const std::wstring& fileName) {
    return fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
}

std::wstring FileNameOf(const std::wstring& path) {
    size_t pos = path.find_last_of(L'\\');
    return pos == std::wstring::npos ? path : path.substr(pos + 1);
}

std::wstring NumberedName(const std::wstring& name, bool isFolder, int n) {
    std::wstring extension = isFolder ? std::wstring() : ExtensionOf(name);
    // A name that is only an extension (".hidden") has no stem to number.
    if (extension.size() == name.size())
        extension.clear();
    return name.substr(0, name.size() - extension.size()) + L" (" + std::to_wstring(n) + L")" +
           extension;
}

bool IsSkippedTopLevelName(const std::wstring& lowerName, const std::wstring& lowerStartupDir) {
    if (ExtensionOf(lowerName) == L".ini")
        return true;
    return !lowerStartupDir.empty() && lowerStartupDir.find(lowerName) != std::wstring::npos;
}

std::wstring VolumeRootOf(const std::wstring& path) {
    auto isLetter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
    if (path.size() >= 2 && isLetter(path[0]) && path[1] == L':')
        return path.substr(0, 2) + L"\\";
    if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\') {
        size_t serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring::npos || serverEnd == 2 || serverEnd + 1 == path.size())
            return {};
        size_t shareEnd = path.find(L'\\', serverEnd + 1);
        return (shareEnd == std::wstring::npos ? path : path.substr(0, shareEnd)) + L"\\";
    }
    return {};
}

std::wstring ReplaceFolderPrefix(const std::wstring& path, const std::wstring& from,
                                 const std::wstring& to) {
    if (from.empty() || to.empty() || path.size() < from.size() ||
        !SameNameAscii(path.substr(0, from.size()), from))
        return {};
    if (path.size() > from.size() && path[from.size()] != L'\\')
        return {};
    return to + path.substr(from.size());
}

} // namespace startmenu
