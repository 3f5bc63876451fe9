#pragma once
#include <string>
#include <vector>

namespace startmenu {

// The category set the scan starts from; a name is used verbatim as the folder name.
std::vector<std::wstring> DefaultCategoryNames();

} // namespace startmenu
