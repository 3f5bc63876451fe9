#pragma once
#include "startmenu/model/StartMenuModel.h"

namespace exchange {

// What the import works on: the picture of the Start Menu and the window that shows it,
// which after the categories are set either shows the first visible category or runs Start
// Processing. The exchange subsystem knows the main window only through this.
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual startmenu::StartMenuModel& Model() = 0;
    virtual void SelectFirstVisibleCategory() = 0;
    virtual void StartProcessing() = 0;
};

} // namespace exchange
