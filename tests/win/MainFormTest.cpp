#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "product/Settings.h"
#include "product/Version.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/UMainForm.h"
#include "win/FileSystem.h"
#include "win/Text.h"

using namespace testing_support;
using namespace startmenu;

namespace {

class MainFormTest : public MainWindowTest {
protected:
    static void Write(const wchar_t* name, DWORD value) {
        product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, name, value);
    }
    static DWORD Read(const wchar_t* name) {
        return product::RegReadDword(HKEY_CURRENT_USER, product::kSettingsKey, name);
    }
};

} // namespace

TEST_F(MainFormTest, CreationScansAndCaptionsTheWindow) {
    MakeShortcut(source.commonPrograms + L"\\Writer.lnk", source.commonPrograms);
    MakeDir(source.userPrograms + L"\\Games");
    TMainForm window(source);

    EXPECT_EQ(WindowText(window.Handle()), L"Marlowen v " MARLOWEN_VERSION_WIDE L" freeware");
    EXPECT_FALSE(IsWindowVisible(window.Handle())) << "creation alone shows nothing";
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(window.FormReady);
    ASSERT_TRUE(window.Model().Entries);
    EXPECT_EQ(window.Model().Entries->Count(), 2u);
    EXPECT_EQ(window.Model().Folders.AppDir, source.appDir);
    EXPECT_EQ(window.Model().Folders.BackupRootDir, place / L"backup");
    EXPECT_TRUE(win::IsExistingDirectory(place / L"backup"));
    EXPECT_EQ(
        window.Model().CategoryNames,
        (std::vector<std::wstring>{L"Office", L"Utilities", L"Games", L"Entertainment", L"Internet",
                                   L"Programming", L"Graphics", L"Security", L"Other"}));
}

// The window opens on a picture cut short; every control the user can reach must cope.
TEST_F(MainFormTest, AScanCutShortLeavesAWindowWhoseHandlersCope) {
    MakeFile(place / L"bin\\app", "a file where the program's folder would be");
    source.appDir = place / L"bin\\app\\";
    MakeStartMenu();
    Open();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, win::SystemErrorText(ERROR_PATH_NOT_FOUND));
    ASSERT_TRUE(form->Model().Entries);
    form->Page1().RadioButton2Click();
    form->Button4Click();
    form->Page2().ListView1Click();
    form->Page2().TreeView1Click();
    form->Page2().Movetoroot1Click();
    form->Button4Click();
    form->Button5Click();
    form->Button6Click();
    EXPECT_EQ(form->ActivePage(), 3);
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IdButton8, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(form->Handle()));
    EXPECT_TRUE(Exists(Common(L"Writer.lnk")));
}

TEST_F(MainFormTest, WindowIsResizableWithAMinimumSize) {
    TMainForm window(source);
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_STYLE) & WS_THICKFRAME);

    MINMAXINFO limits = {};
    SendMessageW(window.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 758);
    EXPECT_EQ(limits.ptMinTrackSize.y, 587);
}

TEST_F(MainFormTest, EmptyRegistryMeansSimpleModeAndNoWrites) {
    TMainForm window(source);
    EXPECT_FALSE(window.Page1().ProfessionalMode);
    EXPECT_FALSE(window.Model().ShowCategoryFolders);
    EXPECT_FALSE(CleanSettings::KeyExists());
}

TEST_F(MainFormTest, StoredSettingsAreAppliedAtEveryScan) {
    Write(product::kSimpleModeValue, 2);
    Write(product::kShowCategoryFoldersValue, 2);
    TMainForm window(source);
    EXPECT_TRUE(window.Page1().ProfessionalMode)
        << "any non-zero value selects the professional mode";
    EXPECT_EQ(Read(product::kSimpleModeValue), 1u) << "selecting it stores 1 again";
    EXPECT_FALSE(window.Model().ShowCategoryFolders) << "only exactly 1 switches it on";

    Write(product::kShowCategoryFoldersValue, 1);
    window.FormCreate();
    EXPECT_TRUE(window.Model().ShowCategoryFolders);
}

TEST_F(MainFormTest, RescanLeavesOneFreshPictureAndNoStaleHandles) {
    MakeDir(source.commonPrograms + L"\\Suite");
    MakeShortcut(source.userPrograms + L"\\Calc.lnk", source.userPrograms);
    TMainForm window(source);
    EntryHandle before = window.Model().Entries->First()->Handle();
    window.Model().Entries->First()->Entry().Category = 3;
    window.Model().CategoryHidden[4] = true;

    MakeShortcut(source.userPrograms + L"\\New.lnk", source.userPrograms);
    window.FormCreate();
    EXPECT_EQ(window.Model().Entries->Find(before), nullptr);
    EXPECT_EQ(window.Model().Entries->Count(), 3u);
    EXPECT_EQ(window.Model().CategoryNames.size(), 9u);
    EXPECT_EQ(window.Model().CategoryHidden[4], false);
    for (EntryNode* n = window.Model().Entries->First(); n; n = n->NextSibling())
        EXPECT_EQ(n->Entry().Category, CategoryNone);
}

TEST_F(MainFormTest, BackupFolderThatCannotBeMadeIsReportedAndTheWindowStillOpens) {
    MakeFile(place / L"backup"); // a file where the folder should be
    MakeShortcut(source.commonPrograms + L"\\Writer.lnk", source.commonPrograms);
    TMainForm window(source);

    ASSERT_TRUE(IsWindow(window.Handle()));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(prompt.shown[0].text.empty());
    EXPECT_EQ(prompt.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(window.FormReady) << "the scan stops at that step";
}
