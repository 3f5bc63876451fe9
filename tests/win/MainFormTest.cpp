#include <gtest/gtest.h>

#include "Fixtures.h"
#include "app/Settings.h"
#include "startmenu/UMainForm.h"
#include "win/Com.h"
#include "win/FileSystem.h"

using namespace testing_support;
using namespace startmenu;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    CleanSettings clean;
    TempFolder place{L"form"};
    TestFolderSource source;
    ScriptedPrompt prompt;
    win::ScopedPrompt usePrompt{prompt};
    win::ComInit com;

    void SetUp() override {
        source.appDir = place.Path() + L"\\";
        source.commonPrograms = place / L"Common";
        source.userPrograms = place / L"User";
        MakeDir(source.commonPrograms);
        MakeDir(source.userPrograms);
    }

    static std::wstring Caption(HWND hwnd) {
        wchar_t text[256] = L"";
        GetWindowTextW(hwnd, text, 256);
        return text;
    }

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
    TMainForm form(source);

    EXPECT_EQ(Caption(form.Handle()), L"Marlowen v 2.6 freeware");
    EXPECT_FALSE(IsWindowVisible(form.Handle())) << "creation alone shows nothing";
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(form.FormReady);
    ASSERT_TRUE(form.Entries);
    EXPECT_EQ(form.Entries->Count(), 2u);
    EXPECT_EQ(form.Folders.AppDir, source.appDir);
    EXPECT_EQ(form.Folders.BackupRootDir, place / L"backup");
    EXPECT_TRUE(win::IsExistingDirectory(place / L"backup"));
    EXPECT_EQ(
        form.CategoryNames,
        (std::vector<std::wstring>{L"Office", L"Utilities", L"Games", L"Entertainment", L"Internet",
                                   L"Programming", L"Graphics", L"Security", L"Other"}));
}

TEST_F(MainFormTest, WindowIsResizableWithAMinimumSize) {
    TMainForm form(source);
    RECT rect;
    GetWindowRect(form.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_STYLE) & WS_THICKFRAME);

    MINMAXINFO limits = {};
    SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 758);
    EXPECT_EQ(limits.ptMinTrackSize.y, 587);
}

TEST_F(MainFormTest, EmptyRegistryMeansSimpleModeAndNoWrites) {
    TMainForm form(source);
    EXPECT_FALSE(form.ProfessionalMode);
    EXPECT_FALSE(form.ShowCategoryFolders);
    EXPECT_FALSE(CleanSettings::KeyExists());
}

TEST_F(MainFormTest, StoredSettingsAreAppliedAtEveryScan) {
    Write(app::kSimpleModeValue, 2);
    Write(app::kShowCategoryFoldersValue, 2);
    TMainForm form(source);
    EXPECT_TRUE(form.ProfessionalMode) << "any non-zero value selects the professional mode";
    EXPECT_EQ(Read(app::kSimpleModeValue), 1u) << "selecting it stores 1 again";
    EXPECT_FALSE(form.ShowCategoryFolders) << "only exactly 1 switches it on";

    Write(app::kShowCategoryFoldersValue, 1);
    form.FormCreate();
    EXPECT_TRUE(form.ShowCategoryFolders);
}

TEST_F(MainFormTest, RescanLeavesOneFreshPictureAndNoStaleHandles) {
    MakeDir(source.commonPrograms + L"\\Suite");
    MakeShortcut(source.userPrograms + L"\\Calc.lnk", source.userPrograms);
    TMainForm form(source);
    EntryHandle before = form.Entries->First()->Handle();
    form.Entries->First()->Entry().Category = 3;
    form.CategoryHidden[4] = true;

    MakeShortcut(source.userPrograms + L"\\New.lnk", source.userPrograms);
    form.FormCreate();
    EXPECT_EQ(form.Entries->Find(before), nullptr);
    EXPECT_EQ(form.Entries->Count(), 3u);
    EXPECT_EQ(form.CategoryNames.size(), 9u);
    EXPECT_EQ(form.CategoryHidden[4], false);
    for (EntryNode* n = form.Entries->First(); n; n = n->NextSibling())
        EXPECT_EQ(n->Entry().Category, CategoryNone);
}

TEST_F(MainFormTest, BackupFolderThatCannotBeMadeIsReportedAndTheWindowStillOpens) {
    MakeFile(place / L"backup"); // a file where the folder should be
    MakeShortcut(source.commonPrograms + L"\\Writer.lnk", source.commonPrograms);
    TMainForm form(source);

    ASSERT_TRUE(IsWindow(form.Handle()));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(prompt.shown[0].text.empty());
    EXPECT_EQ(prompt.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(form.FormReady) << "the scan stops at that step";
}
