#pragma once
#include <cstddef>
#include <string>

namespace exchange {

// The checks a layout's text passes before the XML DOM sees it, because a document from
// anywhere may be hostile and the DOM's own defences differ between systems.

// Far above any real layout (ten thousand items take well under one megabyte).
constexpr std::size_t kMaxLayoutBytes = 4 * 1024 * 1024;
// A layout nests four levels; the limit leaves room for hand-edited extras.
constexpr std::size_t kMaxLayoutDepth = 32;

// What is wrong with the text, in words for the user; empty when it may be parsed. Refuses
// a NUL character, an empty text, a document type declaration anywhere (a layout never has
// one, and one can expand entities without end or load external files), and elements nested
// deeper than maxDepth. Runs in time linear in the text's length.
std::wstring LayoutTextProblem(const std::wstring& text, std::size_t maxDepth = kMaxLayoutDepth);

} // namespace exchange
