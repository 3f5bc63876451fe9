#pragma once
#include <windows.h>

#include "startmenu/model/FolderLocations.h"
#include "startmenu/processing/MovePlan.h"
#include "win/WizardWindow.h"

namespace startmenu {

// Lists what Start Processing would do now, step by step, without doing any of it.
//
// To use this class: make it over the main window with a plan, RunModal, destroy it; or call
// ShowPlannedMoves, which does that.
class TPlannedMovesForm : public win::WizardWindow {
public:
    TPlannedMovesForm(HWND owner, const MovePlan& plan, const FolderLocations& folders);
    ~TPlannedMovesForm() override;

    void FormCreate() override;
    void Button1Click(); // Close

    HWND Label1 = nullptr, ListView1 = nullptr, Button1 = nullptr;

protected:
    LRESULT OnCommand(int id, int code) override;
    void CloseRequested() override { Button1Click(); }

private:
    void FillList();

    const MovePlan& plan_;
    const FolderLocations& folders_;
};

void ShowPlannedMoves(HWND owner, const MovePlan& plan, const FolderLocations& folders);

} // namespace startmenu
