#pragma once
// Page 2 of the main window, the categorisation page: the category buttons, the program list,
// the category tree, the drags from them onto the buttons and the suggested categories. What a
// click or a drop does to the model is decided by the rules of CategoryPage; this class shows
// the model in the controls and hands the user's clicks to those rules.
#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/model/IconFetcher.h"
#include "startmenu/model/StartMenuModel.h"
#include "startmenu/suggestions/Suggestions.h"
#include "startmenu/suggestions/TargetFetcher.h"
#include "startmenu/window/CategoryTreeView.h"
#include "startmenu/window/NewItemsBar.h"
#include "win/Gdi.h"
#include "win/Splitter.h"
#include "win/WizardFrame.h"

namespace startmenu {

class CategoriesPage {
public:
    // What the page asks of the window around it.
    class Host {
    public:
        virtual bool ProfessionalMode() const = 0;
        // The last scan has run to its end.
        virtual bool ScanComplete() const = 0;
        // Processing or its undo is on: nothing may change the entries it works on.
        virtual bool DiskRunning() const = 0;
        // The category buttons have changed, and with them the rows of the tool bar.
        virtual void Relayout() = 0;

    protected:
        ~Host() = default;
    };

    // Adds the page's controls to page 2 of frame, on window.
    CategoriesPage(HWND window, win::WizardFrame& frame, StartMenuModel& model, Host& host);
    CategoriesPage(const CategoriesPage&) = delete;
    CategoriesPage& operator=(const CategoriesPage&) = delete;

    // The scan (CategoriesPage.cpp): Clear before the old picture goes; ShowCategories once
    // the categories are set, before both Programs folders are read.
    void Clear();
    void ShowCategories();
    // Stops the workers that fetch icons and targets while the controls they report to are
    // still there.
    void StopWorkers();

    // Layout (CategoriesPage.cpp). The tool bar wraps its buttons to the width it gets:
    // FitToolBar returns how much taller than one row it is, which pushes the controls below
    // it down; LayOut then places it and the split panel once the frame has placed the rest.
    int FitToolBar(SIZE client);
    void LayOut(SIZE client);
    // TurnMode's part: the list alone, or the list, the splitter and the tree.
    void ShowMode();
    bool Shows(HWND control) const; // whether control is visible in the mode
    void ApplyListWidthRule();
    // FormResize's part: in professional mode the list is never narrower than its minimum.
    void KeepMinimumListWidth();
    void Splitter1Moved();
    int ListWidth() const;
    int TreeWidth() const;
    void PaintToolBarEdge(HDC dc) const;

    // Categories (CategoriesPage.cpp).
    struct CategoryButton {
        int commandId;
        int Tag;
    };
    // Created from the last category down to 0, so category c is element count - 1 - c.
    std::vector<CategoryButton> CategoryButtons;
    const CategoryButton* ButtonOf(int category) const;
    bool ButtonVisible(const CategoryButton& button) const;
    void ToolButtonClick(const CategoryButton& sender);
    // As a click on the first category button that is shown.
    void SelectFirstVisibleCategory();
    void CheckBox1Click();

    // The program list and the category tree (CategoriesPageList.cpp).
    void ListView1Click();
    void ListView1SelectItem(int item, bool selected);
    void TreeView1Click();
    void TreeView1MouseUp(POINT client);
    void TreeView1ContextPopup(POINT screen);
    void Movetoroot1Click();
    // The notifications of the list and the tree, from the window.
    LRESULT ListView1Notify(NMHDR& header);
    LRESULT TreeView1Notify(NMHDR& header);
    // The icon fetcher goes on after the list's first paint (the window's timer).
    void IconsGoOn();

    // The program list's items, read back as the user sees them.
    int ListCount() const;
    std::wstring ListCaption(int item) const;
    int ListState(int item) const;
    int ListImage(int item) const;
    EntryNode* ListEntry(int item) const;
    int ListSelected() const;
    void SetListState(int item, int state);
    const IconFetcher& Icons() const { return *icons_; }

