#include "backup/UBackupWizardForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include "product/Help.h"
#include "product/Settings.h"
#include "backup/BackupStore.h"
#include "backup/CopyProgressBar.h"
#include "res/resource.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Gdi.h"
#include "win/Text.h"
#include "win/UserPrompt.h"

namespace backup {
namespace {

using namespace win::anchors;

constexpr const wchar_t* kClassName = L"TBackupWizardForm";

// The window's outer size, which is also its smallest, and its client area in the design, at
// 96 dpi.
constexpr SIZE kSize = {515, 424};
constexpr SIZE kDesignClient = {499, 385};
constexpr int kBarHeight = 41;

enum Page : int { TabSheet1 = 1, TabSheet2 = 2, TabSheet3 = 3 };

enum WizardId : int {
    IdRadioButton1 = 1101,
    IdRadioButton2,
    IdEdit1,
    IdListBox1,
    IdButton4,
    IdButton5,
    IdButton6,
    IdStatic,
};

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON | BS_NOTIFY;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

using Form = TBackupWizardForm;
using Row = win::WizardFrame::Row<Form>;

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

unsigned ItemsToCopy(const std::vector<std::wstring>& folders) {
    unsigned total = 0;
    for (const std::wstring& folder : folders)
        if (!folder.empty())
            total += CountFolderItems(folder);
    return total;
}

} // namespace

// While a copy is on: the hourglass, the progress shown, no page change and no close.
class TBackupWizardForm::Busy {
public:
    Busy(TBackupWizardForm& form, unsigned total)
        : form_(form), progress_(form.ProgressBar1, form.ProgressLabel, total) {
        form_.busy_ = true;
        ShowWindow(form_.Button5, SW_HIDE);
        ShowWindow(form_.ProgressBar1, SW_SHOWNA);
        ShowWindow(form_.ProgressLabel, SW_SHOWNA);
        UpdateWindow(form_.Handle());
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    ~Busy() {
        form_.busy_ = false;
        ShowWindow(form_.ProgressBar1, SW_HIDE);
        ShowWindow(form_.ProgressLabel, SW_HIDE);
        ShowWindow(form_.Button5, SW_SHOWNA);
    }
    CopyProgress* Progress() { return &progress_; }

private:
    TBackupWizardForm& form_;
    win::WaitCursor wait_;
    CopyProgressBar progress_;
};

TBackupWizardForm::TBackupWizardForm(HWND owner, const startmenu::FolderLocations& folders)
    : folders_(folders) {
    CreateWizard(owner, kClassName, L"Backup/Restore Wizard", kSize, IDI_MARLOWEN);
}

TBackupWizardForm::~TBackupWizardForm() {
    DestroyWindowObject();
}

void TBackupWizardForm::FormCreate() {
    dpi_ = win::DpiOf(Handle());
    CreateControls();
    Translate();
    for (int page : {TabSheet1, TabSheet2, TabSheet3})
        frame_->SetKeys(page, {IdButton4, IdButton6});
    frame_->SetForwardButton(Button4, {L"", L"&Next >", L"C&reate", L"&Restore"});
    Button_SetCheck(RadioButton1, BST_CHECKED);
    SetWindowContextHelpId(Handle(), product::kHelpBackupWizard);
    ShowPage(TabSheet1);
}

void TBackupWizardForm::CreateControls() {
    frame_ = std::make_unique<win::WizardFrame>(Handle(), kDesignClient, kBarHeight, dpi_);
    frame_->SetMinimumSize(kSize);
    CreateTabSheet1();
    CreateTabSheet2();
    CreateTabSheet3();
    CreateBar();
}

void TBackupWizardForm::CreateTabSheet1() {
    frame_->AddPage<Form>(
        *this, TabSheet1,
        {Row{&Form::Label1,
             {WC_STATICW,
              L"This wizard allows you to back up the current state of the Start menu. If you "
              L"do not like the result after the work of the program or after a failure during "
              L"its work, you will be able to roll back to the previous state.",
              kLabel,
              IdStatic,
              {16, 16, 483, 76},
              kTopWide}},
         Row{&Form::Label3,
             {WC_STATICW,
              L"Before it changes the Start Menu, the program also asks Windows for a system "
              L"restore point, where System Restore is turned on. To use one, open System "
              L"Restore (search the Start menu for \"Create a restore point\").",
              kLabel,
              IdStatic,
              {16, 84, 483, 140},
              kTopWide}},
         Row{&Form::GroupBox1,
             {WC_BUTTONW,
              L"You would like to:",
              WS_VISIBLE | BS_GROUPBOX,
              IdStatic,
              {16, 152, 483, 240},
              kTopWide}},
         Row{&Form::RadioButton1,
             {WC_BUTTONW,
              L"B&ack up the Start menu",
              kRadio | WS_GROUP | WS_TABSTOP,
              IdRadioButton1,
              {32, 176, 467, 198},
              kTopWide}},
         Row{&Form::RadioButton2,
             {WC_BUTTONW,
              L"R&estore from a backup copy",
              kRadio,
              IdRadioButton2,
              {32, 206, 467, 228},
              kTopWide}}});
}

void TBackupWizardForm::CreateTabSheet2() {
    frame_->AddPage<Form>(
        *this, TabSheet2,
        {Row{&Form::Label2,
             {WC_STATICW,
              L"Specify a description for the backup copy. Try to use a name that will help you "
              L"remember the state of the menu if you need it.",
              kLabel,
              IdStatic,
              {16, 16, 483, 60},
              kTopWide}},
         Row{&Form::Label4,
             {WC_STATICW,
              L"Backup description:",
              kLabel,
              IdStatic,
              {16, 76, 483, 94},
              kTopWide,
              frame_->BoldFont()}},
         Row{&Form::Edit1,
             {WC_EDITW,
              L"",
              WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
              IdEdit1,
              {16, 98, 483, 121},
              kTopWide}},
         Row{&Form::Label5,
             {WC_STATICW,
              L"The date and time will be added automatically.",
              kLabel,
              IdStatic,
              {16, 130, 483, 148},
              kTopWide}}});
}

void TBackupWizardForm::CreateTabSheet3() {
    frame_->AddPage<Form>(
        *this, TabSheet3,
        {Row{&Form::Label6,
             {WC_STATICW,
              L"Select the backup copy you want to use for restoring the menu and click "
              L"Restore.",
              kLabel,
              IdStatic,
              {16, 16, 483, 48},
              kTopWide}},
         Row{&Form::Label7,
             {WC_STATICW,
              L"Available backup copies:",
              kLabel,
              IdStatic,
              {16, 56, 483, 74},
              kTopWide}},
         Row{&Form::ListBox1,
             {WC_LISTBOXW,
              L"",
              WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              IdListBox1,
              {16, 78, 483, 330},
              kAllSides}}});
}

void TBackupWizardForm::CreateBar() {
    frame_->AddPage<Form>(
        *this, 0,
        {Row{&Form::ProgressLabel,
             {WC_STATICW,
              L"",
              SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX,
              IdStatic,
              {12, 348, 222, 362},
              kBottomLeft}},
         Row{&Form::ProgressBar1,
             {PROGRESS_CLASSW, L"", 0, IdStatic, {12, 364, 222, 376}, kBottomLeft}},
         Row{&Form::Button5,
             {WC_BUTTONW,
              L"< &Back",
              kButton | WS_GROUP,
              IdButton5,
              {231, 352, 311, 377},
              kBottomRight}},
         Row{&Form::Button4,
             {WC_BUTTONW,
              L"&Next >",
              kButton | BS_DEFPUSHBUTTON,
              IdButton4,
              {317, 352, 397, 377},
              kBottomRight}},
         Row{&Form::Button6,
             {WC_BUTTONW, L"&Cancel", kButton, IdButton6, {411, 352, 491, 377}, kBottomRight}}});
}

// Texts are set at creation from the tables above; this is the one place where a translation
// would replace them.
void TBackupWizardForm::Translate() {}

int TBackupWizardForm::ActivePage() const {
    return frame_ ? frame_->Page() : 0;
}

void TBackupWizardForm::ShowPage(int page) {
    frame_->ShowPage(page, [this, page](HWND control) {
        if (control == Button5)
            return page != TabSheet1;
        if (control == ProgressBar1 || control == ProgressLabel)
            return busy_;
        return true;
    });
    frame_->FocusFirst();
    switch (page) {
    case TabSheet1:
        TabSheet1Show();
        break;
    case TabSheet2:
        TabSheet2Show();
        break;
    case TabSheet3:
        TabSheet3Show();
        break;
    }
}

void TBackupWizardForm::TabSheet1Show() {
    EnableWindow(Button4, TRUE);
    EnableWindow(Button6, TRUE);
}

void TBackupWizardForm::TabSheet2Show() {
    // The text stays from an earlier visit, but Create waits until it is changed again.
    EnableWindow(Button4, FALSE);
    EnableWindow(Button6, TRUE);
    frame_->Focus(Edit1);
}

void TBackupWizardForm::TabSheet3Show() {
    EnableWindow(Button4, FALSE);
    EnableWindow(Button6, TRUE);
    ListBox_ResetContent(ListBox1);
    BackupList list = ReadBackupList(folders_);
    BackupFolders = list.sections;
    listed_ = list.items;
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        int at = ListBox_AddString(ListBox1, listed_[i].text.c_str());
        ListBox_SetItemData(ListBox1, at, static_cast<LPARAM>(i));
    }
    if (!list.error.empty())
        ShowMessage(list.error, MB_OK | MB_ICONERROR);
}

void TBackupWizardForm::Button4Click() {
    if (busy_ || !IsWindowEnabled(Button4))
        return;
    switch (ActivePage()) {
    case TabSheet1:
        ShowPage(Button_GetCheck(RadioButton1) == BST_CHECKED ? TabSheet2 : TabSheet3);
        break;
    case TabSheet2:
        CreateBackup();
        break;
    case TabSheet3:
        RestoreFromBackup();
        break;
    }
}

void TBackupWizardForm::Button5Click() {
    if (!busy_)
        ShowPage(TabSheet1);
}

void TBackupWizardForm::Button6Click() {
    if (!busy_)
        EndModal(IDCANCEL);
}

void TBackupWizardForm::Edit1Change() {
    EnableWindow(Button4, GetWindowTextLengthW(Edit1) > 0);
}

void TBackupWizardForm::ListBox1Click() {
    EnableWindow(Button4, ListBox_GetCurSel(ListBox1) != LB_ERR);
}

void TBackupWizardForm::RadioButton1DblClick() {
    Button_SetCheck(RadioButton1, BST_CHECKED);
    Button_SetCheck(RadioButton2, BST_UNCHECKED);
    Button4Click();
}

void TBackupWizardForm::RadioButton2DblClick() {
    Button_SetCheck(RadioButton2, BST_CHECKED);
    Button_SetCheck(RadioButton1, BST_UNCHECKED);
    Button4Click();
}

void TBackupWizardForm::ShowMessage(const std::wstring& text, UINT type) {
    win::Prompt().Message(Handle(), text, win::Application::Title(), type);
}

void TBackupWizardForm::CreateBackup() {
    BackupResult result;
    {
        Busy busy(*this, ItemsToCopy({folders_.UserProgramsDir, folders_.CommonProgramsDir}));
        // An error stops the backup here and leaves the wizard open.
        result = backup::CreateBackup(folders_, TextOf(Edit1), busy.Progress());
    }
    if (!result.failures.empty()) {
        // Named in full up to a screenful; the marker file holds them all.
        constexpr std::size_t kShown = 10;
        std::wstring items;
        for (std::size_t i = 0; i < result.failures.size() && i < kShown; ++i)
            items += FailureText(result.failures[i]) + L"\n";
        if (result.failures.size() > kShown)
            items += L"and " + std::to_wstring(result.failures.size() - kShown) + L" more.\n";
        ShowMessage(L"The backup copy " + result.folder +
                        L" is incomplete, because these items could not be copied:\n\n" + items +
                        L"\nIt is listed as incomplete and cannot be restored. Close the "
                        L"program that uses them and create the backup again.",
                    MB_OK | MB_ICONERROR);
        return;
    }
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kBackupDoneValue, 1);
    ShowMessage(L"A backup copy has been created!", MB_OK | MB_ICONINFORMATION);
    EndModal(IDOK);
}

