// The categorisation page driven through its real controls.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "MainWindowFixture.h"
#include "product/Settings.h"

using namespace testing_support;
using namespace startmenu;
using DragSource = CategoriesPage::DragSource;

namespace {

constexpr int kOffice = 0, kUtilities = 1, kGames = 2, kInternet = 4, kGraphics = 6;

class CategoryPage : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        MakeStartMenu();
    }
    void OpenProfessional() {
        product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue,
                               1);
        Open();
        form->Button4Click();
    }
    void SelectFolder(const std::wstring& caption) {
        int item = ListIndex(caption);
        ASSERT_GE(item, 0);
        SelectListItem(item);
    }
};

} // namespace

TEST_F(CategoryPage, NineButtonsInOrderWithOfficeCurrent) {
    Open();
    ASSERT_EQ(form->Page2().CategoryButtons.size(), 9u);
    const wchar_t* names[] = {L"Office",        L"Utilities", L"Games",
                              L"Entertainment", L"Internet",  L"Programming",
                              L"Graphics",      L"Security",  L"Other"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(ButtonCaption(i), std::wstring(L"  ") + names[i] + L"  ");
        EXPECT_EQ(Button(i).Tag, i);
        EXPECT_EQ(Greyed(i), i != kOffice);
        // Left to right in index order.
        EXPECT_EQ(SendMessageW(form->Page2().ToolBar1, TB_COMMANDTOINDEX, Button(i).commandId, 0),
                  i);
    }
    EXPECT_EQ(form->Model().CurrentCategory, kOffice);
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"<None>"}));
}

TEST_F(CategoryPage, ListShowsUncategorisedItemsButNotCategoryFolders) {
    Open();
    std::vector<std::wstring> captions = ListCaptions();
    EXPECT_GE(ListIndex(L"Writer"), 0);
    EXPECT_GE(ListIndex(L"Mail"), 0);
    EXPECT_GE(ListIndex(L"Suite"), 0);
    // Only the shortcut named Games is listed: the folder Games is a category folder.
    EXPECT_EQ(std::count(captions.begin(), captions.end(), L"Games"), 1);
    EXPECT_EQ(form->Page2().ListEntry(ListIndex(L"Games"))->Name(), L"Games.lnk");
    for (int i = 0; i < form->Page2().ListCount(); ++i)
        EXPECT_EQ(form->Page2().ListState(i), StatusUnchecked);
    // Common items come first, then the user's own.
    EXPECT_LT(ListIndex(L"Writer"), ListIndex(L"Mail"));
}

TEST_F(CategoryPage, ShowCategoryFoldersListsThemAndIsStored) {
    MakeDir(User(L"GAMES"));
    Open();
    form->Button4Click();
    form->Page1().RadioButton2Click();
    SendMessageW(form->Page2().CheckBox1, BM_CLICK, 0, 0);
    EXPECT_TRUE(form->Model().ShowCategoryFolders);
    EXPECT_EQ(product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey,
                                    product::kShowCategoryFoldersValue),
              1u);
    std::vector<std::wstring> captions = ListCaptions();
    EXPECT_EQ(std::count(captions.begin(), captions.end(), L"Games"), 2)
        << "the folder and the shortcut";
    SendMessageW(form->Page2().CheckBox1, BM_CLICK, 0, 0);
    EXPECT_EQ(product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey,
                                    product::kShowCategoryFoldersValue),
              0u);
    EXPECT_EQ(form->Model().CurrentCategory, kOffice);
}

TEST_F(CategoryPage, StoredShowCategoryFoldersAppliesAtStartWithoutAWrite) {
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey,
                           product::kShowCategoryFoldersValue, 1);
    Open();
    EXPECT_EQ(Button_GetCheck(form->Page2().CheckBox1), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(form->Page2().CheckBox1)) << "simple mode hides the check box";
    EXPECT_TRUE(form->Model().IsCategoryFolder(Common(L"Games")));
    EXPECT_FALSE(form->Model().IsCategoryFolder(User(L"Games.lnk")));
    std::vector<std::wstring> captions = ListCaptions();
    EXPECT_EQ(std::count(captions.begin(), captions.end(), L"Games"), 2);
    EXPECT_FALSE(product::RegValueExists(HKEY_CURRENT_USER, product::kSettingsKey,
                                         product::kSimpleModeValue));
}

