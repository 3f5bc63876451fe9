#include "startmenu/processing/MovePlan.h"

#include <map>
#include <set>

#include "base/PathRules.h"
#include "startmenu/model/NameRules.h"

namespace startmenu {
namespace {

using Kind = DiskView::Kind;

bool IsFolderKind(Kind kind) {
    return kind == Kind::Folder || kind == Kind::LinkedFolder;
}

// The disk as the run will find it at each step: read from the DiskView as needed, changed
// by the steps planned so far. A moved item keeps where it lay on disk, so what is inside it
// is read from there.
class VirtualDisk {
public:
    explicit VirtualDisk(const DiskView& disk) : disk_(disk) {}

    Kind KindOf(const std::wstring& path) {
        const Node* node = Find(path);
        return node ? node->kind : Kind::Missing;
    }

    // The names in a folder, in the order the disk lists them, then those the run put there.
    std::vector<std::wstring> NamesIn(const std::wstring& folder) {
        std::vector<std::wstring> names;
        Node* node = Find(folder);
        if (!node)
            return names;
        List(*node);
        for (const auto& child : node->children)
            if (child->kind != Kind::Missing)
                names.push_back(child->name);
        return names;
    }

    void Move(const std::wstring& from, const std::wstring& to) {
        Node* source = Find(from);
        Node* target = Find(base::ParentFolderOf(to));
        if (!source || !target)
            return;
        std::unique_ptr<Node> moved = Detach(*source);
        moved->name = base::FileNameOf(to);
        moved->key = disk_.Key(moved->name);
        Put(*target, std::move(moved));
    }

    // Where an item the run sees lies on disk now; empty when the run makes it.
    std::wstring DiskPathOf(const std::wstring& path) {
        const Node* node = Find(path);
        return node ? node->diskPath : std::wstring();
    }

    void SetAside(const std::wstring& path) {
        if (Node* node = Find(path))
            Detach(*node);
    }

    void MakeFolder(const std::wstring& path) {
        Node* parent = Find(base::ParentFolderOf(path));
        if (!parent)
            return;
        auto made = std::make_unique<Node>();
        made->name = base::FileNameOf(path);
        made->key = disk_.Key(made->name);
        made->kind = Kind::Folder;
        made->listed = true; // a new folder holds nothing on disk
        Put(*parent, std::move(made));
    }

private:
    struct Node {
        std::wstring name, key;
        Kind kind = Kind::Missing; // Missing: moved away
        std::wstring diskPath;     // where it lies on disk; empty when the run makes it
        bool listed = false;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
    };

    Node* Find(const std::wstring& path) {
        std::wstring root = base::VolumeRootOf(path);
        if (root.empty() || path.size() < root.size())
            return nullptr;
        root.pop_back();
        Node* node = Child(top_, root, root);
        for (size_t start = root.size() + 1; node && start < path.size();) {
            size_t end = path.find(L'\\', start);
            if (end == std::wstring::npos)
                end = path.size();
            if (end > start)
                node = Child(*node, path.substr(start, end - start), {});
            start = end + 1;
        }
        return node && node->kind != Kind::Missing ? node : nullptr;
    }

    // The child of name, looked up on disk when the run has not seen it yet.
    Node* Child(Node& parent, const std::wstring& name, const std::wstring& volume) {
        std::wstring key = disk_.Key(name);
        for (const auto& child : parent.children)
            if (child->key == key)
                return child->kind == Kind::Missing ? nullptr : child.get();
        std::wstring diskPath;
        if (!volume.empty())
            diskPath = volume;
        else if (!parent.diskPath.empty() && !parent.listed)
            diskPath = parent.diskPath + L"\\" + name;
        if (diskPath.empty() || parent.kind == Kind::File)
            return nullptr;
        Kind kind = volume.empty() ? disk_.KindOf(diskPath) : Kind::Folder;
        if (kind == Kind::Missing)
            return nullptr;
        auto node = std::make_unique<Node>();
        node->name = name;
        node->key = key;
        node->kind = kind;
        node->diskPath = diskPath;
        node->parent = &parent;
        parent.children.push_back(std::move(node));
        return parent.children.back().get();
    }

    // Reads a folder's listing once, keeping what the run knows of it already.
    void List(Node& folder) {
        if (folder.listed || folder.diskPath.empty() || folder.kind != Kind::Folder)
            return;
        folder.listed = true;
        std::vector<std::unique_ptr<Node>> known = std::move(folder.children);
        folder.children.clear();
        auto take = [&](const std::wstring& key) -> std::unique_ptr<Node> {
            for (auto& node : known)
                if (node && node->key == key)
                    return std::move(node);
            return nullptr;
        };
        for (const DiskView::Child& child : disk_.ChildrenOf(folder.diskPath)) {
            std::unique_ptr<Node> node = take(disk_.Key(child.name));
            if (!node) {
                node = std::make_unique<Node>();
                node->name = child.name;
                node->key = disk_.Key(child.name);
                node->kind = child.kind;
                node->diskPath = folder.diskPath + L"\\" + child.name;
                node->parent = &folder;
            }
            folder.children.push_back(std::move(node));
        }
        for (auto& node : known)
            if (node)
                folder.children.push_back(std::move(node));
    }

