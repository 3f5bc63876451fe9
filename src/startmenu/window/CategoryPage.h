#pragma once
// What the categorisation page does to the model, apart from how it is shown: the program
// list's check marks and the category tree's states and walks. The window's tree view and
// list view only show what these rules decide.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"

namespace startmenu {

// The category tree as the page's rules see it. The main window implements it on its tree
// view; tests implement it in memory.
class CheckTree {
public:
    using Node = std::uintptr_t; // 0 is no node

    virtual ~CheckTree() = default;

    virtual Node FirstRoot() const = 0;
    virtual Node Parent(Node node) const = 0;
    virtual Node FirstChild(Node node) const = 0;
    virtual Node NextSibling(Node node) const = 0;
    virtual Node Selected() const = 0;

    // Check state 1, 2 or 3 (0 for a node that has none, such as the placeholder).
    virtual int State(Node node) const = 0;
    virtual void SetState(Node node, int state) = 0;
    // The handle of the node's EntryNode; 0 for the placeholder.
    virtual EntryHandle Data(Node node) const = 0;
    // The node's picture index; -1 marks the placeholder "<None>".
    virtual int Image(Node node) const = 0;

    // Appends a node as the last child of parent (a root node when parent is 0) with the
    // small icon of the item at iconPath as its picture, data and state 0.
    virtual Node Append(Node parent, const std::wstring& text, const std::wstring& iconPath,
                        EntryHandle data) = 0;
    // Deletes node with everything below it.
    virtual void Delete(Node node) = 0;
    // Empties the tree and its image list.
    virtual void Clear() = 0;
    // Adds the root node "<None>" with picture -1 and no data: nothing to show.
    virtual void AddPlaceholder() = 0;
    // Shows the children of node (one level).
    virtual void Expand(Node node) = 0;
};

inline constexpr const wchar_t* kPlaceholderText = L"<None>";

bool IsPlaceholder(const CheckTree& tree, CheckTree::Node node);

// True when the tree's first root node is a folder entry, not the placeholder.
bool TreeShowsFolder(const CheckTree& tree);

// Program list -----------------------------------------------------------------------------

// The top-level entries the program list shows for currentCategory, in EntryList order:
// those not categorised or in currentCategory, category folders left out unless
// showCategoryFolders is set.
std::vector<EntryNode*>
ProgramListEntries(const EntryList& entries, int currentCategory, bool showCategoryFolders,
                   const std::function<bool(const std::wstring& path)>& isCategoryFolder);

// The state a list item shows for its entry: 2 in currentCategory, otherwise 3 when the
// entry's Status is 3, else 1.
int ListStateOf(const TStartMenu& entry, int currentCategory);

// A click on an item's check box: state 2 becomes 1 and the entry uncategorised, any other
// state becomes 2 and the entry goes into currentCategory. In professional mode everything
// loaded below the entry follows. Returns the item's new state. Status is not changed.
int ToggleListEntry(EntryNode& node, int itemState, int currentCategory, bool professional);

// A list item dropped on the button of category: the entry goes into category; in
// professional mode everything loaded below it too.
void AssignListEntry(EntryNode& node, int category, bool professional);

// Category tree ----------------------------------------------------------------------------

// Gives node check state 1 (unchecked) or 2, and everything below it when recurse is set.
// Tree nodes carry no entry, so no category is stored.
void ApplyCheckState(CheckTree& tree, CheckTree::Node node, bool unchecked, bool recurse);

// Copies the children of entry that are not categorised or in currentCategory below
// treeNode, recursively, with their states. Returns currentCategory when some copied item
// is in currentCategory or partly so, else -1.
int AddContentChildren(EntryNode& entry, CheckTree& tree, CheckTree::Node treeNode,
                       int currentCategory);

// A folder item selected in professional mode: the tree shows the folder alone as its root,
// captioned like the list item, with the contents loaded below it (by loadContents, the
// first time the folder is selected in a scan) and expanded one level. The root shows the
// list item's state.
void ShowFolderInTree(CheckTree& tree, EntryNode& folder, const std::wstring& caption,
                      int itemState, int currentCategory,
                      const std::function<void(EntryNode&)>& loadContents);

// After a change in the tree, the selected list item's entry keeps the state of the tree's
// root as its Status. Returns whether the list item is to show that state too: only when
// the tree shows something and an item is selected.
bool KeepTreeStateInEntry(const CheckTree& tree, EntryNode* selectedEntry, int rootState);

// The check state entry deserves for currentCategory: 2 when everything loaded in it is in
// currentCategory, 1 when it all shares one other category (or none), 3 otherwise.
int SubtreeState(const EntryNode& entry, int currentCategory);

// A click on the check box of node, or (with assignCategory other than currentCategory) a
// drop of node on a category button: toggles node and everything below it, gives their
// entries assignCategory (or none when unchecked), then walks up the ancestors, setting
// each to the state its subtree deserves for currentCategory, until one already shows it.
// An ancestor that becomes 2 goes into assignCategory, any other one becomes
// uncategorised. Returns the state of the tree's first root node.
int ToggleTreeNode(CheckTree& tree, EntryList& entries, CheckTree::Node node, int currentCategory,
                   int assignCategory);

// "Move to Root" on the selected node: only for a node inside the shown folder (not the
// root, not the placeholder). Marks its entry MoveToRootCategory and deletes the node with
// everything below it. Returns whether it acted.
bool MoveSelectedToRoot(CheckTree& tree, EntryList& entries);

// Whether a drag from the tree may be dropped on a category button.
bool TreeDragAccepted(const CheckTree& tree);

} // namespace startmenu