TEST_F(CategoryPage, OnlyTheCheckBoxOfAnItemTicksIt) {
    Open();
    form->Button4Click();
    int writer = ListIndex(L"Writer");
    ClickListCaption(writer);
    EXPECT_EQ(form->Page2().ListState(writer), StatusUnchecked);
    EXPECT_EQ(EntryOf(L"Writer").Category, CategoryNone);

    ClickListCheckBox(writer);
    EXPECT_EQ(form->Page2().ListState(writer), StatusChecked);
    EXPECT_EQ(EntryOf(L"Writer").Category, kOffice);
    ClickListCheckBox(writer);
    EXPECT_EQ(form->Page2().ListState(writer), StatusUnchecked);
    EXPECT_EQ(EntryOf(L"Writer").Category, CategoryNone);
}

TEST_F(CategoryPage, TypicalRequestWalksEveryCategoryToTheLastPage) {
    Open();
    EXPECT_EQ(form->ActivePage(), 1);
    EXPECT_FALSE(IsWindowEnabled(form->Button5));
    form->Button4Click();
    EXPECT_EQ(form->ActivePage(), 2);
    EXPECT_EQ(form->Model().CurrentCategory, kOffice);
    EXPECT_FALSE(IsWindowVisible(form->Page2().TreeView1)) << "simple mode: the list alone";

    ClickListCheckBox(ListIndex(L"Writer"));
    ClickListCheckBox(ListIndex(L"Spreadsheet"));
    int chess = ListIndex(L"Chess");
    SelectListItem(chess);
    ASSERT_TRUE(form->Page2().ButtonDragOver(Button(kGames), DragSource::List));
    form->Page2().ButtonDragDrop(Button(kGames), DragSource::List);
    EXPECT_EQ(ListIndex(L"Chess"), -1) << "it belongs to Games now";
    EXPECT_EQ(EntryOf(L"Chess").Category, kGames);
    EXPECT_EQ(EntryOf(L"Writer").Category, kOffice);

    form->Button4Click();
    EXPECT_EQ(form->Model().CurrentCategory, kUtilities);
    EXPECT_EQ(ListIndex(L"Writer"), -1) << "items of other categories are not offered";
    form->Button4Click();
    EXPECT_EQ(form->Model().CurrentCategory, kGames);
    ASSERT_GE(ListIndex(L"Chess"), 0);
    EXPECT_EQ(form->Page2().ListState(ListIndex(L"Chess")), StatusChecked);
    EXPECT_TRUE(Greyed(kOffice));
    EXPECT_FALSE(Greyed(kGames));

    for (int i = 0; i < 6; ++i)
        form->Button4Click();
    EXPECT_EQ(form->Model().CurrentCategory, 8);
    EXPECT_EQ(form->ActivePage(), 2);
    form->Button4Click();
    EXPECT_EQ(form->ActivePage(), 3);
    EXPECT_FALSE(IsWindowEnabled(form->Button4));
    form->Button5Click();
    EXPECT_EQ(form->ActivePage(), 2);
    EXPECT_EQ(form->Model().CurrentCategory, 8) << "Back from the last page keeps the category";
}

TEST_F(CategoryPage, ClickingAnotherCategoryEmptiesTheTree) {
    OpenProfessional();
    SelectFolder(L"Suite");
    EXPECT_NE(TreeNode(L"Suite"), 0u);
    ClickCategory(kGraphics);
    EXPECT_EQ(form->Model().CurrentCategory, kGraphics);
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"<None>"}));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Greyed(i), i != kGraphics);
}

