// The import/export wizard opened from the main window's buttons and driven through its
// controls, with the file dialogs answered by the test.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <functional>

#include "ExchangeTestSupport.h"
#include "FakeRestoreClient.h"
#include "MainWindowFixture.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "exchange/UImportExportWizard.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Dpi.h"
#include "win/Modal.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;
using exchange::TImportExportWizard;

namespace {

constexpr int kOffice = 0;
const std::wstring kFilter = L"XML Files (*.xml)|*.xml|All Files (*.*)|*.*";

class ExchangeWizard : public MainWindowTest {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    restorepoint::RestorePointSystem system{&FakeSetRestorePoint, false, true};
    restorepoint::ScopedRestorePointSystem useSystem{system};
    TempFolder files{L"wizard"};
    std::wstring layout, broken;

    void SetUp() override {
        MainWindowTest::SetUp();
        MakeStartMenu();
        Open();
        form->Wizards.importExport = app::OpenImportExportWizard;
        layout = files / L"layout.xml";
        MakeFile(layout, "<MarlowenExport><CurrentUser/><Common><office><name>Writer.lnk</name>"
                         "</office></Common></MarlowenExport>");
        broken = files / L"broken.xml";
        MakeFile(broken, "<MarlowenExport><CurrentUser>");
    }

    // A click on one of the main window's "Import/Export Wizard" buttons; drive gets the
    // wizard while it is up. Returns how many wizards were opened.
    int ClickWizardButton(int id, const std::function<void(TImportExportWizard&)>& drive) {
        int opened = 0;
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            ++opened;
            auto* wizard = dynamic_cast<TImportExportWizard*>(&window);
            ASSERT_TRUE(wizard);
            EXPECT_FALSE(IsWindowEnabled(form->Handle())) << "the main window waits";
            drive(*wizard);
        });
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(form->Handle(), id)));
        EXPECT_TRUE(IsWindowEnabled(form->Handle()));
        return opened;
    }

    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    static void DoubleClick(TImportExportWizard& wizard, HWND radio) {
        SendMessageW(wizard.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(radio), BN_DOUBLECLICKED),
                     reinterpret_cast<LPARAM>(radio));
    }
};

} // namespace

