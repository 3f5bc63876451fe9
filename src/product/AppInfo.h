#pragma once
#include "product/Version.h"

namespace product {

inline constexpr const wchar_t* kProductName = L"Marlowen";
inline constexpr const wchar_t* kVersionCaption = L"Marlowen v " MARLOWEN_VERSION_WIDE;
inline constexpr const wchar_t* kSupportEmail = L"support@quenbrook.com";
inline constexpr const wchar_t* kHomePage = L"http://www.quenbrook.com/";
inline constexpr const wchar_t* kHelpFileName = L"Marlowen.chm";

} // namespace product
