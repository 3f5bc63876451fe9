#include "exchange/LayoutRules.h"

#include <unordered_map>

namespace exchange {
namespace {

const XmlElement* FirstChildNamed(const XmlElement& parent, const wchar_t* name) {
    for (const XmlElement& child : parent.children)
        if (child.name == name)
            return &child;
    return nullptr;
}

int CategoryIndex(const std::wstring& elementName, const std::vector<std::wstring>& names) {
    std::wstring lower = LowerAscii(LocalName(elementName));
    for (size_t i = 0; i < names.size(); ++i)
        if (LowerAscii(names[i]) == lower)
            return static_cast<int>(i);
    return startmenu::CategoryNone;
}

// The file-name part of a path: after the last backslash or colon.
std::wstring FileNamePart(const std::wstring& path) {
    size_t cut = path.find_last_of(L"\\:");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

} // namespace

std::wstring LayoutProblem(const XmlElement* root) {
    if (!root)
        return L"it has no root element";
    if (root->name != kRootName)
        return L"its root element is " + Quoted(root->name) + L", not " + Quoted(kRootName) +
               L", so it is no Marlowen layout";
    for (const wchar_t* section : {kUserSection, kCommonSection})
        if (!FirstChildNamed(*root, section))
            return L"the section " + Quoted(section) + L" is missing";
    return {};
}

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

std::wstring LocalName(const std::wstring& qualifiedName) {
    size_t colon = qualifiedName.find(L':');
    return colon == std::wstring::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

std::vector<Assignment> LayoutAssignments(const XmlElement& root,
                                          const std::vector<std::wstring>& categoryNames) {
    std::vector<Assignment> assignments;
    for (const wchar_t* name : {kUserSection, kCommonSection}) {
        const XmlElement* section = FirstChildNamed(root, name);
        if (!section)
            continue;
        for (const XmlElement& category : section->children) {
            int index = CategoryIndex(category.name, categoryNames);
            if (index == startmenu::CategoryNone)
                continue;
            for (const XmlElement& item : category.children)
                assignments.push_back({index, item.text});
        }
    }
    return assignments;
}

void AssignCategories(startmenu::EntryList& entries, const std::vector<Assignment>& assignments,
                      const std::function<std::wstring(const std::wstring&)>& lowerFileName) {
    // The first entry of each name, found as the walk from the first entry would find it.
    std::unordered_map<std::wstring, startmenu::EntryNode*> byName;
    for (startmenu::EntryNode* node = entries.First(); node; node = node->NextSibling())
        byName.emplace(lowerFileName(FileNamePart(node->Entry().Path)), node);
    for (const Assignment& assignment : assignments) {
        auto found = byName.find(lowerFileName(assignment.item));
        if (found != byName.end())
            found->second->Entry().Category = assignment.category;
    }
}

} // namespace exchange