TEST_F(ExchangeWizard, ChoosesTheActionAndStaysOpenUntilOneCompletes) {
    int opened = ClickWizardButton(IdBitBtn9, [&](TImportExportWizard& wizard) {
        HWND window = wizard.Handle();
        EXPECT_EQ(WindowText(window), L"Import/ExportWizard");
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetWindow(window, GW_OWNER), form->Handle());
        UINT dpi = win::DpiOf(window);
        RECT r, owner;
        GetWindowRect(window, &r);
        GetWindowRect(form->Handle(), &owner);
        EXPECT_EQ(r.right - r.left, win::Scale(532, dpi));
        EXPECT_EQ(r.bottom - r.top, win::Scale(379, dpi));
        EXPECT_NEAR((r.left + r.right) / 2, (owner.left + owner.right) / 2, 1) << "centred";
        EXPECT_NEAR((r.top + r.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
        MINMAXINFO limits = {};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, win::Scale(532, dpi));
        EXPECT_EQ(limits.ptMinTrackSize.y, win::Scale(330, dpi));
        for (HWND radio : {wizard.RadioButton1, wizard.RadioButton2, wizard.RadioButton3})
            EXPECT_TRUE(GetWindowLongW(radio, GWL_STYLE) & BS_MULTILINE) << "captions wrap";
        EXPECT_EQ(WindowText(wizard.RadioButton2),
                  L"Import the menu from an XML file. Just select the checkboxes of the programs "
                  L"in the corresponding categories during import");

        EXPECT_EQ(Button_GetCheck(wizard.RadioButton1), BST_CHECKED);
        EXPECT_EQ(WindowText(wizard.Button4), L"&Export...");
        EXPECT_EQ(SendMessageW(window, DM_GETDEFID, 0, 0) & 0xFFFF, GetDlgCtrlID(wizard.Button4));
        Click(wizard.RadioButton3);
        EXPECT_EQ(WindowText(wizard.Button4), L"&Import...");
        Click(wizard.RadioButton1);
        EXPECT_EQ(WindowText(wizard.Button4), L"&Export...");
        Click(wizard.RadioButton2);
        EXPECT_EQ(WindowText(wizard.Button4), L"&Import...");

        Click(wizard.Button4); // the open dialog, cancelled
        ASSERT_EQ(prompt.fileRequests.size(), 1u);
        EXPECT_FALSE(prompt.fileRequests[0].save);
        EXPECT_EQ(prompt.fileRequests[0].filter, kFilter);
        EXPECT_EQ(prompt.fileRequests[0].defaultExtension, L"xml");
        EXPECT_FALSE(wizard.ModalEnded());

        prompt.files = {broken};
        SendMessageW(window, WM_COMMAND, IDOK, 0); // Enter
        ASSERT_EQ(prompt.shown.size(), 1u) << "the error is shown";
        EXPECT_NE(prompt.shown[0].text.find(broken), std::wstring::npos);
        EXPECT_FALSE(wizard.ModalEnded()) << "and the wizard stays open";
        EXPECT_TRUE(IsWindow(window));

        prompt.files = {layout};
        DoubleClick(wizard, wizard.RadioButton2);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(EntryOf(L"Writer").Category, kOffice);
    EXPECT_EQ(form->Model().CurrentCategory, kOffice);
    EXPECT_TRUE(Exists(Common(L"Writer.lnk"))) << "select mode moves nothing";
}

TEST_F(ExchangeWizard, ExportsAppliesAndCancelsFromTheThirdPage) {
    form->Button4Click();
    form->Button6Click();
    std::wstring out = files / L"out.xml";
    ClickWizardButton(IdBitBtn8, [&](TImportExportWizard& wizard) {
        prompt.files = {out};
        Click(wizard.Button4);
        ASSERT_EQ(prompt.fileRequests.size(), 1u);
        EXPECT_TRUE(prompt.fileRequests[0].save);
        EXPECT_EQ(prompt.fileRequests[0].filter, kFilter);
        EXPECT_EQ(prompt.fileRequests[0].defaultExtension, L"xml");
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(FileBytes(out).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);

    ClickWizardButton(IdBitBtn8, [&](TImportExportWizard& wizard) {
        EXPECT_EQ(Button_GetCheck(wizard.RadioButton1), BST_CHECKED) << "each opening afresh";
        EXPECT_EQ(WindowText(wizard.Button4), L"&Export...");
        SendMessageW(wizard.Handle(), WM_COMMAND, IDCANCEL, 0); // Esc
        EXPECT_TRUE(wizard.ModalEnded());
    });
    ClickWizardButton(IdBitBtn9, [&](TImportExportWizard& wizard) {
        Click(wizard.Button6);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(prompt.fileRequests.size(), 1u) << "cancelling asks for no file";

    ClickWizardButton(IdBitBtn8, [&](TImportExportWizard& wizard) {
        prompt.files = {layout};
        DoubleClick(wizard, wizard.RadioButton3);
        EXPECT_EQ(Button_GetCheck(wizard.RadioButton3), BST_CHECKED);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk"))) << "apply mode processes at once";
    EXPECT_EQ(WindowText(form->Page3().Button8), L"Programs have been successfully categorized!");
}

// A path longer than MAX_PATH given through the prompt, over a file a user made read-only:
// refused as Windows refuses it, with the file as it was; once writable it is replaced, and a
// layout on such a path imports.
TEST_F(ExchangeWizard, ExportsToALongPathButNeverOverAReadOnlyFile) {
    std::wstring folder = DeepFolder(files.Path());
    std::wstring out = LayoutPathOfLength(folder, 313, L'n');
    ASSERT_EQ(out.size(), 313u);
    MakeFile(out, "mine");
    ASSERT_TRUE(SetFileAttributesW(out.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));

    ClickWizardButton(IdBitBtn9, [&](TImportExportWizard& wizard) {
        prompt.files = {out};
        Click(wizard.Button4);
        ASSERT_EQ(prompt.shown.size(), 1u) << "the refusal is shown";
        EXPECT_NE(prompt.shown[0].text.find(out), std::wstring::npos) << "naming the file";
        EXPECT_NE(prompt.shown[0].text.find(L"read-only attribute"), std::wstring::npos);
        EXPECT_EQ(prompt.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_FALSE(wizard.ModalEnded()) << "the wizard stays open";
        EXPECT_EQ(FileBytes(out), "mine");
        EXPECT_EQ(GetFileAttributesW(out.c_str()),
                  static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE))
            << "and keeps its protection";
        EXPECT_EQ(ListNames(folder).size(), 1u) << "no temporary file stays";

        ASSERT_TRUE(SetFileAttributesW(out.c_str(), FILE_ATTRIBUTE_ARCHIVE));
        prompt.files = {out};
        Click(wizard.Button4);
        EXPECT_EQ(prompt.shown.size(), 1u);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(FileBytes(out).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);
    EXPECT_EQ(ListNames(folder).size(), 1u);

    std::wstring longLayout = LayoutPathOfLength(folder, 313, L'l');
    MakeFile(longLayout, "<MarlowenExport><CurrentUser><Office><name>Writer.lnk</name></Office>"
                         "</CurrentUser><Common/></MarlowenExport>");
    ClickWizardButton(IdBitBtn9, [&](TImportExportWizard& wizard) {
        prompt.files = {longLayout};
        DoubleClick(wizard, wizard.RadioButton2);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_EQ(prompt.shown.size(), 2u) << "the refusal, then what the import gave";
    EXPECT_EQ(EntryOf(L"Writer").Category, kOffice);
}

// A layout that names the category folder "Games" and an item that is not there: select
// mode says what it gave and what matched nothing; apply mode moves only the real items and
// names the rest after processing. The category folder stays where it is in both.
TEST_F(ExchangeWizard, SaysWhatItGaveAndWhichNamesMatchedNothing) {
    std::wstring special = files / L"special.xml";
    MakeFile(special, "<MarlowenExport><CurrentUser><Games><name>Chess.lnk</name></Games>"
                      "</CurrentUser><Common><office><name>Writer.lnk</name><name>GAMES</name>"
                      "<name>Nowhere.lnk</name></office></Common></MarlowenExport>");
    auto gamesFolder = [&]() -> TStartMenu& {
        for (EntryNode* n = form->Model().Entries->First(); n; n = n->NextSibling())
            if (n->Entry().Path == Common(L"Games"))
                return n->Entry();
        throw std::runtime_error("no Games folder");
    };
    form->Button4Click();
    for (bool shown : {false, true}) {
        // "&Show Category Folders" does not make it an item.
        Button_SetCheck(form->Page2().CheckBox1, shown ? BST_CHECKED : BST_UNCHECKED);
        form->Page2().CheckBox1Click();
        prompt.shown.clear();
        ClickWizardButton(IdBitBtn9, [&](TImportExportWizard& wizard) {
            prompt.files = {special};
            DoubleClick(wizard, wizard.RadioButton2);
            EXPECT_TRUE(wizard.ModalEnded());
        });
        EXPECT_EQ(EntryOf(L"Writer").Category, kOffice);
        EXPECT_EQ(EntryOf(L"Chess").Category, 2);
        EXPECT_EQ(gamesFolder().Category, CategoryNone) << "a category folder gets none";
        ASSERT_EQ(prompt.shown.size(), 1u);
        const std::wstring& text = prompt.shown[0].text;
        EXPECT_EQ(
            text.find(L"2 items of the layout \"" + special + L"\" were given their category"), 0u)
            << win::Utf8FromWide(text);
        EXPECT_NE(text.find(L"2 names of the layout"), std::wstring::npos);
        EXPECT_NE(text.find(L"\u2022 \"GAMES\""), std::wstring::npos);
        EXPECT_NE(text.find(L"\u2022 \"Nowhere.lnk\""), std::wstring::npos);
        EXPECT_EQ(text.find(L"Writer.lnk"), std::wstring::npos);
    }

    prompt.shown.clear();
    ClickWizardButton(IdBitBtn9, [&](TImportExportWizard& wizard) {
        prompt.files = {special};
        DoubleClick(wizard, wizard.RadioButton3);
        EXPECT_TRUE(wizard.ModalEnded());
    });
    EXPECT_TRUE(Exists(Common(L"Office\\Writer.lnk")));
    EXPECT_TRUE(Exists(Common(L"Games\\Pinball.lnk"))) << "the category folder was not moved";
    EXPECT_TRUE(Exists(Common(L"Games\\Chess.lnk")));
    EXPECT_FALSE(Exists(Common(L"Office\\Games")));
    ASSERT_EQ(prompt.shown.size(), 1u) << "processing had nothing to report; the names follow";
    EXPECT_EQ(
        prompt.shown[0].text.find(L"2 names of the layout \"" + special + L"\" matched no item"),
        0u)
        << win::Utf8FromWide(prompt.shown[0].text);
    EXPECT_EQ(prompt.shown[0].type & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
}
