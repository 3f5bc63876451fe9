#pragma once
// The main window as the import's target. Only the program entry and the tests include this,
// which see every window; the exchange library itself knows only LayoutTarget.
#include "exchange/LayoutTarget.h"
#include "exchange/UImportExportWizard.h"
#include "startmenu/window/UMainForm.h"

namespace app {

class MainFormTarget : public exchange::LayoutTarget {
public:
    explicit MainFormTarget(startmenu::TMainForm& form) : form_(form) {}
    startmenu::StartMenuModel& Model() override { return form_.Model(); }
    void SelectFirstVisibleCategory() override { form_.Page2().SelectFirstVisibleCategory(); }
    void StartProcessing() override { form_.Page3().Button8Click(); }

private:
    startmenu::TMainForm& form_;
};

// What both "Import/Export Wizard" buttons of the main window open.
inline void OpenImportExportWizard(startmenu::TMainForm& form) {
    MainFormTarget target(form);
    exchange::RunImportExportWizard(form.Handle(), target);
}

} // namespace app
