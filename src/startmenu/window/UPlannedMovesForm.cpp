#include "startmenu/window/UPlannedMovesForm.h"

#include <commctrl.h>

#include "product/Help.h"
#include "res/resource.h"
#include "win/Dpi.h"

namespace startmenu {
namespace {

using namespace win::anchors;

constexpr const wchar_t* kClassName = L"TPlannedMovesForm";
constexpr SIZE kSize = {760, 460};
constexpr SIZE kDesignClient = {744, 421};
constexpr int kBarHeight = 41;

enum FormId : int { IdLabel1 = 1301, IdListView1, IdButton1 };

struct Column {
    const wchar_t* title;
    int width; // at 96 dpi
};
constexpr Column kColumns[] = {
    {L"Item", 190}, {L"Programs folder", 100}, {L"Destination", 190}, {L"What happens", 236}};

} // namespace

TPlannedMovesForm::TPlannedMovesForm(HWND owner, const MovePlan& plan,
                                     const FolderLocations& folders)
    : plan_(plan), folders_(folders) {
    CreateWizard(owner, kClassName, L"Planned Moves", kSize, IDI_MARLOWEN);
}

TPlannedMovesForm::~TPlannedMovesForm() {
    DestroyWindowObject();
}

void TPlannedMovesForm::FormCreate() {
    UINT dpi = win::DpiOf(Handle());
    frame_ = std::make_unique<win::WizardFrame>(Handle(), kDesignClient, kBarHeight, dpi);
    frame_->SetMinimumSize(kSize);
    const wchar_t* intro =
        plan_.items.empty()
            ? L"No program is assigned to a category or marked \"Move to Root\", so Start "
              L"Processing would move nothing."
            : L"Start Processing would make these moves, in this order. Nothing has been moved "
              L"yet. Whatever a move replaces is kept, so that the run can be undone from the "
              L"menu.";
    using Row = win::WizardFrame::Row<TPlannedMovesForm>;
    using Form = TPlannedMovesForm;
    frame_->AddPage<Form>(*this, 1,
                          {Row{&Form::Label1,
                               {WC_STATICW,
                                intro,
                                WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                IdLabel1,
                                {12, 10, 732, 44},
                                kTopWide}},
                           Row{&Form::ListView1,
                               {WC_LISTVIEWW,
                                L"",
                                WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                IdListView1,
                                {12, 48, 732, 372},
                                kAllSides}}});
    frame_->AddPage<Form>(*this, 0,
                          {Row{&Form::Button1,
                               {WC_BUTTONW,
                                L"&Close",
                                WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                IdButton1,
                                {657, 388, 732, 413},
                                win::AnchorRight | win::AnchorBottom}}});
    frame_->SetKeys(1, {IdButton1, IdButton1});
    ListView_SetExtendedListViewStyle(ListView1, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.cx = win::Scale(kColumns[i].width, dpi);
        ListView_InsertColumn(ListView1, i, &column);
    }
    FillList();
    SetWindowContextHelpId(Handle(), product::kHelpPlannedMoves);
    frame_->ShowPage(1);
}

void TPlannedMovesForm::FillList() {
    int row = 0;
    for (const PreviewRow& line : PreviewRows(plan_, folders_)) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(line.item.c_str());
        ListView_InsertItem(ListView1, &item);
        ListView_SetItemText(ListView1, row, 1, const_cast<wchar_t*>(line.programs.c_str()));
        ListView_SetItemText(ListView1, row, 2, const_cast<wchar_t*>(line.destination.c_str()));
        ListView_SetItemText(ListView1, row, 3, const_cast<wchar_t*>(line.outcome.c_str()));
        ++row;
    }
}

void TPlannedMovesForm::Button1Click() {
    EndModal(IDOK);
}

LRESULT TPlannedMovesForm::OnCommand(int id, int) {
    if (id == IdButton1)
        Button1Click();
    return 0;
}

void ShowPlannedMoves(HWND owner, const MovePlan& plan, const FolderLocations& folders) {
    TPlannedMovesForm form(owner, plan, folders);
    form.RunModal(owner);
}

} // namespace startmenu
