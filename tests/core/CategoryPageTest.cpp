#include "startmenu/window/CategoryPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "base/PathRules.h"
#include "MemoryCheckTree.h"
#include "startmenu/model/Categories.h"
#include "startmenu/model/NameRules.h"

using namespace startmenu;
using Node = CheckTree::Node;

namespace {

constexpr int Office = 0;
constexpr int Games = 2;
constexpr int Internet = 4;
constexpr int Graphics = 6;
constexpr int Other = 8;

const std::wstring kCommon = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
const std::wstring kUser =
    L"C:\\Users\\Ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

bool IsCategoryFolder(const std::wstring& path) {
    const std::wstring name = Lower(base::FileNameOf(path));
    for (const std::wstring& category : DefaultCategoryNames())
        if (Lower(category) == name)
            return true;
    return false;
}

// A Start Menu as the scan leaves it, with the contents of the folder Suite loaded from both
// Programs folders:
//   Word.lnk, Suite{Tool.lnk, Extras{Viewer.lnk, Readme.txt}, Help.lnk}, Games{Chess.lnk},
//   Games.lnk, Mail.lnk (user only)
class StartMenu : public ::testing::Test {
protected:
    StartMenu()
        : word(Top(kCommon, L"Word.lnk", OriginCommon)), suite(Top(kCommon, L"Suite", OriginBoth)),
          games(Top(kCommon, L"Games", OriginCommon)),
          gamesLink(Top(kCommon, L"Games.lnk", OriginCommon)),
          mail(Top(kUser, L"Mail.lnk", OriginUser)),
          tool(Load(suite, kCommon + L"\\Suite", L"Tool.lnk", OriginCommon)),
          extras(Load(suite, kCommon + L"\\Suite", L"Extras", OriginCommon)),
          viewer(Load(extras, kCommon + L"\\Suite\\Extras", L"Viewer.lnk", OriginCommon)),
          readme(Load(extras, kCommon + L"\\Suite\\Extras", L"Readme.txt", OriginCommon)),
          help(Load(suite, kUser + L"\\Suite", L"Help.lnk", OriginUser)) {}

    EntryNode& Top(const std::wstring& dir, const std::wstring& name, Origin origin) {
        return list.Append(name, {dir + L"\\" + name, CategoryNone, origin, 0});
    }

    static EntryNode& Load(EntryNode& folder, const std::wstring& dir, const std::wstring& name,
                           Origin origin) {
        return folder.AppendChild(name, {dir + L"\\" + name, folder.Entry().Category, origin, 0});
    }

    std::vector<EntryNode*> Listed(int category, bool showCategoryFolders = false) const {
        return ProgramListEntries(list, category, showCategoryFolders, IsCategoryFolder);
    }

    bool IsListed(const EntryNode& node, int category) const {
        std::vector<EntryNode*> shown = Listed(category);
        return std::find(shown.begin(), shown.end(), &node) != shown.end();
    }

    // Selecting item in professional mode: its folder becomes the single root of the tree.
    Node Select(EntryNode& item) {
        selectedItem = &item;
        ShowFolderInTree(tree, item, DisplayNameOf(base::FileNameOf(item.Entry().Path)),
                         ListStateOf(item.Entry(), current), current,
                         [](EntryNode&) { ADD_FAILURE() << "the contents are loaded already"; });
        return tree.FirstRoot();
    }

    // A click on a node's check box, or a drop of it on the button of category; the list item
    // takes the root's state as its Status.
    void Toggle(const EntryNode& node, int category) {
        int rootState = ToggleTreeNode(tree, list, tree.NodeOf(node.Handle()), current, category);
        EXPECT_TRUE(KeepTreeStateInEntry(tree, selectedItem, rootState));
    }
    void Click(const EntryNode& node) { Toggle(node, current); }

    int StateOf(const EntryNode& node) const { return tree.State(tree.NodeOf(node.Handle())); }
    bool Shown(const EntryNode& node) const { return tree.NodeOf(node.Handle()) != 0; }

