#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "startmenu/UMainForm.h"
#include "win/FileSystem.h"

using namespace testing_support;
using namespace startmenu;

namespace {

class MainFormTest : public MainWindowTest {
protected:
    static void Write(const wchar_t* name, DWORD value) {
        app::RegWriteDword(HKEY_CURRENT_USER, app::kSettingsKey, name, value);
    }
    static DWORD Read(const wchar_t* name) {
        return app::RegReadDword(HKEY_CURRENT_USER, app::kSettingsKey, name);
    }
};

} // namespace

TEST_F(MainFormTest, CreationScansAndCaptionsTheWindow) {
    MakeShortcut(source.commonPrograms + L"\\Writer.lnk", source.commonPrograms);
    MakeDir(source.userPrograms + L"\\Games");
    TMainForm window(source);

    EXPECT_EQ(WindowText(window.Handle()), L"Marlowen v 2.6 freeware");
    EXPECT_FALSE(IsWindowVisible(window.Handle())) << "creation alone shows nothing";
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(window.FormReady);
    ASSERT_TRUE(window.Entries);
    EXPECT_EQ(window.Entries->Count(), 2u);
    EXPECT_EQ(window.Folders.AppDir, source.appDir);
    EXPECT_EQ(window.Folders.BackupRootDir, place / L"backup");
    EXPECT_TRUE(win::IsExistingDirectory(place / L"backup"));
    EXPECT_EQ(
        window.CategoryNames,
        (std::vector<std::wstring>{L"Office", L"Utilities", L"Games", L"Entertainment", L"Internet",
                                   L"Programming", L"Graphics", L"Security", L"Other"}));
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
    EXPECT_FALSE(window.ProfessionalMode);
    EXPECT_FALSE(window.ShowCategoryFolders);
    EXPECT_FALSE(CleanSettings::KeyExists());
}

TEST_F(MainFormTest, StoredSettingsAreAppliedAtEveryScan) {
    Write(app::kSimpleModeValue, 2);
    Write(app::kShowCategoryFoldersValue, 2);
    TMainForm window(source);
    EXPECT_TRUE(window.ProfessionalMode) << "any non-zero value selects the professional mode";
    EXPECT_EQ(Read(app::kSimpleModeValue), 1u) << "selecting it stores 1 again";
    EXPECT_FALSE(window.ShowCategoryFolders) << "only exactly 1 switches it on";

    Write(app::kShowCategoryFoldersValue, 1);
    window.FormCreate();
    EXPECT_TRUE(window.ShowCategoryFolders);
}

TEST_F(MainFormTest, RescanLeavesOneFreshPictureAndNoStaleHandles) {
    MakeDir(source.commonPrograms + L"\\Suite");
    MakeShortcut(source.userPrograms + L"\\Calc.lnk", source.userPrograms);
    TMainForm window(source);
    EntryHandle before = window.Entries->First()->Handle();
    window.Entries->First()->Entry().Category = 3;
    window.CategoryHidden[4] = true;

    MakeShortcut(source.userPrograms + L"\\New.lnk", source.userPrograms);
    window.FormCreate();
    EXPECT_EQ(window.Entries->Find(before), nullptr);
    EXPECT_EQ(window.Entries->Count(), 3u);
    EXPECT_EQ(window.CategoryNames.size(), 9u);
    EXPECT_EQ(window.CategoryHidden[4], false);
    for (EntryNode* n = window.Entries->First(); n; n = n->NextSibling())
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
