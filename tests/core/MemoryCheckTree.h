#pragma once
// The category tree kept in memory, so the page's rules can be driven without a window.
#include <map>
#include <string>
#include <vector>

#include "startmenu/window/CategoryPage.h"

class MemoryCheckTree : public startmenu::CheckTree {
public:
    Node FirstRoot() const override;
    Node Parent(Node node) const override;
    Node FirstChild(Node node) const override;
    Node NextSibling(Node node) const override;
    Node Selected() const override { return selected_; }

    int State(Node node) const override { return At(node).state; }
    void SetState(Node node, int state) override { At(node).state = state; }
    startmenu::EntryHandle Data(Node node) const override { return At(node).data; }
    int Image(Node node) const override { return At(node).image; }

    Node Append(Node parent, const std::wstring& text, const std::wstring& iconPath,
                startmenu::EntryHandle data) override;
    void Delete(Node node) override;
    void Clear() override;
    void AddPlaceholder() override;
    void Expand(Node node) override { At(node).expanded = true; }

    void Select(Node node);
    bool Exists(Node node) const { return nodes_.count(node) != 0; }
    const std::wstring& Text(Node node) const { return At(node).text; }
    const std::wstring& IconPath(Node node) const { return At(node).iconPath; }
    bool Expanded(Node node) const { return At(node).expanded; }
    size_t Count() const { return nodes_.size(); }
    // The children of node in order; the root nodes for 0.
    const std::vector<Node>& Children(Node node) const;
    // The node carrying data; 0 when there is none.
    Node NodeOf(startmenu::EntryHandle data) const;

private:
    struct Item {
        std::wstring text;
        std::wstring iconPath;
        startmenu::EntryHandle data = 0;
        int state = 0;
        int image = 0;
        bool expanded = false;
        Node parent = 0;
        std::vector<Node> children;
    };

    Item& At(Node node);
    const Item& At(Node node) const;
    void Forget(Node node);

    // Ids are never reused, so a node kept past its deletion finds nothing.
    std::map<Node, Item> nodes_;
    std::vector<Node> roots_;
    Node lastId_ = 0;
    Node selected_ = 0;
    // Pictures handed out since the image list was last emptied.
    int images_ = 0;
};
