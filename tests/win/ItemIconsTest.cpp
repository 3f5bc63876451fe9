// The program list and the category tree show their items at once and their icons as the
// shell gives them, each fetched once a scan.
#include <windows.h>

#include "MainWindowFixture.h"
#include "startmenu/model/IconFetcher.h"

using namespace testing_support;
using namespace startmenu;

namespace {

class ItemIcons : public MainWindowTest {
protected:
    static bool Placeholder(int image) {
        return image == IconFetcher::kDocumentImage || image == IconFetcher::kFolderImage;
    }
    // Runs the GUI thread's messages one at a time until the fetcher has nothing on its way;
    // after each, the rows with their own icon are the first rows of the list (but for one
    // whose icon cannot come).
    void LetIconsArrive(int without = -1) {
        while (!form->Page2().Icons().Idle()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&msg);
                bool placeholderSeen = false;
                for (int i = 0; i < form->Page2().ListCount(); ++i) {
                    if (i == without)
                        continue;
                    bool own = !Placeholder(form->Page2().ListImage(i));
                    ASSERT_FALSE(own && placeholderSeen)
                        << "row " << i << " before the rows above it";
                    placeholderSeen = placeholderSeen || !own;
                }
            }
        }
    }
};

} // namespace

TEST_F(ItemIcons, ComeInTheBackgroundRowsInOrderAndOncePerScan) {
    MakeStartMenu();
    for (int i = 0; i < 40; ++i)
        Shortcut(Common(L"Tool " + std::to_wstring(i) + L".lnk"));
    Open();
    form->Page1().RadioButton2Click();

    int rows = form->Page2().ListCount();
    ASSERT_GT(rows, 40);
    for (int i = 0; i < rows; ++i)
        EXPECT_EQ(form->Page2().ListImage(i),
                  form->Page2().ListEntry(i)->Name().find(L".lnk") == std::wstring::npos
                      ? IconFetcher::kFolderImage
                      : IconFetcher::kDocumentImage)
            << "placeholders at once, by kind";
    // An item whose icon cannot be had keeps its placeholder.
    int gone = ListIndex(L"Tool 7");
    ASSERT_TRUE(DeleteFileW(Common(L"Tool 7.lnk").c_str()));

    ASSERT_NO_FATAL_FAILURE(LetIconsArrive(gone));
    EXPECT_EQ(form->Page2().Icons().Fetched(), rows);
    for (int i = 0; i < rows; ++i)
        EXPECT_EQ(Placeholder(form->Page2().ListImage(i)), i == gone) << i;

    // Walking the categories, ticking and dropping asks the shell for nothing again.
    ClickListCheckBox(0);
    SelectListItem(ListIndex(L"Writer"));
    form->Page2().ButtonDragDrop(Button(2), CategoriesPage::DragSource::List);
    for (int step = 0; step < 3; ++step)
        form->Button4Click();
    form->Button5Click();
    ClickCategory(0);
    EXPECT_EQ(form->Page2().Icons().Fetched(), rows);
    EXPECT_TRUE(form->Page2().Icons().Idle());
    ClickCategory(2);
    EXPECT_FALSE(Placeholder(form->Page2().ListImage(ListIndex(L"Writer"))));
    ClickCategory(0);

    // The tree: the folder's own icon is the list's; its contents come the same way.
    SelectListItem(ListIndex(L"Suite"));
    ASSERT_NO_FATAL_FAILURE(LetIconsArrive(ListIndex(L"Tool 7")));
    EXPECT_EQ(form->Page2().Icons().Fetched(), rows + 3) << "Tool.lnk, Help.lnk, desktop.ini";
    for (const wchar_t* name : {L"Suite", L"Tool.lnk", L"Help.lnk"})
        EXPECT_FALSE(Placeholder(form->Page2().Tree->Image(TreeNode(name)))) << name;

    // The rescan starts afresh: items may have moved.
    form->FormCreate();
    EXPECT_EQ(form->Page2().Icons().Fetched(), 0);
    EXPECT_TRUE(Placeholder(form->Page2().ListImage(0)));
}

TEST_F(ItemIcons, ClosingOrRescanningWhileIconsAreOnTheirWayIsSafe) {
    for (int i = 0; i < 300; ++i)
        Shortcut(Common(L"Item " + std::to_wstring(i) + L".lnk"));
    Open();
    form->FormCreate();
    form->FormCreate();
    EXPECT_LT(form->Page2().Icons().Fetched(), 300);
    form.reset();
    // What was on its way went with the window; nothing comes after it.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(FindWindowW(L"TMainForm", nullptr), nullptr);
}
