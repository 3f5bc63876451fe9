#pragma once
#include "startmenu/suggestions/LearnedChoices.h"

namespace startmenu {

// The user's lessons live in the program's registry key, as one string value; every
// failure is silent (no lessons, or nothing stored), as with every setting.
LearnedChoices LoadLearnedChoices();
void SaveLearnedChoices(const LearnedChoices& learned);

} // namespace startmenu
