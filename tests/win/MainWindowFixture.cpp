#include "MainWindowFixture.h"

#include <windows.h>
#include <commctrl.h>

#include "base/PathRules.h"
#include "startmenu/model/NameRules.h"

using namespace startmenu;

namespace testing_support {

void MainWindowTest::SetUp() {
    source.appDir = place.Path() + L"\\";
    source.commonPrograms = place / L"Common";
    source.userPrograms = place / L"User";
    MakeDir(source.commonPrograms);
    MakeDir(source.userPrograms);
    MakeDir(place / L"bin");
}

void MainWindowTest::Shortcut(const std::wstring& path) {
    std::wstring target = place / L"bin\\" + DisplayNameOf(base::FileNameOf(path)) + L".exe";
    MakeFile(target);
    MakeShortcut(path, target);
}

void MainWindowTest::MakeStartMenu() {
    Shortcut(Common(L"Writer.lnk"));
    Shortcut(Common(L"Spreadsheet.lnk"));
    Shortcut(Common(L"Chess.lnk"));
    MakeDir(Common(L"Suite"));
    Shortcut(Common(L"Suite\\Tool.lnk"));
    Shortcut(Common(L"Suite\\Help.lnk"));
    MakeFile(Common(L"Suite\\desktop.ini"));
    MakeDir(Common(L"Games"));
    Shortcut(Common(L"Games\\Pinball.lnk"));
    MakeDir(Common(L"Shared"));
    Shortcut(Common(L"Shared\\X.lnk"));
    Shortcut(User(L"Mail.lnk"));
    MakeDir(User(L"Shared"));
    Shortcut(User(L"Shared\\X.lnk"));
    Shortcut(User(L"Shared\\Y.lnk"));
    Shortcut(User(L"Games.lnk"));
}

void MainWindowTest::Open() {
    form = std::make_unique<TMainForm>(source);
    form->Show();
}

int MainWindowTest::ListIndex(const std::wstring& caption) const {
    for (int i = 0; i < form->Page2().ListCount(); ++i)
        if (form->Page2().ListCaption(i) == caption)
            return i;
    return -1;
}

std::vector<std::wstring> MainWindowTest::ListCaptions() const {
    std::vector<std::wstring> captions;
    for (int i = 0; i < form->Page2().ListCount(); ++i)
        captions.push_back(form->Page2().ListCaption(i));
    return captions;
}

TStartMenu& MainWindowTest::EntryOf(const std::wstring& caption) {
    for (EntryNode* n = form->Model().Entries->First(); n; n = n->NextSibling())
        if (DisplayNameOf(n->Name()) == caption)
            return n->Entry();
    throw std::runtime_error("no such entry");
}

namespace {

// Puts the mouse pointer on the first point of rect whose hit test says "check box".
template <typename HitTest> void PointAtCheckBox(HWND control, RECT rect, HitTest onCheckBox) {
    for (int x = rect.left; x < rect.right; ++x) {
        POINT p = {x, (rect.top + rect.bottom) / 2};
        if (onCheckBox(p)) {
            ClientToScreen(control, &p);
            SetCursorPos(p.x, p.y);
            return;
        }
    }
    ADD_FAILURE() << "no check box found";
}

} // namespace

void MainWindowTest::ClickListCheckBox(int item) {
    ASSERT_GE(item, 0);
    RECT bounds;
    ListView_GetItemRect(form->Page2().ListView1, item, &bounds, LVIR_BOUNDS);
    PointAtCheckBox(form->Page2().ListView1, bounds, [&](POINT p) {
        LVHITTESTINFO hit = {};
        hit.pt = p;
        return ListView_HitTest(form->Page2().ListView1, &hit) == item &&
               (hit.flags & LVHT_ONITEMSTATEICON);
    });
    form->Page2().ListView1Click();
}

void MainWindowTest::ClickListCaption(int item) {
    RECT label;
    ListView_GetItemRect(form->Page2().ListView1, item, &label, LVIR_LABEL);
    POINT p = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ClientToScreen(form->Page2().ListView1, &p);
    SetCursorPos(p.x, p.y);
    form->Page2().ListView1Click();
}

void MainWindowTest::SelectListItem(int item) {
    ListView_SetItemState(form->Page2().ListView1, item, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

CheckTree::Node MainWindowTest::TreeNode(const std::wstring& text) const {
    std::vector<CheckTree::Node> stack;
    for (CheckTree::Node n = form->Page2().Tree->FirstRoot(); n;
         n = form->Page2().Tree->NextSibling(n))
        stack.push_back(n);
    while (!stack.empty()) {
        CheckTree::Node n = stack.back();
        stack.pop_back();
        if (form->Page2().Tree->Text(n) == text)
            return n;
        for (CheckTree::Node c = form->Page2().Tree->FirstChild(n); c;
             c = form->Page2().Tree->NextSibling(c))
            stack.push_back(c);
    }
    return 0;
}

std::vector<std::wstring> MainWindowTest::TreeTexts() const {
    std::vector<std::wstring> texts;
    std::function<void(CheckTree::Node)> walk = [&](CheckTree::Node n) {
        for (; n; n = form->Page2().Tree->NextSibling(n)) {
            texts.push_back(form->Page2().Tree->Text(n));
            walk(form->Page2().Tree->FirstChild(n));
        }
    };
    walk(form->Page2().Tree->FirstRoot());
    return texts;
}

void MainWindowTest::ClickTreeCheckBox(CheckTree::Node node) {
    ASSERT_TRUE(node);
    TreeView_EnsureVisible(form->Page2().TreeView1, reinterpret_cast<HTREEITEM>(node));
    RECT row;
    TreeView_GetItemRect(form->Page2().TreeView1, reinterpret_cast<HTREEITEM>(node), &row, FALSE);
    PointAtCheckBox(form->Page2().TreeView1, row, [&](POINT p) {
        bool onBox = false;
        return form->Page2().Tree->HitTest(p, &onBox) == node && onBox;
    });
    form->Page2().TreeView1Click();
}

bool MainWindowTest::Greyed(int category) const {
    return SendMessageW(form->Page2().ToolBar1, TB_ISBUTTONINDETERMINATE,
                        Button(category).commandId, 0);
}

std::wstring MainWindowTest::ButtonCaption(int category) const {
    wchar_t text[128] = L"";
    SendMessageW(form->Page2().ToolBar1, TB_GETBUTTONTEXTW, Button(category).commandId,
                 reinterpret_cast<LPARAM>(text));
    return text;
}

namespace {

// Counts clearly green pixels of a control's client area between x 0 and right in the band
// top..bottom, as the screen shows them.
int GreenPixels(HWND control, int right, int top, int bottom) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = GetDC(control);
    int green = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < right; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (c != CLR_INVALID && GetGValue(c) > 100 && GetGValue(c) > GetRValue(c) + 50 &&
                GetGValue(c) > GetBValue(c) + 30)
                ++green;
        }
    ReleaseDC(control, dc);
    return green;
}

} // namespace

bool MainWindowTest::ListShowsTick(int item) const {
    RECT bounds, icon;
    ListView_GetItemRect(form->Page2().ListView1, item, &bounds, LVIR_BOUNDS);
    ListView_GetItemRect(form->Page2().ListView1, item, &icon, LVIR_ICON);
    return GreenPixels(form->Page2().ListView1, icon.left, bounds.top, bounds.bottom) > 3;
}

bool MainWindowTest::TreeShowsTick(CheckTree::Node node) const {
    RECT text;
    TreeView_GetItemRect(form->Page2().TreeView1, reinterpret_cast<HTREEITEM>(node), &text, TRUE);
    return GreenPixels(form->Page2().TreeView1, text.left, text.top, text.bottom) > 3;
}

} // namespace testing_support
