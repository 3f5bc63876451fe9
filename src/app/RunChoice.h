#pragma once
#include <string>
#include <vector>

namespace app {

enum class RunKind { Clear, BatchImport, Interactive };

// Chooses the run from the arguments after the program's own path: exactly "/clear" cleans
// a folder, a first argument containing "xml" in any case imports a layout, anything else
// opens the wizard.
RunKind ChooseRun(const std::vector<std::wstring>& args);

} // namespace app
