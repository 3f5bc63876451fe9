// marlowen.exe with a layout on its command line, run as a script runs it: the messages it
// shows are answered from outside, and its exit code tells how it ended.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>
#include <shlobj.h>

#include "Fixtures.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Text.h"

using namespace testing_support;

namespace {

// The texts of a message box's static controls.
std::wstring MessageText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Static") == 0)
            text += WindowText(child);
    }
    return text;
}

class ExchangeBatch : public ::testing::Test {
protected:
    CleanSettings clean;
    TempFolder files{L"batch"};
    std::wstring common, item, office;

    void SetUp() override {
        common = PrefixFolder(CSIDL_COMMON_PROGRAMS);
        ASSERT_FALSE(common.empty());
        office = common + L"\\Office";
        ASSERT_FALSE(Exists(office)) << "the prefix's menu has no Office folder of its own";
        MakeFile(files / L"tool.exe");
        item = common + L"\\!!Batch Tool.lnk";
        MakeShortcut(item, files / L"tool.exe");
    }
    void TearDown() override {
        DeleteFileW(item.c_str());
        DeleteFileW((office + L"\\!!Batch Tool.lnk").c_str());
        DeleteFileW(office.c_str());
        RemoveDirectoryW(office.c_str());
    }

    std::wstring LayoutFile(const std::wstring& name, const std::string& content) {
        std::wstring file = files / name;
        MakeFile(file, content);
        return file;
    }

    // Runs the program on file; answers each message box in turn with the button given
    // and keeps its text. Returns the exit code.
    DWORD Run(const std::wstring& file, std::initializer_list<int> answers,
              std::vector<std::wstring>* texts = nullptr) {
        RunningProgram program(L"\"" + file + L"\"");
        EXPECT_TRUE(program.Started());
        for (int answer : answers) {
            HWND box = program.WaitForWindow(L"#32770");
            EXPECT_TRUE(box) << "no message came";
            if (!box)
                break;
            if (texts)
                texts->push_back(MessageText(box));
            RunningProgram::Answer(box, answer);
        }
        EXPECT_FALSE(FindWindowW(L"TMainForm", nullptr) &&
                     IsWindowVisible(FindWindowW(L"TMainForm", nullptr)))
            << "no window is shown";
        return program.WaitForExit();
    }
};

const char* const kLayout =
    "<MarlowenExport><CurrentUser/><Common><Office><name>!!batch tool.LNK</name></Office>"
    "</Common></MarlowenExport>";

} // namespace

TEST_F(ExchangeBatch, ExitCodesTellRefusedDeclinedIncompleteAndProcessed) {
    std::vector<std::wstring> texts;
    std::wstring hostile = LayoutFile(
        L"hostile.xml", "<!DOCTYPE MarlowenExport [<!ENTITY a \"b\">]><MarlowenExport/>");
    EXPECT_EQ(Run(hostile, {IDOK}, &texts), 2u) << "refused";
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(hostile), std::wstring::npos);
    EXPECT_NE(texts[0].find(L"document type declaration"), std::wstring::npos);
    EXPECT_EQ(Run(files / L"xmlfiles\\notes.txt", {IDOK}), 2u) << "a missing file is refused";
    EXPECT_TRUE(Exists(item));

    std::wstring layout = LayoutFile(L"Menu.XML", kLayout);
    EXPECT_EQ(Run(layout, {IDCANCEL}), 3u) << "declined at the restore-point question";
    EXPECT_TRUE(Exists(item));

    MakeFile(office, "in the way");
    texts.clear();
    EXPECT_EQ(Run(layout, {IDOK, IDOK}, &texts), 1u) << "the item could not be moved";
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[1].find(item), std::wstring::npos) << "the report names it";
    EXPECT_TRUE(Exists(item));
    ASSERT_TRUE(DeleteFileW(office.c_str()));

    EXPECT_EQ(Run(layout, {IDOK}), 0u) << "processed";
    EXPECT_FALSE(Exists(item));
    EXPECT_TRUE(Exists(office + L"\\!!Batch Tool.lnk"));
}

