#pragma once
#include <windows.h>

#include <memory>

#include "exchange/LayoutTarget.h"
#include "win/WizardWindow.h"

namespace exchange {

// The import/export wizard: export the category folders to a file, or import a layout and
// either show it on the categorisation page or apply it at once. Handlers are public so that
// tests can drive the window as a user's clicks do.
//
// To use this class: make it over the main window, RunModal, destroy it; or call
// RunImportExportWizard, which does that.
class TImportExportWizard : public win::WizardWindow {
public:
    TImportExportWizard(HWND owner, LayoutTarget& target);
    ~TImportExportWizard() override { DestroyWindowObject(); }

    void FormCreate() override;
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton1DblClick();
    void RadioButton2DblClick();
    void RadioButton3DblClick();
    // Runs the chosen action; the wizard closes with OK only when it has completed.
    void Button4Click();
    void Button6Click();

    // Controls, by their designer names.
    HWND RadioButton1 = nullptr, RadioButton2 = nullptr, RadioButton3 = nullptr;
    HWND Button4 = nullptr, Button6 = nullptr;

protected:
    LRESULT OnCommand(int id, int code) override;
    void CloseRequested() override { Button6Click(); }

private:
    void CreateControls();
    void Translate();
    void Check(HWND radio);

    LayoutTarget& target_;
    UINT dpi_ = 96;
};

// Shows the wizard modally over owner and destroys it when it closes; returns IDOK after a
// completed action, else IDCANCEL.
int RunImportExportWizard(HWND owner, LayoutTarget& target);

} // namespace exchange
