// A library planted beside the program or in its current folder is never loaded.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "startmenu/MainFormIds.h"

using namespace testing_support;

namespace {

class PlantedLibrary : public ::testing::Test {
protected:
    CleanSettings clean;
    TempFolder download{L"download"};
    TempFolder elsewhere{L"cwd"};
    std::wstring exe = download / L"marlowen.exe";

    void SetUp() override {
        ASSERT_TRUE(CopyFileW(BesideTests(L"marlowen.exe").c_str(), exe.c_str(), FALSE));
        for (const TempFolder* folder : {&download, &elsewhere})
            ASSERT_TRUE(CopyFileW(BesideTests(L"planted_srclient.dll").c_str(),
                                  (*folder / L"SrClient.dll").c_str(), FALSE));
    }
    void ExpectNeverLoaded() {
        EXPECT_FALSE(Exists(download / L"SrClient.dll.loaded"));
        EXPECT_FALSE(Exists(elsewhere / L"SrClient.dll.loaded"));
    }
};

} // namespace

TEST_F(PlantedLibrary, NeitherClearModeNorStartProcessingLoadsIt) {
    MakeDir(elsewhere / L"empty");
    RunningProgram clear(L"/clear \"" + (elsewhere / L"empty") + L"\"", exe, elsewhere.Path());
    ASSERT_TRUE(clear.Started());
    EXPECT_NE(clear.WaitForExit(), ~0u);
    ExpectNeverLoaded();

    RunningProgram program(L"", exe, elsewhere.Path());
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    SendMessageW(GetDlgItem(window, startmenu::IdButton6), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(window, startmenu::IdButton8), BM_CLICK, 0, 0);
    // Wine's own client refuses every request; the planted one would grant it silently.
    HWND question = program.WaitForWindow(L"#32770");
    ASSERT_TRUE(question) << "the system's restore client was not the one asked";
    EXPECT_EQ(WindowText(question), L"Error");
    PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    ExpectNeverLoaded();
}