// A layout that names what no user could tick: a category folder, a Startup folder, paths,
// wildcards and stream names. Only the one real item moves; the rest is named after the
// processing report, and the exit code says that some names matched nothing.
TEST_F(ExchangeBatch, NamesThatMatchNothingAreReportedAndTellTheirOwnExitCode) {
    std::wstring security = common + L"\\Security";
    ASSERT_FALSE(Exists(security)) << "the prefix's menu has no Security folder of its own";
    MakeDir(security);
    std::wstring guard = security + L"\\!!Guard.lnk";
    MakeShortcut(guard, files / L"tool.exe");
    std::wstring layout = LayoutFile(
        L"special.xml",
        "<MarlowenExport><CurrentUser><office><name>Security</name></office></CurrentUser>"
        "<Common><Office><name>SECURITY</name><name>StartUp</name>"
        "<name>..\\..\\!!Batch Tool.lnk</name><name>C:\\windows\\win.ini</name>"
        "<name>*.lnk</name><name>!!Batch Tool.lnk:x</name><name>!!batch tool.LNK</name>"
        "</Office></Common></MarlowenExport>");
    std::vector<std::wstring> texts;
    DWORD code = Run(layout, {IDOK, IDOK}, &texts);
    EXPECT_TRUE(Exists(guard)) << "the category folder stays where it was, whole";
    EXPECT_FALSE(Exists(office + L"\\Security"));
    EXPECT_TRUE(Exists(office + L"\\!!Batch Tool.lnk"));
    EXPECT_EQ(code, 4u) << "processed, but some names matched nothing";
    ASSERT_EQ(texts.size(), 2u) << "the restore-point question, then the names";
    for (const wchar_t* name :
         {L"\"Security\"", L"\"SECURITY\"", L"\"StartUp\"", L"\"..\\..\\!!Batch Tool.lnk\"",
          L"\"C:\\windows\\win.ini\"", L"\"*.lnk\"", L"\"!!Batch Tool.lnk:x\""})
        EXPECT_NE(texts[1].find(name), std::wstring::npos) << win::Utf8FromWide(name);
    EXPECT_NE(texts[1].find(L"7 names of the layout \"" + layout + L"\" matched no item"),
              std::wstring::npos)
        << win::Utf8FromWide(texts[1]);
    EXPECT_EQ(texts[1].find(L"!!batch tool.LNK"), std::wstring::npos) << "it matched";
    DeleteFileW(guard.c_str());
    RemoveDirectoryW(security.c_str());

    // A NUL inside a name is refused as what it is.
    texts.clear();
    std::wstring nul = LayoutFile(
        L"zero.xml", std::string("<MarlowenExport><CurrentUser/><Common><Office><name>!!Batch"
                                 "\0Tool.lnk</name></Office></Common></MarlowenExport>",
                                 110));
    EXPECT_EQ(Run(nul, {IDOK}, &texts), 2u);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(L"NUL character (line 1, column 60)"), std::wstring::npos)
        << win::Utf8FromWide(texts[0]);
    EXPECT_EQ(texts[0].find(L"empty"), std::wstring::npos);
    // A name that Windows keeps for a device is no file, in any folder.
    texts.clear();
    EXPECT_EQ(Run(files / L"nul.xml", {IDOK}, &texts), 2u);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(L"its name is that of a device"), std::wstring::npos)
        << win::Utf8FromWide(texts[0]);
}

