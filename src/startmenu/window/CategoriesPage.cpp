// The categorisation page's controls, its layout, its part in the scan and the category
// buttons.
#include "startmenu/window/CategoriesPage.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "product/Settings.h"
#include "res/resource.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Dpi.h"
#include "win/Gdi.h"
#include "win/ListControl.h"

namespace startmenu {
namespace {

using namespace win::anchors;
using win::AnchorBelowBand;

constexpr RECT kToolBarDesign = {0, 28, 784, 62};
// The area shared by the program list, the splitter and the category tree.
constexpr RECT kSplitPanel = {8, 92, 776, 456};
// Kept for a later facility to edit the categories; nothing shows them.
constexpr RECT kUnplaced = {0, 0, 0, 0};
constexpr int kMinListWidth = 60, kTreeWidth = 270, kSplitterWidth = 4;

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

win::IconHandle LoadSmallIcon(int id, int size) {
    return win::IconHandle(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

} // namespace

CategoriesPage::CategoriesPage(HWND window, win::WizardFrame& frame, StartMenuModel& model,
                               Host& host)
    : window_(window), frame_(frame), model_(model), host_(host), dpi_(frame.Dpi()),
      toolBarFont_(win::MakeFont(L"Tahoma", -16, dpi_)),
      listFont_(win::MakeFont(L"Tahoma", -13, dpi_)) {
    int small = win::Scale(16, dpi_);
    imageList2_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 10, 0));
    for (int i = 0; i < 10; ++i)
        ImageList_AddIcon(imageList2_.Get(), LoadSmallIcon(IDI_CATEGORY0 + i, small).Get());
    // The three check states 1 to 3. A tree view shows state n as picture n, so its list
    // starts with a picture that is never shown; a list view shows state n as picture n - 1.
    const int states[] = {IDI_STATE1, IDI_STATE2, IDI_STATE3};
    imageList3_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 4, 0));
    listStates_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 3, 0));
    ImageList_AddIcon(imageList3_.Get(), LoadSmallIcon(IDI_STATE1, small).Get());
    for (int id : states) {
        ImageList_AddIcon(imageList3_.Get(), LoadSmallIcon(id, small).Get());
        ImageList_AddIcon(listStates_.Get(), LoadSmallIcon(id, small).Get());
    }

    frame.AddPage<CategoriesPage>(
        *this, 2,
        {{nullptr,
          {WC_STATICW,
           L"  Category:",
           kLabel,
           IdStatic,
           {8, 8, 400, 26},
           kTopLeft,
           frame.BoldFont()}},
         {&CategoriesPage::ToolBar1,
          {TOOLBARCLASSNAMEW, L"",
           WS_VISIBLE | WS_TABSTOP | WS_GROUP | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_WRAPABLE |
               CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | CCS_TOP,
           IdToolBar1, kToolBarDesign, kTopWide, AsFont(toolBarFont_)}},
         {&CategoriesPage::Label7,
          {WC_STATICW,
           L"Select checkboxes of the programs, which refer to the current category, and then "
           L"press the \"Next >\" button",
           kLabel,
           IdStatic,
           {8, 68, 776, 86},
           kTopWide | AnchorBelowBand}},
         {&CategoriesPage::ListView1,
          {WC_LISTVIEWW, L"",
           WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
               LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
           IdListView1, kSplitPanel, kAllSides | AnchorBelowBand, AsFont(listFont_)}},
         {&CategoriesPage::TreeView1,
          {WC_TREEVIEWW, L"",
           WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
           IdTreeView1, kUnplaced, 0}},
         {&CategoriesPage::CheckBox1,
          {WC_BUTTONW,
           L"&Show Category Folders",
           WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
           IdCheckBox1,
           {8, 494, 300, 514},
           kBottomLeft}},
         {&CategoriesPage::Label12,
          {WC_STATICW, L"", kLabel | SS_ENDELLIPSIS, IdLabel12, {308, 496, 600, 514}, kBottomWide}},
         {&CategoriesPage::Button13,
          {WC_BUTTONW,
           L"S&uggest Categories",
           kButton | WS_GROUP,
           IdButton13,
           {608, 490, 776, 516},
           kBottomRight}},
         {&CategoriesPage::Button2,
          {WC_BUTTONW, L"Select All", WS_TABSTOP, IdButton2, kUnplaced, 0}},
         {&CategoriesPage::Button3,
          {WC_BUTTONW, L"Clear All", WS_TABSTOP, IdButton3, kUnplaced, 0}},
         {&CategoriesPage::BitBtn1,
          {WC_BUTTONW, L"&Add The Category...", WS_TABSTOP, IdBitBtn1, kUnplaced, 0}},
         {&CategoriesPage::BitBtn2,
          {WC_BUTTONW, L"&Delete Current Category", WS_TABSTOP, IdBitBtn2, kUnplaced, 0}},
         {&CategoriesPage::BitBtn3,
          {WC_BUTTONW, L"&Rename...", WS_TABSTOP, IdBitBtn3, kUnplaced, 0}}});

    SendMessageW(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList2_.Get()));
    SendMessageW(ToolBar1, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(ToolBar1, TB_SETBUTTONWIDTH, 0,
                 MAKELPARAM(win::Scale(95, dpi_), win::Scale(400, dpi_)));
    // A name cut off by the column shows whole in a tip.
    ListView_SetExtendedListViewStyle(ListView1,
                                      LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    ListView_SetImageList(ListView1, listStates_.Get(), LVSIL_STATE);
    // The rows' check states are asked for with the rest of each row.
    ListView_SetCallbackMask(ListView1, LVIS_STATEIMAGEMASK);
    Splitter1 = std::make_unique<win::Splitter>(window_, IdSplitter1);
    frame.Adopt(2, Splitter1->Handle());
    Splitter1->Moving = [this](int left) { SetListWidth(left - PanelRect().left); };
    Splitter1->Moved = [this] { Splitter1Moved(); };
    TreeView_SetIndent(TreeView1, win::Scale(19, dpi_));
    TreeView_SetImageList(TreeView1, imageList3_.Get(), TVSIL_STATE);
    Tree = std::make_unique<CategoryTreeView>(TreeView1);
    NewItems1.Create(frame_, 2);

    popupMenu2_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu2_.Get(), MF_STRING, IdMovetoroot1, L"Move to Root");
}

