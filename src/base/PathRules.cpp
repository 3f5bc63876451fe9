#include "base/PathRules.h"

#include <algorithm>

namespace base {
namespace {

wchar_t FoldAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

std::wstring WithoutTrailingBackslashes(std::wstring path) {
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

} // namespace

std::wstring FolderWithoutTrailingBackslash(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

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

bool IsShortcutFileName(const std::wstring& name) {
    const std::wstring extension = L".lnk";
    return name.size() > extension.size() &&
           SameNameAscii(name.substr(name.size() - extension.size()), extension);
}

std::wstring FileNameOf(const std::wstring& path) {
    size_t pos = path.find_last_of(L'\\');
    return pos == std::wstring::npos ? path : path.substr(pos + 1);
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

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
    std::wstring base = WithoutTrailingBackslashes(folder);
    if (base.empty() || path.size() < base.size() ||
        !SameNameAscii(path.substr(0, base.size()), base))
        return false;
    return path.size() == base.size() || path[base.size()] == L'\\';
}

std::wstring ReplaceFolderPrefix(const std::wstring& path, const std::wstring& from,
                                 const std::wstring& to) {
    if (to.empty() || !IsSameOrInside(path, from))
        return {};
    return to + path.substr(WithoutTrailingBackslashes(from).size());
}
std::wstring WithoutLongPathPrefix(const std::wstring& path) {
    const std::wstring prefix = L"\\\\?\\", unc = L"UNC\\";
    if (path.compare(0, prefix.size(), prefix) != 0)
        return path;
    std::wstring rest = path.substr(prefix.size());
    if (VolumeRootOf(rest).size() == 3) // "X:\": a drive path
        return rest;
    if (rest.size() > unc.size() && SameNameAscii(rest.substr(0, unc.size()), unc))
        return L"\\\\" + rest.substr(unc.size());
    return path;
}

std::wstring LiteralPath(const std::wstring& path) {
    std::wstring root = VolumeRootOf(path);
    bool drive = root.size() == 3;
    if (root.empty() || (drive && (path.size() < 3 || path[2] != L'\\')) ||
        path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0 ||
        path.find(L'/') != std::wstring::npos)
        return path;
    for (size_t start = root.size(); start < path.size();) {
        size_t end = std::min(path.find(L'\\', start), path.size());
        std::wstring name = path.substr(start, end - start);
        if (name.empty() || name == L"." || name == L"..")
            return path;
        start = end + 1;
    }
    return drive ? L"\\\\?\\" + path : L"\\\\?\\UNC\\" + path.substr(2);
}

bool IsVolumeRoot(const std::wstring& fullPath) {
    std::wstring root = VolumeRootOf(fullPath);
    return !root.empty() &&
           WithoutTrailingBackslashes(fullPath) == WithoutTrailingBackslashes(root);
}

std::wstring ParentFolderOf(const std::wstring& fullPath) {
    if (VolumeRootOf(fullPath).empty() || IsVolumeRoot(fullPath))
        return {};
    std::wstring path = WithoutTrailingBackslashes(fullPath);
    std::wstring parent = WithoutTrailingBackslashes(path.substr(0, path.find_last_of(L'\\') + 1));
    return IsVolumeRoot(parent) ? VolumeRootOf(parent) : parent;
}

} // namespace base
