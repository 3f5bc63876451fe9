// The backup/restore wizard opened from the main window's buttons and driven through its
// controls, on a Start Menu of real shortcuts in the test prefix.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <functional>

#include "BackupTestSupport.h"
#include "MainWindowFixture.h"
#include "product/Settings.h"
#include "backup/UBackupWizardForm.h"
#include "startmenu/window/MainFormIds.h"
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
    static std::vector<std::wstring> ListTexts(HWND list) {
        std::vector<std::wstring> texts;
        for (int i = 0; i < ListBox_GetCount(list); ++i)
            texts.push_back(ListText(list, i));
        return texts;
    }

    // Through the wizard as a user does it: a backup with a description.
    void BackUp(const std::wstring& description) {
        ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
            Click(wizard.Button4);
            SetWindowTextW(wizard.Edit1, description.c_str());
            Click(wizard.Button4);
            if (!wizard.ModalEnded())
                Click(wizard.Button6);
        });
    }
    // The list page, opened as a user does it, with drive run on the open wizard.
    void OnRestorePage(const std::function<void(TBackupWizardForm&)>& drive) {
        ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
            Click(wizard.RadioButton2);
            Click(wizard.Button4);
            drive(wizard);
        });
    }
    // A click on a listed copy and on Restore, the question answered with answer; true when
    // the question came.
    bool Restore(TBackupWizardForm& wizard, int item, int answer) {
        ClickListItem(wizard.ListBox1, item);
        size_t before = prompt.shown.size();
        prompt.answers = {answer};
        Click(wizard.Button4);
        bool asked =
            prompt.shown.size() > before && (prompt.shown[before].type & MB_TYPEMASK) == MB_YESNO;
        prompt.answers.clear();
        return asked;
    }
    std::vector<std::wstring> Store() const { return ListNames(source.appDir + L"backup"); }
};

// Another program that holds a file open without sharing it, or has a folder as its current
// folder. Ready once made.
class OtherProgram {
public:
    explicit OtherProgram(const std::wstring& path)
        : program_(L"\"" + path + L"\"", BesideTests(L"hold_open.exe")) {
        EXPECT_TRUE(program_.Started());
        EXPECT_TRUE(program_.WaitUntil([&] {
            win::FileHandle probe(CreateFileW(
                path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
            return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
        })) << "the other program holds "
            << win::Utf8FromWide(path);
    }

private:
    RunningProgram program_;
};

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST_F(BackupWizard, BacksUpAndRestoresThroughItsPages) {
    Tree before = StartMenu();
    int listed = form->Page2().ListCount();

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
                  L"Before it changes the Start Menu, the program also asks Windows for a system "
                  L"restore point, where System Restore is turned on. To use one, open System "
                  L"Restore (search the Start menu for \"Create a restore point\").");

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
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 0), L" - Before sorting! (backup1)"))
            << ListText(wizard.ListBox1, 0).size();
        Key(wizard, IDOK);
        EXPECT_FALSE(wizard.ModalEnded()) << "nothing is selected";
        ClickListItem(wizard.ListBox1, 0);
        EXPECT_TRUE(IsWindowEnabled(wizard.Button4));
        prompt.answers = {IDYES};
        Key(wizard, IDOK);
        EXPECT_EQ(LastShown().rfind(L"Shortcuts are restored!", 0), 0u);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(StartMenu(), before);
    EXPECT_EQ(form->Page2().ListCount(), listed) << "the wizard does not rescan";

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
    EXPECT_EQ(ListNames(source.appDir + L"backup"),
              (std::vector<std::wstring>{L"backup1", L"backup2"}));
}

