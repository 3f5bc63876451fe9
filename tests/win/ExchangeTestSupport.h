#pragma once
// Shared by the export and import tests: files read back byte for byte, and a target that
// counts what the import finished with.
#include <windows.h>

#include <string>

#include "exchange/LayoutTarget.h"
#include "exchange/MainFormTarget.h"
#include "win/Handles.h"

namespace testing_support {

inline std::string ReadBytes(const std::wstring& path) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read)
        bytes.append(buffer, read);
    return bytes;
}

// The main window as the import's target, counting the finish steps it was asked for.
class CountingTarget : public exchange::MainFormTarget {
public:
    using MainFormTarget::MainFormTarget;
    void SelectFirstVisibleCategory() override {
        ++selects;
        MainFormTarget::SelectFirstVisibleCategory();
    }
    void StartProcessing() override {
        ++processings;
        MainFormTarget::StartProcessing();
    }
    int selects = 0, processings = 0;
};

} // namespace testing_support
