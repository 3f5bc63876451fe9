#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "FakeRestoreClient.h"
#include "Fixtures.h"
#include "restorepoint/SRRestorePtAPI.h"
#include "win/Errors.h"

using namespace testing_support;
using namespace restorepoint;

namespace {

using Bytes = std::vector<unsigned char>;

OSVERSIONINFOW Version(DWORD platform, DWORD major, DWORD minor, DWORD build) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    version.dwBuildNumber = build;
    return version;
}

RestorePointSystem SystemOf(const OSVERSIONINFOW& version,
                            SRSetRestorePointAProc client = &FakeSetRestorePoint) {
    return {client, IsWindowsMeVersion(version), IsNt51OrLaterVersion(version)};
}

// The record as the service must see it: little-endian fields, then the description padded
// with zero bytes to 64.
Bytes ExpectedInfo(unsigned eventType, std::int64_t sequence) {
    Bytes bytes(80, 0);
    bytes[0] = static_cast<unsigned char>(eventType);
    bytes[4] = 12;
    for (int i = 0; i < 8; ++i)
        bytes[8 + i] = static_cast<unsigned char>(static_cast<std::uint64_t>(sequence) >> (8 * i));
    const char description[] = "Marlowen RESTORE POINT";
    std::memcpy(&bytes[16], description, sizeof description - 1);
    return bytes;
}

std::wstring ExpectedFailureMessage(const std::wstring& code) {
    return L"Failed to create a restore point! \n\rThe error code is - \"" + code +
           L"\".\n\rWould you like to continue? \n\rSee a more detailed description of this "
           L"situation in the help section Backup.";
}

class RestorePointTest : public ::testing::Test {
protected:
    FakeClient client;
    UseFakeClient useClient{client};
    ScriptedPrompt prompt;
    win::ScopedPrompt scopedPrompt{prompt};
    const HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
};

const OSVERSIONINFOW windows7 = Version(VER_PLATFORM_WIN32_NT, 6, 1, 7601);

} // namespace

