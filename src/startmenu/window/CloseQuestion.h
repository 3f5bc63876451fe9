#pragma once
#include <windows.h>

#include "startmenu/model/EntryList.h"

namespace startmenu {

// Whether the main window may close now. Categories assigned and not yet processed are the
// user's work: they go only when the user says so, to one question whose default keeps them.
// Nothing is asked when nothing is assigned.
bool MayDropAssignments(HWND owner, const EntryList& entries);

} // namespace startmenu
