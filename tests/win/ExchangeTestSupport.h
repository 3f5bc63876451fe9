#pragma once
// Shared by the export and import tests: files read back byte for byte, and a target that
// counts what the import finished with.
#include <windows.h>

#include <string>

#include "Fixtures.h"
#include "exchange/LayoutTarget.h"
#include "app/MainFormTarget.h"
#include "win/Handles.h"

namespace testing_support {

// The main window as the import's target, counting the finish steps it was asked for.
class CountingTarget : public app::MainFormTarget {
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
