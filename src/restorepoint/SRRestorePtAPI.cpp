#include "restorepoint/SRRestorePtAPI.h"

#include <cstring>
#include <string>

#include "win/UserPrompt.h"

namespace restorepoint {
namespace {

constexpr char kDescription[] = "Marlowen RESTORE POINT";
static_assert(sizeof kDescription <= kMaxDescription, "the description must fit with its NUL");

// RtlGetVersion tells the truth whatever the manifest says; GetVersionEx may not.
OSVERSIONINFOW RunningVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    auto rtlGetVersion =
        win::LoadedFunction<LONG(WINAPI*)(OSVERSIONINFOW*)>(L"ntdll.dll", "RtlGetVersion");
    if (rtlGetVersion)
        rtlGetVersion(&version);
    return version;
}

// Bound when a restore point is first asked for, and kept for the rest of the run.
const RestorePointSystem& RunningSystem() {
    static const RestorePointLibrary library(L"SrClient.dll");
    static const OSVERSIONINFOW version = RunningVersion();
    static const RestorePointSystem system = {library.Entry(), IsWindowsMeVersion(version),
                                              IsNt51OrLaterVersion(version)};
    return system;
}

const RestorePointSystem* replacement = nullptr;

const RestorePointSystem& Current() {
    return replacement ? *replacement : RunningSystem();
}

void ShowHourglass() {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void ShowDefaultCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

std::wstring FailureMessage(DWORD error) {
    // LF then CR between the lines, not CR LF: the text is kept byte for byte.
    return L"Failed to create a restore point! \n\r"
           L"The error code is - \"" +
           std::to_wstring(error) +
           L"\".\n\r"
           L"Would you like to continue? \n\r"
           L"See a more detailed description of this situation in the help section Backup.";
}

} // namespace

RestorePointLibrary::RestorePointLibrary(const wchar_t* fileName)
    : library_(fileName), entry_(library_.Find<SRSetRestorePointAProc>("SRSetRestorePointA")) {}

bool IsWindowsMeVersion(const OSVERSIONINFOW& version) {
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMinorVersion == 90 &&
           LOWORD(version.dwBuildNumber) == 3000;
}

bool IsNt51OrLaterVersion(const OSVERSIONINFOW& version) {
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion != 3 &&
           version.dwMajorVersion != 4 &&
           !(version.dwMajorVersion == 5 && version.dwMinorVersion == 0);
}

bool RestorePointsAvailable() {
    return Current().SRSetRestorePointA != nullptr;
}

bool IsWindowsMe() {
    return Current().IsWindowsMe;
}

bool IsNt51OrLater() {
    return Current().IsNt51OrLater;
}

ScopedRestorePointSystem::ScopedRestorePointSystem(const RestorePointSystem& system)
    : previous_(replacement) {
    replacement = &system;
}

ScopedRestorePointSystem::~ScopedRestorePointSystem() {
    replacement = previous_;
}

RestorePointOutcome BeginRestorePoint(HWND owner, RestorePoint& point, WhenRefused whenRefused) {
    ShowHourglass();
    point.Info = {};
    point.Info.dwEventType = kBeginSystemChange;
    point.Info.dwRestorePtType = kModifySettings;
    point.Info.llSequenceNumber = 0;
    std::memcpy(point.Info.szDescription, kDescription, sizeof kDescription);
    point.RestorePointBegun = false;

    if (!((IsWindowsMe() || IsNt51OrLater()) && RestorePointsAvailable()))
        return RestorePointOutcome::ProceedWithout;

    // Cleared first: a client that fails without setting an error must not report a stale
    // code left by some earlier call.
    SetLastError(ERROR_SUCCESS);
    if (Current().SRSetRestorePointA(&point.Info, &point.Status)) {
        point.RestorePointBegun = true;
        return RestorePointOutcome::Begun;
    }
    DWORD error = GetLastError();
    if (whenRefused == WhenRefused::GoOn)
        return RestorePointOutcome::ProceedWithout;
    ShowDefaultCursor();
    if (win::Prompt().Message(owner, FailureMessage(error), L"Error", MB_OKCANCEL | MB_ICONERROR) !=
        IDOK)
        return RestorePointOutcome::Abandon;
    ShowHourglass();
    return RestorePointOutcome::ProceedWithout;
}

void EndRestorePoint(RestorePoint& point) {
    if (point.RestorePointBegun) {
        point.Info.dwEventType = kEndSystemChange;
        point.Info.dwRestorePtType = kModifySettings;
        point.Info.llSequenceNumber = point.Status.llSequenceNumber;
        Current().SRSetRestorePointA(&point.Info, &point.Status);
    }
    ShowDefaultCursor();
}

} // namespace restorepoint
