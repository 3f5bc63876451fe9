#pragma once
#include <string>

namespace startmenu {

// What the built-in table of known programs says of a normalized name (NormalizedName).
enum class Known { Unknown, NoCategory, Category };
struct KnownAnswer {
    Known known = Known::Unknown;
    int category = -1; // when known is Category
};

// A program's name or one of its variants.
KnownAnswer KnownProgram(const std::wstring& normalized);
// A publisher whose programs are nearly all of one category, by its name with the spaces
// taken out ("jetbrains", "electronicarts"); -1 when none.
int KnownPublisher(const std::wstring& joined);

} // namespace startmenu