// The scan ---------------------------------------------------------------------------------

void CategoriesPage::Clear() {
    // The entries the suggestions were made for are gone with the old picture.
    targets_.reset();
    suggestions_ = SuggestionRun();
    ShowSuggestionsOn(false);
    SetWindowTextW(Label12, L"");
    rows_.clear();
    ListView_SetItemCountEx(ListView1, 0, 0);
    Tree->Clear();
    while (SendMessageW(ToolBar1, TB_DELETEBUTTON, 0, 0)) {
    }
    CategoryButtons.clear();
}

void CategoriesPage::ShowCategories() {
    Button_SetCheck(CheckBox1, model_.ShowCategoryFolders ? BST_CHECKED : BST_UNCHECKED);
    ResetImageLists();
    RebuildCategoryButtons();
}

void CategoriesPage::StopWorkers() {
    targets_.reset();
    icons_.reset();
}

// Layout -----------------------------------------------------------------------------------

int CategoriesPage::FitToolBar(SIZE client) {
    RECT bar = frame_.Layout().Place(kToolBarDesign, kTopWide, client, dpi_);
    SetWindowPos(ToolBar1, nullptr, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    int rowsBottom = 0;
    int count = static_cast<int>(SendMessageW(ToolBar1, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT button;
        if (SendMessageW(ToolBar1, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&button)))
            rowsBottom = std::max(rowsBottom, static_cast<int>(button.bottom));
    }
    bandExtra_ =
        std::max(0, rowsBottom + win::Scale(2, dpi_) - static_cast<int>(bar.bottom - bar.top));
    return bandExtra_;
}

void CategoriesPage::LayOut(SIZE client) {
    RECT bar = frame_.Layout().Place(kToolBarDesign, kTopWide, client, dpi_);
    SetWindowPos(ToolBar1, nullptr, bar.left, bar.top, bar.right - bar.left,
                 bar.bottom - bar.top + bandExtra_, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutSplitPanel();
}

RECT CategoriesPage::PanelRect() const {
    RECT client;
    GetClientRect(window_, &client);
    return frame_.Layout().Place(kSplitPanel, kAllSides | AnchorBelowBand,
                                 {client.right, client.bottom}, dpi_, bandExtra_);
}

void CategoriesPage::LayoutSplitPanel() {
    RECT panel = PanelRect();
    int width = panel.right - panel.left, height = panel.bottom - panel.top;
    if (!host_.ProfessionalMode()) {
        MoveWindow(ListView1, panel.left, panel.top, width, height, TRUE);
        win::CapListColumns(ListView1, win::Scale(kListColumnWidth, dpi_));
        return;
    }
    int splitter = win::Scale(kSplitterWidth, dpi_);
    int list = std::max(0, std::min(listWidth_, width - splitter));
    MoveWindow(ListView1, panel.left, panel.top, list, height, TRUE);
    win::CapListColumns(ListView1, win::Scale(kListColumnWidth, dpi_));
    MoveWindow(Splitter1->Handle(), panel.left + list, panel.top, splitter, height, TRUE);
    MoveWindow(TreeView1, panel.left + list + splitter, panel.top,
               std::max(0, width - list - splitter), height, TRUE);
}

void CategoriesPage::ShowMode() {
    if (host_.ProfessionalMode())
        ApplyListWidthRule();
    LayoutSplitPanel();
}

bool CategoriesPage::Shows(HWND control) const {
    if (control == TreeView1 || control == Splitter1->Handle() || control == CheckBox1)
        return host_.ProfessionalMode();
    return control != Button2 && control != Button3 && control != BitBtn1 && control != BitBtn2 &&
           control != BitBtn3;
}

void CategoriesPage::ApplyListWidthRule() {
    RECT panel = PanelRect();
    int panelWidth = panel.right - panel.left;
    if (product::RegValueExists(HKEY_CURRENT_USER, product::kSettingsKey,
                                product::kSplitPosValue)) {
        listWidth_ = static_cast<int>(product::RegReadDword(
            HKEY_CURRENT_USER, product::kSettingsKey, product::kSplitPosValue));
        if (panelWidth < listWidth_)
            listWidth_ = panelWidth - win::Scale(kTreeWidth, dpi_);
    } else {
        listWidth_ = panelWidth - win::Scale(kSplitterWidth + kTreeWidth, dpi_);
    }
    if (listWidth_ < win::Scale(kMinListWidth, dpi_))
        listWidth_ = win::Scale(kMinListWidth, dpi_);
    LayoutSplitPanel();
}

void CategoriesPage::KeepMinimumListWidth() {
    if (host_.ProfessionalMode() && listWidth_ < win::Scale(kMinListWidth, dpi_))
        listWidth_ = win::Scale(kMinListWidth, dpi_);
}

void CategoriesPage::SetListWidth(int width) {
    RECT panel = PanelRect();
    int widest = panel.right - panel.left - win::Scale(kSplitterWidth, dpi_) - 1;
    listWidth_ = std::max(1, std::min(width, widest));
    LayoutSplitPanel();
}

void CategoriesPage::Splitter1Moved() {
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSplitPosValue,
                           static_cast<DWORD>(ListWidth()));
}

int CategoriesPage::ListWidth() const {
    RECT r;
    GetWindowRect(ListView1, &r);
    return r.right - r.left;
}

int CategoriesPage::TreeWidth() const {
    RECT r;
    GetWindowRect(TreeView1, &r);
    return r.right - r.left;
}

// The category tool bar has an edge above and below.
void CategoriesPage::PaintToolBarEdge(HDC dc) const {
    RECT tools, below;
    GetWindowRect(ToolBar1, &tools);
    GetWindowRect(Label7, &below);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&tools), 2);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&below), 2);
    tools.top -= 2;
    tools.bottom = below.top - win::Scale(2, dpi_);
    DrawEdge(dc, &tools, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
}