TEST_F(CategoryPage, SelectingAFolderShowsItsContentsOneLevelOpen) {
    MakeDir(Common(L"Suite\\Extras"));
    Shortcut(Common(L"Suite\\Extras\\Deep.lnk"));
    OpenProfessional();
    SelectFolder(L"Writer");
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"<None>"})) << "a shortcut has no contents";

    SelectFolder(L"Suite");
    CheckTree::Node root = form->Page2().Tree->FirstRoot();
    EXPECT_EQ(form->Page2().Tree->Text(root), L"Suite");
    EXPECT_EQ(form->Page2().Tree->NextSibling(root), 0u) << "the folder is the single root";
    std::vector<std::wstring> texts = TreeTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"desktop.ini"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Deep.lnk"), texts.end());
    EXPECT_TRUE(TreeView_GetItemState(form->Page2().TreeView1, reinterpret_cast<HTREEITEM>(root),
                                      TVIS_EXPANDED) &
                TVIS_EXPANDED);
    EXPECT_FALSE(TreeView_GetItemState(form->Page2().TreeView1,
                                       reinterpret_cast<HTREEITEM>(TreeNode(L"Extras")),
                                       TVIS_EXPANDED) &
                 TVIS_EXPANDED);
}

TEST_F(CategoryPage, FolderInBothProgramsFoldersShowsTheUnion) {
    OpenProfessional();
    SelectFolder(L"Shared");
    std::vector<std::wstring> texts = TreeTexts();
    std::sort(texts.begin() + 1, texts.end());
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Shared", L"X.lnk", L"Y.lnk"}));
    EntryNode* shared = form->Page2().ListEntry(ListIndex(L"Shared"));
    for (EntryNode* child = shared->FirstChild(); child; child = child->NextSibling())
        EXPECT_EQ(child->Entry().Origin, child->Name() == L"X.lnk" ? OriginBoth : OriginUser);
}

TEST_F(CategoryPage, CheckingSubItemsOneByOneMakesTheFolderPartlyThenWhole) {
    MakeFile(Common(L"Suite\\desktop.ini")); // leaves three items: Tool, Help, desktop.ini
    OpenProfessional();
    int suite = ListIndex(L"Suite");
    SelectFolder(L"Suite");
    ClickTreeCheckBox(TreeNode(L"Tool.lnk"));
    CheckTree::Node root = form->Page2().Tree->FirstRoot();
    EXPECT_EQ(form->Page2().Tree->State(root), StatusPartial);
    EXPECT_EQ(form->Page2().ListState(suite), StatusPartial);
    EXPECT_EQ(EntryOf(L"Suite").Status, StatusPartial);
    EXPECT_EQ(EntryOf(L"Suite").Category, CategoryNone);

    ClickTreeCheckBox(TreeNode(L"Help.lnk"));
    ClickTreeCheckBox(TreeNode(L"desktop.ini"));
    EXPECT_EQ(form->Page2().Tree->State(root), StatusChecked);
    EXPECT_EQ(form->Page2().ListState(suite), StatusChecked);
    EXPECT_EQ(EntryOf(L"Suite").Category, kOffice);
}

TEST_F(CategoryPage, PartlyStateFollowsTheFolderIntoOtherCategories) {
    OpenProfessional();
    SelectFolder(L"Suite");
    ClickTreeCheckBox(TreeNode(L"Tool.lnk"));
    ClickCategory(kInternet);
    EXPECT_EQ(form->Page2().ListState(ListIndex(L"Suite")), StatusPartial);
    // Checking it there puts the whole folder, and everything loaded in it, into Internet.
    ClickListCheckBox(ListIndex(L"Suite"));
    EXPECT_EQ(EntryOf(L"Suite").Category, kInternet);
    EntryNode* suite = form->Page2().ListEntry(ListIndex(L"Suite"));
    for (EntryNode* child = suite->FirstChild(); child; child = child->NextSibling())
        EXPECT_EQ(child->Entry().Category, kInternet);
}

TEST_F(CategoryPage, TickingASelectedFolderTicksItsWholeTree) {
    OpenProfessional();
    int suite = ListIndex(L"Suite");
    SelectFolder(L"Suite");
    ClickListCheckBox(suite);
    for (const wchar_t* name : {L"Suite", L"Tool.lnk", L"Help.lnk"})
        EXPECT_EQ(form->Page2().Tree->State(TreeNode(name)), StatusChecked);
    ClickListCheckBox(suite);
    EXPECT_EQ(form->Page2().Tree->State(TreeNode(L"Tool.lnk")), StatusUnchecked);
}

