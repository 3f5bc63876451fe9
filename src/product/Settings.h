#pragma once
#include <windows.h>

#include <string>

namespace product {

// Where every setting of the program lives, as REG_DWORD values of the current user.
inline constexpr const wchar_t* kSettingsKey = L"Software\\Quenbrook\\Marlowen";

inline constexpr const wchar_t* kSimpleModeValue = L"simplemode";
inline constexpr const wchar_t* kShowCategoryFoldersValue = L"ShowCategoryFolders";
inline constexpr const wchar_t* kSplitPosValue = L"SplitPos";
inline constexpr const wchar_t* kBackupDoneValue = L"BeckupDone";
// The one REG_SZ value: what the user taught the suggestions.
inline constexpr const wchar_t* kLearnedCategoriesValue = L"LearnedCategories";

// Each helper opens the key, does its work and closes it again; every failure is silent
// (reads give 0 or false, writes are dropped).
DWORD RegReadDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName);
bool RegValueExists(HKEY root, const wchar_t* subKey, const wchar_t* valueName);
void RegWriteDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName, DWORD value);
// A REG_SZ value of at most maxBytes; empty when it is absent, of another type or larger.
std::wstring RegReadString(HKEY root, const wchar_t* subKey, const wchar_t* valueName,
                           DWORD maxBytes);
void RegWriteString(HKEY root, const wchar_t* subKey, const wchar_t* valueName,
                    const std::wstring& value);

} // namespace product
