#pragma once
// A restore-point client that answers from a script and keeps what it was given, for tests
// that put it in the place of the system's.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "restorepoint/SRRestorePtAPI.h"

namespace testing_support {

struct FakeClient {
    struct Answer {
        BOOL result;
        DWORD error;
        std::int64_t sequence;
    };
    struct Call {
        std::vector<unsigned char> info; // the record's bytes as the client got them
        const restorepoint::STATEMGRSTATUS* status;
        HCURSOR cursor;
        const restorepoint::RESTOREPOINTINFOA& Record() const {
            return *reinterpret_cast<const restorepoint::RESTOREPOINTINFOA*>(info.data());
        }
    };
    std::deque<Answer> answers; // success with sequence number 1 when empty
    std::vector<Call> calls;
};

// The client's entry point; it serves the FakeClient a UseFakeClient has put in place.
BOOL WINAPI FakeSetRestorePoint(restorepoint::RESTOREPOINTINFOA* info,
                                restorepoint::STATEMGRSTATUS* status);

class UseFakeClient {
public:
    explicit UseFakeClient(FakeClient& client);
    UseFakeClient(const UseFakeClient&) = delete;
    UseFakeClient& operator=(const UseFakeClient&) = delete;
    ~UseFakeClient();
};

} // namespace testing_support
