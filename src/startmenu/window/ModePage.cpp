#include "startmenu/window/ModePage.h"

#include <commctrl.h>
#include <windowsx.h>

#include "product/Settings.h"
#include "res/resource.h"
#include "startmenu/window/MainFormIds.h"

namespace startmenu {
namespace {

using namespace win::anchors;

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;

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

win::GdiObject LoadPicture(int id) {
    return win::GdiObject(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP,
                                     0, 0, LR_CREATEDIBSECTION));
}

} // namespace

ModePage::ModePage(win::WizardFrame& frame, Host& host)
    : host_(host), welcome_(LoadPicture(IDB_WELCOME)), welcome2x_(LoadPicture(IDB_WELCOME2X)) {
    frame.AddPage<ModePage>(
        *this, 1,
        {{nullptr, {WC_STATICW, kIntroduction, kLabel, IdStatic, {16, 14, 768, 128}, kTopWide}},
         {&ModePage::welcomePicture_,
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
           frame.BoldFont()}},
         {nullptr,
          {WC_BUTTONW,
           L"Working mode",
           WS_VISIBLE | BS_GROUPBOX,
           IdStatic,
           {360, 170, 768, 246},
           kTopWide}},
         {&ModePage::RadioButton1,
          {WC_BUTTONW,
           L"&Simple mode (recommended) ",
           WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
           IdRadioButton1,
           {376, 190, 760, 212},
           kTopWide}},
         {&ModePage::RadioButton2,
          {WC_BUTTONW,
           L"&Professional mode",
           WS_VISIBLE | BS_AUTORADIOBUTTON,
           IdRadioButton2,
           {376, 216, 760, 238},
           kTopWide}}});
    SendMessageW(RadioButton1, BM_SETCHECK, BST_CHECKED, 0);
    wizards_.emplace(frame, 1, RECT{360, 258, 768, 392},
                     std::array<int, 3>{IdBitBtn4, IdBitBtn5, IdBitBtn9});
    BitBtn4 = wizards_->Button(SecondaryWizard::BackupRestore);
    BitBtn5 = wizards_->Button(SecondaryWizard::DeleteEmptyShortcuts);
    BitBtn9 = wizards_->Button(SecondaryWizard::ImportExport);
}

void ModePage::SelectMode(bool professional) {
    HWND radio = professional ? RadioButton2 : RadioButton1;
    if (Button_GetCheck(radio) == BST_CHECKED)
        return;
    Button_SetCheck(RadioButton1, !professional);
    Button_SetCheck(RadioButton2, professional);
    professional ? RadioButton2Click() : RadioButton1Click();
}

void ModePage::RadioButton1Click() {
    ProfessionalMode = false;
    TurnMode();
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue, 0);
}

void ModePage::RadioButton2Click() {
    ProfessionalMode = true;
    TurnMode();
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue, 1);
}

void ModePage::TurnMode() {
    host_.ModeTurned();
}

void ModePage::BitBtn4Click() {
    host_.OpenWizard(SecondaryWizard::BackupRestore);
}

void ModePage::BitBtn5Click() {
    host_.OpenWizard(SecondaryWizard::DeleteEmptyShortcuts);
}

void ModePage::BitBtn9Click() {
    host_.OpenWizard(SecondaryWizard::ImportExport);
}

void ModePage::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != welcomePicture_)
        return;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOW));
    int width = r.right - r.left, height = r.bottom - r.top;
    // The larger picture scaled down stays sharp at every scale above 100%.
    HGDIOBJ picture = width > 321 ? welcome2x_.Get() : welcome_.Get();
    BITMAP info = {};
    GetObjectW(picture, sizeof info, &info);
    win::MemoryDc memory(CreateCompatibleDC(item.hDC));
    win::SelectedObject selected(memory.Get(), picture);
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, r.left, r.top, width, height, memory.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

} // namespace startmenu
