// The backup/restore wizard opened from the main window's buttons and driven through its
// controls, on a Start Menu of real shortcuts in the test prefix.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <functional>

#include "BackupTestSupport.h"
#include "MainWindowFixture.h"
#include "product/Settings.h"
#include "backup/UBackupWizardForm.h"
#include "startmenu/MainFormIds.h"
#include "win/Dpi.h"
#include "win/Modal.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;
using backup::TBackupWizardForm;

namespace {

class BackupWizard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        MakeStartMenu();
        Open();
        form->Wizards.backupRestore = [](TMainForm& owner) {
            backup::RunBackupWizard(owner.Handle(), owner.Model().Folders);
        };
    }

    // A click on one of the main window's "Backup/Restore Wizard" buttons; drive gets the
    // wizard while it is up.
    void ClickWizardButton(int id, const std::function<void(TBackupWizardForm&)>& drive) {
        int opened = 0;
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            ++opened;
            auto* wizard = dynamic_cast<TBackupWizardForm*>(&window);
            ASSERT_TRUE(wizard);
            EXPECT_FALSE(IsWindowEnabled(form->Handle())) << "the main window waits";
            drive(*wizard);
        });
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(form->Handle(), id)));
        EXPECT_EQ(opened, 1);
        EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    }

    std::wstring Copy(unsigned n) const {
        return source.appDir + L"backup\\backup" + std::to_wstring(n) + L"\\";
    }
    Tree StartMenu() const {
        Tree tree;
        AddTree(tree, source.userPrograms, L"User\\");
        AddTree(tree, source.commonPrograms, L"Common\\");
        return tree;
    }
    std::wstring LastShown() const { return prompt.shown.empty() ? L"" : prompt.shown.back().text; }

    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    static void Key(TBackupWizardForm& wizard, int key) {
        SendMessageW(wizard.Handle(), WM_COMMAND, key, 0); // Enter or Esc, as the dialog keys
    }
    // As the mouse does it: a click, then the second press that the system makes a
    // double-click.
    static void DoubleClick(TBackupWizardForm&, HWND radio) {
        LPARAM at = MAKELPARAM(4, 4);
        SendMessageW(radio, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(radio, WM_LBUTTONUP, 0, at);
        SendMessageW(radio, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(radio, WM_LBUTTONUP, 0, at);
    }
    static void ClickListItem(HWND list, int item) {
        RECT rect{};
        ListBox_GetItemRect(list, item, &rect);
        LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
    }
    static std::wstring ListText(HWND list, int item) {
        std::wstring text(static_cast<size_t>(ListBox_GetTextLen(list, item)) + 1, L'\0');
        text.resize(static_cast<size_t>(ListBox_GetText(list, item, text.data())));
        return text;
    }
};

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST_F(BackupWizard, BacksUpAndRestoresThroughItsPages) {
    Tree before = StartMenu();
    int listed = form->ListCount();

    ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
        HWND window = wizard.Handle();
        EXPECT_EQ(WindowText(window), L"Backup/Restore Wizard");
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetWindow(window, GW_OWNER), form->Handle());
        UINT dpi = win::DpiOf(window);
        MINMAXINFO limits{};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, win::Scale(515, dpi));
        EXPECT_EQ(limits.ptMinTrackSize.y, win::Scale(424, dpi));
        RECT rect{}, owner{};
        GetWindowRect(window, &rect);
        GetWindowRect(form->Handle(), &owner);
        EXPECT_NEAR((rect.left + rect.right) / 2, (owner.left + owner.right) / 2, 2);

        // The first page.
        EXPECT_EQ(wizard.ActivePage(), 1);
        EXPECT_FALSE(IsWindowVisible(wizard.Button5));
        EXPECT_EQ(WindowText(wizard.Button4), L"&Next >");
        EXPECT_TRUE(IsWindowEnabled(wizard.Button4));
        EXPECT_EQ(WindowText(wizard.Button6), L"&Cancel");
        EXPECT_EQ(Button_GetCheck(wizard.RadioButton1), BST_CHECKED);
        EXPECT_EQ(WindowText(wizard.RadioButton1), L"B&ack up the Start menu");
        EXPECT_EQ(WindowText(wizard.RadioButton2), L"R&estore from a backup copy");
        EXPECT_EQ(WindowText(wizard.GroupBox1), L"You would like to:");
        EXPECT_EQ(WindowText(wizard.Label3),
                  L"The program also creates system restore points. To use them, start the "
                  L"System Restore utility (Start\\Accessories\\System Tools). This feature "
                  L"works only in Windows Me and Windows XP.");

        // Enter goes on to the description, where Create waits for a text.
        Key(wizard, IDOK);
        EXPECT_EQ(wizard.ActivePage(), 2);
        EXPECT_TRUE(IsWindowVisible(wizard.Edit1));
        EXPECT_FALSE(IsWindowVisible(wizard.RadioButton1));
        EXPECT_TRUE(IsWindowVisible(wizard.Button5));
        EXPECT_EQ(WindowText(wizard.Button4), L"C&reate");
        EXPECT_FALSE(IsWindowEnabled(wizard.Button4));
        EXPECT_EQ(GetFocus(), wizard.Edit1);
        EXPECT_EQ(WindowText(wizard.Label4), L"Backup description:");
        EXPECT_EQ(WindowText(wizard.Label5), L"The date and time will be added automatically.");
        Key(wizard, IDOK);
        EXPECT_EQ(wizard.ActivePage(), 2) << "Enter does nothing while Create is disabled";
        SetWindowTextW(wizard.Edit1, L"   ");
        EXPECT_TRUE(IsWindowEnabled(wizard.Button4)) << "spaces are a text";
        SetWindowTextW(wizard.Edit1, L"");
        EXPECT_FALSE(IsWindowEnabled(wizard.Button4));
        SetWindowTextW(wizard.Edit1, L"Before sorting");

        // Back and forward again: the text is kept, Create waits for a change.
        Click(wizard.Button5);
        EXPECT_EQ(wizard.ActivePage(), 1);
        EXPECT_FALSE(IsWindowVisible(wizard.Button5));
        EXPECT_EQ(WindowText(wizard.Button4), L"&Next >");
        Click(wizard.Button4);
        EXPECT_EQ(wizard.ActivePage(), 2);
        EXPECT_EQ(WindowText(wizard.Edit1), L"Before sorting");
        EXPECT_FALSE(IsWindowEnabled(wizard.Button4));
        SetWindowTextW(wizard.Edit1, L"Before sorting!");
        Click(wizard.Button4);
        EXPECT_EQ(LastShown(), L"A backup copy has been created!");
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(
        product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kBackupDoneValue),
        1u);
    EXPECT_EQ(TreeOf(Copy(1) + L"Programs"), TreeOf(source.userPrograms));
    EXPECT_EQ(TreeOf(Copy(1) + L"Common_Programs"), TreeOf(source.commonPrograms));

    // The user changes the Start Menu, then restores from page 3 opened from the last page's
    // button.
    DeleteFileW(Common(L"Writer.lnk").c_str());
    MakeShortcut(User(L"New.lnk"), Common(L"Chess.lnk"));
    ASSERT_NE(StartMenu(), before);
    ClickWizardButton(IdBitBtn6, [&](TBackupWizardForm& wizard) {
        DoubleClick(wizard, wizard.RadioButton2);
        EXPECT_EQ(wizard.ActivePage(), 3);
        EXPECT_EQ(WindowText(wizard.Button4), L"&Restore");
        EXPECT_FALSE(IsWindowEnabled(wizard.Button4));
        EXPECT_EQ(WindowText(wizard.Label6), L"Select the backup copy you want to use for "
                                             L"restoring the menu and click Restore.");
        ASSERT_EQ(ListBox_GetCount(wizard.ListBox1), 1);
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 0), L" - Before sorting!"))
            << ListText(wizard.ListBox1, 0).size();
        Key(wizard, IDOK);
        EXPECT_FALSE(wizard.ModalEnded()) << "nothing is selected";
        ClickListItem(wizard.ListBox1, 0);
        EXPECT_TRUE(IsWindowEnabled(wizard.Button4));
        Key(wizard, IDOK);
        EXPECT_EQ(LastShown(), L"Shortcuts are restored!");
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(StartMenu(), before);
    EXPECT_EQ(form->ListCount(), listed) << "the wizard does not rescan";

    // Esc leaves with Cancel and changes nothing.
    size_t messages = prompt.shown.size();
    int result = 0;
    {
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            auto& wizard = dynamic_cast<TBackupWizardForm&>(window);
            Click(wizard.RadioButton2);
            Click(wizard.Button4);
            EXPECT_EQ(wizard.ActivePage(), 3);
            Key(wizard, IDCANCEL);
            EXPECT_TRUE(wizard.ModalEnded());
        });
        result = backup::RunBackupWizard(form->Handle(), form->Model().Folders);
    }
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(prompt.shown.size(), messages);
    EXPECT_EQ(ListNames(source.appDir + L"backup"), (std::vector<std::wstring>{L"backup1"}));
}