TEST_F(CategoryPage, MoveToRootActsOnlyInsideTheFolder) {
    OpenProfessional();
    SelectFolder(L"Suite");
    form->Page2().Tree->Select(form->Page2().Tree->FirstRoot());
    form->Page2().Movetoroot1Click();
    EXPECT_NE(TreeNode(L"Suite"), 0u) << "not on the root";

    CheckTree::Node tool = TreeNode(L"Tool.lnk");
    form->Page2().Tree->Select(tool);
    form->Page2().Movetoroot1Click();
    EXPECT_EQ(TreeNode(L"Tool.lnk"), 0u);
    EntryNode* suite = form->Page2().ListEntry(ListIndex(L"Suite"));
    EXPECT_EQ(FindSiblingByName(suite->FirstChild(), L"Tool.lnk", true)->Entry().Category,
              MoveToRootCategory);
    // It stays away from the tree in every category.
    SelectListItem(ListIndex(L"Writer"));
    SelectFolder(L"Suite");
    EXPECT_EQ(TreeNode(L"Tool.lnk"), 0u);

    ClickCategory(kUtilities);
    form->Page2().Tree->Select(form->Page2().Tree->FirstRoot());
    form->Page2().Movetoroot1Click();
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"<None>"})) << "not on the placeholder";
}

TEST_F(CategoryPage, RightClickSelectsTheNodeUnderThePointer) {
    OpenProfessional();
    SelectFolder(L"Suite");
    CheckTree::Node help = TreeNode(L"Help.lnk");
    RECT r;
    TreeView_GetItemRect(form->Page2().TreeView1, reinterpret_cast<HTREEITEM>(help), &r, TRUE);
    form->Page2().TreeView1MouseUp({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_EQ(form->Page2().Tree->Selected(), help);
}

TEST_F(CategoryPage, DragsFromTheTree) {
    OpenProfessional();
    EXPECT_FALSE(form->Page2().ButtonDragOver(Button(kGames), DragSource::Tree))
        << "no node selected";
    form->Page2().Tree->Select(form->Page2().Tree->FirstRoot());
    EXPECT_FALSE(form->Page2().ButtonDragOver(Button(kGames), DragSource::Tree))
        << "the placeholder";

    SelectFolder(L"Suite");
    ClickTreeCheckBox(TreeNode(L"Tool.lnk"));
    CheckTree::Node tool = TreeNode(L"Tool.lnk");
    form->Page2().Tree->Select(tool);
    ASSERT_TRUE(form->Page2().ButtonDragOver(Button(kGames), DragSource::Tree));
    form->Page2().ButtonDragDrop(Button(kGames), DragSource::Tree);
    EXPECT_EQ(TreeNode(L"Tool.lnk"), 0u);
    EntryNode* suite = form->Page2().ListEntry(ListIndex(L"Suite"));
    EXPECT_EQ(FindSiblingByName(suite->FirstChild(), L"Tool.lnk", true)->Entry().Category,
              CategoryNone)
        << "a checked node dropped elsewhere is unticked";

    form->Page2().Tree->Select(TreeNode(L"Help.lnk"));
    form->Page2().ButtonDragDrop(Button(kGames), DragSource::Tree);
    EXPECT_EQ(FindSiblingByName(suite->FirstChild(), L"Help.lnk", true)->Entry().Category, kGames);
    ClickCategory(kGames);
    SelectFolder(L"Suite");
    EXPECT_EQ(form->Page2().Tree->State(TreeNode(L"Help.lnk")), StatusChecked);
}

TEST_F(CategoryPage, DroppingOnTheCurrentCategoryKeepsTheItemChecked) {
    Open();
    form->Button4Click();
    int mail = ListIndex(L"Mail");
    SelectListItem(mail);
    form->Page2().ButtonDragDrop(Button(kOffice), DragSource::List);
    EXPECT_EQ(form->Page2().ListState(ListIndex(L"Mail")), StatusChecked);
    EXPECT_EQ(EntryOf(L"Mail").Category, kOffice);
}

TEST_F(CategoryPage, SimpleModeNeverReadsFolderContents) {
    Open();
    form->Button4Click();
    SelectFolder(L"Suite");
    EXPECT_FALSE(form->Page2().ListEntry(ListIndex(L"Suite"))->HasChildren());
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"<None>"}));
}

