#include "exchange/ExportDocument.h"

#include "product/Version.h"
#include "exchange/Utf8.h"

namespace exchange {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr const char* kLineEnd = "\r\n";

std::string Escaped(const std::wstring& text, bool attribute) {
    std::string out;
    for (char c : Utf8FromText(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void Write(std::string& out, const XmlElement& element, size_t level) {
    std::string name = Utf8FromText(element.name);
    out.append(2 * level, ' ');
    out += '<' + name;
    for (const auto& [attribute, value] : element.attributes)
        out += ' ' + Utf8FromText(attribute) + "=\"" + Escaped(value, true) + '"';
    if (!element.children.empty()) {
        out += '>';
        out += kLineEnd;
        for (const XmlElement& child : element.children)
            Write(out, child, level + 1);
        out.append(2 * level, ' ');
        out += "</" + name + '>';
    } else if (!element.text.empty()) {
        out += '>' + Escaped(element.text, false) + "</" + name + '>';
    } else {
        out += "/>";
    }
    out += kLineEnd;
}

XmlElement Section(const wchar_t* name, const std::vector<std::wstring>& categoryNames,
                   const ProgramsFolderListing& listing) {
    XmlElement section{name, {}, {}, {}};
    for (size_t i = 0; i < categoryNames.size(); ++i) {
        XmlElement& category = section.Add(categoryNames[i]);
        if (i < listing.itemsByCategory.size())
            for (const std::wstring& item : listing.itemsByCategory[i])
                category.Add(L"name", item);
    }
    return section;
}

bool IsNameStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c >= 0xC0;
}

} // namespace

XmlElement ExportTree(const std::vector<std::wstring>& categoryNames,
                      const ProgramsFolderListing& user, const ProgramsFolderListing& common) {
    XmlElement root{L"MarlowenExport",
                    {{L"ver", L"1.0"},
                     {L"program", L"Marlowen"},
                     {L"Firm", L"Quenbrook"},
                     {L"ProgramVersion", MARLOWEN_VERSION_WIDE}},
                    {},
                    {}};
    XmlElement& path = root.Add(L"Path");
    path.Add(L"CurrentUser", user.path);
    path.Add(L"Common", common.path);
    root.children.push_back(Section(L"CurrentUser", categoryNames, user));
    root.children.push_back(Section(L"Common", categoryNames, common));
    return root;
}

std::string DocumentBytes(const XmlElement& root) {
    std::string out = kDeclaration;
    out += kLineEnd;
    Write(out, root, 0);
    return out;
}

bool IsElementName(const std::wstring& name) {
    if (name.empty() || !IsNameStart(name[0]))
        return false;
    for (wchar_t c : name)
        if (!IsNameStart(c) && !(c >= L'0' && c <= L'9') && c != L'-' && c != L'.')
            return false;
    return true;
}

} // namespace exchange
