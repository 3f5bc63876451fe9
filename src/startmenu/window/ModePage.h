#pragma once
// Page 1 of the main window: the introduction, the choice of the working mode and the buttons
// of the secondary wizards.
#include <windows.h>

#include <optional>

#include "startmenu/window/AdvancedFeatures.h"
#include "win/Gdi.h"
#include "win/WizardFrame.h"

namespace startmenu {

class ModePage {
public:
    // What the page asks of the window around it.
    class Host {
    public:
        // The working mode has changed, or page 2 is about to show in it: page 2 takes the
        // mode's layout.
        virtual void ModeTurned() = 0;
        virtual void OpenWizard(SecondaryWizard wizard) = 0;

    protected:
        ~Host() = default;
    };

    // Adds the page's controls to page 1 of frame.
    ModePage(win::WizardFrame& frame, Host& host);
    ModePage(const ModePage&) = delete;
    ModePage& operator=(const ModePage&) = delete;

    // Selects the button of the stored mode at the scan: its handler runs only when the button
    // was not selected yet.
    void SelectMode(bool professional);
    void RadioButton1Click();
    void RadioButton2Click();
    void TurnMode();
    bool ProfessionalMode = false;

    void BitBtn4Click(); // backup/restore
    void BitBtn5Click(); // delete empty shortcuts
    void BitBtn9Click(); // import/export

    // The picture of the page, owner-drawn.
    void OnDrawItem(const DRAWITEMSTRUCT& item);

    // Controls, by their designer names.
    HWND RadioButton1 = nullptr, RadioButton2 = nullptr;
    HWND BitBtn4 = nullptr, BitBtn5 = nullptr, BitBtn9 = nullptr;

private:
    Host& host_;
    win::GdiObject welcome_, welcome2x_;
    HWND welcomePicture_ = nullptr;
    // Made after the table, so that the tab order follows the page from top to bottom.
    std::optional<AdvancedFeatures> wizards_;
};

} // namespace startmenu