TEST_F(CategoryPage, SpaceTicksTheSelectedItem) {
    Open();
    form->Button4Click();
    int writer = ListIndex(L"Writer");
    SelectListItem(writer);
    SendMessageW(form->Page2().ListView1, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(form->Page2().ListState(writer), StatusChecked);
    EXPECT_EQ(EntryOf(L"Writer").Category, kOffice);
}

TEST_F(CategoryPage, DraggingAnItemWithTheMouseOntoACategoryButton) {
    Open();
    form->Button4Click();
    int writer = ListIndex(L"Writer");
    SelectListItem(writer);
    NMLISTVIEW begin = {};
    begin.hdr = {form->Page2().ListView1,
                 static_cast<UINT_PTR>(GetDlgCtrlID(form->Page2().ListView1)),
                 static_cast<UINT>(LVN_BEGINDRAG)};
    begin.iItem = writer;
    SendMessageW(form->Handle(), WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));

    // Over the Games button, then let go.
    RECT games;
    SendMessageW(form->Page2().ToolBar1, TB_GETRECT, Button(kGames).commandId,
                 reinterpret_cast<LPARAM>(&games));
    POINT p = {(games.left + games.right) / 2, (games.top + games.bottom) / 2};
    ClientToScreen(form->Page2().ToolBar1, &p);
    SetCursorPos(p.x, p.y);
    POINT client = p;
    ScreenToClient(form->Handle(), &client);
    SendMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    EXPECT_EQ(SendMessageW(form->Page2().ToolBar1, TB_GETHOTITEM, 0, 0),
              SendMessageW(form->Page2().ToolBar1, TB_COMMANDTOINDEX, Button(kGames).commandId, 0))
        << "the button under the pointer lights up";
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));

    EXPECT_EQ(EntryOf(L"Writer").Category, kGames);
    EXPECT_EQ(ListIndex(L"Writer"), -1);
    EXPECT_NE(GetCapture(), form->Handle());
}

TEST_F(CategoryPage, EscapeCancelsADrag) {
    Open();
    form->Button4Click();
    SelectListItem(ListIndex(L"Writer"));
    NMLISTVIEW begin = {};
    begin.hdr = {form->Page2().ListView1,
                 static_cast<UINT_PTR>(GetDlgCtrlID(form->Page2().ListView1)),
                 static_cast<UINT>(LVN_BEGINDRAG)};
    SendMessageW(form->Handle(), WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
    SendMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(EntryOf(L"Writer").Category, CategoryNone);
}

TEST_F(CategoryPage, DroppingTheSelectedFolderElsewhereEmptiesTheTree) {
    OpenProfessional();
    SelectFolder(L"Suite");
    form->Page2().ButtonDragDrop(Button(kGames), DragSource::List);
    EXPECT_EQ(ListIndex(L"Suite"), -1);
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"<None>"}));
    EXPECT_EQ(EntryOf(L"Suite").Category, kGames);
}

TEST_F(CategoryPage, TicksAreDrawnWhereTheyAreSet) {
    OpenProfessional();
    int writer = ListIndex(L"Writer");
    ClickListCheckBox(writer);
    EXPECT_TRUE(ListShowsTick(writer));
    EXPECT_FALSE(ListShowsTick(ListIndex(L"Spreadsheet")));

    SelectFolder(L"Suite");
    ClickTreeCheckBox(TreeNode(L"Tool.lnk"));
    EXPECT_TRUE(TreeShowsTick(TreeNode(L"Tool.lnk")));
    EXPECT_FALSE(TreeShowsTick(TreeNode(L"Help.lnk")));
    EXPECT_FALSE(TreeShowsTick(TreeNode(L"Suite"))) << "partly: a grey tick";
}
