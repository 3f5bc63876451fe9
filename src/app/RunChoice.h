#pragma once
#include <string>
#include <vector>

namespace app {

enum class RunKind { Clear, Tidy, BatchImport, Interactive };

// Chooses the run from the arguments after the program's own path: exactly "/clear" cleans
// a folder, exactly "/tidy" sorts the items new since the last sorting, a first argument
// containing "xml" in any case imports a layout, anything else opens the wizard.
RunKind ChooseRun(const std::vector<std::wstring>& args);

} // namespace app
