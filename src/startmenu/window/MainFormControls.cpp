// Creation and layout of the main window's controls.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>

#include "product/AppInfo.h"
#include "res/resource.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UMainForm.h"
#include "win/Dpi.h"
#include "win/Errors.h"
#include "win/ListControl.h"

namespace startmenu {
namespace {

using namespace win;
using namespace win::anchors;

// The client area of an 800 by 600 window, for which the layout is designed at 96 dpi.
constexpr SIZE kDesignClient = {784, 561};
constexpr int kBarHeight = 41;
constexpr RECT kToolBarDesign = {0, 28, 784, 62};
// The area shared by the program list, the splitter and the category tree.
constexpr RECT kSplitPanel = {8, 92, 776, 456};

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// Kept for a later facility to edit the categories; nothing shows them.
constexpr RECT kUnplaced = {0, 0, 0, 0};

constexpr const wchar_t* kIntroduction =
    L"The program is designed for arrangement of shortcuts in the Start Menu. The easiest way "
    L"to do that is to group the programs according to their purpose. Thus, all painters can be "
    L"placed to a \"Graphics\" folder, while e-mail and Internet programs - to an \"Internet\" "
    L"folder. Using our software, it will be much easier to perform such categorization.\r\n\r\n"
    L"For each category (Internet, Graphics), the program offers you select check boxes of the "
    L"programs, which you want to be included in this category. For example, when the "
    L"\"Graphics\" category is selected, you should select check boxes of the graphics "
    L"programs.\r\n\r\n"
    L"After the program performs necessary actions, your Menu will no longer be too "
    L"complicated; it becomes compact and handy.";

} // namespace

void TMainForm::CreateFonts() {
    toolBarFont_ = MakeFont(L"Tahoma", -16, dpi_);
    listFont_ = MakeFont(L"Tahoma", -13, dpi_);
}

void TMainForm::LoadPictures() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    int small = Scale(16, dpi_);
    auto loadIcon = [&](int id, int size) {
        return IconHandle(static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
    };
    imageList2_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 10, 0));
    for (int i = 0; i < 10; ++i)
        ImageList_AddIcon(imageList2_.Get(), loadIcon(IDI_CATEGORY0 + i, small).Get());
    // The three check states 1 to 3. A tree view shows state n as picture n, so its list
    // starts with a picture that is never shown; a list view shows state n as picture n - 1.
    const int states[] = {IDI_STATE1, IDI_STATE2, IDI_STATE3};
    imageList3_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 4, 0));
    listStates_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 3, 0));
    ImageList_AddIcon(imageList3_.Get(), loadIcon(IDI_STATE1, small).Get());
    for (int id : states) {
        ImageList_AddIcon(imageList3_.Get(), loadIcon(id, small).Get());
        ImageList_AddIcon(listStates_.Get(), loadIcon(id, small).Get());
    }
    for (int id : {IDI_GLYPH_BACKUP, IDI_GLYPH_CLEANUP, IDI_GLYPH_EXCHANGE}) {
        glyphs_.emplace_back(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 1, 0));
        ImageList_AddIcon(glyphs_.back().Get(), loadIcon(id, small).Get());
    }
    auto loadBitmap = [&](int id) {
        return GdiObject(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    };
    welcome_ = loadBitmap(IDB_WELCOME);
    welcome2x_ = loadBitmap(IDB_WELCOME2X);
}

void TMainForm::CreateControls() {
    frame_ = std::make_unique<WizardFrame>(Handle(), kDesignClient, kBarHeight, dpi_);
    CreateFonts();
    LoadPictures();
    CreatePage1();
    CreatePage2();
    CreatePage3();
    CreateBar();
    frame_->SetKeys(1, {IdButton4, 0});
    frame_->SetKeys(2, {IdButton4, 0});
    // Start Processing runs only when pressed or focused: Enter on page 3 presses the
    // focused button and nothing else.
    frame_->SetKeys(3, {0, IdButton6});

    popupMenu1_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdAboutMenu, L"About...");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdHomePageMenu, L"Home Page");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdTellAFriendMenu, L"Tell a Friend...");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdHelpMenu, L"Help");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdUndoMenu, L"&Undo Last Processing...");
    popupMenu2_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu2_.Get(), MF_STRING, IdMovetoroot1, L"Move to Root");

    Translate();
}

