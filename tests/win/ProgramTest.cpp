// The program started as a user starts it, with the window found and closed from outside.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "product/Version.h"
#include "startmenu/model/ItemIcon.h"
#include "startmenu/window/MainFormIds.h"
#include "win/FileSystem.h"
#include "win/Handles.h"

using namespace testing_support;
using namespace startmenu;

TEST(ProgramTest, InteractiveRunShowsTheCaptionedWindowUntilItIsClosed) {
    RunningProgram program(L"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window) << "no main window appeared";
    EXPECT_EQ(WindowText(window), L"Marlowen v " MARLOWEN_VERSION_WIDE L" freeware");

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(ProgramTest, SwitchInAnotherCaseOpensTheWizardInsteadOfCleaning) {
    TempFolder folder{L"upper"};
    MakeDeadShortcut(folder / L"Dead.lnk", folder / L"gone.exe");
    RunningProgram program(L"/CLEAR \"" + folder.Path() + L"\"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_TRUE(Exists(folder / L"Dead.lnk"));
}

TEST(ProgramTest, XmlArgumentScansWithoutShowingAWindowAndEnds) {
    std::wstring backup = BesideTests(L"backup");
    RemoveDirectoryW(backup.c_str());
    RunningProgram program(L"\"C:\\Layouts\\Menu.XML\" ignored");
    ASSERT_TRUE(program.Started());
    // The layout is not there: that is said, and nothing is processed.
    HWND refusal = program.WaitForWindow(L"#32770");
    ASSERT_TRUE(refusal);
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), 2u);
    // Creating the main window ran the scan, which makes the backup folder.
    EXPECT_TRUE(win::IsExistingDirectory(backup));
}

TEST(ItemIcon, EveryShownKindOfItemGetsASmallIcon) {
    TempFolder folder{L"icons"};
    MakeFile(folder / L"tool.exe");
    MakeShortcut(folder / L"Tool.lnk", folder / L"tool.exe");
    MakeDir(folder / L"Suite");
    for (const wchar_t* name : {L"Tool.lnk", L"Suite", L"tool.exe"}) {
        win::IconHandle icon(startmenu::GetItemIcon(folder / name));
        ASSERT_TRUE(icon) << "no icon for an item";
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

// The whole job as a user does it under Wine, whose restore service refuses every request.
TEST(ProgramTest, StartProcessingAsksAboutTheRestorePointThenSortsTheTickedItem) {
    CleanSettings clean;
    FirstProgramsShortcut item(L"!!Sorter.lnk");
    RunningProgram program(L"");
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    HWND question = TickFirstAndStartProcessing(program, window);
    ASSERT_TRUE(question) << "the failed restore point is reported";
    EXPECT_EQ(WindowText(question), L"Error");
    EXPECT_EQ(
        WindowText(GetDlgItem(question, 0xFFFF)).rfind(L"Failed to create a restore point! ", 0),
        0u);
    PostMessageW(question, WM_COMMAND, IDOK, 0);

    EXPECT_TRUE(program.WaitUntil([&] {
        return WindowText(GetDlgItem(window, IdButton8)) ==
               L"Programs have been successfully categorized!";
    }));
    EXPECT_TRUE(Exists(item.SortedPath()));
    EXPECT_FALSE(Exists(item.Path()));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(ProgramTest, TheAboutBoxMadeAtStartIsTheOneTheMenuShowsEachTime) {
    RunningProgram program(L"");
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    auto boxes = [pid] {
        std::vector<HWND> found;
        for (HWND w = FindWindowExW(nullptr, nullptr, L"TAboutBox", nullptr); w;
             w = FindWindowExW(nullptr, w, L"TAboutBox", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid)
                found.push_back(w);
        }
        return found;
    };
    std::vector<HWND> atStart = boxes();
    ASSERT_EQ(atStart.size(), 1u) << "made once, at start";
    EXPECT_FALSE(IsWindowVisible(atStart[0]));

    for (int showing = 0; showing < 2; ++showing) {
        PostMessageW(window, WM_COMMAND, IdAboutMenu, 0);
        HWND shown = program.WaitForWindow(L"TAboutBox");
        EXPECT_EQ(shown, atStart[0]);
        EXPECT_EQ(GetWindow(shown, GW_OWNER), window);
        EXPECT_EQ(WindowText(shown), L"About");
        PostMessageW(shown, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(boxes(), atStart);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}
