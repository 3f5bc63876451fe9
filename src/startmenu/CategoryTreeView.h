#pragma once
#include <windows.h>

#include "startmenu/CategoryPage.h"
#include "win/Gdi.h"

namespace startmenu {

// The category tree on a tree view control: nodes are the control's items, their pictures
// come from an image list this object owns, check states are the items' state images.
class CategoryTreeView : public CheckTree {
public:
    explicit CategoryTreeView(HWND tree) : tree_(tree) {}

    // Gives the picture list a fresh handle for icons of iconSize pixels.
    void ResetImages(int iconSize);

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

    HWND tree_;
    HTREEITEM placeholder_ = nullptr;
    win::ImageListHandle images_;
};

} // namespace startmenu