void TBackupWizardForm::RestoreFromBackup() {
    int selected = ListBox_GetCurSel(ListBox1);
    if (selected == LB_ERR)
        return;
    auto at = static_cast<size_t>(ListBox_GetItemData(ListBox1, selected));
    if (at >= listed_.size() || listed_[at].section >= BackupFolders.size())
        return;
    const BackupListItem item = listed_[at];
    const std::wstring folder = BackupFolders[item.section];
    // An incomplete copy is refused below before anything changes: there is nothing to ask.
    if (!item.incomplete &&
        win::Prompt().Message(
            Handle(),
            L"Restore the backup copy of " + item.when + L", \"" + item.description + L"\" (" +
                folder +
                L")?\n\nEverything in both Programs folders of the Start Menu, yours and the one "
                L"for all users, will be replaced by this copy. The Start Menu as it is now is "
                L"kept as the backup copy \"Before restoring " +
                item.description + L"\", so you can go back to it.",
            win::Application::Title(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    RestoreResult result;
    {
        // Set aside, copied back, and perhaps put back again: about three times the copy.
        unsigned present = ItemsToCopy({folders_.UserProgramsDir, folders_.CommonProgramsDir});
        Busy busy(*this,
                  2 * present + ItemsToCopy({folder + kUserCopyName, folder + kCommonCopyName}));
        result = backup::RestoreFromBackup(folders_, folder, item.description, busy.Progress());
    }
    ShowMessage(RestoreResultText(result, item.description), MB_OK | RestoreResultType(result));
    if (result.outcome == RestoreOutcome::Restored)
        EndModal(IDOK);
    else
        TabSheet3Show();
}

LRESULT TBackupWizardForm::OnCommand(int id, int code) {
    switch (id) {
    case IdButton4:
        Button4Click();
        return 0;
    case IdButton5:
        Button5Click();
        return 0;
    case IdButton6:
        Button6Click();
        return 0;
    case IdRadioButton1:
        if (code == BN_DOUBLECLICKED)
            RadioButton1DblClick();
        return 0;
    case IdRadioButton2:
        if (code == BN_DOUBLECLICKED)
            RadioButton2DblClick();
        return 0;
    case IdEdit1:
        if (code == EN_CHANGE)
            Edit1Change();
        return 0;
    case IdListBox1:
        if (code == LBN_SELCHANGE || code == LBN_SELCANCEL)
            ListBox1Click();
        return 0;
    }
    return 0;
}

LRESULT TBackupWizardForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETCURSOR && busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    return WizardWindow::HandleMessage(msg, wParam, lParam);
}

int RunBackupWizard(HWND owner, const startmenu::FolderLocations& folders) {
    RecoverUnfinishedRestore(owner, folders);
    TBackupWizardForm wizard(owner, folders);
    return wizard.RunModal(owner);
}

} // namespace backup
