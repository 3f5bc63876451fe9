#pragma once
#include <string>

#include "startmenu/model/EntryList.h"

namespace startmenu {

// Adds the contents of folder below parent, recursively, in listing order. A name parent
// already has (a folder present in both Programs folders) is marked OriginBoth and its
// contents are merged; a new item takes parent's category at this moment, and is OriginCommon
// when folder lies inside commonProgramsDir. A folder that cannot be listed adds nothing.
void AddNewItem(const std::wstring& folder, EntryNode& parent,
                const std::wstring& commonProgramsDir);

} // namespace startmenu
