#pragma once

namespace app {

inline constexpr const wchar_t* kVersionCaption = L"Marlowen v 2.6";
inline constexpr const wchar_t* kSupportEmail = L"support@quenbrook.com";
inline constexpr const wchar_t* kHomePage = L"http://www.quenbrook.com/";

} // namespace app
