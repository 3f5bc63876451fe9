#include "startmenu/window/CategoryTreeView.h"

#include <commctrl.h>

namespace startmenu {
namespace {

HTREEITEM Item(CheckTree::Node node) {
    return reinterpret_cast<HTREEITEM>(node);
}
CheckTree::Node NodeOf(HTREEITEM item) {
    return reinterpret_cast<CheckTree::Node>(item);
}

TVITEMW Query(HWND tree, CheckTree::Node node, UINT mask) {
    TVITEMW item = {};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = Item(node);
    item.stateMask = TVIS_STATEIMAGEMASK;
    TreeView_GetItem(tree, &item);
    return item;
}

} // namespace

void CategoryTreeView::SetImages(HIMAGELIST images, ImageFor imageFor) {
    TreeView_SetImageList(tree_, images, TVSIL_NORMAL);
    imageFor_ = std::move(imageFor);
}

void CategoryTreeView::ShowImage(const std::wstring& path, int image) {
    ShowImageBelow(FirstRoot(), path, image);
}

void CategoryTreeView::ShowImageBelow(Node first, const std::wstring& path, int image) {
    for (Node node = first; node; node = NextSibling(node)) {
        auto known = paths_.find(Item(node));
        if (known != paths_.end() && known->second == path) {
            TVITEMW item = {};
            item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            item.hItem = Item(node);
            item.iImage = item.iSelectedImage = image;
            TreeView_SetItem(tree_, &item);
        }
        ShowImageBelow(FirstChild(node), path, image);
    }
}

CheckTree::Node CategoryTreeView::Next(Node node, UINT relation) const {
    return NodeOf(TreeView_GetNextItem(tree_, Item(node), relation));
}

CheckTree::Node CategoryTreeView::FirstRoot() const {
    return Next(0, TVGN_ROOT);
}
CheckTree::Node CategoryTreeView::Parent(Node node) const {
    return Next(node, TVGN_PARENT);
}
CheckTree::Node CategoryTreeView::FirstChild(Node node) const {
    return Next(node, TVGN_CHILD);
}
CheckTree::Node CategoryTreeView::NextSibling(Node node) const {
    return Next(node, TVGN_NEXT);
}
CheckTree::Node CategoryTreeView::Selected() const {
    return Next(0, TVGN_CARET);
}

int CategoryTreeView::State(Node node) const {
    return static_cast<int>((Query(tree_, node, TVIF_STATE).state & TVIS_STATEIMAGEMASK) >> 12);
}

void CategoryTreeView::SetState(Node node, int state) {
    TreeView_SetItemState(tree_, Item(node), INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
}

EntryHandle CategoryTreeView::Data(Node node) const {
    return static_cast<EntryHandle>(Query(tree_, node, TVIF_PARAM).lParam);
}

int CategoryTreeView::Image(Node node) const {
    if (Item(node) == placeholder_)
        return -1;
    return Query(tree_, node, TVIF_IMAGE).iImage;
}

CheckTree::Node CategoryTreeView::Append(Node parent, const std::wstring& text,
                                         const std::wstring& iconPath, EntryHandle data) {
    int image = imageFor_ ? imageFor_(iconPath) : -1;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent ? Item(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = image;
    insert.item.lParam = static_cast<LPARAM>(data);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    HTREEITEM added = TreeView_InsertItem(tree_, &insert);
    paths_[added] = iconPath;
    return NodeOf(added);
}

void CategoryTreeView::Delete(Node node) {
    if (Item(node) == placeholder_)
        placeholder_ = nullptr;
    TreeView_DeleteItem(tree_, Item(node));
}

void CategoryTreeView::Clear() {
    placeholder_ = nullptr;
    TreeView_DeleteAllItems(tree_);
    paths_.clear();
}

void CategoryTreeView::AddPlaceholder() {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(kPlaceholderText);
    // No picture: an index past the list's end draws nothing.
    insert.item.iImage = insert.item.iSelectedImage = 0x7FFF;
    placeholder_ = TreeView_InsertItem(tree_, &insert);
}

void CategoryTreeView::Expand(Node node) {
    TreeView_Expand(tree_, Item(node), TVE_EXPAND);
}

void CategoryTreeView::Select(Node node) {
    TreeView_SelectItem(tree_, Item(node));
}

std::wstring CategoryTreeView::Text(Node node) const {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = Item(node);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree_, &item);
    return text;
}

CheckTree::Node CategoryTreeView::HitTest(POINT client, bool* onCheckBox) const {
    TVHITTESTINFO hit = {};
    hit.pt = client;
    HTREEITEM item = TreeView_HitTest(tree_, &hit);
    if (onCheckBox)
        *onCheckBox = item && (hit.flags & TVHT_ONITEMSTATEICON);
    return NodeOf(item);
}

} // namespace startmenu
