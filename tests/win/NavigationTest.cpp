// The wizard's pages, its buttons, the working modes and the splitter position.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "MainWindowFixture.h"
#include "product/Settings.h"

using namespace testing_support;
using namespace startmenu;

namespace {

class Navigation : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        MakeStartMenu();
    }
    static void WriteSplitPos(DWORD value) {
        product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSplitPosValue,
                               value);
    }
    int PanelWidth() const { return form->Page2().ListWidth() + 4 + form->Page2().TreeWidth(); }
    void ToProfessionalPage2() {
        SendMessageW(form->Page1().RadioButton2, BM_CLICK, 0, 0);
        form->Button4Click();
    }
};

} // namespace

TEST_F(Navigation, FirstStartShowsPageOneInSimpleMode) {
    Open();
    EXPECT_EQ(form->ActivePage(), 1);
    EXPECT_EQ(Button_GetCheck(form->Page1().RadioButton1), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(form->Button5));
    EXPECT_TRUE(IsWindowEnabled(form->Button4));
    EXPECT_TRUE(IsWindowVisible(form->Button6));
    EXPECT_TRUE(IsWindowVisible(form->Page1().BitBtn4));
    EXPECT_FALSE(IsWindowVisible(form->Page2().ListView1));
    EXPECT_EQ(WindowText(form->Button6), L"&Finish");
    EXPECT_EQ(WindowText(form->Button11), L"&Menu");
    EXPECT_EQ(WindowText(form->Button5), L"< &Back");
    EXPECT_EQ(WindowText(form->Button4), L"&Next >");

    form->Button4Click();
    EXPECT_EQ(form->ActivePage(), 2);
    EXPECT_TRUE(IsWindowVisible(form->Page2().ListView1));
    EXPECT_FALSE(IsWindowVisible(form->Page2().TreeView1));
    EXPECT_FALSE(IsWindowVisible(form->Page2().CheckBox1));
    EXPECT_TRUE(IsWindowEnabled(form->Button5));
    // The hidden buttons of the page stay hidden.
    for (HWND hidden : {form->Page2().BitBtn1, form->Page2().BitBtn2, form->Page2().BitBtn3,
                        form->Page2().Button2, form->Page2().Button3})
        EXPECT_FALSE(IsWindowVisible(hidden));
}

TEST_F(Navigation, FinishJumpsToTheLastPageWhoseCancelEndsTheProgram) {
    Open();
    form->Button6Click();
    EXPECT_EQ(form->ActivePage(), 3);
    EXPECT_EQ(WindowText(form->Button6), L"&Cancel");
    EXPECT_TRUE(IsWindowEnabled(form->Button5));
    EXPECT_FALSE(IsWindowEnabled(form->Button4));
    EXPECT_EQ(WindowText(form->Page3().Button8), L"&Start Processing");

    form->Button6Click();
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program ends";
}

TEST_F(Navigation, BackFromTheFirstCategoryShowsPageOne) {
    Open();
    form->Button4Click();
    form->Button5Click();
    EXPECT_EQ(form->ActivePage(), 1);
    EXPECT_FALSE(IsWindowEnabled(form->Button5));
}

TEST_F(Navigation, NextAndBackStepOverHiddenCategoriesWithoutRefilling) {
    Open();
    form->Button4Click();
    SendMessageW(form->Page2().ToolBar1, TB_HIDEBUTTON, Button(1).commandId, TRUE);
    SendMessageW(form->Page2().ToolBar1, TB_HIDEBUTTON, Button(2).commandId, TRUE);
    form->Button4Click();
    EXPECT_EQ(form->Model().CurrentCategory, 3);
    EXPECT_FALSE(Greyed(3));
    form->Button5Click();
    EXPECT_EQ(form->Model().CurrentCategory, 0);
    // The last category hidden: Next from the one before it steps past it to page 3.
    SendMessageW(form->Page2().ToolBar1, TB_HIDEBUTTON, Button(8).commandId, TRUE);
    ClickCategory(7);
    form->Button4Click();
    EXPECT_EQ(form->ActivePage(), 3);
}

TEST_F(Navigation, RescanKeepsNineButtonsOneListAndNoStaleHandles) {
    Open();
    form->Button4Click();
    ClickListCheckBox(ListIndex(L"Writer"));
    EntryHandle stale = form->Page2().ListEntry(0)->Handle();
    ClickCategory(5);
    form->FormCreate();
    EXPECT_EQ(form->Page2().CategoryButtons.size(), 9u);
    EXPECT_EQ(SendMessageW(form->Page2().ToolBar1, TB_BUTTONCOUNT, 0, 0), 9);
    EXPECT_EQ(form->Model().CurrentCategory, 0);
    EXPECT_EQ(form->Model().Entries->Find(stale), nullptr);
    EXPECT_EQ(form->ActivePage(), 2) << "the page shown does not change";
    EXPECT_EQ(form->Page2().ListState(ListIndex(L"Writer")), StatusUnchecked);
    for (int i = 0; i < form->Page2().ListCount(); ++i)
        EXPECT_NE(form->Page2().ListEntry(i), nullptr);
}

TEST_F(Navigation, ModesAreStoredAndProfessionalShowsTheTree) {
    Open();
    SendMessageW(form->Page1().RadioButton2, BM_CLICK, 0, 0);
    EXPECT_TRUE(form->Page1().ProfessionalMode);
    EXPECT_EQ(
        product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue),
        1u);
    form->Button4Click();
    EXPECT_TRUE(IsWindowVisible(form->Page2().TreeView1));
    EXPECT_TRUE(IsWindowVisible(form->Page2().CheckBox1));
    form->Button5Click();
    SendMessageW(form->Page1().RadioButton1, BM_CLICK, 0, 0);
    EXPECT_FALSE(form->Page1().ProfessionalMode);
    EXPECT_EQ(
        product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue),
        0u);

    form.reset();
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue, 2);
    Open();
    EXPECT_EQ(Button_GetCheck(form->Page1().RadioButton2), BST_CHECKED);
    EXPECT_TRUE(form->Page1().ProfessionalMode);
}

