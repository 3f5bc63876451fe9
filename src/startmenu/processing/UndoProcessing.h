#pragma once
#include "startmenu/model/FolderLocations.h"
#include "startmenu/processing/ProcessingJournal.h"
#include "startmenu/processing/UndoRules.h"

namespace startmenu {

// Puts back what a run did, its last step first: moved items go back, replaced items return
// from the journal's folder, category folders it made go when they are empty. What the user
// has changed, moved or deleted since is left alone and reported. The run is then noted as
// undone. A journal that is damaged, or names places outside the Programs folders of folders
// or outside its own folder, is refused with an AppError before anything changes.
UndoReport UndoRun(const LastRun& run, const FolderLocations& folders);

// Why a run's journal must not be used for an undo, in words for the user; empty when it may.
std::wstring UndoRefusal(const LastRun& run, const FolderLocations& folders);

} // namespace startmenu