TEST_F(BackupWizard, TellsWhatStoppedABackupOrARestoreAndStaysOpen) {
    Tree before = StartMenu();
    {
        // A shortcut in use: the copy goes on past it and its code is told.
        win::FileHandle inUse(CreateFileW(User(L"Mail.lnk").c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(inUse);
        ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
            Click(wizard.Button4);
            SetWindowTextW(wizard.Edit1, L"Partial");
            Click(wizard.Button4);
            ASSERT_EQ(prompt.shown.size(), 2u);
            EXPECT_EQ(prompt.shown[0].text, L"32");
            EXPECT_EQ(prompt.shown[1].text, L"A backup copy has been created!");
        });
    }
    EXPECT_FALSE(Exists(Copy(1) + L"Programs\\Mail.lnk"));
    EXPECT_TRUE(Exists(Copy(1) + L"Common_Programs\\Writer.lnk"));

    // A copy damaged by hand is refused; nothing of the Start Menu goes.
    std::wstring moved = source.appDir + L"elsewhere";
    ASSERT_TRUE(MoveFileW((Copy(1) + L"Common_Programs").c_str(), moved.c_str()));
    prompt.shown.clear();
    ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
        Click(wizard.RadioButton2);
        Click(wizard.Button4);
        ClickListItem(wizard.ListBox1, 0);
        Click(wizard.Button4);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_NE(prompt.shown[0].text.find(L"is incomplete"), std::wstring::npos);
        EXPECT_FALSE(wizard.ModalEnded());
        EXPECT_EQ(wizard.ActivePage(), 3);
    });
    EXPECT_EQ(StartMenu(), before);

    // An index that cannot be written stops the backup; the empty folder stays.
    std::wstring index = source.appDir + L"backup.dat";
    ASSERT_TRUE(DeleteFileW(index.c_str()));
    MakeDir(index);
    prompt.shown.clear();
    ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
        Click(wizard.Button4);
        SetWindowTextW(wizard.Edit1, L"Nowhere");
        Click(wizard.Button4);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, L"Unable to write to " + index);
        EXPECT_FALSE(wizard.ModalEnded());
    });
    EXPECT_TRUE(ListNames(Copy(2)).empty());
    RemoveDirectoryW(index.c_str());

    // A section without a date key stops the list at it.
    MakeFile(index, "[" + win::Utf8FromWide(Copy(1)) + "]\r\n01:02:2026:10:11=One\r\n[" +
                        win::Utf8FromWide(Copy(2)) + "]\r\nwhen=never\r\n[" +
                        win::Utf8FromWide(Copy(3)) + "]\r\n01:03:2026:10:11=Three\r\n");
    prompt.shown.clear();
    ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
        DoubleClick(wizard, wizard.RadioButton2);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_NE(prompt.shown[0].text.find(Copy(2)), std::wstring::npos);
        ASSERT_EQ(ListBox_GetCount(wizard.ListBox1), 1);
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 0), L" - Three"));
        EXPECT_EQ(wizard.BackupFolders.size(), 3u);
    });
}

