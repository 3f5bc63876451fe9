// The program started as a user starts it, with the window found and closed from outside.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "startmenu/ItemIcon.h"
#include "win/FileSystem.h"
#include "win/Handles.h"

using namespace testing_support;

namespace {

// Starts marlowen.exe with arguments and leaves it running.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& arguments) {
        std::wstring exe = BesideTests(L"marlowen.exe");
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup = {sizeof startup};
        PROCESS_INFORMATION info = {};
        started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, L"C:\\", &startup, &info);
        process_.Reset(info.hProcess);
        win::KernelHandle thread(info.hThread);
        processId_ = info.dwProcessId;
    }
    bool Started() const { return started_; }

    // The program's top-level window of class TMainForm, waiting for it up to 20 s.
    HWND WaitForMainWindow() {
        for (int i = 0; i < 200; ++i) {
            HWND found = nullptr;
            for (HWND w = FindWindowExW(nullptr, nullptr, L"TMainForm", nullptr); w;
                 w = FindWindowExW(nullptr, w, L"TMainForm", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == processId_ && IsWindowVisible(w))
                    found = w;
            }
            if (found)
                return found;
            Sleep(100);
        }
        return nullptr;
    }

    // Exit code, or ~0 when it does not end within the time.
    DWORD WaitForExit(DWORD milliseconds = 30000) {
        if (WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) {
            TerminateProcess(process_.Get(), 99);
            return ~0u;
        }
        DWORD code = ~0u;
        GetExitCodeProcess(process_.Get(), &code);
        return code;
    }

private:
    bool started_ = false;
    win::KernelHandle process_;
    DWORD processId_ = 0;
};

} // namespace

TEST(ProgramTest, InteractiveRunShowsTheCaptionedWindowUntilItIsClosed) {
    RunningProgram program(L"");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window) << "no main window appeared";
    wchar_t caption[128] = L"";
    GetWindowTextW(window, caption, 128);
    EXPECT_STREQ(caption, L"Marlowen v 2.6 freeware");

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
    EXPECT_EQ(program.WaitForExit(), 0u);
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
