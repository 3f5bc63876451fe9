#include "FakeRestoreClient.h"

namespace testing_support {
namespace {
FakeClient* fake = nullptr;
}

BOOL WINAPI FakeSetRestorePoint(restorepoint::RESTOREPOINTINFOA* info,
                                restorepoint::STATEMGRSTATUS* status) {
    auto* raw = reinterpret_cast<const unsigned char*>(info);
    fake->calls.push_back(
        {std::vector<unsigned char>(raw, raw + sizeof *info), status, GetCursor()});
    FakeClient::Answer answer =
        fake->answers.empty() ? FakeClient::Answer{TRUE, 0, 1} : fake->answers.front();
    if (!fake->answers.empty())
        fake->answers.pop_front();
    if (answer.result) {
        status->nStatus = ERROR_SUCCESS;
        status->llSequenceNumber = answer.sequence;
    }
    SetLastError(answer.error);
    return answer.result;
}

UseFakeClient::UseFakeClient(FakeClient& client) {
    fake = &client;
}

UseFakeClient::~UseFakeClient() {
    fake = nullptr;
}

} // namespace testing_support