TEST_F(BackupWizard, TellsWhatStoppedABackupOrARestoreAndStaysOpen) {
    Tree before = StartMenu();
    {
        // A shortcut in use: the copy goes on past it, names it and stays open.
        win::FileHandle inUse(CreateFileW(User(L"Mail.lnk").c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(inUse);
        ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
            Click(wizard.Button4);
            SetWindowTextW(wizard.Edit1, L"Partial");
            Click(wizard.Button4);
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_NE(prompt.shown[0].text.find(User(L"Mail.lnk") + L" is in use"),
                      std::wstring::npos);
            EXPECT_FALSE(wizard.ModalEnded());
            Click(wizard.Button6);
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

    // A section without a date key is named; the copies around it are listed.
    MakeFile(index, "[" + win::Utf8FromWide(Copy(1)) + "]\r\n01:02:2026:10:11=One\r\n[" +
                        win::Utf8FromWide(Copy(2)) + "]\r\nwhen=never\r\n[" +
                        win::Utf8FromWide(Copy(3)) + "]\r\n01:03:2026:10:11=Three\r\n");
    prompt.shown.clear();
    ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
        DoubleClick(wizard, wizard.RadioButton2);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_NE(prompt.shown[0].text.find(Copy(2)), std::wstring::npos);
        ASSERT_EQ(ListBox_GetCount(wizard.ListBox1), 2);
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 0), L" - Three (backup3)"));
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 1), L" - One (backup1, incomplete)"));
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

TEST_F(BackupWizard, ABackupThatMissesAShortcutInUseSaysSoAndIsNeverRestored) {
    Tree before = StartMenu();
    {
        OtherProgram editor(User(L"Mail.lnk"));
        ClickWizardButton(IdBitBtn4, [&](TBackupWizardForm& wizard) {
            Click(wizard.Button4);
            SetWindowTextW(wizard.Edit1, L"Partial");
            Click(wizard.Button4);
            ASSERT_EQ(prompt.shown.size(), 1u);
            const std::wstring& text = prompt.shown[0].text;
            EXPECT_NE(text.find(User(L"Mail.lnk") + L" is in use by another program."),
                      std::wstring::npos)
                << win::Utf8FromWide(text);
            EXPECT_NE(text.find(L"incomplete"), std::wstring::npos);
            EXPECT_EQ(prompt.shown[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
            EXPECT_FALSE(wizard.ModalEnded()) << "the user can try again";
            Click(wizard.Button6);
        });
    }
    EXPECT_FALSE(product::RegValueExists(HKEY_CURRENT_USER, product::kSettingsKey,
                                         product::kBackupDoneValue));
    EXPECT_FALSE(Exists(Copy(1) + L"Programs\\Mail.lnk"));
    EXPECT_NE(FileBytes(Copy(1) + L"incomplete.txt").find("M\0a\0i\0l\0.\0l\0n\0k"),
              std::string::npos)
        << "the copy names what it lacks";

    // Listed as incomplete; a restore of it is refused without a question and removes nothing.
    prompt.shown.clear();
    OnRestorePage([&](TBackupWizardForm& wizard) {
        ASSERT_EQ(ListBox_GetCount(wizard.ListBox1), 1);
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 0), L" - Partial (backup1, incomplete)"));
        EXPECT_FALSE(Restore(wizard, 0, IDYES));
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_NE(prompt.shown[0].text.find(L"is incomplete"), std::wstring::npos);
        EXPECT_NE(prompt.shown[0].text.find(L"Nothing has been changed."), std::wstring::npos);
        EXPECT_FALSE(wizard.ModalEnded());
    });
    EXPECT_EQ(StartMenu(), before);
    EXPECT_EQ(Store(), (std::vector<std::wstring>{L"backup1"}));
}

