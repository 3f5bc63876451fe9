#include "startmenu/window/CategoryPage.h"

namespace startmenu {

bool IsPlaceholder(const CheckTree& tree, CheckTree::Node node) {
    return node != 0 && tree.Image(node) == -1;
}

bool TreeShowsFolder(const CheckTree& tree) {
    CheckTree::Node root = tree.FirstRoot();
    return root != 0 && !IsPlaceholder(tree, root);
}

void ShowFolderInTree(CheckTree& tree, EntryNode& folder, const std::wstring& caption,
                      int itemState, int currentCategory,
                      const std::function<void(EntryNode&)>& loadContents) {
    tree.Clear();
    CheckTree::Node root = tree.Append(0, caption, folder.Entry().Path, folder.Handle());
    tree.SetState(root, itemState == StatusChecked ? StatusChecked : StatusUnchecked);
    if (!folder.HasChildren())
        loadContents(folder);
    AddContentChildren(folder, tree, root, currentCategory);
    tree.SetState(root, itemState);
    tree.Expand(root);
}

bool KeepTreeStateInEntry(const CheckTree& tree, EntryNode* selectedEntry, int rootState) {
    if (!tree.FirstRoot() || !selectedEntry)
        return false;
    selectedEntry->Entry().Status = rootState;
    return true;
}

std::vector<EntryNode*>
ProgramListEntries(const EntryList& entries, int currentCategory, bool showCategoryFolders,
                   const std::function<bool(const std::wstring& path)>& isCategoryFolder) {
    std::vector<EntryNode*> shown;
    for (EntryNode* node = entries.First(); node; node = node->NextSibling()) {
        const TStartMenu& entry = node->Entry();
        if (!showCategoryFolders && isCategoryFolder(entry.Path))
            continue;
        if (entry.Category != CategoryNone && entry.Category != currentCategory)
            continue;
        shown.push_back(node);
    }
    return shown;
}

int ListStateOf(const TStartMenu& entry, int currentCategory) {
    if (entry.Category == currentCategory)
        return StatusChecked;
    return entry.Status == StatusPartial ? StatusPartial : StatusUnchecked;
}

int ToggleListEntry(EntryNode& node, int itemState, int currentCategory, bool professional) {
    int newState = itemState == StatusChecked ? StatusUnchecked : StatusChecked;
    int category = newState == StatusChecked ? currentCategory : CategoryNone;
    node.Entry().Category = category;
    if (professional)
        ApplyCheckState(node, category, false, true);
    return newState;
}

void AssignListEntry(EntryNode& node, int category, bool professional) {
    node.Entry().Category = category;
    if (professional)
        ApplyCheckState(node, category, false, true);
}

void ApplyCheckState(CheckTree& tree, CheckTree::Node node, bool unchecked, bool recurse) {
    tree.SetState(node, unchecked ? StatusUnchecked : StatusChecked);
    if (recurse)
        for (CheckTree::Node child = tree.FirstChild(node); child; child = tree.NextSibling(child))
            ApplyCheckState(tree, child, unchecked, true);
}

int AddContentChildren(EntryNode& entry, CheckTree& tree, CheckTree::Node treeNode,
                       int currentCategory) {
    int result = CategoryNone;
    bool partly = false;
    for (EntryNode* child = entry.FirstChild(); child; child = child->NextSibling()) {
        int category = child->Entry().Category;
        // Items of other categories belong to their own category's tree; items marked for the
        // root are gone from every tree.
        if (category != CategoryNone && category != currentCategory)
            continue;
        CheckTree::Node node =
            tree.Append(treeNode, child->Name(), child->Entry().Path, child->Handle());
        int inner = child->HasChildren() ? AddContentChildren(*child, tree, node, currentCategory)
                                         : CategoryNone;
        if (category == CategoryNone) {
            bool split = inner >= 0;
            tree.SetState(node, split ? StatusPartial : StatusUnchecked);
            partly = partly || split;
        } else {
            tree.SetState(node, StatusChecked);
            result = currentCategory;
        }
    }
    return partly ? currentCategory : result;
}

int SubtreeState(const EntryNode& entry, int currentCategory) {
    const EntryNode* first = entry.FirstChild();
    if (!first)
        return entry.Entry().Category == currentCategory ? StatusChecked : StatusUnchecked;
    int shared = first->Entry().Category;
    int state = shared == currentCategory ? StatusChecked : StatusUnchecked;
    for (const EntryNode* child = first; child; child = child->NextSibling())
        if (SubtreeState(*child, currentCategory) != state || child->Entry().Category != shared)
            return StatusPartial;
    return state;
}

int ToggleTreeNode(CheckTree& tree, EntryList& entries, CheckTree::Node node, int currentCategory,
                   int assignCategory) {
    bool wasChecked = tree.State(node) == StatusChecked;
    ApplyCheckState(tree, node, wasChecked, true);
    if (EntryNode* entry = entries.Find(tree.Data(node)))
        ApplyCheckState(*entry, wasChecked ? CategoryNone : assignCategory, false, true);

    // An ancestor that already shows what its contents deserve has ancestors that do too.
    for (CheckTree::Node ancestor = tree.Parent(node); ancestor; ancestor = tree.Parent(ancestor)) {
        EntryNode* entry = entries.Find(tree.Data(ancestor));
        if (!entry)
            break;
        int state = SubtreeState(*entry, currentCategory);
        if (state == tree.State(ancestor))
            break;
        tree.SetState(ancestor, state);
        entry->Entry().Category = state == StatusChecked ? assignCategory : CategoryNone;
    }
    return tree.State(tree.FirstRoot());
}

bool MoveSelectedToRoot(CheckTree& tree, EntryList& entries) {
    CheckTree::Node node = tree.Selected();
    if (node == 0 || IsPlaceholder(tree, node) || tree.Parent(node) == 0)
        return false;
    if (EntryNode* entry = entries.Find(tree.Data(node)))
        entry->Entry().Category = MoveToRootCategory;
    tree.Delete(node);
    return true;
}

bool TreeDragAccepted(const CheckTree& tree) {
    CheckTree::Node node = tree.Selected();
    return node != 0 && !IsPlaceholder(tree, node);
}

} // namespace startmenu
