#pragma once
#include <windows.h>

#include <cstdint>

#include "win/SystemLibrary.h"

// The System Restore client, bound at run time so that the program also runs where the
// library is missing, and the begin/end protocol every bulk change of the Start Menu follows.
namespace restorepoint {

constexpr DWORD kBeginSystemChange = 100;
constexpr DWORD kEndSystemChange = 101;
constexpr DWORD kModifySettings = 12;
constexpr size_t kMaxDescription = 64;

// Laid out byte for byte as the Windows SDK declares them; the service reads raw memory.
#pragma pack(push, 1)
struct RESTOREPOINTINFOA {
    DWORD dwEventType;
    DWORD dwRestorePtType;
    std::int64_t llSequenceNumber;
    char szDescription[kMaxDescription];
};
struct STATEMGRSTATUS {
    DWORD nStatus;
    std::int64_t llSequenceNumber;
};
#pragma pack(pop)
static_assert(sizeof(RESTOREPOINTINFOA) == 80, "RESTOREPOINTINFOA must match the SDK");
static_assert(sizeof(STATEMGRSTATUS) == 12, "STATEMGRSTATUS must match the SDK");

using SRSetRestorePointAProc = BOOL(WINAPI*)(RESTOREPOINTINFOA*, STATEMGRSTATUS*);

// Loads a restore-point client library of the system folder and finds its entry point;
// frees the library when it goes. Entry() is null when either is missing.
class RestorePointLibrary {
public:
    explicit RestorePointLibrary(const wchar_t* fileName);
    SRSetRestorePointAProc Entry() const { return entry_; }

private:
    win::SystemLibrary library_;
    SRSetRestorePointAProc entry_;
};

// Everything the protocol asks of the running system. The program's own is bound when a
// restore point is first asked for; tests put another one in place with ScopedRestorePointSystem.
struct RestorePointSystem {
    SRSetRestorePointAProc SRSetRestorePointA = nullptr; // null: no restore points here
    bool IsWindowsMe = false;
    bool IsNt51OrLater = false;
};

// The two facts, read from a system's version information.
bool IsWindowsMeVersion(const OSVERSIONINFOW& version);
bool IsNt51OrLaterVersion(const OSVERSIONINFOW& version);

bool RestorePointsAvailable();
bool IsWindowsMe();
bool IsNt51OrLater();

class ScopedRestorePointSystem {
public:
    explicit ScopedRestorePointSystem(const RestorePointSystem& replacement);
    ScopedRestorePointSystem(const ScopedRestorePointSystem&) = delete;
    ScopedRestorePointSystem& operator=(const ScopedRestorePointSystem&) = delete;
    ~ScopedRestorePointSystem();

private:
    const RestorePointSystem* previous_;
};

enum class RestorePointOutcome { Begun, ProceedWithout, Abandon };

// One guarded operation's side of the protocol.
struct RestorePoint {
    RESTOREPOINTINFOA Info{};
    STATEMGRSTATUS Status{};
    bool RestorePointBegun = false;
};

// What happens when the system refuses a restore point: the user is asked whether to go on
// without one, or, in a run nobody watches, the work goes on without one.
enum class WhenRefused { Ask, GoOn };

// Opens a restore point described "Marlowen RESTORE POINT" where the system offers them.
// When the request fails the user is asked whether to go on without one. Leaves the
// hourglass on for the work, except on Abandon.
RestorePointOutcome BeginRestorePoint(HWND owner, RestorePoint& point,
                                      WhenRefused whenRefused = WhenRefused::Ask);

// Closes the restore point if one was begun, ignoring the result, and resets the cursor.
void EndRestorePoint(RestorePoint& point);

// Begins a restore point when made and ends it when it goes, also when the work throws.
//
// To use this class: make it before the work; if Outcome() is Abandon, return at once;
// otherwise do the work within its lifetime and show the result after it has gone.
class RestorePointScope {
public:
    explicit RestorePointScope(HWND owner, WhenRefused whenRefused = WhenRefused::Ask)
        : outcome_(BeginRestorePoint(owner, point_, whenRefused)) {}
    RestorePointScope(const RestorePointScope&) = delete;
    RestorePointScope& operator=(const RestorePointScope&) = delete;
    ~RestorePointScope() { EndRestorePoint(point_); }

    RestorePointOutcome Outcome() const { return outcome_; }

private:
    RestorePoint point_;
    RestorePointOutcome outcome_;
};

} // namespace restorepoint