    static int CategoryOf(const EntryNode& node) { return node.Entry().Category; }

    EntryList list;
    EntryNode& word;
    EntryNode& suite;
    EntryNode& games;
    EntryNode& gamesLink;
    EntryNode& mail;
    EntryNode& tool;
    EntryNode& extras;
    EntryNode& viewer;
    EntryNode& readme;
    EntryNode& help;

    MemoryCheckTree tree;
    EntryNode* selectedItem = nullptr;
    int current = Office;
};

using ProgramList = StartMenu;
using ListCheckBox = StartMenu;
using CategoryTree = StartMenu;
using TreeCheckBox = StartMenu;
using TreeDrop = StartMenu;
using MoveToRoot = StartMenu;
using TreeDrag = StartMenu;

} // namespace

// Program list ---------------------------------------------------------------------------

TEST_F(ProgramList, ShowsACategorisedEntryCheckedOnlyInItsCategory) {
    mail.Entry().Category = Games;
    for (int category = Office; category <= Other; ++category) {
        EXPECT_EQ(IsListed(mail, category), category == Games) << category;
        EXPECT_TRUE(IsListed(word, category)) << category;
        EXPECT_EQ(ListStateOf(word.Entry(), category), StatusUnchecked) << category;
    }
    EXPECT_EQ(ListStateOf(mail.Entry(), Games), StatusChecked);
}

TEST_F(ProgramList, KeepsEntryOrderAndHidesCategoryFoldersUnlessShown) {
    suite.Entry().Category = Internet;
    EXPECT_EQ(Listed(Office), (std::vector<EntryNode*>{&word, &gamesLink, &mail}));
    EXPECT_EQ(Listed(Internet), (std::vector<EntryNode*>{&word, &suite, &gamesLink, &mail}));
    EXPECT_EQ(Listed(Office, true), (std::vector<EntryNode*>{&word, &games, &gamesLink, &mail}));

    // Capitals make no difference to a category folder; a categorised one still needs the flag.
    EntryNode& office = Top(kUser, L"OFFICE", OriginUser);
    office.Entry().Category = Office;
    EXPECT_FALSE(IsListed(office, Office));
    EXPECT_EQ(Listed(Office, true).back(), &office);
}

TEST_F(ProgramList, PartialStatusShowsInEveryCategoryWhileUncategorised) {
    suite.Entry().Status = StatusPartial;
    for (int category = Office; category <= Other; ++category) {
        EXPECT_TRUE(IsListed(suite, category)) << category;
        EXPECT_EQ(ListStateOf(suite.Entry(), category), StatusPartial) << category;
    }

    suite.Entry().Category = Internet;
    EXPECT_EQ(ListStateOf(suite.Entry(), Internet), StatusChecked);
    EXPECT_FALSE(IsListed(suite, Office));

    suite.Entry().Category = CategoryNone;
    EXPECT_EQ(ListStateOf(suite.Entry(), Office), StatusPartial);
}

// List check box and list drops ----------------------------------------------------------

TEST_F(ListCheckBox, CheckingAPartItemInProfessionalModePutsAllLoadedContentsIn) {
    // Tool checked in Office leaves Suite partly so, shown as such under Games too.
    Select(suite);
    Click(tool);
    ASSERT_EQ(suite.Entry().Status, StatusPartial);
    readme.Entry().Category = Internet;
    current = Games;
    ASSERT_EQ(ListStateOf(suite.Entry(), Games), StatusPartial);

    EXPECT_EQ(ToggleListEntry(suite, StatusPartial, Games, true), StatusChecked);
    for (const EntryNode* node : {&suite, &tool, &extras, &viewer, &readme, &help})
        EXPECT_EQ(CategoryOf(*node), Games) << node->Name();
    EXPECT_EQ(suite.Entry().Status, StatusPartial);
    EXPECT_EQ(ListStateOf(suite.Entry(), Games), StatusChecked);
    EXPECT_FALSE(IsListed(suite, Office));
}

