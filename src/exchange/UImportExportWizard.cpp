#include "exchange/UImportExportWizard.h"

#include <commctrl.h>
#include <windowsx.h>

#include "exchange/UXMLmenuManage.h"
#include "product/Help.h"
#include "res/resource.h"
#include "win/Dpi.h"
#include "win/Gdi.h"
#include "win/UserPrompt.h"

namespace exchange {
namespace {

using namespace win::anchors;

constexpr const wchar_t* kClassName = L"TImportExportWizard";
constexpr const wchar_t* kImportCaption = L"&Import...";
constexpr const wchar_t* kExportCaption = L"&Export...";
constexpr const wchar_t* kFilter = L"XML Files (*.xml)|*.xml|All Files (*.*)|*.*";
constexpr const wchar_t* kDefaultExtension = L"xml";

// The window's outer size and smallest size, and its client area in the design, at 96 dpi.
constexpr SIZE kSize = {532, 379}, kMinSize = {532, 330};
constexpr SIZE kDesignClient = {516, 340};
constexpr int kBarHeight = 41;

enum WizardId : int {
    IdRadioButton1 = 1001,
    IdRadioButton2,
    IdRadioButton3,
    IdButton4,
    IdButton6,
};

// Wraps its caption onto further lines where the width does not suffice.
constexpr DWORD kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_NOTIFY;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

} // namespace

TImportExportWizard::TImportExportWizard(HWND owner, LayoutTarget& target) : target_(target) {
    CreateWizard(owner, kClassName, L"Import/ExportWizard", kSize, IDI_MARLOWEN);
}

void TImportExportWizard::FormCreate() {
    dpi_ = win::DpiOf(Handle());
    CreateControls();
    Translate();
    frame_->SetKeys(1, {IdButton4, IdButton6});
    SetWindowContextHelpId(Handle(), product::kHelpImportExport);
    frame_->ShowPage(1);
    Button_SetCheck(RadioButton1, BST_CHECKED);
    RadioButton1Click();
}

void TImportExportWizard::CreateControls() {
    frame_ = std::make_unique<win::WizardFrame>(Handle(), kDesignClient, kBarHeight, dpi_);
    frame_->SetMinimumSize(kMinSize);
    using Row = win::WizardFrame::Row<TImportExportWizard>;
    // TabSheet1, the one page of PageControl1, whose tab is not shown.
    frame_->AddPage<TImportExportWizard>(
        *this, 1,
        {Row{&TImportExportWizard::RadioButton1,
             {WC_BUTTONW,
              L"Export the current state of the menu into an XML file",
              kRadio | WS_GROUP | WS_TABSTOP,
              IdRadioButton1,
              {24, 24, 492, 64},
              kTopWide}},
         Row{&TImportExportWizard::RadioButton2,
             {WC_BUTTONW,
              L"Import the menu from an XML file. Just select the checkboxes of the programs "
              L"in the corresponding categories during import",
              kRadio,
              IdRadioButton2,
              {24, 76, 492, 116},
              kTopWide}},
         Row{&TImportExportWizard::RadioButton3,
             {WC_BUTTONW,
              L"Import the menu from an XML file. Apply dividing into categories to the "
              L"current menu during import",
              kRadio,
              IdRadioButton3,
              {24, 128, 492, 168},
              kTopWide}}});
    frame_->AddPage<TImportExportWizard>(
        *this, 0,
        {Row{&TImportExportWizard::Button4,
             {WC_BUTTONW,
              kExportCaption,
              kButton | WS_GROUP | BS_DEFPUSHBUTTON,
              IdButton4,
              {336, 307, 422, 332},
              kBottomRight}},
         Row{&TImportExportWizard::Button6,
             {WC_BUTTONW, L"&Cancel", kButton, IdButton6, {430, 307, 508, 332}, kBottomRight}}});
}

// Texts are set at creation from the table above; this is the one place where a translation
// would replace them.
void TImportExportWizard::Translate() {}

void TImportExportWizard::RadioButton1Click() {
    SetWindowTextW(Button4, kExportCaption);
}

void TImportExportWizard::RadioButton2Click() {
    SetWindowTextW(Button4, kImportCaption);
}

void TImportExportWizard::RadioButton3Click() {
    SetWindowTextW(Button4, kImportCaption);
}

void TImportExportWizard::Check(HWND radio) {
    for (HWND button : {RadioButton1, RadioButton2, RadioButton3})
        Button_SetCheck(button, button == radio ? BST_CHECKED : BST_UNCHECKED);
}

void TImportExportWizard::RadioButton1DblClick() {
    Check(RadioButton1);
    RadioButton1Click();
    Button4Click();
}

void TImportExportWizard::RadioButton2DblClick() {
    Check(RadioButton2);
    RadioButton2Click();
    Button4Click();
}

void TImportExportWizard::RadioButton3DblClick() {
    Check(RadioButton3);
    RadioButton3Click();
    Button4Click();
}

void TImportExportWizard::Button4Click() {
    bool exporting = Button_GetCheck(RadioButton1) == BST_CHECKED;
    bool selecting = !exporting && Button_GetCheck(RadioButton2) == BST_CHECKED;
    bool applying = !exporting && !selecting && Button_GetCheck(RadioButton3) == BST_CHECKED;
    if (!exporting && !selecting && !applying)
        return;
    win::FileRequest request{exporting, kFilter, kDefaultExtension, L""};
    std::wstring file;
    if (!win::Prompt().ChooseFile(Handle(), request, file))
        return;
    // An error ends the action here, before EndModal: the wizard stays open.
    if (exporting) {
        win::WaitCursor wait;
        ExportStartMenu(target_.Model(), file);
    } else {
        ReportImport(Handle(), file, ImportStartMenu(target_, applying, file), applying);
    }
    EndModal(IDOK);
}

void TImportExportWizard::Button6Click() {
    EndModal(IDCANCEL);
}

LRESULT TImportExportWizard::OnCommand(int id, int code) {
    switch (id) {
    case IdButton4:
        Button4Click();
        return 0;
    case IdButton6:
        Button6Click();
        return 0;
    case IdRadioButton1:
        code == BN_DOUBLECLICKED ? RadioButton1DblClick() : RadioButton1Click();
        return 0;
    case IdRadioButton2:
        code == BN_DOUBLECLICKED ? RadioButton2DblClick() : RadioButton2Click();
        return 0;
    case IdRadioButton3:
        code == BN_DOUBLECLICKED ? RadioButton3DblClick() : RadioButton3Click();
        return 0;
    }
    return 0;
}

int RunImportExportWizard(HWND owner, LayoutTarget& target) {
    TImportExportWizard wizard(owner, target);
    return wizard.RunModal(owner);
}

} // namespace exchange