// The interactive program opens the wizard from its button, over the main window.
TEST(ExchangeProgram, ImportExportButtonOpensTheWizardOverTheMainWindow) {
    CleanSettings clean;
    RunningProgram program(L"");
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    // Posted: the click runs the wizard's own message loop.
    PostMessageW(GetDlgItem(window, startmenu::IdBitBtn9), BM_CLICK, 0, 0);
    HWND wizard = program.WaitForWindow(L"TImportExportWizard");
    ASSERT_TRUE(wizard) << "no wizard appeared";
    EXPECT_EQ(WindowText(wizard), L"Import/ExportWizard");
    EXPECT_EQ(GetWindow(wizard, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    PostMessageW(wizard, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// The real save and open dialogs, a file name typed into them as a user types it. Wine's
// dialogs copy the full path into buffers of MAX_PATH characters on their stack, so a longer
// one must be refused before the dialog takes it.
TEST(ExchangeProgram, TheFileDialogsRefuseAPathTooLongForThemAndStayOpen) {
    CleanSettings clean;
    TempFolder out{L"long"};
    std::wstring folder = DeepFolder(out.Path());
    std::wstring tooLong = LayoutPathOfLength(folder, 313, L'n');
    ASSERT_EQ(tooLong.size(), 313u);
    MakeFile(tooLong, "old");
    std::wstring fits = out / L"layout.xml";

    RunningProgram program(L"");
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    // Types name into the dialog's file name box and presses OK, as a user does.
    auto type = [&](HWND dialog, const std::wstring& name) {
        SetDlgItemTextW(dialog, cmb13, name.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };

    PostMessageW(GetDlgItem(window, startmenu::IdBitBtn9), BM_CLICK, 0, 0);
    HWND wizard = program.WaitForWindow(L"TImportExportWizard");
    ASSERT_TRUE(wizard);
    PostMessageW(FindWindowExW(wizard, nullptr, L"Button", L"&Export..."), BM_CLICK, 0, 0);
    HWND dialog = program.WaitForWindow(L"#32770");
    ASSERT_TRUE(dialog) << "no save dialog";
    type(dialog, tooLong);
    HWND refusal = program.WaitForWindow(L"#32770", dialog);
    ASSERT_TRUE(refusal) << "no refusal came";
    std::wstring text = MessageText(refusal);
    EXPECT_NE(text.find(L"259"), std::wstring::npos) << "names the limit";
    EXPECT_NE(text.find(L"313"), std::wstring::npos) << "and the length";
    RunningProgram::Answer(refusal, IDOK);
    EXPECT_TRUE(program.WaitUntil([&] { return !IsWindow(refusal); }));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
    EXPECT_EQ(FileBytes(tooLong), "old");

    type(dialog, tooLong.substr(0, 257)); // fits only without the ".xml" the dialog adds
    refusal = program.WaitForWindow(L"#32770", dialog);
    ASSERT_TRUE(refusal);
    EXPECT_NE(MessageText(refusal).find(L"261"), std::wstring::npos);
    RunningProgram::Answer(refusal, IDOK);
    EXPECT_TRUE(program.WaitUntil([&] { return !IsWindow(refusal); }));

    type(dialog, fits);
    EXPECT_TRUE(program.WaitUntil([&] { return !IsWindow(wizard); })) << "a name that fits";
    EXPECT_EQ(FileBytes(fits).rfind("<?xml", 0), 0u);

    // The open dialog of the import takes the same care.
    PostMessageW(GetDlgItem(window, startmenu::IdBitBtn9), BM_CLICK, 0, 0);
    wizard = program.WaitForWindow(L"TImportExportWizard");
    ASSERT_TRUE(wizard);
    SendMessageW(FindWindowExW(wizard, nullptr, L"Button",
                               L"Import the menu from an XML file. Just select the checkboxes of "
                               L"the programs in the corresponding categories during import"),
                 BM_CLICK, 0, 0);
    PostMessageW(FindWindowExW(wizard, nullptr, L"Button", L"&Import..."), BM_CLICK, 0, 0);
    dialog = program.WaitForWindow(L"#32770");
    ASSERT_TRUE(dialog) << "no open dialog";
    type(dialog, tooLong);
    refusal = program.WaitForWindow(L"#32770", dialog);
    ASSERT_TRUE(refusal) << "no refusal came";
    EXPECT_NE(MessageText(refusal).find(L"259"), std::wstring::npos);
    RunningProgram::Answer(refusal, IDOK);
    EXPECT_TRUE(program.WaitUntil([&] { return !IsWindow(refusal); }));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program.WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(IsWindowVisible(wizard)) << "a cancelled dialog leaves the wizard open";
    PostMessageW(wizard, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}
