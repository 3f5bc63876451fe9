#pragma once
// The index of the backup copies, "backup.dat": read through the profile functions, written
// whole and verified.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace backup {

// More entries than a store of copies needs: reading each takes a pass over the whole file, so
// an index with more is not read and gets no further copy.
inline constexpr std::size_t kMostIndexEntries = 2000;

// Larger than 1 MB, which thousands of copies do not fill.
bool IndexTooLarge(const std::wstring& index);

// The section names in file order; none when the index is too large.
std::vector<std::wstring> SectionNames(const std::wstring& index);

// The lines "key=value" of one section.
std::vector<std::wstring> SectionLines(const std::wstring& index, const std::wstring& section);

// What keeps the index's bytes from being read as a profile file, in words that follow "The
// file"; empty when nothing does or there is no index.
std::wstring ReadIndexDamage(const std::wstring& index);

// Changes the index's text: the whole new file is written beside it, flushed, read back and
// compared, and only then put in its place, so the index is either the old one or the new one
// whole, never a part. An existing ANSI index stays ANSI while every character fits its code
// page; any other is written as UTF-16 text with a byte-order mark, which the profile functions
// read the same. False, with the old index kept and the system's error in error, when any of
// it fails.
bool ChangeIndex(const std::wstring& index,
                 const std::function<std::wstring(const std::wstring&)>& change, DWORD& error);

} // namespace backup