    // Takes a node out, leaving a mark that its place is empty now.
    std::unique_ptr<Node> Detach(Node& node) {
        Node& parent = *node.parent;
        for (auto& child : parent.children)
            if (child.get() == &node) {
                auto gone = std::make_unique<Node>();
                gone->name = node.name;
                gone->key = node.key;
                gone->parent = &parent;
                std::swap(child, gone);
                return gone;
            }
        return nullptr;
    }

    // Puts a node into a folder in place of whatever of its name is there.
    void Put(Node& folder, std::unique_ptr<Node> node) {
        node->parent = &folder;
        for (auto& child : folder.children)
            if (child->key == node->key) {
                child = std::move(node);
                return;
            }
        folder.children.push_back(std::move(node));
    }

    const DiskView& disk_;
    Node top_;
};

// An entry in both folders carries one path (the all-users one for a top-level entry); the
// pass over the other folder turns it into the same path below that folder.
std::wstring SourcePathFor(const TStartMenu& entry, const std::wstring& programs,
                           const std::wstring& otherPrograms) {
    std::wstring path = entry.Path;
    if (entry.Origin != OriginBoth || path.find(programs) != std::wstring::npos)
        return path;
    size_t other = otherPrograms.empty() ? std::wstring::npos : path.find(otherPrograms);
    if (other != std::wstring::npos)
        path.replace(other, otherPrograms.size(), programs);
    return path;
}

class Planner {
public:
    Planner(const FolderLocations& folders, const std::vector<std::wstring>& categoryNames,
            const DiskView& disk)
        : folders_(folders), categoryNames_(categoryNames), disk_(disk), virtual_(disk) {}

    void Walk(const EntryNode* first) {
        for (const EntryNode* node = first; node; node = node->NextSibling()) {
            const TStartMenu& entry = node->Entry();
            if (entry.Category == MoveToRootCategory)
                MoveIntoBoth(entry, nullptr);
            else if (entry.Category == CategoryNone)
                Walk(node->FirstChild());
            else
                MoveIntoBoth(entry, &categoryNames_.at(static_cast<size_t>(entry.Category)));
        }
    }

    MovePlan plan;

private:
    // categoryName null: to the top of the Programs folder.
    void MoveIntoBoth(const TStartMenu& entry, const std::wstring* categoryName) {
        struct Pass {
            Origin origin;
            const std::wstring& programs;
            const std::wstring& otherPrograms;
        };
        size_t entryIndex = static_cast<size_t>(plan.assigned++);
        for (const Pass& pass :
             {Pass{OriginCommon, folders_.CommonProgramsDir, folders_.UserProgramsDir},
              Pass{OriginUser, folders_.UserProgramsDir, folders_.CommonProgramsDir}}) {
            if ((entry.Origin != pass.origin && entry.Origin != OriginBoth) ||
                pass.programs.empty())
                continue;
            PlannedItem item;
            item.source = SourcePathFor(entry, pass.programs, pass.otherPrograms);
            item.programs = pass.programs;
            item.entry = entryIndex;
            item.firstStep = plan.steps.size();
            plan.items.push_back(item);
            if (categoryName)
                MoveIntoCategory(pass.programs, *categoryName);
            else
                MoveInto(pass.programs, true, kNoStep);
            plan.items.back().endStep = plan.steps.size();
        }
    }

    PlannedItem& Item() { return plan.items.back(); }
    size_t ItemIndex() const { return plan.items.size() - 1; }

    void MoveIntoCategory(const std::wstring& programs, const std::wstring& categoryName) {
        std::wstring folder = programs + L"\\" + categoryName;
        Kind kind = virtual_.KindOf(folder);
        size_t made = kNoStep;
        if (kind == Kind::File) {
            Block(Item().source, folder,
                  L"The file \"" + categoryName + L"\" in " + programs +
                      L" is in the way of the category folder of that name. Rename or move "
                      L"that file, then process again.");
            Item().targetFolder = folder;
            Item().targetName = base::FileNameOf(Item().source);
            Item().outcome = PlannedOutcome::Blocked;
            return;
        }
        if (kind == Kind::Missing) {
            made = plan.steps.size();
            plan.steps.push_back({StepKind::MakeFolder, folder, {}, ItemIndex()});
            virtual_.MakeFolder(folder);
            madeFolders_[disk_.Key(folder)] = made;
        } else {
            auto known = madeFolders_.find(disk_.Key(folder));
            if (known != madeFolders_.end())
                made = known->second;
        }
        MoveInto(folder, false, made);
        SetAsideTwins(programs, folder);
    }

