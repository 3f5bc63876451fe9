#pragma once
// The picture's items: the ordered tree of the Start Menu's entries, each with its path,
// category, origin and check state, which list items and tree nodes find again by handle. No
// Windows call: built and tested natively.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace startmenu {

constexpr int CategoryNone = -1;
constexpr int MoveToRootCategory = 999;
// Passed to ApplyCheckState to leave the category alone.
constexpr int CategoryKeep = -2;

enum Origin : std::uint8_t { OriginCommon = 0, OriginUser = 1, OriginBoth = 2 };

constexpr int StatusUnchecked = 1;
constexpr int StatusChecked = 2;
constexpr int StatusPartial = 3;

// One Start Menu item.
struct TStartMenu {
    std::wstring Path;
    std::int32_t Category = CategoryNone;
    std::uint8_t Origin = OriginCommon;
    std::int32_t Status = 0;
};

// Identifies an EntryNode from a list item or tree node. Handles are never reused within a
// run of the program, so one kept from an earlier scan finds nothing. 0 is no node.
using EntryHandle = std::uint32_t;

class EntryList;

class EntryNode {
public:
    EntryNode(const EntryNode&) = delete;
    EntryNode& operator=(const EntryNode&) = delete;

    const std::wstring& Name() const { return name_; }
    TStartMenu& Entry() { return entry_; }
    const TStartMenu& Entry() const { return entry_; }
    EntryHandle Handle() const { return handle_; }
    // The check state ApplyCheckState gave the node last (0 before any).
    int CheckState() const { return checkState_; }
    void SetCheckState(int state) { checkState_ = state; }
    // Whether the listing that found the item said it is a folder, so showing it asks the
    // file system nothing.
    bool IsFolder() const { return folder_; }
    void SetFolder(bool folder) { folder_ = folder; }

    // Null for a top-level node.
    EntryNode* Parent() const;
    EntryNode* FirstChild() const;
    EntryNode* PreviousSibling() const;
    EntryNode* NextSibling() const;
    bool HasChildren() const { return !children_.empty(); }
    size_t ChildCount() const { return children_.size(); }

    EntryNode& AppendChild(std::wstring name, TStartMenu entry);

private:
    friend class EntryList;
    EntryNode(EntryList& list, EntryNode* parent, size_t index, std::wstring name,
              TStartMenu entry);

    EntryList& list_;
    EntryNode* parent_;
    size_t index_;
    std::wstring name_;
    TStartMenu entry_;
    EntryHandle handle_;
    int checkState_ = 0;
    bool folder_ = false;
    std::vector<std::unique_ptr<EntryNode>> children_;
};

// The ordered tree of the Start Menu items: top-level items of both Programs folders, and
// the contents of folders as they are loaded.
class EntryList {
public:
    EntryList();
    EntryList(const EntryList&) = delete;
    EntryList& operator=(const EntryList&) = delete;
    ~EntryList();

    EntryNode& Append(std::wstring name, TStartMenu entry);
    EntryNode* First() const { return root_->FirstChild(); }
    size_t Count() const { return root_->ChildCount(); }
    EntryNode* Find(EntryHandle handle) const;

private:
    friend class EntryNode;
    EntryHandle Register(EntryNode& node);

    // Declared first: the root node registers itself while it is made.
    std::unordered_map<EntryHandle, EntryNode*> byHandle_;
    std::unique_ptr<EntryNode> root_;
};

// Searches node and its siblings for name (ASCII letters folded): node itself first when
// includeSelf is set, then the previous siblings from the nearest, then the next ones.
EntryNode* FindSiblingByName(EntryNode* node, const std::wstring& name, bool includeSelf);

// Whether node, one of its next siblings, or anything below them has a category or is
// marked for the root.
bool AnyCategorised(const EntryNode* node);

// Gives node check state 1 (unchecked) or 2, stores category unless it is CategoryKeep,
// and does the same for everything below node when recurse is set.
void ApplyCheckState(EntryNode& node, int category, bool unchecked, bool recurse);

} // namespace startmenu