TEST_F(RestorePointTest, OpenAndCloseCarryTheRecordsTheServiceReads) {
    RestorePointSystem system = SystemOf(windows7);
    ScopedRestorePointSystem scoped(system);
    const std::int64_t sequence = 0x0123456789ABCDEF;
    client.answers = {{TRUE, 0, sequence}, {TRUE, 0, sequence + 1}};
    {
        RestorePointScope point(nullptr);
        EXPECT_EQ(point.Outcome(), RestorePointOutcome::Begun);
        EXPECT_EQ(GetCursor(), hourglass) << "the work runs under the hourglass";
        ASSERT_EQ(client.calls.size(), 1u);
    }
    ASSERT_EQ(client.calls.size(), 2u);
    EXPECT_EQ(client.calls[0].info, ExpectedInfo(100, 0));
    EXPECT_EQ(client.calls[1].info, ExpectedInfo(101, sequence))
        << "the closing call carries the number the opening call returned";
    EXPECT_EQ(client.calls[0].status, client.calls[1].status) << "one status record for both";
    EXPECT_EQ(client.calls[0].cursor, hourglass);
    EXPECT_EQ(client.calls[1].cursor, hourglass);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(RestorePointTest, RestorePointIsClosedWhenTheWorkFails) {
    RestorePointSystem system = SystemOf(windows7);
    ScopedRestorePointSystem scoped(system);
    client.answers = {{TRUE, 0, 77}};
    EXPECT_THROW(
        {
            RestorePointScope point(nullptr);
            throw win::AppError(L"disk full");
        },
        win::AppError);
    ASSERT_EQ(client.calls.size(), 2u);
    EXPECT_EQ(client.calls[1].info, ExpectedInfo(101, 77));
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(RestorePointTest, FailedRequestAsksWhetherToGoOn) {
    RestorePointSystem system = SystemOf(windows7);
    ScopedRestorePointSystem scoped(system);
    HCURSOR cursorAtQuestion = nullptr;
    struct CursorPrompt : ScriptedPrompt {
        HCURSOR* seen;
        int Message(HWND owner, const std::wstring& text, const std::wstring& caption,
                    UINT type) override {
            *seen = GetCursor();
            return ScriptedPrompt::Message(owner, text, caption, type);
        }
    } question;
    question.seen = &cursorAtQuestion;
    win::ScopedPrompt scopedQuestion(question);

    // An HRESULT-like code: written unsigned, never as a negative number.
    client.answers = {{FALSE, 0x80070422, 0}};
    question.answers = {IDOK};
    {
        RestorePointScope point(nullptr);
        EXPECT_EQ(point.Outcome(), RestorePointOutcome::ProceedWithout);
        EXPECT_EQ(GetCursor(), hourglass) << "going on, the work runs under the hourglass";
    }
    EXPECT_EQ(client.calls.size(), 1u) << "no closing call for a restore point never opened";
    ASSERT_EQ(question.shown.size(), 1u);
    EXPECT_EQ(question.shown[0].text, ExpectedFailureMessage(L"2147943458"));
    EXPECT_EQ(question.shown[0].caption, L"Error");
    EXPECT_EQ(question.shown[0].type, UINT(MB_OKCANCEL | MB_ICONERROR));
    EXPECT_EQ(cursorAtQuestion, arrow) << "no hourglass over the question";

    for (int declined : {IDCANCEL, 0}) {
        client.calls.clear();
        client.answers = {{FALSE, 5, 0}};
        question.answers = {declined};
        {
            RestorePointScope point(nullptr);
            EXPECT_EQ(point.Outcome(), RestorePointOutcome::Abandon) << "answer " << declined;
            EXPECT_EQ(GetCursor(), arrow);
        }
        EXPECT_EQ(client.calls.size(), 1u) << "answer " << declined;
        EXPECT_EQ(question.shown.back().text, ExpectedFailureMessage(L"5"));
    }
}

TEST_F(RestorePointTest, OnlyWindowsMeAndNt51OrLaterAreAsked) {
    const struct {
        const char* name;
        OSVERSIONINFOW version;
        bool asked;
    } systems[] = {
        {"Windows 95", Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x040003B6), false},
        {"Windows 98", Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A07CE), false},
        {"Windows Me", Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0x045A0BB8), true},
        {"Windows Me, other build", Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0x045A0BB9), false},
        {"Win32s", Version(VER_PLATFORM_WIN32s, 1, 90, 3000), false},
        {"NT 3.51", Version(VER_PLATFORM_WIN32_NT, 3, 51, 1057), false},
        {"NT 4", Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381), false},
        {"Windows 2000", Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195), false},
        {"Windows XP", Version(VER_PLATFORM_WIN32_NT, 5, 1, 2600), true},
        {"Windows Vista", Version(VER_PLATFORM_WIN32_NT, 6, 0, 6002), true},
        {"Windows 10", Version(VER_PLATFORM_WIN32_NT, 10, 0, 19045), true},
    };
    for (const auto& system : systems) {
        client.calls.clear();
        RestorePointSystem described = SystemOf(system.version);
        ScopedRestorePointSystem scoped(described);
        {
            RestorePointScope point(nullptr);
            EXPECT_EQ(point.Outcome(), system.asked ? RestorePointOutcome::Begun
                                                    : RestorePointOutcome::ProceedWithout)
                << system.name;
        }
        EXPECT_EQ(client.calls.size(), system.asked ? 2u : 0u) << system.name;
    }
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(RestorePointTest, MissingClientMeansNoRequestAndNoMessage) {
    EXPECT_EQ(RestorePointLibrary(L"no-such-client.dll").Entry(), nullptr);
    EXPECT_EQ(RestorePointLibrary(L"kernel32.dll").Entry(), nullptr) << "no such entry point";

    RestorePointSystem system = SystemOf(windows7, nullptr);
    ScopedRestorePointSystem scoped(system);
    EXPECT_FALSE(RestorePointsAvailable());
    {
        RestorePointScope point(nullptr);
        EXPECT_EQ(point.Outcome(), RestorePointOutcome::ProceedWithout);
        EXPECT_EQ(GetCursor(), hourglass);
    }
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_TRUE(client.calls.empty());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(RestorePointTest, WineOffersTheClientButItsRequestFails) {
    EXPECT_NE(RestorePointLibrary(L"SrClient.dll").Entry(), nullptr);
    EXPECT_TRUE(RestorePointsAvailable());
    EXPECT_TRUE(IsNt51OrLater());
    EXPECT_FALSE(IsWindowsMe());

    // Wine's client fails without setting an error, so a code left by an earlier call must
    // not be reported as its own.
    SetLastError(ERROR_FILE_NOT_FOUND);
    prompt.answers = {IDCANCEL};
    RestorePointScope point(nullptr);
    EXPECT_EQ(point.Outcome(), RestorePointOutcome::Abandon);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, ExpectedFailureMessage(L"0"));
}