TEST_F(ListCheckBox, SimpleModeChangesTheItemAlone) {
    tool.Entry().Category = Office;
    suite.Entry().Status = StatusPartial;

    EXPECT_EQ(ToggleListEntry(suite, StatusPartial, Games, false), StatusChecked);
    EXPECT_EQ(CategoryOf(suite), Games);
    EXPECT_EQ(CategoryOf(tool), Office);
    EXPECT_EQ(CategoryOf(help), CategoryNone);

    EXPECT_EQ(ToggleListEntry(suite, StatusChecked, Games, false), StatusUnchecked);
    EXPECT_EQ(CategoryOf(suite), CategoryNone);
    EXPECT_EQ(ToggleListEntry(word, StatusUnchecked, Games, false), StatusChecked);
    EXPECT_EQ(CategoryOf(word), Games);
}

TEST_F(ListCheckBox, UncheckingInProfessionalModeTakesAllLoadedContentsOut) {
    ApplyCheckState(suite, Office, false, true);
    EXPECT_EQ(ToggleListEntry(suite, StatusChecked, Office, true), StatusUnchecked);
    for (const EntryNode* node : {&suite, &tool, &extras, &viewer, &readme, &help})
        EXPECT_EQ(CategoryOf(*node), CategoryNone) << node->Name();
}

TEST_F(ListCheckBox, TheShownFolderFollowsItsItemButThePlaceholderNever) {
    tool.Entry().Category = Office;
    Node root = Select(suite);
    ASSERT_TRUE(TreeShowsFolder(tree));

    int state = ToggleListEntry(suite, ListStateOf(suite.Entry(), Office), Office, true);
    ApplyCheckState(tree, tree.FirstRoot(), state != StatusChecked, true);
    for (const EntryNode* node : {&suite, &tool, &extras, &viewer, &readme, &help})
        EXPECT_EQ(StateOf(*node), StatusChecked) << node->Name();

    ApplyCheckState(tree, root, true, false);
    EXPECT_EQ(tree.State(root), StatusUnchecked);
    EXPECT_EQ(StateOf(tool), StatusChecked);

    tree.Clear();
    EXPECT_FALSE(TreeShowsFolder(tree));
    tree.AddPlaceholder();
    EXPECT_FALSE(TreeShowsFolder(tree));
    EXPECT_TRUE(IsPlaceholder(tree, tree.FirstRoot()));
    EXPECT_EQ(tree.Text(tree.FirstRoot()), kPlaceholderText);
}

TEST_F(ListCheckBox, DropOnAnotherButtonMovesTheItemThereChecked) {
    AssignListEntry(suite, Internet, true);
    for (const EntryNode* node : {&suite, &tool, &extras, &viewer, &readme, &help})
        EXPECT_EQ(CategoryOf(*node), Internet) << node->Name();
    EXPECT_FALSE(IsListed(suite, Office));
    EXPECT_TRUE(IsListed(suite, Internet));
    EXPECT_EQ(ListStateOf(suite.Entry(), Internet), StatusChecked);

    AssignListEntry(suite, Games, false);
    EXPECT_EQ(CategoryOf(suite), Games);
    EXPECT_EQ(CategoryOf(tool), Internet);
}

// Category tree contents -----------------------------------------------------------------

