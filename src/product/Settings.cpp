#include "product/Settings.h"

#include "win/Handles.h"

namespace product {
namespace {

// Reads at most four bytes; data longer than that fails the query and counts as absent.
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
    if (RegOpenKeyExW(root, subKey, 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS &&
        RegCreateKeyExW(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr) !=
            ERROR_SUCCESS)
        return;
    RegSetValueExW(key.Get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegFlushKey(key.Get());
}

} // namespace product
