#pragma once
#include <cstddef>
#include <string>

namespace base {

// A number with its noun, as the program's messages say it: "1 item", "3 items".
inline std::wstring Counted(std::size_t n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (n == 1 ? one : many);
}

} // namespace base
