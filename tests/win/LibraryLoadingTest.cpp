// A library planted beside the program or in its current folder is never loaded.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Handles.h"

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
            for (const wchar_t* name : {L"SrClient.dll", L"MAPI32.DLL"})
                ASSERT_TRUE(CopyFileW(BesideTests(L"planted_srclient.dll").c_str(),
                                      (*folder / name).c_str(), FALSE));
    }
    void ExpectNeverLoaded() {
        for (const TempFolder* folder : {&download, &elsewhere})
            for (const wchar_t* mark : {L"SrClient.dll.loaded", L"MAPI32.DLL.loaded"})
                EXPECT_FALSE(Exists(*folder / mark)) << "loaded: " << *folder / mark;
    }
};

// The system's mail clients point to none while it lives, so that the system's Simple MAPI
// answers without starting a mail program.
class NoMailClient {
public:
    NoMailClient() {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMail, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, key_.Put(), nullptr);
        DWORD size = 0;
        had_ = RegQueryValueExW(key_.Get(), nullptr, nullptr, nullptr, nullptr, &size) ==
               ERROR_SUCCESS;
        previous_.resize(size / sizeof(wchar_t) + 1);
        RegQueryValueExW(key_.Get(), nullptr, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(previous_.data()), &size);
        previous_.resize(wcslen(previous_.c_str()));
        Set(L"No Mail Client Here");
    }
    ~NoMailClient() {
        if (had_)
            Set(previous_);
        else
            RegDeleteValueW(key_.Get(), nullptr);
    }

private:
    static constexpr const wchar_t* kMail = L"Software\\Clients\\Mail";
    void Set(const std::wstring& client) {
        RegSetValueExW(key_.Get(), nullptr, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(client.c_str()),
                       static_cast<DWORD>((client.size() + 1) * sizeof(wchar_t)));
    }
    win::KeyHandle key_;
    bool had_ = false;
    std::wstring previous_;
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

TEST_F(PlantedLibrary, TellAFriendAsksTheSystemsMailLibrary) {
    NoMailClient noClient;
    RunningProgram program(L"", exe, elsewhere.Path());
    HWND window = program.WaitForMainWindow();
    ASSERT_TRUE(window);
    PostMessageW(window, WM_COMMAND, startmenu::IdTellAFriendMenu, 0);
    // The system's library may say in its own box that there is no mail client; the planted
    // one would answer its own code without a word.
    std::wstring report;
    HWND box = nullptr;
    for (int i = 0; i < 3 && report.empty(); ++i) {
        box = program.WaitForWindow(L"#32770", box);
        ASSERT_TRUE(box) << "no message came";
        std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
        if (text.rfind(L"Error sending mail (", 0) == 0)
            report = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_NE(report, L"");
    EXPECT_EQ(report.find(L"4242"), std::wstring::npos) << report;
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    ExpectNeverLoaded();
}
