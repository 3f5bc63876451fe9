#include "MemoryCheckTree.h"

#include <algorithm>
#include <stdexcept>

using startmenu::EntryHandle;

MemoryCheckTree::Node MemoryCheckTree::FirstRoot() const {
    return roots_.empty() ? 0 : roots_.front();
}

MemoryCheckTree::Node MemoryCheckTree::Parent(Node node) const {
    return At(node).parent;
}

MemoryCheckTree::Node MemoryCheckTree::FirstChild(Node node) const {
    const std::vector<Node>& children = At(node).children;
    return children.empty() ? 0 : children.front();
}

MemoryCheckTree::Node MemoryCheckTree::NextSibling(Node node) const {
    const std::vector<Node>& siblings = Children(Parent(node));
    auto it = std::find(siblings.begin(), siblings.end(), node);
    return it + 1 == siblings.end() ? 0 : *(it + 1);
}

MemoryCheckTree::Node MemoryCheckTree::Append(Node parent, const std::wstring& text,
                                              const std::wstring& iconPath, EntryHandle data) {
    Node node = ++lastId_;
    Item item;
    item.text = text;
    item.iconPath = iconPath;
    item.data = data;
    item.image = images_++;
    item.parent = parent;
    (parent ? At(parent).children : roots_).push_back(node);
    nodes_.emplace(node, std::move(item));
    return node;
}

void MemoryCheckTree::Delete(Node node) {
    Node parent = At(node).parent;
    std::vector<Node>& siblings = parent ? At(parent).children : roots_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    Forget(node);
}

void MemoryCheckTree::Clear() {
    nodes_.clear();
    roots_.clear();
    selected_ = 0;
    images_ = 0;
}

void MemoryCheckTree::AddPlaceholder() {
    Node node = ++lastId_;
    Item item;
    item.text = startmenu::kPlaceholderText;
    item.image = -1;
    roots_.push_back(node);
    nodes_.emplace(node, std::move(item));
}

void MemoryCheckTree::Select(Node node) {
    if (node && !Exists(node))
        throw std::out_of_range("no such tree node");
    selected_ = node;
}

const std::vector<MemoryCheckTree::Node>& MemoryCheckTree::Children(Node node) const {
    return node ? At(node).children : roots_;
}

MemoryCheckTree::Node MemoryCheckTree::NodeOf(EntryHandle data) const {
    for (const auto& [node, item] : nodes_)
        if (item.data == data)
            return node;
    return 0;
}

MemoryCheckTree::Item& MemoryCheckTree::At(Node node) {
    return const_cast<Item&>(static_cast<const MemoryCheckTree&>(*this).At(node));
}

const MemoryCheckTree::Item& MemoryCheckTree::At(Node node) const {
    auto it = nodes_.find(node);
    if (it == nodes_.end())
        throw std::out_of_range("no such tree node");
    return it->second;
}

void MemoryCheckTree::Forget(Node node) {
    for (Node child : At(node).children)
        Forget(child);
    // Unlike the tree view, which moves the selection on, nothing is selected afterwards.
    if (selected_ == node)
        selected_ = 0;
    nodes_.erase(node);
}