// Categories -------------------------------------------------------------------------------

const CategoriesPage::CategoryButton* CategoriesPage::ButtonOf(int category) const {
    int count = static_cast<int>(CategoryButtons.size());
    if (category < 0 || category >= count)
        return nullptr;
    return &CategoryButtons[static_cast<size_t>(count - 1 - category)];
}

// Runs on an empty tool bar: the scan has removed the buttons of the earlier scan.
void CategoriesPage::RebuildCategoryButtons() {
    for (int i = static_cast<int>(model_.CategoryNames.size()) - 1; i >= 0; --i) {
        std::wstring caption = L"  " + model_.CategoryNames[static_cast<size_t>(i)] + L"  ";
        TBBUTTON button = {};
        button.iBitmap = i > 9 ? 9 : i;
        button.idCommand = IdFirstCategoryButton + i;
        // Greyed until its category is current.
        button.fsState = TBSTATE_ENABLED | TBSTATE_INDETERMINATE;
        if (i <= 8 && model_.CategoryHidden[static_cast<size_t>(i)])
            button.fsState |= TBSTATE_HIDDEN;
        button.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT | BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(caption.c_str());
        // Each new button goes in front, which puts them left to right in index order.
        SendMessageW(ToolBar1, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&button));
        CategoryButtons.push_back({IdFirstCategoryButton + i, i});
    }
    SendMessageW(ToolBar1, TB_AUTOSIZE, 0, 0);
    host_.Relayout();
}

bool CategoriesPage::ButtonVisible(const CategoryButton& button) const {
    return !SendMessageW(ToolBar1, TB_ISBUTTONHIDDEN, button.commandId, 0);
}

void CategoriesPage::SelectFirstVisibleCategory() {
    for (int i = 0; i < static_cast<int>(model_.CategoryNames.size()); ++i) {
        const CategoryButton* button = ButtonOf(i);
        if (button && ButtonVisible(*button)) {
            ToolButtonClick(*button);
            return;
        }
    }
}

void CategoriesPage::ToolButtonClick(const CategoryButton& sender) {
    Tree->Clear();
    Tree->AddPlaceholder();
    model_.CurrentCategory = sender.Tag;
    win::WaitCursor wait;
    for (const CategoryButton& button : CategoryButtons)
        SendMessageW(ToolBar1, TB_INDETERMINATE, button.commandId, button.Tag != sender.Tag);
    FillProgramList();
}

void CategoriesPage::CheckBox1Click() {
    if (!host_.ScanComplete())
        return;
    model_.ShowCategoryFolders = Button_GetCheck(CheckBox1) == BST_CHECKED;
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey,
                           product::kShowCategoryFoldersValue, model_.ShowCategoryFolders ? 1 : 0);
    if (const CategoryButton* button = ButtonOf(model_.CurrentCategory))
        ToolButtonClick(*button);
}

} // namespace startmenu
