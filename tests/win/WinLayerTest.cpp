// What every window of the program builds on: modal runs, workers, the error boundary.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "Fixtures.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/FileIdentity.h"
#include "win/Modal.h"
#include "win/Text.h"
#include "win/Worker.h"

using namespace testing_support;

namespace {

constexpr UINT kFinish = WM_APP + 7;

class TestDialog : public win::ModalWindow {
public:
    explicit TestDialog(HWND owner, bool failCreation = false) : failCreation_(failCreation) {
        RegisterWindowClass(L"MarlowenTestDialog", nullptr, nullptr);
        CreateWindowObject(L"MarlowenTestDialog", L"Test", WS_POPUPWINDOW | WS_CAPTION, 0, 0, 0,
                           200, 100, owner);
        owner_ = owner;
    }
    bool ownerDisabledWhileOpen = false, ownerEnabledWhenHidden = false;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_CREATE:
            if (failCreation_)
                throw 42; // not a std::exception
            return 0;
        case kFinish:
            ownerDisabledWhileOpen = !IsWindowEnabled(owner_);
            EndModal(static_cast<int>(wParam));
            return 0;
        case WM_SHOWWINDOW:
            if (!wParam)
                ownerEnabledWhenHidden = IsWindowEnabled(owner_);
            break;
        case WM_COMMAND:
            throw 7;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }

private:
    bool failCreation_;
    HWND owner_ = nullptr;
};

class WinLayer : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    win::ScopedPrompt usePrompt{prompt};
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
    void TearDown() override { DestroyWindow(owner); }
};

} // namespace

TEST_F(WinLayer, ModalRunKeepsTheOwnerOutUntilItEndsAndPassesQuitOn) {
    TestDialog dialog(owner);
    PostMessageW(dialog.Handle(), kFinish, IDOK, 0);
    EXPECT_EQ(dialog.RunModal(owner), IDOK);
    EXPECT_TRUE(dialog.ownerDisabledWhileOpen);
    EXPECT_TRUE(dialog.ownerEnabledWhenHidden) << "activation must return to the owner";
    EXPECT_TRUE(IsWindowEnabled(owner));

    // The program is told to end while the wizard is open: the wizard ends, and so does the
    // loop outside it.
    PostQuitMessage(3);
    EXPECT_EQ(dialog.RunModal(owner), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);

    // Tests drive a wizard without waiting for a person.
    int driven = 0;
    {
        win::ScopedModalDriver driver([&](win::ModalWindow& window) {
            ++driven;
            EXPECT_TRUE(IsWindowVisible(window.Handle()));
            EXPECT_FALSE(IsWindowEnabled(owner));
            if (driven == 1)
                SendMessageW(window.Handle(), kFinish, IDRETRY, 0);
        });
        EXPECT_EQ(dialog.RunModal(owner), IDRETRY);
        EXPECT_EQ(TestDialog(owner).RunModal(owner), IDCANCEL) << "left open: cancelled";
    }
    EXPECT_EQ(driven, 2);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(WinLayer, AnyErrorStopsAtTheWindowsBoundaryAndFailsItsCreation) {
    EXPECT_THROW(TestDialog(owner, true), int) << "no half-built window";

    win::Application::SetTitle(L"Marlowen");
    TestDialog dialog(owner);
    SendMessageW(dialog.Handle(), WM_COMMAND, 1, 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].caption, L"Marlowen");
    EXPECT_EQ(prompt.shown[0].text, L"An unexpected error has occurred.");
}

TEST(WorkerThread, CallsRunOnTheGuiThreadAndJoiningNeverDeadlocks) {
    DWORD gui = GetCurrentThreadId();
    int counted = 0, wrongThread = 0;
    std::vector<int> received;
    bool ended = false;
    {
        win::WorkerThread worker;
        worker.Start(
            [&](win::WorkerThread& self) {
                for (int i = 0; i < 200; ++i)
                    self.Synchronize([&] {
                        ++counted;
                        wrongThread += GetCurrentThreadId() != gui;
                    });
                self.Post<int>(std::make_unique<int>(11), [&](std::unique_ptr<int> value) {
                    wrongThread += GetCurrentThreadId() != gui;
                    received.push_back(*value);
                });
                // Works on until asked to stop, still calling into the GUI thread.
                while (!self.StopRequested())
                    self.Synchronize([&] { ++counted; });
            },
            [&] { ended = GetCurrentThreadId() == gui; });
        // The GUI thread serves the calls from its message loop while the job runs...
        MSG msg;
        while (counted < 300 && GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
        EXPECT_TRUE(worker.Running());
        // ...and goes on serving them while it waits for the end.
        worker.RequestStop();
        worker.Join();
        EXPECT_FALSE(worker.Running());
    }
    EXPECT_GE(counted, 300);
    EXPECT_EQ(wrongThread, 0);
    EXPECT_EQ(received, std::vector<int>{11});
    EXPECT_TRUE(ended);

    // A worker still in the middle of its job when its owner goes is stopped and joined.
    {
        win::WorkerThread worker;
        worker.Start([](win::WorkerThread& self) {
            while (!self.StopRequested())
                self.Synchronize([] {});
        });
    }
}

// A failing test and the error display name the same error, in any script.
TEST(AppError, SaysWhatHappenedToATestAsToTheUser) {
    win::AppError named(L"\u00c4nderung in C:\\Men\u00fc fehlgeschlagen");
    EXPECT_STREQ(named.what(), "\xc3\x84nderung in C:\\Men\xc3\xbc fehlgeschlagen");
    try {
        win::ThrowSystemError(ERROR_SHARING_VIOLATION);
    } catch (const std::exception& error) {
        std::wstring shown = win::ErrorText(error);
        EXPECT_FALSE(shown.empty());
        EXPECT_EQ(error.what(), win::Utf8FromWide(shown));
    }
}

// Paths beyond MAX_PATH in every spelling a user or a command line gives them.
TEST(ExtendedLengthPath, ReachesAFileBeyondMaxPathInAnySpelling) {
    TempFolder out{L"extended"};
    std::wstring deep = out / std::wstring(200, L'd');
    MakeDir(deep);
    std::wstring file = deep + L"\\" + std::wstring(100, L'f') + L".xml";
    ASSERT_GT(file.size(), 300u);
    std::wstring extended = win::ExtendedLengthPath(file);
    EXPECT_EQ(extended, L"\\\\?\\" + file);
    win::FileHandle made(CreateFileW(extended.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(made);

    std::wstring odd =
        deep + L"\\..\\" + std::wstring(200, L'd') + L"/./" + std::wstring(100, L'f') + L".xml";
    EXPECT_EQ(win::ExtendedLengthPath(odd), extended) << "dots and slashes resolved";
    EXPECT_EQ(win::ExtendedLengthPath(extended), extended) << "given once";
    EXPECT_EQ(win::ExtendedLengthPath(L"\\\\server\\share\\a.xml"),
              L"\\\\?\\UNC\\server\\share\\a.xml");
    wchar_t current[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryW(out.Path().c_str()));
    EXPECT_EQ(win::ExtendedLengthPath(std::wstring(200, L'd') + L"\\x.xml"),
              L"\\\\?\\" + deep + L"\\x.xml")
        << "relative to the current folder";
    SetCurrentDirectoryW(current);
}