TEST_F(CategoryTree, ShowsTheCurrentAndUncategorisedContentsWithTheirStates) {
    tool.Entry().Category = Games;
    readme.Entry().Category = Office;
    Node root = tree.Append(0, L"Suite", suite.Entry().Path, suite.Handle());

    EXPECT_EQ(AddContentChildren(suite, tree, root, Office), Office);
    const std::vector<Node>& shown = tree.Children(root);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(tree.Text(shown[0]), L"Extras");
    EXPECT_EQ(tree.Data(shown[0]), extras.Handle());
    EXPECT_EQ(tree.IconPath(shown[0]), kCommon + L"\\Suite\\Extras");
    EXPECT_EQ(tree.State(shown[0]), StatusPartial);
    EXPECT_EQ(tree.Text(shown[1]), L"Help.lnk");
    EXPECT_EQ(tree.IconPath(shown[1]), kUser + L"\\Suite\\Help.lnk");
    EXPECT_EQ(tree.State(shown[1]), StatusUnchecked);
    EXPECT_EQ(StateOf(viewer), StatusUnchecked);
    EXPECT_EQ(StateOf(readme), StatusChecked);
    EXPECT_FALSE(Shown(tool));
}

TEST_F(CategoryTree, ReportsTheCurrentCategoryOnlyWhenSomethingInsideIsInIt) {
    Node root = tree.Append(0, L"Suite", suite.Entry().Path, suite.Handle());
    EXPECT_EQ(AddContentChildren(suite, tree, root, Games), CategoryNone);

    tree.Clear();
    viewer.Entry().Category = Games;
    root = tree.Append(0, L"Suite", suite.Entry().Path, suite.Handle());
    EXPECT_EQ(AddContentChildren(suite, tree, root, Games), Games);

    // A checked folder shows checked whatever lies inside it.
    tree.Clear();
    viewer.Entry().Category = CategoryNone;
    extras.Entry().Category = Games;
    root = tree.Append(0, L"Suite", suite.Entry().Path, suite.Handle());
    EXPECT_EQ(AddContentChildren(suite, tree, root, Games), Games);
    EXPECT_EQ(StateOf(extras), StatusChecked);
    EXPECT_EQ(StateOf(viewer), StatusUnchecked);
}

TEST_F(CategoryTree, ItemsMarkedForTheRootAreShownForNoCategory) {
    extras.Entry().Category = MoveToRootCategory;
    for (current = Office; current <= Other; ++current) {
        Select(suite);
        EXPECT_FALSE(Shown(extras)) << current;
        EXPECT_FALSE(Shown(viewer)) << current;
        EXPECT_TRUE(Shown(tool)) << current;
    }
}

TEST_F(CategoryTree, SubtreeStateSplitsOnAnyDifferenceInCategory) {
    tool.Entry().Category = Office;
    EXPECT_EQ(SubtreeState(tool, Office), StatusChecked);
    EXPECT_EQ(SubtreeState(tool, Games), StatusUnchecked);
    EXPECT_EQ(SubtreeState(help, Office), StatusUnchecked);

    ApplyCheckState(suite, Office, false, true);
    EXPECT_EQ(SubtreeState(suite, Office), StatusChecked);
    EXPECT_EQ(SubtreeState(suite, Games), StatusUnchecked);

    ApplyCheckState(suite, CategoryNone, false, true);
    // The folder's own category does not count, only what is loaded inside it.
    suite.Entry().Category = Office;
    EXPECT_EQ(SubtreeState(suite, Office), StatusUnchecked);

    help.Entry().Category = Office;
    EXPECT_EQ(SubtreeState(suite, Office), StatusPartial);

    // Two categories, neither of them the current one, still split the folder.
    help.Entry().Category = Games;
    EXPECT_EQ(SubtreeState(suite, Office), StatusPartial);

    help.Entry().Category = CategoryNone;
    readme.Entry().Category = Office;
    EXPECT_EQ(SubtreeState(extras, Office), StatusPartial);
    EXPECT_EQ(SubtreeState(suite, Office), StatusPartial);
}

// Tree check box -------------------------------------------------------------------------

