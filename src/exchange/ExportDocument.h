#pragma once
#include <string>
#include <vector>

#include "exchange/XmlTree.h"

namespace exchange {

// What lies in the category folders of one Programs folder: for each category, in the
// order of the category names, the file names found in its folder.
struct ProgramsFolderListing {
    std::wstring path;
    std::vector<std::vector<std::wstring>> itemsByCategory;
};

// The element tree of the export document, root MarlowenExport with its fixed attributes.
XmlElement ExportTree(const std::vector<std::wstring>& categoryNames,
                      const ProgramsFolderListing& user, const ProgramsFolderListing& common);

// The document's bytes: the declaration, then every element on a line of its own indented by
// two spaces per level, each line ended by CR LF, text and attributes escaped, UTF-8 without
// a byte-order mark. Written here, not by the DOM, because the DOM's savers differ in line
// ends and escaping between systems; file names hold no line breaks, so every line break
// written is structure.
std::string DocumentBytes(const XmlElement& root);

// Whether a category name can be an element's tag: a letter, '_' or a non-ASCII letter
// first, then also digits, '-' and '.'; no ':'.
bool IsElementName(const std::wstring& name);

} // namespace exchange
