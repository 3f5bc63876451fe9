#pragma once
// The main window knows the other subsystems' models but none of their windows: the program
// entry hands it what its buttons and its menu open.
#include "extras/UAboutForm.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/window/UMainForm.h"

namespace app {

// The three secondary wizards of pages 1 and 3.
void ConnectWizards(startmenu::TMainForm& form, const startmenu::FolderSource& folders);

// The menu's extras and the support address; "About..." shows aboutBox, made once.
void ConnectMenuExtras(startmenu::TMainForm& form, extras::TAboutBox& aboutBox);

} // namespace app
