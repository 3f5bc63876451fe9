#pragma once
#include <windows.h>

namespace product {

// Where every setting of the program lives, as REG_DWORD values of the current user.
inline constexpr const wchar_t* kSettingsKey = L"Software\\Quenbrook\\Marlowen";

inline constexpr const wchar_t* kSimpleModeValue = L"simplemode";
inline constexpr const wchar_t* kShowCategoryFoldersValue = L"ShowCategoryFolders";
inline constexpr const wchar_t* kSplitPosValue = L"SplitPos";
inline constexpr const wchar_t* kBackupDoneValue = L"BeckupDone";

// Each helper opens the key, does its work and closes it again; every failure is silent
// (reads give 0 or false, writes are dropped).
DWORD RegReadDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName);
bool RegValueExists(HKEY root, const wchar_t* subKey, const wchar_t* valueName);
void RegWriteDword(HKEY root, const wchar_t* subKey, const wchar_t* valueName, DWORD value);

} // namespace product