TEST_F(BackupWizard, ARestoreBlockedByAFolderInUseChangesNothingAndLeavesNothingBehind) {
    BackUp(L"Tidy");
    MakeShortcut(Common(L"Suite\\Later.lnk"), Common(L"Chess.lnk"));
    DeleteFileW(User(L"Mail.lnk").c_str());
    Tree before = StartMenu();
    {
        // A command prompt open in a folder of the Start Menu.
        OtherProgram prompter(Common(L"Suite"));
        prompt.shown.clear();
        OnRestorePage([&](TBackupWizardForm& wizard) {
            EXPECT_TRUE(Restore(wizard, 0, IDYES));
            ASSERT_EQ(prompt.shown.size(), 2u);
            const std::wstring& text = prompt.shown[1].text;
            EXPECT_EQ(text.rfind(Common(L"Suite") + L" is in use by another program", 0), 0u)
                << win::Utf8FromWide(text);
            EXPECT_NE(text.find(L"Nothing has been changed."), std::wstring::npos);
            EXPECT_FALSE(wizard.ModalEnded());
        });
        EXPECT_EQ(StartMenu(), before);
        EXPECT_EQ(Store(), (std::vector<std::wstring>{L"backup1"}));
    }
    {
        // A file of the copy that another program holds: the copy back fails midway, the
        // Start Menu is put back and told so, and no holding folder stays.
        OtherProgram scanner(Copy(1) + L"Common_Programs\\Writer.lnk");
        prompt.shown.clear();
        OnRestorePage([&](TBackupWizardForm& wizard) {
            EXPECT_TRUE(Restore(wizard, 0, IDYES));
            ASSERT_EQ(prompt.shown.size(), 2u);
            const std::wstring& text = prompt.shown[1].text;
            EXPECT_EQ(text, L"The backup copy could not be restored completely: " + Copy(1) +
                                L"Common_Programs\\Writer.lnk is in use by another program.\n"
                                L"The Start Menu has been put back as it was before the restore.")
                << win::Utf8FromWide(text);
            EXPECT_FALSE(wizard.ModalEnded());
        });
        EXPECT_EQ(StartMenu(), before);
        EXPECT_EQ(Store(), (std::vector<std::wstring>{L"backup1"}));
    }
}

TEST_F(BackupWizard, ADamagedIndexIsNamedAndEachReadableCopyIsListedOnce) {
    for (unsigned n : {1u, 2u, 3u}) {
        MakeDir(Copy(n));
        MakeDir(Copy(n) + L"Programs");
        MakeDir(Copy(n) + L"Common_Programs");
    }
    const std::wstring index = source.appDir + L"backup.dat";
    const std::string text = "[" + win::Utf8FromWide(Copy(1)) + "]\r\n01:02:2026:10:11=One\r\n[" +
                             win::Utf8FromWide(Copy(2)) + "]\r\nwhen=never\r\n[" +
                             win::Utf8FromWide(Copy(3)) + "]\r\n01:03:2026:10:11=Three\r\n[" +
                             win::Utf8FromWide(Copy(1)) + "]\r\n01:04:2026:10:11=Again\r\n";
    MakeFile(index, text);
    prompt.shown.clear();
    OnRestorePage([&](TBackupWizardForm& wizard) {
        std::vector<std::wstring> listed = ListTexts(wizard.ListBox1);
        ASSERT_EQ(listed.size(), 2u);
        EXPECT_TRUE(EndsWith(listed[0], L" - Three (backup3)"));
        EXPECT_TRUE(EndsWith(listed[1], L" - One (backup1)"));
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_NE(prompt.shown[0].text.find(index), std::wstring::npos);
        EXPECT_NE(prompt.shown[0].text.find(Copy(2)), std::wstring::npos);
    });

    // The same text in UTF-16 without its byte-order mark, and noise: neither can be read,
    // and the message says so.
    std::wstring wide = win::WideFromUtf8(text);
    std::string noMark(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    std::string noise;
    for (unsigned i = 0, seed = 7; i < 900; ++i)
        noise += static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    for (const std::string& bytes : {noMark, noise}) {
        MakeFile(index, bytes);
        prompt.shown.clear();
        OnRestorePage([&](TBackupWizardForm& wizard) {
            EXPECT_EQ(ListBox_GetCount(wizard.ListBox1), 0);
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_NE(prompt.shown[0].text.find(index + L", is damaged"), std::wstring::npos)
                << win::Utf8FromWide(prompt.shown[0].text);
        });
    }
    // With its mark the same text is read, and nothing is reported but the entry without a date.
    MakeFile(index, "\xFF\xFE" + noMark);
    prompt.shown.clear();
    OnRestorePage([&](TBackupWizardForm& wizard) {
        EXPECT_EQ(ListBox_GetCount(wizard.ListBox1), 2);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text.find(L"The file"), std::wstring::npos);
    });
}