// Introduction, picture, working mode, advanced features.
void TMainForm::CreatePage1() {
    HFONT bold = frame_->BoldFont();
    frame_->AddPage<TMainForm>(
        *this, 1,
        {{nullptr, {WC_STATICW, kIntroduction, kLabel, IdStatic, {16, 14, 768, 128}, kTopWide}},
         {&TMainForm::welcomePicture_,
          {WC_STATICW,
           L"",
           WS_VISIBLE | SS_OWNERDRAW,
           IdWelcomePicture,
           {16, 142, 337, 392},
           kTopLeft}},
         {nullptr,
          {WC_STATICW,
           L"Select the working mode and click Next",
           kLabel,
           IdStatic,
           {360, 146, 768, 164},
           kTopWide,
           bold}},
         {nullptr,
          {WC_BUTTONW,
           L"Working mode",
           WS_VISIBLE | BS_GROUPBOX,
           IdStatic,
           {360, 170, 768, 246},
           kTopWide}},
         {&TMainForm::RadioButton1,
          {WC_BUTTONW,
           L"&Simple mode (recommended) ",
           WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
           IdRadioButton1,
           {376, 190, 760, 212},
           kTopWide}},
         {&TMainForm::RadioButton2,
          {WC_BUTTONW,
           L"&Professional mode",
           WS_VISIBLE | BS_AUTORADIOBUTTON,
           IdRadioButton2,
           {376, 216, 760, 238},
           kTopWide}}});
    SendMessageW(RadioButton1, BM_SETCHECK, BST_CHECKED, 0);
    AddAdvancedFeatures(1, {360, 258, 768, 392},
                        {{{&TMainForm::BitBtn4, IdBitBtn4},
                          {&TMainForm::BitBtn5, IdBitBtn5},
                          {&TMainForm::BitBtn9, IdBitBtn9}}});
}

