#include "app/RunChoice.h"

#include "base/PathRules.h"

namespace app {

RunKind ChooseRun(const std::vector<std::wstring>& args) {
    if (args.empty())
        return RunKind::Interactive;
    if (args[0] == L"/clear")
        return RunKind::Clear;
    if (args[0] == L"/tidy")
        return RunKind::Tidy;
    // "xml" is ASCII, so folding ASCII letters finds it exactly where a full lower-casing would.
    if (base::ContainsAsciiNoCase(args[0], L"xml"))
        return RunKind::BatchImport;
    return RunKind::Interactive;
}

} // namespace app
