#include "exchange/DomTree.h"

#include "exchange/LayoutFile.h"
#include "exchange/LayoutText.h"
#include "exchange/UXMLmenuManage.h"
#include "win/MsXml.h"

namespace exchange {
namespace {

using win::Bstr;
using win::CheckDom;
using win::ComPtr;

void Append(IXMLDOMNode* parent, IXMLDOMNode* child) {
    ComPtr<IXMLDOMNode> added;
    CheckDom(parent->appendChild(child, added.Put()));
}

ComPtr<IXMLDOMElement> Element(IXMLDOMDocument* document, const XmlElement& source) {
    ComPtr<IXMLDOMElement> element;
    CheckDom(document->createElement(Bstr(source.name).Get(), element.Put()));
    if (!element)
        throw win::AppError(L"The XML service refused the element name \"" + source.name + L"\".");
    for (const auto& [name, value] : source.attributes)
        CheckDom(element->setAttribute(Bstr(name).Get(), win::Variant(value).Get()));
    if (!source.text.empty())
        CheckDom(element->put_text(Bstr(source.text).Get()));
    for (const XmlElement& child : source.children)
        Append(element.Get(), Element(document, child).Get());
    return element;
}

std::wstring NodeName(IXMLDOMNode* node) {
    Bstr name;
    CheckDom(node->get_nodeName(name.Put()));
    return name.Text();
}

// Calls visit for each child node of node of the given type. Walked from sibling to sibling:
// some DOMs find a child list's item i by walking i nodes, which makes a long list quadratic.
template <typename Visit> void ForEachChild(IXMLDOMNode* node, DOMNodeType type, Visit visit) {
    ComPtr<IXMLDOMNode> child;
    CheckDom(node->get_firstChild(child.Put()));
    while (child) {
        DOMNodeType childType = NODE_INVALID;
        if (SUCCEEDED(child->get_nodeType(&childType)) && childType == type)
            visit(child.Get());
        ComPtr<IXMLDOMNode> next;
        CheckDom(child->get_nextSibling(next.Put()));
        child = std::move(next);
    }
}

void SetProperty(IXMLDOMDocument2* document, const wchar_t* name, VARIANT value) {
    // A system whose DOM lacks one of these defences is covered by the checks made before.
    document->setProperty(Bstr(name).Get(), value);
}

VARIANT BoolValue(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT IntValue(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

} // namespace

win::ComPtr<IXMLDOMDocument2> DomFromTree(const XmlElement& root) {
    ComPtr<IXMLDOMDocument2> document = win::CreateDomDocument();
    Append(document.Get(), Element(document.Get(), root).Get());
    return document;
}

XmlElement TreeFromDom(IXMLDOMNode* node, size_t maxDepth) {
    XmlElement element{NodeName(node), {}, {}, {}};
    if (maxDepth == 0) {
        // A layout's items, of which there may be hundreds of thousands: their text alone.
        Bstr text;
        CheckDom(node->get_text(text.Put()));
        element.text = text.Text();
        return element;
    }
    if (ComPtr<IXMLDOMNamedNodeMap> attributes;
        SUCCEEDED(node->get_attributes(attributes.Put())) && attributes) {
        long count = 0;
        CheckDom(attributes->get_length(&count));
        for (long i = 0; i < count; ++i) {
            ComPtr<IXMLDOMNode> attribute;
            CheckDom(attributes->get_item(i, attribute.Put()));
            Bstr value;
            CheckDom(attribute->get_text(value.Put()));
            element.attributes.emplace_back(NodeName(attribute.Get()), value.Text());
        }
    }
    bool hasElements = false;
    ForEachChild(node, NODE_ELEMENT, [&](IXMLDOMNode* child) {
        hasElements = true;
        element.children.push_back(TreeFromDom(child, maxDepth - 1));
    });
    if (!hasElements) {
        Bstr text;
        CheckDom(node->get_text(text.Put()));
        element.text = text.Text();
    }
    return element;
}

std::vector<XmlElement> ParseDocument(const std::wstring& text, const std::wstring& fileName,
                                      size_t maxDepth) {
    ComPtr<IXMLDOMDocument2> document = win::CreateDomDocument();
    CheckDom(document->put_async(VARIANT_FALSE));
    CheckDom(document->put_validateOnParse(VARIANT_FALSE));
    CheckDom(document->put_resolveExternals(VARIANT_FALSE));
    CheckDom(document->put_preserveWhiteSpace(VARIANT_FALSE));
    SetProperty(document.Get(), L"ProhibitDTD", BoolValue(true));
    SetProperty(document.Get(), L"ResolveExternals", BoolValue(false));
    SetProperty(document.Get(), L"MaxElementDepth", IntValue(static_cast<long>(kMaxLayoutDepth)));

    VARIANT_BOOL loaded = VARIANT_FALSE;
    HRESULT hr = document->loadXML(Bstr(text).Get(), &loaded);
    if (FAILED(hr) || loaded != VARIANT_TRUE) {
        std::wstring problem = L"it is not well-formed XML";
        ComPtr<IXMLDOMParseError> error;
        Bstr reason;
        long line = 0, column = 0;
        if (SUCCEEDED(document->get_parseError(error.Put())) && error) {
            error->get_reason(reason.Put());
            error->get_line(&line);
            error->get_linepos(&column);
        }
        std::wstring why = reason.Text();
        while (!why.empty() && (why.back() == L'\n' || why.back() == L'\r' || why.back() == L' ' ||
                                why.back() == L'.'))
            why.pop_back();
        // Some parsers give no more than this word, which tells the user nothing.
        if (why == L"error")
            why.clear();
        if (line > 0)
            problem += L" (line " + std::to_wstring(line) + L", column " + std::to_wstring(column) +
                       (why.empty() ? L")" : L": " + why + L")");
        else if (!why.empty())
            problem += L" (" + why + L")";
        throw LayoutRefused(RefusalText(fileName, problem));
    }
    std::vector<XmlElement> topLevel;
    ForEachChild(document.Get(), NODE_ELEMENT,
                 [&](IXMLDOMNode* child) { topLevel.push_back(TreeFromDom(child, maxDepth)); });
    return topLevel;
}

} // namespace exchange