// The categorisation page.
void TMainForm::CreatePage2() {
    frame_->AddPage<TMainForm>(
        *this, 2,
        {{nullptr,
          {WC_STATICW,
           L"  Category:",
           kLabel,
           IdStatic,
           {8, 8, 400, 26},
           kTopLeft,
           frame_->BoldFont()}},
         {&TMainForm::ToolBar1,
          {TOOLBARCLASSNAMEW, L"",
           WS_VISIBLE | WS_TABSTOP | WS_GROUP | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_WRAPABLE |
               CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | CCS_TOP,
           IdToolBar1, kToolBarDesign, kTopWide, AsFont(toolBarFont_)}},
         {&TMainForm::Label7,
          {WC_STATICW,
           L"Select checkboxes of the programs, which refer to the current category, and then "
           L"press the \"Next >\" button",
           kLabel,
           IdStatic,
           {8, 68, 776, 86},
           kTopWide | AnchorBelowBand}},
         {&TMainForm::ListView1,
          {WC_LISTVIEWW, L"",
           WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
               LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
           IdListView1, kSplitPanel, kAllSides | AnchorBelowBand, AsFont(listFont_)}},
         {&TMainForm::TreeView1,
          {WC_TREEVIEWW, L"",
           WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
           IdTreeView1, kUnplaced, 0}},
         {&TMainForm::CheckBox1,
          {WC_BUTTONW,
           L"&Show Category Folders",
           WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
           IdCheckBox1,
           {8, 494, 300, 514},
           kBottomLeft}},
         {&TMainForm::Label12,
          {WC_STATICW, L"", kLabel | SS_ENDELLIPSIS, IdLabel12, {308, 496, 600, 514}, kBottomWide}},
         {&TMainForm::Button13,
          {WC_BUTTONW,
           L"S&uggest Categories",
           kButton | WS_GROUP,
           IdButton13,
           {608, 490, 776, 516},
           kBottomRight}},
         {&TMainForm::Button2, {WC_BUTTONW, L"Select All", WS_TABSTOP, IdButton2, kUnplaced, 0}},
         {&TMainForm::Button3, {WC_BUTTONW, L"Clear All", WS_TABSTOP, IdButton3, kUnplaced, 0}},
         {&TMainForm::BitBtn1,
          {WC_BUTTONW, L"&Add The Category...", WS_TABSTOP, IdBitBtn1, kUnplaced, 0}},
         {&TMainForm::BitBtn2,
          {WC_BUTTONW, L"&Delete Current Category", WS_TABSTOP, IdBitBtn2, kUnplaced, 0}},
         {&TMainForm::BitBtn3, {WC_BUTTONW, L"&Rename...", WS_TABSTOP, IdBitBtn3, kUnplaced, 0}}});

    SendMessageW(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList2_.Get()));
    SendMessageW(ToolBar1, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(ToolBar1, TB_SETBUTTONWIDTH, 0, MAKELPARAM(Scale(95, dpi_), Scale(400, dpi_)));
    // A name cut off by the column shows whole in a tip.
    ListView_SetExtendedListViewStyle(ListView1,
                                      LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    ListView_SetImageList(ListView1, listStates_.Get(), LVSIL_STATE);
    // The rows' check states are asked for with the rest of each row.
    ListView_SetCallbackMask(ListView1, LVIS_STATEIMAGEMASK);
    Splitter1 = std::make_unique<Splitter>(Handle(), IdSplitter1);
    frame_->Adopt(2, Splitter1->Handle());
    Splitter1->Moving = [this](int left) { SetListWidth(left - PanelRect().left); };
    Splitter1->Moved = [this] { Splitter1Moved(); };
    TreeView_SetIndent(TreeView1, Scale(19, dpi_));
    TreeView_SetImageList(TreeView1, imageList3_.Get(), TVSIL_STATE);
    Tree = std::make_unique<CategoryTreeView>(TreeView1);
    NewItems1.Create(*frame_, 2);
}

// Start processing.
void TMainForm::CreatePage3() {
    AddAdvancedFeatures(3, {16, 12, 768, 146},
                        {{{&TMainForm::BitBtn6, IdBitBtn6},
                          {&TMainForm::BitBtn7, IdBitBtn7},
                          {&TMainForm::BitBtn8, IdBitBtn8}}});
    std::wstring link = std::wstring(L"<a>") + product::kSupportEmail + L"</a>";
    frame_->AddPage<TMainForm>(
        *this, 3,
        {{nullptr,
          {WC_STATICW,
           L"Before categorizing, please create a backup copy. This will help you to restore "
           L"data in case of a transient error.",
           kLabel,
           IdStatic,
           {16, 166, 768, 198},
           kTopWide}},
         {nullptr,
          {WC_STATICW,
           L"To categorize the programs according to your choice, press the \"Start "
           L"Processing\" button.",
           kLabel,
           IdStatic,
           {16, 206, 768, 238},
           kTopWide,
           frame_->BoldFont()}},
         {&TMainForm::Button8,
          {WC_BUTTONW,
           L"&Start Processing",
           kButton | WS_GROUP,
           IdButton8,
           {16, 246, 356, 282},
           kTopLeft}},
         {&TMainForm::Button12,
          {WC_BUTTONW,
           L"Show &Planned Moves...",
           kButton,
           IdButton12,
           {364, 246, 584, 282},
           kTopLeft}},
         {nullptr,
          {WC_STATICW,
           L"If you have any suggestions or questions, please contact us at",
           kLabel,
           IdStatic,
           {16, 468, 768, 486},
           kBottomLeft | AnchorRight}},
         {&TMainForm::Label10,
          {WC_LINK,
           link.c_str(),
           WS_VISIBLE | WS_TABSTOP,
           IdLabel10,
           {16, 488, 400, 506},
           kBottomLeft}}});
}

// The bottom bar, on every page.
void TMainForm::CreateBar() {
    frame_->AddPage<TMainForm>(
        *this, 0,
        {{&TMainForm::Button11,
          {WC_BUTTONW, L"&Menu", kButton | WS_GROUP, IdButton11, {8, 528, 83, 553}, kBottomLeft}},
         {&TMainForm::Button5,
          {WC_BUTTONW,
           L"< &Back",
           kButton | WS_GROUP,
           IdButton5,
           {543, 528, 618, 553},
           kBottomRight}},
         {&TMainForm::Button4,
          {WC_BUTTONW,
           L"&Next >",
           kButton | BS_DEFPUSHBUTTON,
           IdButton4,
           {618, 528, 693, 553},
           kBottomRight}},
         {&TMainForm::Button6,
          {WC_BUTTONW, L"&Finish", kButton, IdButton6, {701, 528, 776, 553}, kBottomRight}}});
}

// The buttons of the three secondary wizards, which pages 1 and 3 both offer, in a group:
// backup/restore, delete empty shortcuts, import/export. Each has its glyph at the left edge.
void TMainForm::AddAdvancedFeatures(int page, RECT group,
                                    const std::array<WizardButton, 3>& buttons) {
    static const wchar_t* const texts[] = {L"B&ackup/Restore Wizard...",
                                           L"&Delete Empty Shortcuts Wizard...",
                                           L"&Import/Export Wizard..."};
    frame_->Add(page, {WC_BUTTONW, L"Advanced features", WS_VISIBLE | BS_GROUPBOX | WS_GROUP,
                       IdStatic, group, kTopWide});
    for (size_t i = 0; i < buttons.size(); ++i) {
        LONG top = group.top + 20 + 36 * static_cast<LONG>(i);
        DWORD style = kButton | (i == 0 ? WS_GROUP : 0);
        HWND button = frame_->Add(page, {WC_BUTTONW,
                                         texts[i],
                                         style,
                                         buttons[i].id,
                                         {group.left + 16, top, group.left + 288, top + 30},
                                         kTopLeft});
        this->*buttons[i].control = button;
        BUTTON_IMAGELIST images = {};
        images.himl = glyphs_[i].Get();
        images.margin = {Scale(8, dpi_), 0, 0, 0};
        images.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
        Button_SetImageList(button, &images);
    }
}

// Texts are set at creation from the tables above; this is the one place where a
// translation would replace them.
void TMainForm::Translate() {}

RECT TMainForm::PanelRect() const {
    RECT client;
    GetClientRect(Handle(), &client);
    return frame_->Layout().Place(kSplitPanel, kAllSides | AnchorBelowBand,
                                  {client.right, client.bottom}, dpi_, bandExtra_);
}

void TMainForm::LayoutControls() {
    RECT client;
    GetClientRect(Handle(), &client);
    SIZE size = {client.right, client.bottom};
    // The tool bar wraps its buttons to the width it gets; whatever it needs beyond one row
    // pushes the controls below it down.
    RECT bar = frame_->Layout().Place(kToolBarDesign, kTopWide, size, dpi_);
    SetWindowPos(ToolBar1, nullptr, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    int rowsBottom = 0;
    int count = static_cast<int>(SendMessageW(ToolBar1, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT button;
        if (SendMessageW(ToolBar1, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&button)))
            rowsBottom = std::max(rowsBottom, static_cast<int>(button.bottom));
    }
    bandExtra_ = std::max(0, rowsBottom + Scale(2, dpi_) - static_cast<int>(bar.bottom - bar.top));
    frame_->Apply(size, bandExtra_);
    SetWindowPos(ToolBar1, nullptr, bar.left, bar.top, bar.right - bar.left,
                 bar.bottom - bar.top + bandExtra_, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutSplitPanel();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TMainForm::LayoutSplitPanel() {
    RECT panel = PanelRect();
    int width = panel.right - panel.left, height = panel.bottom - panel.top;
    if (!ProfessionalMode) {
        MoveWindow(ListView1, panel.left, panel.top, width, height, TRUE);
        CapListColumns(ListView1, Scale(kListColumnWidth, dpi_));
        return;
    }
    int splitter = Scale(4, dpi_);
    int list = std::max(0, std::min(listWidth_, width - splitter));
    MoveWindow(ListView1, panel.left, panel.top, list, height, TRUE);
    CapListColumns(ListView1, Scale(kListColumnWidth, dpi_));
    MoveWindow(Splitter1->Handle(), panel.left + list, panel.top, splitter, height, TRUE);
    MoveWindow(TreeView1, panel.left + list + splitter, panel.top,
               std::max(0, width - list - splitter), height, TRUE);
}

void TMainForm::ApplyVisibility() {
    frame_->ShowPage(page_, [this](HWND control) {
        if (control == TreeView1 || control == Splitter1->Handle() || control == CheckBox1)
            return ProfessionalMode;
        return control != Button2 && control != Button3 && control != BitBtn1 &&
               control != BitBtn2 && control != BitBtn3;
    });
}

void TMainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != welcomePicture_)
        return;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOW));
    int width = r.right - r.left, height = r.bottom - r.top;
    // The larger picture scaled down stays sharp at every scale above 100%.
    HGDIOBJ picture = width > 321 ? welcome2x_.Get() : welcome_.Get();
    BITMAP info = {};
    GetObjectW(picture, sizeof info, &info);
    MemoryDc memory(CreateCompatibleDC(item.hDC));
    SelectedObject selected(memory.Get(), picture);
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, r.left, r.top, width, height, memory.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

} // namespace startmenu
