// Creation of the delete-empty-shortcuts wizard's controls, one table per part of the window.
#include <windows.h>
#include <commctrl.h>

#include "cleanup/DeleteEmptyShortcutsIds.h"
#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "res/resource.h"
#include "win/Dpi.h"
#include "win/Errors.h"

namespace cleanup {
namespace {

using namespace win::anchors;

// The client area in the design, at 96 dpi. The bar holds the buttons above the status bar.
constexpr SIZE kDesignClient = {467, 459};
constexpr int kBarHeight = 63;
constexpr int kNameColumnWidth = 150;
// The shell's common "searching a folder" clip in shell32.dll.
constexpr int kFindFolderClip = 150;

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kCheckBox = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

using Form = TDeleteEmptyShortcutsForm;
using Row = win::WizardFrame::Row<Form>;

void AddColumn(HWND list, int index, const wchar_t* title, int width) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = width;
    column.iSubItem = index;
    ListView_InsertColumn(list, index, &column);
}

} // namespace

void TDeleteEmptyShortcutsForm::CreateControls() {
    frame_ = std::make_unique<win::WizardFrame>(Handle(), kDesignClient, kBarHeight, dpi_);
    frame_->SetMinimumSize(kSize);
    CreatePage1();
    CreateBar();

    Animate_OpenEx(Animate1, GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEW(kFindFolderClip));

    int small = win::Scale(16, dpi_);
    states_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 2, 0));
    for (int id : {IDI_STATE1, IDI_STATE2}) {
        win::IconHandle icon(static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, small, small, 0)));
        ImageList_AddIcon(states_.Get(), icon.Get());
    }
    NewImageList();
    ListView_SetExtendedListViewStyle(ListView1, LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT);
    ListView_SetImageList(ListView1, states_.Get(), LVSIL_STATE);
    ListView_SetCallbackMask(ListView1, LVIS_STATEIMAGEMASK);
    AddColumn(ListView1, NameColumn, L"Name", win::Scale(kNameColumnWidth, dpi_));
    AddColumn(ListView1, PathColumn, L"Path", win::Scale(150, dpi_));
    AddColumn(ListView1, TargetColumn, L"Target", win::Scale(100, dpi_));
}

// The places to search, the search and the list of what it found.
void TDeleteEmptyShortcutsForm::CreatePage1() {
    frame_->AddPage<Form>(
        *this, 1,
        {Row{&Form::Label1,
             {WC_STATICW,
              L"Search for empty shortcuts:",
              kLabel,
              IdStatic,
              {12, 12, 300, 28},
              kTopLeft,
              frame_->BoldFont()}},
         Row{&Form::CheckBox1,
             {WC_BUTTONW,
              L"S&tart menu",
              kCheckBox | WS_GROUP,
              IdCheckBox1,
              {24, 34, 220, 54},
              kTopLeft}},
         Row{&Form::CheckBox2,
             {WC_BUTTONW,
              L"&Quick Launch Bar",
              kCheckBox,
              IdCheckBox2,
              {24, 56, 220, 76},
              kTopLeft}},
         Row{&Form::CheckBox3,
             {WC_BUTTONW, L"&Desktop", kCheckBox, IdCheckBox3, {24, 78, 220, 98}, kTopLeft}},
         Row{&Form::Animate1,
             {ANIMATE_CLASSW,
              L"",
              ACS_CENTER | ACS_TRANSPARENT | ACS_TIMER,
              IdAnimate1,
              {228, 30, 367, 102},
              kTopWide}},
         Row{&Form::Button1,
             {WC_BUTTONW,
              kSearchCaption,
              kButton | WS_GROUP | BS_DEFPUSHBUTTON,
              IdButton1,
              {375, 34, 455, 59},
              kTopRight}},
         Row{&Form::Label2,
             {WC_STATICW,
              L"Found empty shortcuts:",
              kLabel,
              IdStatic,
              {12, 110, 300, 126},
              kTopLeft,
              frame_->BoldFont()}},
         Row{&Form::ListView1,
             {WC_LISTVIEWW,
              L"",
              WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                  LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
              IdListView1,
              {12, 130, 455, 330},
              kAllSides}},
         Row{&Form::Button2,
             {WC_BUTTONW,
              L"S&elect All",
              kButton | WS_GROUP,
              IdButton2,
              {12, 338, 102, 363},
              kBottomLeft}},
         Row{&Form::Button3,
             {WC_BUTTONW, L"C&lear All", kButton, IdButton3, {108, 338, 198, 363}, kBottomLeft}},
         Row{&Form::Label3,
             {WC_STATICW,
              L"Select the shortcuts that should be deleted and click \"Delete Selected\"",
              kLabel,
              IdStatic,
              {12, 372, 455, 390},
              kBottomWide}}});
}

// The bar: Delete Selected, Cancel and the status bar below them.
void TDeleteEmptyShortcutsForm::CreateBar() {
    frame_->AddPage<Form>(
        *this, 0,
        {Row{&Form::Button5,
             {WC_BUTTONW,
              L"Delete Selected",
              kButton | WS_GROUP,
              IdButton5,
              {259, 404, 369, 429},
              kBottomRight}},
         Row{&Form::Button4,
             {WC_BUTTONW, L"&Cancel", kButton, IdButton4, {375, 404, 455, 429}, kBottomRight}}});
    // The status bar places itself at the bottom edge.
    StatusBar1 =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                        0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdStatusBar1)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!StatusBar1)
        win::ThrowSystemError(GetLastError());
    SendMessageW(StatusBar1, WM_SETFONT, reinterpret_cast<WPARAM>(frame_->Font()), 0);
    int wholeWidth = -1;
    SendMessageW(StatusBar1, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
    frame_->Adopt(0, StatusBar1);
}

// Texts are set at creation from the tables above; this is the one place where a translation
// would replace them.
void TDeleteEmptyShortcutsForm::Translate() {}

} // namespace cleanup
