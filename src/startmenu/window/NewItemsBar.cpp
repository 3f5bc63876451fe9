#include "startmenu/window/NewItemsBar.h"

#include "base/Counted.h"
#include "win/Layout.h"

namespace startmenu {

std::wstring NewItemsLine(const NewItems& found) {
    if (!found.error.empty())
        return L"The record of the last sorting cannot be read, so no item counts as new: " +
               found.error;
    if (!found.sorted)
        return L"New items are counted here once the Start Menu has been sorted.";
    int count = static_cast<int>(found.items.size()), duplicates = found.Duplicates();
    if (count == 0)
        return L"No item is new since the last sorting.";
    std::wstring line = base::Counted(static_cast<size_t>(count), L"item", L"items") +
                        (count == 1 ? L" is" : L" are") + L" new since the last sorting; ";
    if (count == 1)
        return line + (duplicates ? L"it is" : L"it is not") + L" a re-created duplicate.";
    if (duplicates == 0)
        return line + L"none of them is a re-created duplicate.";
    return line + std::to_wstring(duplicates) +
           (duplicates == 1 ? L" of them is a re-created duplicate."
                            : L" of them are re-created duplicates.");
}

std::wstring SortedNewItemsText(const NewItemsSorted& count) {
    return L"Gave a category to " + std::to_wstring(count.sorted) +
           (count.sorted == 1 ? L" new item; " : L" new items; ") + std::to_wstring(count.left) +
           L" left.";
}

void NewItemsBar::Create(win::WizardFrame& frame, int page) {
    using namespace win::anchors;
    frame.AddPage<NewItemsBar>(*this, page,
                               {{&NewItemsBar::line_,
                                 {WC_STATICW,
                                  L"",
                                  WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS,
                                  IdLabel13,
                                  {8, 466, 600, 484},
                                  kBottomWide}},
                                {&NewItemsBar::button_,
                                 {WC_BUTTONW,
                                  L"Sort &New Items",
                                  WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                                  kButtonId,
                                  {608, 460, 776, 486},
                                  kBottomRight}}});
}

void NewItemsBar::Refresh(const StartMenuModel& model) {
    found_ = FindNewItems(model);
    SetWindowTextW(line_, NewItemsLine(found_).c_str());
    EnableWindow(button_, !found_.items.empty());
}

NewItemsSorted NewItemsBar::Sort(StartMenuModel& model, SuggestionRun& run) const {
    return SortNewItems(model, found_, run);
}

} // namespace startmenu
