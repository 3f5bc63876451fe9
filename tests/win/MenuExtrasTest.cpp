// The Menu button's extras, the about box and the support link, clicked as a user does; the
// shell and the mail client are stand-ins that keep what they are handed.
#include <windows.h>
#include <commctrl.h>

#include "ExtrasTestSupport.h"
#include "MainWindowFixture.h"
#include "app/MainFormWiring.h"
#include "product/Version.h"
#include "extras/Recommendation.h"
#include "extras/UAboutForm.h"
#include "win/Dpi.h"
#include "win/Modal.h"
#include "win/Text.h"

using namespace testing_support;

namespace {

constexpr const wchar_t* kSupportLink = L"mailto:support@quenbrook.com?subject=Marlowen%202_6";
constexpr const wchar_t* kHomePage = L"http://www.quenbrook.com/";

class MenuExtras : public MainWindowTest {
protected:
    RecordingShell shell;
    StandInMail mail;

    void ChooseEntry(int position) {
        UINT id = GetMenuItemID(form->PopupMenu1(), position);
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // A press and release of the left button on the link's first letters.
    static void ClickLink(HWND link) {
        RECT r;
        GetClientRect(link, &r);
        LPARAM at = MAKELPARAM(3, r.bottom / 2);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(link, WM_LBUTTONUP, 0, at);
    }
    // A link's text as the user reads it.
    static std::wstring LinkText(HWND link) {
        std::wstring text = WindowText(link);
        for (const wchar_t* tag : {L"<a>", L"</a>"})
            if (size_t at = text.find(tag); at != std::wstring::npos)
                text.erase(at, wcslen(tag));
        return text;
    }
};

// Where the menu showed, read while it was up, then closed.
RECT shownMenu;

void CALLBACK CloseMenuWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu))
        return;
    KillTimer(nullptr, timer);
    GetWindowRect(menu, &shownMenu);
    EndMenu();
}

// Runs open, which shows the menu; returns the menu's top left corner on the screen.
template <typename Open> POINT MenuCornerAfter(Open open) {
    shownMenu = {-1, -1, -1, -1};
    SetTimer(nullptr, 0, 10, CloseMenuWhenShown);
    open();
    return {shownMenu.left, shownMenu.top};
}

} // namespace