    // Only a shortcut from the top that has arrived, and only shortcuts that were in the
    // folder before the run: what this run brings there is never replaced.
    void SetAsideTwins(const std::wstring& programs, const std::wstring& folder) {
        const std::wstring source = Item().source;
        size_t arrival = plan.steps.size() - 1;
        if (!Item().failures.empty() || plan.steps.size() == Item().firstStep ||
            plan.steps[arrival].from != source ||
            !base::IsShortcutFileName(base::FileNameOf(source)) ||
            !SameItem(base::ParentFolderOf(source), programs))
            return;
        std::wstring command = disk_.CommandKey(source);
        if (command.empty())
            return;
        std::vector<std::wstring> twins;
        FindTwins(folder, command, twins);
        for (const std::wstring& twin : twins) {
            plan.steps.push_back({StepKind::SetAside, twin, {}, ItemIndex(), arrival});
            virtual_.SetAside(twin);
            Item().twins.push_back(twin);
        }
    }

    void FindTwins(const std::wstring& folder, const std::wstring& command,
                   std::vector<std::wstring>& twins) {
        for (const std::wstring& name : virtual_.NamesIn(folder)) {
            std::wstring path = folder + L"\\" + name;
            if (placed_.count(disk_.Key(path)))
                continue;
            Kind kind = virtual_.KindOf(path);
            if (kind == Kind::Folder)
                FindTwins(path, command, twins);
            else if (kind == Kind::File && base::IsShortcutFileName(name) &&
                     disk_.CommandKey(virtual_.DiskPathOf(path)) == command)
                twins.push_back(path);
        }
    }

    // A namesake is replaced, as the shell's move does, unless it is one this run put there
    // or, at the top of a Programs folder, an unrelated item the user has there.
    void MoveInto(const std::wstring& folder, bool toRoot, size_t made) {
        const std::wstring source = Item().source;
        std::wstring name = base::FileNameOf(source);
        std::wstring targetName = name;
        if (Placed(folder, name) ||
            (toRoot && Occupied(folder, name) && !SameItem(source, folder + L"\\" + name))) {
            bool isFolder = IsFolderKind(virtual_.KindOf(source));
            for (int n = 2; Placed(folder, targetName) || Occupied(folder, targetName); ++n)
                targetName = NumberedName(name, isFolder, n);
        }
        Item().targetFolder = folder;
        Item().targetName = targetName;
        PlannedOutcome outcome = MoveItem(source, folder, targetName, made);
        if (Item().failures.empty())
            placed_.insert(disk_.Key(folder + L"\\" + targetName));
        if (!Item().failures.empty() && outcome != PlannedOutcome::Merges)
            outcome = PlannedOutcome::Blocked;
        else if (targetName != name)
            outcome = PlannedOutcome::KeptBeside;
        else if (toRoot && outcome == PlannedOutcome::Moves)
            outcome = PlannedOutcome::ToRoot;
        Item().outcome = outcome;
    }

    // One item into targetFolder under targetName, as the shell moves when told yes to
    // everything: a namesake file is replaced, a namesake folder merged into child by child.
    PlannedOutcome MoveItem(const std::wstring& source, const std::wstring& targetFolder,
                            const std::wstring& targetName, size_t made) {
        std::wstring target = targetFolder + L"\\" + targetName;
        if (SameItem(source, target))
            return PlannedOutcome::Stays;
        Kind sourceKind = virtual_.KindOf(source);
        Kind targetKind = virtual_.KindOf(target);
        bool sourceIsFolder = IsFolderKind(sourceKind);
        // A file and a folder never replace each other: one of them would be lost.
        if (targetKind != Kind::Missing && sourceIsFolder != IsFolderKind(targetKind)) {
            Block(source, targetFolder,
                  sourceIsFolder ? L"A file of the same name is already there, and a folder "
                                   L"cannot take the place of a file."
                                 : L"A folder of the same name is already there, and a file "
                                   L"cannot take the place of a folder.");
            return PlannedOutcome::Blocked;
        }
        // An item gone since the scan is still tried: the run then names the system's reason.
        if (!sourceIsFolder) {
            bool replaces = targetKind != Kind::Missing;
            Step(replaces ? StepKind::Replace : StepKind::Move, source, target, made);
            return replaces ? PlannedOutcome::Replaces : PlannedOutcome::Moves;
        }
        if (base::IsSameOrInside(disk_.Key(targetFolder), disk_.Key(source))) {
            Block(source, targetFolder,
                  L"The destination folder is inside the folder being moved.");
            return PlannedOutcome::Blocked;
        }
        if (targetKind == Kind::Missing) {
            Step(StepKind::Move, source, target, made);
            return PlannedOutcome::Moves;
        }
        // A link is moved as it is or not at all: merging would empty the folder it points to.
        if (sourceKind == Kind::LinkedFolder) {
            Block(source, targetFolder,
                  L"A folder of the same name is already there, and a linked folder is never "
                  L"merged into another.");
            return PlannedOutcome::Blocked;
        }
        size_t first = plan.steps.size();
        size_t failures = Item().failures.size();
        for (const std::wstring& name : virtual_.NamesIn(source))
            MoveItem(source + L"\\" + name, target, name, kNoStep);
        if (Item().failures.size() == failures)
            plan.steps.push_back({StepKind::Remove, source, target, ItemIndex(), first});
        return PlannedOutcome::Merges;
    }

