#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_map>

#include "startmenu/window/CategoryPage.h"

namespace startmenu {

// The category tree on a tree view control: nodes are the control's items, their pictures
// come from an image list this object owns, check states are the items' state images.
class CategoryTreeView : public CheckTree {
public:
    // The picture a node of the item at a path shows now.
    using ImageFor = std::function<int(const std::wstring& path)>;

    explicit CategoryTreeView(HWND tree) : tree_(tree) {}

    // The scan's pictures, which the tree shows but does not own.
    void SetImages(HIMAGELIST images, ImageFor imageFor);
    // Every node of the item at path shows image from now on.
    void ShowImage(const std::wstring& path, int image);

    Node FirstRoot() const override;
    Node Parent(Node node) const override;
    Node FirstChild(Node node) const override;
    Node NextSibling(Node node) const override;
    Node Selected() const override;
    int State(Node node) const override;
    void SetState(Node node, int state) override;
    EntryHandle Data(Node node) const override;
    int Image(Node node) const override;
    Node Append(Node parent, const std::wstring& text, const std::wstring& iconPath,
                EntryHandle data) override;
    void Delete(Node node) override;
    void Clear() override;
    void AddPlaceholder() override;
    void Expand(Node node) override;

    void Select(Node node);
    std::wstring Text(Node node) const;
    // The node under a point of the control's client area, and whether the point is on its
    // check box.
    Node HitTest(POINT client, bool* onCheckBox = nullptr) const;

private:
    Node Next(Node node, UINT relation) const;
    void ShowImageBelow(Node first, const std::wstring& path, int image);

    HWND tree_;
    HTREEITEM placeholder_ = nullptr;
    ImageFor imageFor_;
    std::unordered_map<HTREEITEM, std::wstring> paths_;
};

} // namespace startmenu
