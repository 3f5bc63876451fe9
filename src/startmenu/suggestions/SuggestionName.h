#pragma once
#include <string>
#include <vector>

namespace startmenu {

// The form in which names of programs are compared: ASCII letters lower-cased, text in
// brackets dropped, punctuation made a space, and version numbers, "x64", "64-bit" and the
// like dropped after the first word ("7-Zip" keeps its 7, "Python 3.11" loses its 3.11).
// Letters beyond ASCII are kept as they are. tools/suggestions/make_known_programs.py
// applies the same rule to the table it writes.
std::wstring NormalizedName(const std::wstring& name);

// A file name without its extension ("Firefox.lnk" is "Firefox", "GIMP 2" stays).
std::wstring WithoutExtension(const std::wstring& fileName);

// The words of a normalized name.
std::vector<std::wstring> WordsOf(const std::wstring& normalized);

} // namespace startmenu