TEST_F(TreeCheckBox, SubItemsDecideTheirFoldersStateAndCategory) {
    EntryNode& pack = Top(kCommon, L"Pack", OriginCommon);
    EntryNode& first = Load(pack, kCommon + L"\\Pack", L"First.lnk", OriginCommon);
    EntryNode& second = Load(pack, kCommon + L"\\Pack", L"Second.lnk", OriginCommon);
    Node root = Select(pack);

    Click(first);
    EXPECT_EQ(StateOf(first), StatusChecked);
    EXPECT_EQ(CategoryOf(first), Office);
    EXPECT_EQ(tree.State(root), StatusPartial);
    EXPECT_EQ(CategoryOf(pack), CategoryNone);
    EXPECT_EQ(pack.Entry().Status, StatusPartial);
    EXPECT_EQ(ListStateOf(pack.Entry(), Graphics), StatusPartial);

    Click(second);
    EXPECT_EQ(tree.State(root), StatusChecked);
    EXPECT_EQ(CategoryOf(pack), Office);
    EXPECT_EQ(pack.Entry().Status, StatusChecked);

    Click(first);
    EXPECT_EQ(StateOf(first), StatusUnchecked);
    EXPECT_EQ(CategoryOf(first), CategoryNone);
    EXPECT_EQ(tree.State(root), StatusPartial);
    EXPECT_EQ(CategoryOf(pack), CategoryNone);
}

TEST_F(TreeCheckBox, AFolderNodeTakesEverythingLoadedInsideWithIt) {
    viewer.Entry().Category = Games;
    Select(suite);
    ASSERT_FALSE(Shown(viewer));

    Click(extras);
    EXPECT_EQ(StateOf(extras), StatusChecked);
    EXPECT_EQ(StateOf(readme), StatusChecked);
    EXPECT_EQ(CategoryOf(viewer), Office);
    EXPECT_EQ(CategoryOf(readme), Office);
    EXPECT_EQ(StateOf(suite), StatusPartial);

    Click(extras);
    EXPECT_EQ(StateOf(readme), StatusUnchecked);
    EXPECT_EQ(CategoryOf(viewer), CategoryNone);
    EXPECT_EQ(StateOf(suite), StatusUnchecked);
    EXPECT_EQ(suite.Entry().Status, StatusUnchecked);
}

TEST_F(TreeCheckBox, WalkUpStopsAtTheFirstAncestorAlreadyShowingItsState) {
    EntryNode& notes = Load(extras, kCommon + L"\\Suite\\Extras", L"Notes.txt", OriginCommon);
    tool.Entry().Category = Office;
    viewer.Entry().Category = Office;
    // The root shows its list item's state, unchecked while its Status is not partly.
    Node root = Select(suite);
    ASSERT_EQ(tree.State(root), StatusUnchecked);
    ASSERT_EQ(StateOf(extras), StatusPartial);

    Click(readme);
    EXPECT_EQ(StateOf(extras), StatusPartial);
    EXPECT_EQ(tree.State(root), StatusUnchecked);
    EXPECT_EQ(suite.Entry().Status, StatusUnchecked);

    Click(notes);
    EXPECT_EQ(StateOf(extras), StatusChecked);
    EXPECT_EQ(CategoryOf(extras), Office);
    EXPECT_EQ(tree.State(root), StatusPartial);
    EXPECT_EQ(CategoryOf(suite), CategoryNone);
}

// Tree drops -----------------------------------------------------------------------------

TEST_F(TreeDrop, CheckedNodeDroppedOnAnotherCategoryBecomesUncategorised) {
    ToggleListEntry(suite, StatusUnchecked, Office, true);
    Node root = Select(suite);
    ASSERT_EQ(StateOf(extras), StatusChecked);

    Toggle(extras, Internet);
    EXPECT_EQ(StateOf(extras), StatusUnchecked);
    EXPECT_EQ(StateOf(viewer), StatusUnchecked);
    for (const EntryNode* node : {&extras, &viewer, &readme})
        EXPECT_EQ(CategoryOf(*node), CategoryNone) << node->Name();
    EXPECT_EQ(tree.State(root), StatusPartial);
    EXPECT_EQ(CategoryOf(suite), CategoryNone);
    EXPECT_EQ(suite.Entry().Status, StatusPartial);
}

