// Every window and page driven by keystrokes alone, sent through the system's input queue as
// the keyboard sends them: where the focus is, what Enter, Esc, F1, the arrow keys and typed
// letters do, and what closing asks.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "ExtrasTestSupport.h"
#include "MainWindowFixture.h"
#include "app/MainFormWiring.h"
#include "win/Modal.h"

using namespace testing_support;
using startmenu::ModePage;
using startmenu::ProcessingPage;

namespace {

int unreleased = 0; // keys sent whose release no message loop has handled yet
bool quitPosted = false;

// Presses and releases keys, each with modifier held when given, then runs a message loop
// as the program's does until every key sent is released. A window a key opens runs its own
// loop in here, and the release of that key reaches it there.
void Press(std::initializer_list<WORD> keys, WORD modifier = 0) {
    std::vector<INPUT> input;
    auto add = [&](WORD key, bool up) {
        input.push_back({INPUT_KEYBOARD, {}});
        input.back().ki = {key, 0, up ? KEYEVENTF_KEYUP : 0u, 0, 0};
        unreleased += up;
    };
    for (WORD key : keys) {
        if (modifier)
            add(modifier, false);
        add(key, false);
        add(key, true);
        if (modifier)
            add(modifier, true);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)),
              input.size());
    for (MSG msg; unreleased > 0;) {
        ASSERT_NE(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_ALLINPUT), WAIT_TIMEOUT)
            << "a key did not arrive";
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            unreleased -= msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
            quitPosted |= msg.message == WM_QUIT;
            if (GetActiveWindow() && IsDialogMessageW(GetActiveWindow(), &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void Type(const std::wstring& letters) {
    for (wchar_t letter : letters)
        Press({static_cast<WORD>(LOBYTE(VkKeyScanW(letter)))});
}

class Keyboard : public MainWindowTest {
protected:
    RecordingShell shell;
    void SetUp() override {
        MainWindowTest::SetUp();
        MakeStartMenu();
        Open();
        SetForegroundWindow(form->Handle());
    }
    std::wstring HelpTopic() const {
        return shell.calls.empty() ? L""
                                   : shell.calls.back().file + L" " + shell.calls.back().parameters;
    }
};

} // namespace

TEST_F(Keyboard, EveryPageAndWizardKeepsTheFocusWhereTheUserIs) {
    app::ConnectWizards(*form, source);
    wchar_t windows[MAX_PATH];
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring chm =
        std::wstring(windows) + L"\\hh.exe " + source.appDir + L"Marlowen.chm::/";
    EXPECT_EQ(GetFocus(), form->Page1().RadioButton1) << "page 1 starts on the working mode";
    Press({VK_DOWN});
    EXPECT_EQ(Button_GetCheck(form->Page1().RadioButton2), BST_CHECKED) << "the arrow key selects";
    EXPECT_TRUE(form->Page1().ProfessionalMode);
    Press({VK_F1});
    EXPECT_EQ(HelpTopic(), chm + L"modes.html");

    // Each wizard opens with the focus on its first control, F1 names it, Esc closes it and
    // the focus is back on the button that opened it.
    const struct {
        HWND ModePage::*button;
        const wchar_t* firstControl;
        const wchar_t* topic;
    } wizards[] = {
        {&ModePage::BitBtn4, L"B&ack up the Start menu", L"backup_wizard.html"},
        {&ModePage::BitBtn5, L"S&tart menu", L"cleanup_wizard.html"},
        {&ModePage::BitBtn9, L"Export the current state of the menu into an XML file",
         L"import_export.html"},
    };
    for (const auto& wizard : wizards) {
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            EXPECT_TRUE(IsChild(window.Handle(), GetFocus()));
            EXPECT_EQ(WindowText(GetFocus()), wizard.firstControl);
            Press({VK_F1});
            Press({VK_ESCAPE});
            EXPECT_TRUE(window.ModalEnded());
        });
        Press({VK_TAB, VK_RETURN});
        EXPECT_EQ(HelpTopic(), chm + wizard.topic) << "the wizard showed and F1 named it";
        EXPECT_EQ(GetFocus(), form->Page1().*wizard.button);
    }

    Press({'N'}, VK_MENU);
    ASSERT_EQ(form->ActivePage(), 2);
    HWND list = form->Page2().ListView1;
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 0) << "a focused row to move from";
    EXPECT_LE(ListView_GetColumnWidth(list, 0) * 2, form->Page2().ListWidth()) << "two columns fit";
    const std::wstring last = form->Page2().ListCaption(form->Page2().ListCount() - 1);
    Type(last);
    EXPECT_EQ(form->Page2().ListCaption(form->Page2().ListSelected()), last)
        << "typed letters find the row";
    Press({VK_SPACE});
    EXPECT_EQ(form->Page2().ListState(form->Page2().ListSelected()), startmenu::StatusChecked);
    SelectListItem(ListIndex(L"Suite"));
    Press({VK_TAB});
    Type(L"to");
    EXPECT_EQ(form->Page2().Tree->Text(form->Page2().Tree->Selected()), L"Tool.lnk");
    Press({VK_F1});
    EXPECT_EQ(HelpTopic(), chm + L"categories.html");

    // Page 3: Enter presses the button that has the focus, never Start Processing besides.
    // With a tick pending, each way of closing asks first; No keeps everything.
    Press({'F'}, VK_MENU);
    ASSERT_EQ(form->ActivePage(), 3);
    EXPECT_EQ(GetFocus(), form->Page3().BitBtn6);
    Press({VK_F1});
    EXPECT_EQ(HelpTopic(), chm + L"processing.html");
    prompt.answers = {IDNO, IDNO, IDYES};
    Press({VK_TAB}, VK_SHIFT);
    EXPECT_EQ(GetFocus(), form->Button6);
    Press({VK_RETURN});
    Press({VK_F4}, VK_MENU);
    EXPECT_EQ(form->Page3().LastProcessing(), ProcessingPage::ProcessingResult::NotRun);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(quitPosted);
    Press({VK_ESCAPE});
    EXPECT_TRUE(quitPosted);
    ASSERT_EQ(prompt.shown.size(), 3u);
    for (const ScriptedPrompt::Shown& question : prompt.shown) {
        EXPECT_EQ(question.text, L"Discard the categories you assigned?");
        EXPECT_EQ(question.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    }
}

TEST_F(Keyboard, PlacementIsKeptInsideTheScreenAndClosingWithoutTicksAsksNothing) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(form->Handle(), nullptr, work.left + 40, work.top + 30, 900, 650, SWP_NOZORDER);
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); // the close box
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_TRUE(prompt.shown.empty());
    // Where it was last; then where a monitor was that is gone.
    const struct {
        RECT expected;
        bool maximize;
    } starts[] = {{{work.left + 40, work.top + 30, work.left + 940, work.top + 680}, true},
                  {{work.left, work.top, work.left + 900, work.top + 650}, false}};
    for (const auto& start : starts) {
        form.reset();
        Open();
        RECT r;
        GetWindowRect(form->Handle(), &r);
        EXPECT_TRUE(EqualRect(&r, &start.expected))
            << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
        EXPECT_FALSE(IsZoomed(form->Handle()));
        if (start.maximize) {
            ShowWindow(form->Handle(), SW_MAXIMIZE);
            form.reset();
            Open();
            EXPECT_TRUE(IsZoomed(form->Handle()));
            ShowWindow(form->Handle(), SW_RESTORE);
        }
        SetWindowPos(form->Handle(), nullptr, -5000, -4000, 900, 650, SWP_NOZORDER);
    }
}
