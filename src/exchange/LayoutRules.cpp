#include "exchange/LayoutRules.h"

#include <unordered_map>
#include <unordered_set>

#include "base/Counted.h"
#include "startmenu/processing/MoveReport.h"

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

// A name from the file as a message can show it: quoted, control characters as spaces, and
// cut where a message box would be too wide.
std::wstring Shown(const std::wstring& name) {
    constexpr std::size_t kLongest = 80;
    std::wstring shown = name.substr(0, kLongest);
    for (wchar_t& c : shown)
        if (c < L' ' || c == 0x7F)
            c = L' ';
    return Quoted(shown) + (name.size() > kLongest ? L"..." : L"");
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

ImportOutcome
AssignCategories(startmenu::EntryList& entries, const std::vector<Assignment>& assignments,
                 const std::function<std::wstring(const std::wstring&)>& lowerFileName,
                 const std::function<bool(const std::wstring& path)>& isCategoryFolder) {
    // The first entry of each name, found as the walk from the first entry would find it.
    std::unordered_map<std::wstring, startmenu::EntryNode*> byName;
    for (startmenu::EntryNode* node = entries.First(); node; node = node->NextSibling())
        if (!isCategoryFolder(node->Entry().Path))
            byName.emplace(lowerFileName(FileNamePart(node->Entry().Path)), node);
    ImportOutcome outcome;
    std::unordered_set<std::wstring> reported;
    for (const Assignment& assignment : assignments) {
        auto found = byName.find(lowerFileName(assignment.item));
        if (found != byName.end()) {
            found->second->Entry().Category = assignment.category;
            ++outcome.applied;
        } else if (reported.insert(assignment.item).second) {
            outcome.unmatched.push_back(assignment.item);
        }
    }
    return outcome;
}

std::wstring ImportReportText(const std::wstring& fileName, const ImportOutcome& outcome,
                              bool applyMode) {
    std::wstring text;
    if (!applyMode)
        text = base::Counted(outcome.applied, L"item", L"items") + L" of the layout \"" + fileName +
               L"\" " + (outcome.applied == 1 ? L"was" : L"were") + L" given " +
               (outcome.applied == 1 ? L"its" : L"their") +
               L" category: check the ticks, then process.";
    if (outcome.unmatched.empty())
        return text;
    if (!text.empty())
        text += L"\r\n\r\n";
    text += base::Counted(outcome.unmatched.size(), L"name", L"names") + L" of the layout \"" +
            fileName + L"\" matched no item that can be given a category, and " +
            (outcome.unmatched.size() == 1 ? L"was" : L"were") +
            L" left out (category folders, the Startup folders and items the program does not "
            L"list are never given one):";
    std::vector<std::wstring> lines;
    for (const std::wstring& name : outcome.unmatched)
        lines.push_back(Shown(name));
    startmenu::AppendBulletList(text, lines);
    return text;
}

} // namespace exchange
