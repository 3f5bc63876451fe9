#pragma once
#include <windows.h>

#include <string>

#include "startmenu/processing/NewItems.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/window/NewItemSorting.h"
#include "win/WizardFrame.h"

namespace startmenu {

// What the line says of the items new since the last sorting, and what sorting them gave.
std::wstring NewItemsLine(const NewItems& found);
std::wstring SortedNewItemsText(const NewItemsSorted& count);

// The line at the bottom of the categorisation page that counts the items new since the last
// sorting, and the button "Sort New Items" beside it, in both working modes.
class NewItemsBar {
public:
    static constexpr int kButtonId = IdButton14;

    void Create(win::WizardFrame& frame, int page);
    // Counts the new items of the model as its scan has just read them.
    void Refresh(const StartMenuModel& model);
    // Gives the new items their categories, recorded in run (see SortNewItems).
    NewItemsSorted Sort(StartMenuModel& model, SuggestionRun& run) const;

    HWND Line() const { return line_; }
    HWND Button() const { return button_; }

private:
    HWND line_ = nullptr, button_ = nullptr;
    NewItems found_;
};

} // namespace startmenu
