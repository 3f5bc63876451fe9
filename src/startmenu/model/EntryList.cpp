#include "startmenu/model/EntryList.h"

#include "base/PathRules.h"

namespace startmenu {
namespace {
// Shared by every list of the run, which is what keeps handles of earlier scans dead.
EntryHandle lastHandle = 0;
} // namespace

EntryNode::EntryNode(EntryList& list, EntryNode* parent, size_t index, std::wstring name,
                     TStartMenu entry)
    : list_(list), parent_(parent), index_(index), name_(std::move(name)), entry_(std::move(entry)),
      handle_(list.Register(*this)) {}

EntryNode* EntryNode::Parent() const {
    return parent_ && parent_->parent_ ? parent_ : nullptr;
}

EntryNode* EntryNode::FirstChild() const {
    return children_.empty() ? nullptr : children_.front().get();
}

EntryNode* EntryNode::PreviousSibling() const {
    return parent_ && index_ > 0 ? parent_->children_[index_ - 1].get() : nullptr;
}

EntryNode* EntryNode::NextSibling() const {
    return parent_ && index_ + 1 < parent_->children_.size() ? parent_->children_[index_ + 1].get()
                                                             : nullptr;
}

EntryNode& EntryNode::AppendChild(std::wstring name, TStartMenu entry) {
    children_.push_back(std::unique_ptr<EntryNode>(
        new EntryNode(list_, this, children_.size(), std::move(name), std::move(entry))));
    return *children_.back();
}

EntryList::EntryList() : root_(new EntryNode(*this, nullptr, 0, L"", TStartMenu{})) {}

EntryList::~EntryList() = default;

EntryNode& EntryList::Append(std::wstring name, TStartMenu entry) {
    return root_->AppendChild(std::move(name), std::move(entry));
}

EntryNode* EntryList::Find(EntryHandle handle) const {
    auto it = byHandle_.find(handle);
    return it == byHandle_.end() ? nullptr : it->second;
}

EntryHandle EntryList::Register(EntryNode& node) {
    EntryHandle handle = ++lastHandle;
    byHandle_[handle] = &node;
    return handle;
}

bool AnyCategorised(const EntryNode* node) {
    for (; node; node = node->NextSibling())
        if (node->Entry().Category != CategoryNone || AnyCategorised(node->FirstChild()))
            return true;
    return false;
}

EntryNode* FindSiblingByName(EntryNode* node, const std::wstring& name, bool includeSelf) {
    if (!node)
        return nullptr;
    if (includeSelf && base::SameNameAscii(node->Name(), name))
        return node;
    for (EntryNode* n = node->PreviousSibling(); n; n = n->PreviousSibling())
        if (base::SameNameAscii(n->Name(), name))
            return n;
    for (EntryNode* n = node->NextSibling(); n; n = n->NextSibling())
        if (base::SameNameAscii(n->Name(), name))
            return n;
    return nullptr;
}

void ApplyCheckState(EntryNode& node, int category, bool unchecked, bool recurse) {
    node.SetCheckState(unchecked ? StatusUnchecked : StatusChecked);
    if (category != CategoryKeep)
        node.Entry().Category = category;
    if (recurse)
        for (EntryNode* child = node.FirstChild(); child; child = child->NextSibling())
            ApplyCheckState(*child, category, unchecked, true);
}

} // namespace startmenu
