#include "startmenu/model/Categories.h"

namespace startmenu {

std::vector<std::wstring> DefaultCategoryNames() {
    return {L"Office",      L"Utilities", L"Games",    L"Entertainment", L"Internet",
            L"Programming", L"Graphics",  L"Security", L"Other"};
}

} // namespace startmenu
