#include "startmenu/LearnedStore.h"

#include <windows.h>

#include <vector>

#include "product/Settings.h"
#include "win/Handles.h"

namespace startmenu {
namespace {

constexpr const wchar_t* kLearnedValue = L"LearnedCategories";
// Far beyond what kMaxEntries lessons take: a larger value is not the program's own.
constexpr DWORD kMaxBytes = 64 * 1024;

} // namespace

LearnedChoices LoadLearnedChoices() {
    win::KeyHandle key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, product::kSettingsKey, 0, KEY_READ, key.Put()) !=
        ERROR_SUCCESS)
        return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), kLearnedValue, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size == 0 || size > kMaxBytes)
        return {};
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), kLearnedValue, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return {};
    return LearnedChoices::Parse(text.data());
}

void SaveLearnedChoices(const LearnedChoices& learned) {
    win::KeyHandle key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, product::kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return;
    std::wstring text = learned.Text();
    RegSetValueExW(key.Get(), kLearnedValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

} // namespace startmenu
