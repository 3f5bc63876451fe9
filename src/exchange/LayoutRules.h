#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "exchange/XmlTree.h"
#include "startmenu/model/EntryList.h"

namespace exchange {

// The rules by which a layout document gives categories to the entries of the Start Menu.
// The document has been read into XmlElement trees (element children only; a leaf's text)
// and is checked whole before any entry changes.

constexpr const wchar_t* kRootName = L"MarlowenExport";
constexpr const wchar_t* kUserSection = L"CurrentUser";
constexpr const wchar_t* kCommonSection = L"Common";

// What keeps the document's root from being used, in words for the user ("its root element
// is ..."); empty when the root and both sections are there. Names compare exactly.
std::wstring LayoutProblem(const XmlElement* root);

// Lower-cases the letters A to Z only.
std::wstring LowerAscii(std::wstring text);

// One item of the document under the category it is given.
struct Assignment {
    int category;
    std::wstring item;
};

// Every item under a category element of the sections CurrentUser and then Common, in
// document order. A category element is matched by its local name with A to Z folded;
// elements that name no category are skipped with their content. Every child element of a
// category element is an item, whatever its tag.
std::vector<Assignment> LayoutAssignments(const XmlElement& root,
                                          const std::vector<std::wstring>& categoryNames);

// The name without its namespace prefix ("x:Office" gives "Office").
std::wstring LocalName(const std::wstring& qualifiedName);

// What an import did with the layout's items.
struct ImportOutcome {
    std::size_t applied = 0; // items that gave an entry its category
    // Items that matched no entry the user could tick, each once, in document order.
    std::vector<std::wstring> unmatched;
};

// Gives each top-level entry whose file name equals an item's (both lower-cased by
// lowerFileName) that item's category; a later assignment overrides an earlier one, and of
// entries with equal names only the first is changed. Other entries keep their category. A
// category folder (isCategoryFolder) is no item to categorise: its name matches nothing.
ImportOutcome
AssignCategories(startmenu::EntryList& entries, const std::vector<Assignment>& assignments,
                 const std::function<std::wstring(const std::wstring&)>& lowerFileName,
                 const std::function<bool(const std::wstring& path)>& isCategoryFolder);

// What the user is told after an import of fileName: in select mode how many items were
// applied, and in both modes the items that matched nothing; empty in apply mode when every
// item matched.
std::wstring ImportReportText(const std::wstring& fileName, const ImportOutcome& outcome,
                              bool applyMode);

} // namespace exchange