TEST_F(BackupWizard, CopiesMadeInOneMinuteCanBeToldApart) {
    BackUp(L"Same");
    BackUp(L"Same");
    OnRestorePage([&](TBackupWizardForm& wizard) {
        std::vector<std::wstring> listed = ListTexts(wizard.ListBox1);
        ASSERT_EQ(listed.size(), 2u);
        EXPECT_NE(listed[0], listed[1]);
        EXPECT_TRUE(EndsWith(listed[0], L" - Same (backup2)"));
        EXPECT_TRUE(EndsWith(listed[1], L" - Same (backup1)"));
    });
}

TEST_F(BackupWizard, ARestoreAsksFirstAndCanBeUndone) {
    Tree tidy = StartMenu();
    BackUp(L"Tidy");
    DeleteFileW(Common(L"Writer.lnk").c_str());
    MakeShortcut(User(L"New.lnk"), Common(L"Chess.lnk"));
    Tree changed = StartMenu();

    prompt.shown.clear();
    OnRestorePage([&](TBackupWizardForm& wizard) {
        EXPECT_TRUE(Restore(wizard, 0, IDNO));
        ASSERT_EQ(prompt.shown.size(), 1u);
        const auto& question = prompt.shown[0];
        EXPECT_EQ(question.type & MB_DEFMASK, UINT(MB_DEFBUTTON2)) << "No is the default";
        for (const std::wstring& part :
             {std::wstring(L"\"Tidy\""), Copy(1), std::wstring(L"both Programs folders"),
              std::wstring(L"\"Before restoring Tidy\"")})
            EXPECT_NE(question.text.find(part), std::wstring::npos) << win::Utf8FromWide(part);
        EXPECT_FALSE(wizard.ModalEnded());
    });
    EXPECT_EQ(StartMenu(), changed);
    EXPECT_EQ(Store(), (std::vector<std::wstring>{L"backup1"}));

    OnRestorePage([&](TBackupWizardForm& wizard) {
        EXPECT_TRUE(Restore(wizard, 0, IDYES));
        EXPECT_EQ(LastShown().rfind(L"Shortcuts are restored!", 0), 0u);
        EXPECT_NE(LastShown().find(L"\"Before restoring Tidy\""), std::wstring::npos);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(StartMenu(), tidy);

    // The Start Menu before the restore is the newest copy; restoring it undoes the restore.
    OnRestorePage([&](TBackupWizardForm& wizard) {
        ASSERT_EQ(ListBox_GetCount(wizard.ListBox1), 2);
        EXPECT_TRUE(EndsWith(ListText(wizard.ListBox1, 0), L" - Before restoring Tidy (backup2)"));
        EXPECT_TRUE(Restore(wizard, 0, IDYES));
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(StartMenu(), changed);
    EXPECT_EQ(Store(), (std::vector<std::wstring>{L"backup1", L"backup2", L"backup3"}));

    // A restore ended by force after its first step: the wizard says so when it opens.
    RunningProgram stopped(L"1 \"" + source.appDir.substr(0, source.appDir.size() - 1) + L"\" \"" +
                               source.userPrograms + L"\" \"" + source.commonPrograms + L"\" \"" +
                               Copy(1).substr(0, Copy(1).size() - 1) + L"\" Tidy",
                           BesideTests(L"restore_run.exe"));
    ASSERT_EQ(stopped.WaitForExit(), 99u);
    prompt.shown.clear();
    prompt.answers = {IDNO};
    OnRestorePage([&](TBackupWizardForm& wizard) {
        ASSERT_EQ(prompt.shown.size(), 2u) << "asked, then said what holds, before it opened";
        EXPECT_NE(prompt.shown[0].text.find(L"did not finish"), std::wstring::npos);
        EXPECT_EQ(ListBox_GetCount(wizard.ListBox1), 3);
    });
    EXPECT_EQ(StartMenu(), changed);
    EXPECT_EQ(Store(), (std::vector<std::wstring>{L"backup1", L"backup2", L"backup3"}));
}