namespace {

// A window of the test that runs a call when its posted message is handled: it sees the
// wizard as it is whenever the GUI thread gets to its messages.
class MessageProbe {
public:
    explicit MessageProbe(std::function<void()> call) : call_(std::move(call)) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BackupMessageProbe";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    MessageProbe(const MessageProbe&) = delete;
    MessageProbe& operator=(const MessageProbe&) = delete;
    ~MessageProbe() { DestroyWindow(window_); }
    void Post() { PostMessageW(window_, WM_APP, 0, 0); }
    int Runs() const { return runs_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<MessageProbe*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (msg == WM_APP && self) {
            ++self->runs_;
            self->call_();
            return 0;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    std::function<void()> call_;
    HWND window_ = nullptr;
    int runs_ = 0;
};

} // namespace

TEST_F(BackupWizard, ALongCopyShowsItsProgressAndTakesNoInput) {
    for (int folder = 0; folder < 15; ++folder) {
        std::wstring path = User(L"Folder " + std::to_wstring(folder));
        MakeDir(path);
        for (int item = 0; item < 100; ++item)
            MakeFile(path + L"\\Program " + std::to_wstring(item) + L".lnk", "link");
    }
    ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
        Click(wizard.Button4);
        SetWindowTextW(wizard.Edit1, L"Large");
        EXPECT_FALSE(IsWindowVisible(wizard.ProgressBar1));
        bool barShown = false, backShown = true, endedMeanwhile = false;
        std::wstring item;
        MessageProbe probe([&] {
            barShown = IsWindowVisible(wizard.ProgressBar1);
            backShown = IsWindowVisible(wizard.Button5);
            item = WindowText(wizard.ProgressLabel);
            // A click on Cancel while the copy is on does nothing.
            Click(wizard.Button6);
            endedMeanwhile = wizard.ModalEnded();
        });
        probe.Post();
        Click(wizard.Button4);
        EXPECT_EQ(probe.Runs(), 1) << "the copy handles waiting messages";
        EXPECT_TRUE(barShown);
        EXPECT_FALSE(backShown);
        EXPECT_FALSE(item.empty());
        EXPECT_FALSE(endedMeanwhile);
        EXPECT_EQ(LastShown(), L"A backup copy has been created!");
        EXPECT_FALSE(IsWindowVisible(wizard.ProgressBar1));
    });
    EXPECT_EQ(TreeOf(Copy(1) + L"Programs"), TreeOf(source.userPrograms));
    EXPECT_EQ(ListNames(Copy(1) + L"Programs\\Folder 14").size(), 100u);
}

TEST(BackupWizardProgram, TheProgramOpensItOverItsMainWindowAndGoesOnAfterIt) {
    RunningProgram program(L"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    // Posted: the wizard's modal run keeps a sent message from returning.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IdBitBtn4, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IdBitBtn4)));
    HWND wizard = program.WaitForWindow(L"TBackupWizardForm");
    ASSERT_TRUE(wizard);
    EXPECT_EQ(WindowText(wizard), L"Backup/Restore Wizard");
    EXPECT_EQ(GetWindow(wizard, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}