TEST_F(MenuExtras, EveryEntryAndLinkReachesTheShellAsItsWindowAsks) {
    Open();
    extras::TAboutBox about(form->Handle());
    app::ConnectMenuExtras(*form, about);
    std::vector<HWND> shown;
    {
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            shown.push_back(window.Handle());
            EXPECT_TRUE(IsWindowVisible(about.Handle()));
            EXPECT_FALSE(IsWindowEnabled(form->Handle())) << "the main window waits";
            EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), form->Handle());
            ClickLink(about.Label1);
            ClickLink(about.Label2);
            SendMessageW(about.OKButton, BM_CLICK, 0, 0);
            EXPECT_TRUE(about.ModalEnded());
        });
        ChooseEntry(0);
        ChooseEntry(0);
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], about.Handle());
    EXPECT_EQ(shown[1], shown[0]) << "the same window is shown again";
    EXPECT_TRUE(IsWindow(about.Handle()));
    EXPECT_FALSE(IsWindowVisible(about.Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    ChooseEntry(1);
    ChooseEntry(2);
    // Elsewhere, as after an export: the help file is still the one beside the program.
    TempFolder elsewhere{L"cwd"};
    SetCurrentDirectoryW(elsewhere.Path().c_str());
    ChooseEntry(3);
    SetCurrentDirectoryW(L"C:\\");
    form->Button6Click();
    EXPECT_EQ(LinkText(form->Page3().Label10), L"support@quenbrook.com");
    ClickLink(form->Page3().Label10);

    HWND box = about.Handle(), main = form->Handle();
    EXPECT_EQ(shell.calls, (std::vector<ShellCall>{
                               {nullptr, std::nullopt, kHomePage, SW_SHOWNORMAL},
                               {box, L"open", kSupportLink, SW_SHOW},
                               {nullptr, std::nullopt, kHomePage, SW_SHOWNORMAL},
                               {box, L"open", kSupportLink, SW_SHOW},
                               {nullptr, std::nullopt, kHomePage, SW_SHOWNORMAL},
                               {main, L"open", source.appDir + L"Marlowen.chm", SW_SHOW},
                               {main, L"open", kSupportLink, SW_SHOW},
                           }));
    EXPECT_EQ(shell.calls[0].show, 1);
    EXPECT_EQ(shell.calls[1].show, 5);

    // The recommendation: subject and body only, no sender, recipient or attachment.
    ASSERT_EQ(mail.sent.size(), 1u);
    const SentMail& sent = mail.sent.front();
    EXPECT_EQ(sent.subject, "Recommendations concerning the program Marlowen");
    EXPECT_EQ(sent.noteText, win::AnsiFromWide(extras::RecommendationBody()));
    ASSERT_TRUE(sent.noteText);
    size_t lines = 0;
    for (size_t at = sent.noteText->find("\r\n"); at != std::string::npos;
         at = sent.noteText->find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 26u);
    EXPECT_FALSE(sent.originator);
    EXPECT_EQ(sent.recipCount, 0u);
    EXPECT_EQ(sent.fileCount, 0u);
    EXPECT_EQ(sent.flags, 9u);
    EXPECT_TRUE(prompt.shown.empty()) << "a mail the client took, and links, say nothing";
}

TEST_F(MenuExtras, AboutBoxShowsTheProgramCentredOnTheScreen) {
    Open();
    extras::TAboutBox about(form->Handle());
    EXPECT_FALSE(IsWindowVisible(about.Handle())) << "made hidden, shown on demand";
    EXPECT_EQ(WindowText(about.Handle()), L"About");
    UINT dpi = win::DpiOf(about.Handle());
    RECT client, frame, work;
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, win::Scale(298, dpi));
    EXPECT_EQ(client.bottom, win::Scale(205, dpi));
    EXPECT_FALSE(GetWindowLongPtrW(about.Handle(), GWL_STYLE) & WS_THICKFRAME);
    GetWindowRect(about.Handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);
    EXPECT_EQ(WindowText(about.ProductName), L"Marlowen");
    EXPECT_EQ(WindowText(about.Version), L"Version " MARLOWEN_VERSION_WIDE);
    EXPECT_EQ(LinkText(about.Label1), L"www.quenbrook.com");
    EXPECT_EQ(LinkText(about.Label2), L"mailto:support@quenbrook.com");
    EXPECT_FALSE(WindowText(about.Label3).empty());
    EXPECT_EQ(WindowText(about.OKButton), L"OK");
    EXPECT_EQ(GetWindowLongPtrW(about.OKButton, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ICONINFO icon = {};
    ASSERT_TRUE(GetIconInfo(
        reinterpret_cast<HICON>(SendMessageW(about.ProgramIcon, STM_GETICON, 0, 0)), &icon));
    BITMAP picture = {};
    GetObjectW(icon.hbmColor, sizeof picture, &picture);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    EXPECT_EQ(picture.bmWidth, win::Scale(72, dpi));

    // Esc and the close box hide it for the next showing.
    for (UINT close : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_COMMAND)}) {
        win::ScopedModalDriver driver([&](win::ModalWindow&) {
            SendMessageW(about.Handle(), close, close == WM_COMMAND ? IDCANCEL : 0, 0);
            EXPECT_TRUE(about.ModalEnded());
        });
        EXPECT_EQ(about.ShowModal(), IDCANCEL);
        EXPECT_TRUE(IsWindow(about.Handle()));
    }
}

TEST_F(MenuExtras, MenuOpensAboveTheButtonAndAtThePointerOnARightClick) {
    Open();
    POINT above = MenuCornerAfter([&] { SendMessageW(form->Button11, BM_CLICK, 0, 0); });
    POINT origin = form->MenuOrigin();
    EXPECT_EQ(above.x, origin.x);
    EXPECT_EQ(above.y, origin.y);

    POINT pointer = {30, 10};
    POINT expected = pointer;
    ClientToScreen(form->Button11, &expected);
    POINT atPointer = MenuCornerAfter([&] {
        LPARAM at = MAKELPARAM(pointer.x, pointer.y);
        SendMessageW(form->Button11, WM_RBUTTONDOWN, MK_RBUTTON, at);
        SendMessageW(form->Button11, WM_RBUTTONUP, 0, at);
    });
    EXPECT_EQ(atPointer.x, expected.x);
    EXPECT_EQ(atPointer.y, expected.y);
    EXPECT_TRUE(shell.calls.empty()) << "closing the menu chooses nothing";
}