    // Drags from the list or the tree onto a category button (CategoriesPageDrag.cpp).
    enum class DragSource { List, Tree };
    bool ButtonDragOver(const CategoryButton& sender, DragSource source) const;
    void ButtonDragDrop(const CategoryButton& sender, DragSource source);
    // The window hands on the mouse and the keys, which a drag takes while it is on
    // (WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED, WM_KEYDOWN); true when one took it.
    bool DragMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // "Suggest Categories" and its undo (CategoriesPageSuggest.cpp): a category for every
    // item the user has not categorised where the program can tell, and back.
    void Button13Click();
    // "Sort New Items" (CategoriesPageSuggest.cpp): a category for each item new since the
    // last sorting, taken back by "Undo Suggestions".
    void SortNewItemsClick();
    // What the user has changed against a suggestion since the last look is learned.
    void NoteUserChoices();
    // Whether what the targets of the shortcuts tell has all arrived (tests).
    bool TargetsIdle() const { return !targets_ || targets_->Idle(); }

    // Controls, by their designer names. Button2, Button3 and BitBtn1 to BitBtn3 are kept
    // for a later facility to edit the categories; nothing shows them.
    HWND ListView1 = nullptr, TreeView1 = nullptr, ToolBar1 = nullptr, CheckBox1 = nullptr;
    HWND Label7 = nullptr, Label12 = nullptr, Button13 = nullptr;
    HWND Button2 = nullptr, Button3 = nullptr;
    HWND BitBtn1 = nullptr, BitBtn2 = nullptr, BitBtn3 = nullptr;
    NewItemsBar NewItems1;
    std::unique_ptr<win::Splitter> Splitter1;
    std::unique_ptr<CategoryTreeView> Tree;

private:
    void RebuildCategoryButtons();
    RECT PanelRect() const;
    void LayoutSplitPanel();
    void SetListWidth(int width);

    // The program list (CategoriesPageList.cpp).
    void ResetImageLists();
    void FillProgramList();
    void ShowArrivedIcon(const std::wstring& path, int image);
    void IndexListRows();
    void ListView1GetDispInfo(LVITEMW& item) const;
    void DeleteListRow(int item);
    void ToggleListItem(int item);
    void ToggleTreeItem(CheckTree::Node node);
    void ShowTreeStateInList(int rootState);

    void BeginDrag(DragSource source);
    void TrackDrag(POINT screen);
    void EndDrag(bool drop);
    const CategoryButton* ButtonAt(POINT screen) const;

    void Suggest();
    void UndoSuggestions();
    void ShowSuggestionsOn(bool on);
    void ReceiveTarget(const TargetFetcher::Evidence& evidence);
    void ShowSuggestionCount();

    HWND window_;
    win::WizardFrame& frame_;
    StartMenuModel& model_;
    Host& host_;
    UINT dpi_;
    int listWidth_ = 0; // at the current dpi; used in professional mode
    int bandExtra_ = 0; // extra height of a wrapped tool bar
    win::GdiObject toolBarFont_, listFont_;
    win::ImageListHandle imageList1_, imageList2_, imageList3_, listStates_;
    // After the pictures it fills, so it goes first.
    std::unique_ptr<IconFetcher> icons_;
    std::unordered_multimap<std::wstring, size_t> listed_; // the rows by their item's path
    // The program list's rows, which the list view asks for as it draws them.
    struct ListRow {
        EntryHandle handle;
        std::wstring caption;
        int image;
        int state;
    };
    std::vector<ListRow> rows_;
    win::MenuHandle popupMenu2_;

    SuggestionRun suggestions_;
    SuggestionCount suggestionCount_;
    bool suggestionsOn_ = false;
    std::unique_ptr<TargetFetcher> targets_;

    // The drag in progress.
    bool dragging_ = false;
    DragSource dragSource_ = DragSource::List;
    win::ImageListHandle dragImage_;
};

} // namespace startmenu
