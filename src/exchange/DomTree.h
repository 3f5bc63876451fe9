#pragma once
#include <windows.h>
#include <msxml2.h>

#include <string>
#include <vector>

#include "exchange/XmlTree.h"
#include "win/Com.h"

namespace exchange {

// A DOM document holding the element tree; element names the DOM refuses raise an AppError.
win::ComPtr<IXMLDOMDocument2> DomFromTree(const XmlElement& root);

// The elements of a DOM node's subtree, maxDepth levels deep: element children with their
// attributes, and the text as the DOM gives it of a leaf. An element at the last level (0:
// the element alone) gives its name and text only. Other nodes are left out.
XmlElement TreeFromDom(IXMLDOMNode* element, size_t maxDepth);

// Parses text with the DOM's defences on (no document type, no external resources, no
// validation, a depth limit) and whitespace between elements dropped; raises LayoutRefused
// naming fileName, with the parser's reason and place, when it is not well-formed. Returns
// the top-level elements, each maxDepth levels deep.
std::vector<XmlElement> ParseDocument(const std::wstring& text, const std::wstring& fileName,
                                      size_t maxDepth);

} // namespace exchange