TEST_F(TreeDrop, UncheckedNodeTakesTheButtonsCategory) {
    Node root = Select(suite);
    Toggle(extras, Internet);
    EXPECT_EQ(CategoryOf(extras), Internet);
    EXPECT_EQ(CategoryOf(viewer), Internet);
    EXPECT_EQ(CategoryOf(readme), Internet);
    // Its folder's contents now differ in category, so the folder counts as split.
    EXPECT_EQ(tree.State(root), StatusPartial);
    EXPECT_EQ(CategoryOf(suite), CategoryNone);

    tree.Delete(tree.NodeOf(extras.Handle()));
    current = Internet;
    Select(suite);
    EXPECT_EQ(StateOf(extras), StatusChecked);
    EXPECT_EQ(StateOf(viewer), StatusChecked);
    current = Office;
    Select(suite);
    EXPECT_FALSE(Shown(extras));
}

TEST_F(TreeDrop, AncestorCompletedByTheDropTakesTheButtonsCategory) {
    for (EntryNode* node : {&tool, &help, &viewer})
        node->Entry().Category = Games;
    current = Games;
    Node root = Select(suite);
    ASSERT_EQ(StateOf(extras), StatusPartial);

    Toggle(readme, Games);
    EXPECT_EQ(CategoryOf(readme), Games);
    EXPECT_EQ(CategoryOf(extras), Games);
    EXPECT_EQ(CategoryOf(suite), Games);
    EXPECT_EQ(tree.State(root), StatusChecked);
    EXPECT_EQ(suite.Entry().Status, StatusChecked);
}

// Move to Root and dragging from the tree ------------------------------------------------

TEST_F(MoveToRoot, DoesNothingWithoutASubItem) {
    tree.AddPlaceholder();
    EXPECT_FALSE(MoveSelectedToRoot(tree, list));
    tree.Select(tree.FirstRoot());
    EXPECT_FALSE(MoveSelectedToRoot(tree, list));
    EXPECT_EQ(tree.Count(), 1u);

    Node root = Select(suite);
    size_t count = tree.Count();
    tree.Select(root);
    EXPECT_FALSE(MoveSelectedToRoot(tree, list));
    EXPECT_EQ(tree.Count(), count);
    EXPECT_EQ(CategoryOf(suite), CategoryNone);
}

TEST_F(MoveToRoot, MarksASubItemAndRemovesItsNode) {
    viewer.Entry().Category = Office;
    suite.Entry().Status = StatusPartial;
    Node root = Select(suite);
    tree.Select(tree.NodeOf(extras.Handle()));

    EXPECT_TRUE(MoveSelectedToRoot(tree, list));
    EXPECT_EQ(CategoryOf(extras), MoveToRootCategory);
    EXPECT_FALSE(Shown(extras));
    EXPECT_FALSE(Shown(viewer));
    EXPECT_EQ(CategoryOf(viewer), Office);
    EXPECT_EQ(tree.State(root), StatusPartial);
    EXPECT_EQ(suite.Entry().Status, StatusPartial);
    EXPECT_EQ(CategoryOf(suite), CategoryNone);
    EXPECT_EQ(tree.Children(root).size(), 2u);
}

TEST_F(TreeDrag, NeedsASelectedNodeOtherThanThePlaceholder) {
    tree.AddPlaceholder();
    EXPECT_FALSE(TreeDragAccepted(tree));
    tree.Select(tree.FirstRoot());
    EXPECT_FALSE(TreeDragAccepted(tree));

    Node root = Select(suite);
    EXPECT_FALSE(TreeDragAccepted(tree));
    tree.Select(root);
    EXPECT_TRUE(TreeDragAccepted(tree));
    tree.Select(tree.NodeOf(viewer.Handle()));
    EXPECT_TRUE(TreeDragAccepted(tree));
}