    void Step(StepKind kind, const std::wstring& from, const std::wstring& to, size_t made) {
        plan.steps.push_back({kind, from, to, ItemIndex(), made});
        virtual_.Move(from, to);
    }

    void Block(const std::wstring& item, const std::wstring& targetFolder, std::wstring reason) {
        Item().failures.push_back({item, targetFolder, std::move(reason)});
    }

    bool Placed(const std::wstring& folder, const std::wstring& name) const {
        return placed_.count(disk_.Key(folder + L"\\" + name)) != 0;
    }
    bool Occupied(const std::wstring& folder, const std::wstring& name) {
        return virtual_.KindOf(folder + L"\\" + name) != Kind::Missing;
    }
    bool SameItem(const std::wstring& a, const std::wstring& b) const {
        return disk_.Key(a) == disk_.Key(b);
    }

    const FolderLocations& folders_;
    const std::vector<std::wstring>& categoryNames_;
    const DiskView& disk_;
    VirtualDisk virtual_;
    std::set<std::wstring> placed_; // keys of the paths this run moves items to
    std::map<std::wstring, size_t> madeFolders_;
};

} // namespace

MovePlan PlanMoves(const EntryNode* first, const FolderLocations& folders,
                   const std::vector<std::wstring>& categoryNames, const DiskView& disk) {
    Planner planner(folders, categoryNames, disk);
    planner.Walk(first);
    return std::move(planner.plan);
}

namespace {

std::wstring OutcomeWords(const PlannedItem& item) {
    switch (item.outcome) {
    case PlannedOutcome::Moves:
        return L"Moves into the folder";
    case PlannedOutcome::Merges:
        return item.failures.empty()
                   ? L"Merges into the folder of its name already there"
                   : L"Merges into the folder of its name already there, but " +
                         std::to_wstring(item.failures.size()) +
                         (item.failures.size() == 1 ? L" item in it stays: " : L" items stay: ") +
                         item.failures.front().reason;
    case PlannedOutcome::Replaces:
        return L"Replaces the item of its name there, which is kept for an undo";
    case PlannedOutcome::KeptBeside:
        return L"Is kept beside an item of its name, as \"" + item.targetName + L"\"";
    case PlannedOutcome::ToRoot:
        return L"Goes back to the top (Move to Root)";
    case PlannedOutcome::Stays:
        return L"Is there already and stays";
    case PlannedOutcome::Blocked:
        break;
    }
    return L"Cannot be moved: " +
           (item.failures.empty() ? std::wstring() : item.failures.front().reason);
}

} // namespace

std::wstring OutcomeText(const PlannedItem& item) {
    std::wstring text = OutcomeWords(item);
    if (item.twins.empty())
        return text;
    bool one = item.twins.size() == 1;
    text += one ? L", in place of its earlier shortcut " : L", in place of its earlier shortcuts ";
    for (size_t i = 0; i < item.twins.size(); ++i)
        text += (i ? L", \"" : L"\"") + base::FileNameOf(item.twins[i]) + L"\"";
    return text + (one ? L", which is kept for an undo" : L", which are kept for an undo");
}

std::vector<PreviewRow> PreviewRows(const MovePlan& plan, const FolderLocations& folders) {
    auto below = [](const std::wstring& path, const std::wstring& programs) {
        bool inside = path.size() > programs.size() + 1 && base::IsSameOrInside(path, programs);
        return inside ? path.substr(programs.size() + 1) : path;
    };
    std::vector<PreviewRow> rows;
    for (const PlannedItem& item : plan.items) {
        PreviewRow row;
        row.item = below(item.source, item.programs);
        row.programs = item.programs == folders.CommonProgramsDir ? L"All users" : L"Current user";
        row.destination = below(item.targetFolder + L"\\" + item.targetName, item.programs);
        row.outcome = OutcomeText(item);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace startmenu
