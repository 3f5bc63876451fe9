#include "product/Settings.h"

#include <vector>

#include "win/Handles.h"

namespace product {
namespace {

// Reads at most four bytes; data longer than that fails the query and counts as absent.
bool OpenForWriting(HKEY root, const wchar_t* subKey, win::KeyHandle& key) {
    return RegOpenKeyExW(root, subKey, 0, KEY_ALL_ACCESS, key.Put()) == ERROR_SUCCESS ||
           RegCreateKeyExW(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                           nullptr) == ERROR_SUCCESS;
}

bool QueryDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName, DWORD& value) {
    win::KeyHandle key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return false;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.Get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS)
        return false;
    value = data;
    return true;
}

} // namespace

DWORD RegReadDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName) {
    DWORD value = 0;
    return QueryDword(root, subKey, valueName, value) ? value : 0;
}

bool RegValueExists(HKEY root, const wchar_t* subKey, const wchar_t* valueName) {
    DWORD value = 0;
    return QueryDword(root, subKey, valueName, value);
}

void RegWriteDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName, DWORD value) {
    win::KeyHandle key;
    if (!OpenForWriting(root, subKey, key))
        return;
    RegSetValueExW(key.Get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegFlushKey(key.Get());
}

std::wstring RegReadString(HKEY root, const wchar_t* subKey, const wchar_t* valueName,
                           DWORD maxBytes) {
    win::KeyHandle key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0 || size > maxBytes)
        return {};
    // Stored data need not end in a zero.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), valueName, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return {};
    return text.data();
}

void RegWriteString(HKEY root, const wchar_t* subKey, const wchar_t* valueName,
                    const std::wstring& value) {
    win::KeyHandle key;
    if (!OpenForWriting(root, subKey, key))
        return;
    RegSetValueExW(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegFlushKey(key.Get());
}

} // namespace product
