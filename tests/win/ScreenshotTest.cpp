// Starts the program on a Start Menu of demo shortcuts, walks every page in both working
// modes as a user would, and saves a picture of each page (build/win/screenshots) to look at.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "Fixtures.h"
#include "product/Settings.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Handles.h"

using namespace testing_support;
using namespace startmenu;

namespace {

// The screen's scale for programs started while the object lives: dpi dots per inch.
class ScopedScreenScale {
public:
    explicit ScopedScreenScale(DWORD dpi) { Set(dpi); }
    ~ScopedScreenScale() { Set(96); }

private:
    static void Set(DWORD dpi) {
        win::KeyHandle key;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, key.Put(), nullptr);
        RegSetValueExW(key.Get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
};

class ProgramWindow {
public:
    ProgramWindow() : window_(program_.WaitForMainWindow()) {}
    ~ProgramWindow() {
        if (window_)
            PostMessageW(window_, WM_CLOSE, 0, 0);
        program_.WaitForExit(10000);
    }
    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    // A click on a button, as the mouse gives it; waits until the program has handled it.
    void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    void Key(int id, WPARAM key) {
        SendMessageW(Control(id), WM_KEYDOWN, key, 0);
        SendMessageW(Control(id), WM_KEYUP, key, 0);
    }
    std::wstring Text(int id) const { return WindowText(Control(id)); }
    bool Visible(int id) const { return IsWindowVisible(Control(id)); }

    // Saves what the screen shows of the window as a 24-bit BMP.
    void Save(const std::wstring& name) const {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Wine hands what was drawn to the display when the thread next looks at its queue.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        GdiFlush();
        RECT r;
        GetWindowRect(window_, &r);
        int w = r.right - r.left, h = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u),
              size = stride * static_cast<DWORD>(h);
        const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader;
        BITMAPFILEHEADER file = {0x4D42, headers + size, 0, 0, headers};
        std::wstring folder = BesideTests(L"..\\screenshots");
        CreateDirectoryW(folder.c_str(), nullptr);
        win::KernelHandle out(CreateFileW((folder + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE,
                                          0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(out.Get(), &file, sizeof file, &written, nullptr);
        WriteFile(out.Get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
        WriteFile(out.Get(), bits, size, &written, nullptr);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

private:
    RunningProgram program_{L""};
    HWND window_;
};

} // namespace

TEST(ScreenshotTest, EveryPageInBothModes) {
    CleanSettings clean;
    ASSERT_EQ(RunProgram(BesideTests(L"demo_startmenu.exe"), L""), 0u);
    ProgramWindow program;
    ASSERT_TRUE(program.Window());

    program.Save(L"page1-simple");
    EXPECT_FALSE(IsWindowEnabled(program.Control(IdButton5)));
    program.Click(IdButton4);
    EXPECT_TRUE(program.Visible(IdListView1));
    EXPECT_FALSE(program.Visible(IdTreeView1));
    EXPECT_GT(ListView_GetItemCount(program.Control(IdListView1)), 10);
    program.Save(L"page2-simple");
    // The suggestions in the program itself: ticks and a count, then their undo.
    int listed = ListView_GetItemCount(program.Control(IdListView1));
    program.Click(IdButton13);
    EXPECT_EQ(program.Text(IdButton13), L"&Undo Suggestions");
    EXPECT_EQ(program.Text(IdLabel12).rfind(L"Suggested a category for ", 0), 0u)
        << program.Text(IdLabel12);
    EXPECT_LT(ListView_GetItemCount(program.Control(IdListView1)), listed);
    program.Save(L"page2-suggested");
    program.Click(IdButton13);
    EXPECT_EQ(program.Text(IdButton13), L"S&uggest Categories");
    EXPECT_EQ(ListView_GetItemCount(program.Control(IdListView1)), listed);
    program.Click(IdButton6);
    EXPECT_EQ(program.Text(IdButton6), L"&Cancel");
    EXPECT_FALSE(IsWindowEnabled(program.Control(IdButton4)));
    program.Save(L"page3");

    program.Click(IdButton5);
    for (int i = 0; i < 9 && !program.Visible(IdRadioButton2); ++i)
        program.Click(IdButton5);
    ASSERT_TRUE(program.Visible(IdRadioButton2)) << "Back leads to the first page";
    program.Click(IdRadioButton2);
    program.Save(L"page1-professional");
    program.Click(IdButton4);
    EXPECT_TRUE(program.Visible(IdTreeView1));
    EXPECT_TRUE(program.Visible(IdCheckBox1));
    program.Key(IdListView1, VK_DOWN);
    program.Save(L"page2-professional");
}

TEST(ScreenshotTest, TwiceTheScale) {
    CleanSettings clean;
    ASSERT_EQ(RunProgram(BesideTests(L"demo_startmenu.exe"), L""), 0u);
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey, product::kSimpleModeValue, 1);
    ScopedScreenScale scale(192);
    ProgramWindow program;
    ASSERT_TRUE(program.Window());
    RECT r;
    GetWindowRect(program.Window(), &r);
    EXPECT_GE(r.right - r.left, 1590) << "the window grows with the scale";
    program.Save(L"page1-200");
    program.Click(IdButton4);
    program.Key(IdListView1, VK_DOWN);
    program.Save(L"page2-200");
    program.Click(IdButton6);
    program.Save(L"page3-200");
}