TEST_F(Navigation, WithoutSplitPosTheTreeIs270Wide) {
    Open();
    ToProfessionalPage2();
    EXPECT_EQ(form->Page2().TreeWidth(), 270);
}

TEST_F(Navigation, SplitPosWiderThanThePageLeaves270ForTheTree) {
    WriteSplitPos(5000);
    Open();
    ToProfessionalPage2();
    EXPECT_EQ(form->Page2().ListWidth(), PanelWidth() - 4 - 270 + 4);
}

TEST_F(Navigation, SmallOrZeroSplitPosIsRaisedTo60) {
    WriteSplitPos(10);
    Open();
    ToProfessionalPage2();
    EXPECT_EQ(form->Page2().ListWidth(), 60);
    form.reset();
    WriteSplitPos(0);
    Open();
    ToProfessionalPage2();
    EXPECT_EQ(form->Page2().ListWidth(), 60);
}

TEST_F(Navigation, MovingTheSplitterIsStoredAndComesBackAfterSimpleMode) {
    Open();
    ToProfessionalPage2();
    // Drag the splitter 50 pixels to the right.
    HWND splitter = form->Page2().Splitter1->Handle();
    int before = form->Page2().ListWidth();
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(51, 10));
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(51, 10));
    EXPECT_EQ(form->Page2().ListWidth(), before + 50);
    EXPECT_EQ(
        product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSplitPosValue),
        static_cast<DWORD>(before + 50));

    form->Button5Click();
    SendMessageW(form->Page1().RadioButton1, BM_CLICK, 0, 0);
    SendMessageW(form->Page1().RadioButton2, BM_CLICK, 0, 0);
    form->Button4Click();
    EXPECT_EQ(form->Page2().ListWidth(), before + 50);
}

TEST_F(Navigation, ResizingKeepsTheLayoutAndTheMinimumSize) {
    Open();
    ToProfessionalPage2();
    RECT window;
    GetWindowRect(form->Handle(), &window);
    int list = form->Page2().ListWidth(), tree = form->Page2().TreeWidth();
    SetWindowPos(form->Handle(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form->Page2().ListWidth(), list) << "the list keeps its width";
    EXPECT_EQ(form->Page2().TreeWidth(), tree + 200) << "the tree takes the rest";
    RECT next, finish, client;
    GetWindowRect(form->Button4, &next);
    GetWindowRect(form->Button6, &finish);
    GetClientRect(form->Handle(), &client);
    POINT corner = {client.right, client.bottom};
    ClientToScreen(form->Handle(), &corner);
    EXPECT_EQ(corner.x - finish.right, 8) << "Finish stays at the right edge";
    EXPECT_EQ(corner.y - finish.bottom, 8);
    EXPECT_LT(next.right, finish.left);
}

TEST_F(Navigation, MenuUnfoldsUpwardsFromTheButton) {
    Open();
    RECT button;
    GetWindowRect(form->Button11, &button);
    POINT origin = form->MenuOrigin();
    EXPECT_EQ(origin.x, button.left);
    EXPECT_EQ(origin.y, button.top - 5 * 19);
    HMENU menu = form->PopupMenu1();
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    const wchar_t* entries[] = {L"About...", L"Home Page", L"Tell a Friend...", L"Help",
                                L"&Undo Last Processing..."};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, entries[i]);
    }
}

TEST_F(Navigation, PageThreeReArmsStartProcessing) {
    Open();
    form->Button6Click();
    SetWindowTextW(form->Page3().Button8, L"Programs have been successfully categorized!");
    EnableWindow(form->Page3().Button8, FALSE);
    form->Button5Click();
    form->Button4Click();
    for (int i = 0; i < 9 && form->ActivePage() != 3; ++i)
        form->Button4Click();
    ASSERT_EQ(form->ActivePage(), 3);
    EXPECT_EQ(WindowText(form->Page3().Button8), L"&Start Processing");
    EXPECT_TRUE(IsWindowEnabled(form->Page3().Button8));
}

TEST_F(Navigation, NoTextIsClippedAt800By600) {
    Open();
    for (int page = 1; page <= 3; ++page) {
        form->ShowPage(page);
        for (HWND child = GetWindow(form->Handle(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[32] = L"";
            GetClassNameW(child, className, 32);
            if (!IsWindowVisible(child) ||
                (wcscmp(className, L"Button") != 0 && wcscmp(className, L"Static") != 0))
                continue;
            std::wstring text = WindowText(child);
            if (text.empty())
                continue;
            RECT r;
            GetClientRect(child, &r);
            HDC dc = GetDC(child);
            HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
            RECT need = {0, 0, r.right, 0};
            DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
            SelectObject(dc, old);
            ReleaseDC(child, dc);
            EXPECT_LE(need.bottom, r.bottom)
                << "page " << page << ": text too tall for its control";
            if (wcscmp(className, L"Button") == 0) {
                RECT line = {0, 0, 0, 0};
                HDC bdc = GetDC(child);
                HGDIOBJ bold = SelectObject(
                    bdc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
                DrawTextW(bdc, text.c_str(), -1, &line, DT_CALCRECT | DT_SINGLELINE);
                SelectObject(bdc, bold);
                ReleaseDC(child, bdc);
                EXPECT_LT(line.right, r.right) << "page " << page << ": button text too wide";
            }
        }
    }
}
