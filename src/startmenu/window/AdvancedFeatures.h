#pragma once
// The group "Advanced features" that pages 1 and 3 of the main window both show: the buttons
// of the three secondary wizards, each with its glyph at the left edge.
#include <windows.h>

#include <array>

#include "win/Gdi.h"
#include "win/WizardFrame.h"

namespace startmenu {

// The secondary wizards, in the order of their buttons.
enum class SecondaryWizard { BackupRestore, DeleteEmptyShortcuts, ImportExport };

class AdvancedFeatures {
public:
    // Adds the group box at group (design coordinates) and its buttons to page; ids are the
    // buttons' commands in the order of SecondaryWizard.
    AdvancedFeatures(win::WizardFrame& frame, int page, RECT group, const std::array<int, 3>& ids);
    AdvancedFeatures(const AdvancedFeatures&) = delete;
    AdvancedFeatures& operator=(const AdvancedFeatures&) = delete;

    HWND Button(SecondaryWizard wizard) const { return buttons_[static_cast<size_t>(wizard)]; }

private:
    std::array<win::ImageListHandle, 3> glyphs_;
    std::array<HWND, 3> buttons_ = {};
};

} // namespace startmenu
