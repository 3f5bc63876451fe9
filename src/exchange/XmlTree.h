#pragma once
#include <string>
#include <utility>
#include <vector>

namespace exchange {

// An element of a layout document as the program writes or reads it: its text, or its child
// elements, never both.
struct XmlElement {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;
    std::wstring text;
    std::vector<XmlElement> children;

    XmlElement& Add(std::wstring childName, std::wstring childText = {}) {
        children.push_back({std::move(childName), {}, std::move(childText), {}});
        return children.back();
    }
};

} // namespace exchange
