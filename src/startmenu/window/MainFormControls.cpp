// Creation and layout of the main window: the frame, the pages, the bottom bar and the menu.
#include <windows.h>
#include <commctrl.h>

#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UMainForm.h"

namespace startmenu {
namespace {

using namespace win::anchors;

// The client area of an 800 by 600 window, for which the layout is designed at 96 dpi.
constexpr SIZE kDesignClient = {784, 561};
constexpr int kBarHeight = 41;

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

} // namespace

void TMainForm::CreateControls() {
    frame_ = std::make_unique<win::WizardFrame>(Handle(), kDesignClient, kBarHeight, dpi_);
    popupMenu1_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdAboutMenu, L"About...");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdHomePageMenu, L"Home Page");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdTellAFriendMenu, L"Tell a Friend...");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdHelpMenu, L"Help");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, IdUndoMenu, L"&Undo Last Processing...");

    // The window answers the pages as their host; make_unique would not see that base.
    ModePage::Host& modeHost = *this;
    CategoriesPage::Host& categoriesHost = *this;
    ProcessingPage::Host& processingHost = *this;
    page1_ = std::make_unique<ModePage>(*frame_, modeHost);
    page2_ = std::make_unique<CategoriesPage>(Handle(), *frame_, model_, categoriesHost);
    page3_ = std::make_unique<ProcessingPage>(Handle(), *frame_, model_, popupMenu1_.Get(),
                                              processingHost);
    CreateBar();
    frame_->SetKeys(1, {IdButton4, 0});
    frame_->SetKeys(2, {IdButton4, 0});
    // Start Processing runs only when pressed or focused: Enter on page 3 presses the
    // focused button and nothing else.
    frame_->SetKeys(3, {0, IdButton6});

    Translate();
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

// Texts are set at creation from the pages' tables; this is the one place where a
// translation would replace them.
void TMainForm::Translate() {}

void TMainForm::LayoutControls() {
    RECT client;
    GetClientRect(Handle(), &client);
    SIZE size = {client.right, client.bottom};
    // The category buttons' rows beyond the first push the controls below them down.
    int bandExtra = page2_->FitToolBar(size);
    frame_->Apply(size, bandExtra);
    page2_->LayOut(size);
    InvalidateRect(Handle(), nullptr, TRUE);
}

// The controls of page 2 that only professional mode shows, and those nothing shows, are
// hidden on every page.
void TMainForm::ApplyVisibility() {
    frame_->ShowPage(page_, [this](HWND control) { return page2_->Shows(control); });
}

} // namespace startmenu
