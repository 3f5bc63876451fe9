#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "startmenu/window/CategoryTreeView.h"
#include "startmenu/model/EntryList.h"
#include "startmenu/model/FolderLocations.h"
#include "startmenu/model/IconFetcher.h"
#include "startmenu/processing/Processing.h"
#include "startmenu/processing/ProcessingJournal.h"
#include "startmenu/model/StartMenuModel.h"
#include "startmenu/suggestions/Suggestions.h"
#include "startmenu/window/NewItemsBar.h"
#include "startmenu/suggestions/TargetFetcher.h"
#include "win/Gdi.h"
#include "win/Layout.h"
#include "win/Splitter.h"
#include "win/Window.h"
#include "win/WizardFrame.h"

namespace startmenu {

class TMainForm;

// The secondary wizards the main window's buttons open. The program entry fills them in, so
// that this subsystem knows the other subsystems' models but none of their windows; an
// empty one leaves its buttons doing nothing.
struct SecondaryWizards {
    std::function<void(TMainForm&owner)> backupRestore, deleteEmptyShortcuts, importExport;
};

// The menu's extras and the support address on page 3, filled in the same way.
struct MenuExtras {
    std::function<void(TMainForm&owner)> about, homePage, tellAFriend, help, supportMail;
};

// The main window: a three-page wizard. It owns the picture of the Start Menu for the whole
// run; creating it runs the scan. Handlers are public so that tests can drive the window as a
// user's clicks do.
class TMainForm : public win::Window {
public:
    explicit TMainForm(const FolderSource& folders);
    ~TMainForm() override { DestroyWindowObject(); }

    // Shows the window for the interactive run.
    void Show();

    // The scan: rebuilds the whole picture from disk. Also the rescan after processing.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();

    // Pages and navigation.
    int ActivePage() const { return page_; }
    void ShowPage(int page);
    void TabSheet1Show();
    void TabSheet2Show();
    void TabSheet3Show();
    void Button4Click();  // Next
    void Button5Click();  // Back
    void Button6Click();  // Finish / Cancel
    void Button11Click(); // Menu
    POINT MenuOrigin() const;
    void Button11ContextPopup(POINT screen); // the same menu at the pointer
    void RadioButton1Click();
    void RadioButton2Click();
    void TurnMode();
    void Splitter1Moved();

    // The buttons of the secondary wizards, on pages 1 and 3.
    SecondaryWizards Wizards;
    void BitBtn4Click(); // backup/restore, also BitBtn6
    void BitBtn5Click(); // delete empty shortcuts, also BitBtn7
    void BitBtn9Click(); // import/export, also BitBtn8

    // The menu of extras (MainFormMenu.cpp).
    MenuExtras Extras;
    void AboutMenuClick();
    void HomePageMenuClick();
    void TellFriendClick();
    void HelpMenuClick();
    void Label10Click(); // the support address on page 3

    // Start Processing: moves every assigned item on disk, under a restore point, and
    // rescans. Also run by the import when it applies a layout.
    void Button8Click();
    // How the last run ended, for a caller without a screen (the batch run's exit code).
    // Busy: another instance was changing the Start Menu, so nothing was done.
    enum class ProcessingResult { NotRun, Abandoned, Complete, Incomplete, Busy };
    ProcessingResult LastProcessing() const { return lastProcessing_; }

    // The list of what Start Processing would do now (MainFormUndo.cpp).
    void Button12Click();
    // Puts back what the latest run not yet undone did, after one question.
    void UndoLastProcessing1Click();
    // Enables the menu's undo entry exactly when there is a run to undo.
    void RefreshUndoEntry();
    // At the start: tells of a run or an undo that stopped in the middle, and offers to undo
    // it or to finish the undo.
    void RecoverUnfinishedRun();

    // "Suggest Categories" and its undo (MainFormSuggest.cpp): a category for every item the
    // user has not categorised where the program can tell, and back.
    void Button13Click();
    // "Sort New Items" (MainFormSuggest.cpp): a category for each item new since the last
    // sorting, taken back by "Undo Suggestions".
    void SortNewItemsClick();
    // Whether what the targets of the shortcuts tell has all arrived (tests).
    bool TargetsIdle() const { return !targets_ || targets_->Idle(); }

    // Categories.
    struct CategoryButton {
        int commandId;
        int Tag;
    };
    const CategoryButton* ButtonOf(int category) const;
    bool ButtonVisible(const CategoryButton& button) const;
    void ToolButtonClick(const CategoryButton& sender);
    void CheckBox1Click();

    // The categorisation page.
    enum class DragSource { List, Tree };
    void ListView1Click();
    void ListView1SelectItem(int item, bool selected);
    void TreeView1Click();
    void TreeView1MouseUp(POINT client);
    void Movetoroot1Click();
    bool ButtonDragOver(const CategoryButton& sender, DragSource source) const;
    void ButtonDragDrop(const CategoryButton& sender, DragSource source);

    // Controls, by their designer names.
    HWND ListView1 = nullptr, TreeView1 = nullptr, ToolBar1 = nullptr, CheckBox1 = nullptr;
    HWND RadioButton1 = nullptr, RadioButton2 = nullptr;
    HWND Button2 = nullptr, Button3 = nullptr, Button4 = nullptr, Button5 = nullptr,
         Button6 = nullptr, Button8 = nullptr, Button11 = nullptr, Button12 = nullptr;
    HWND BitBtn1 = nullptr, BitBtn2 = nullptr, BitBtn3 = nullptr, BitBtn4 = nullptr,
         BitBtn5 = nullptr, BitBtn6 = nullptr, BitBtn7 = nullptr, BitBtn8 = nullptr,
         BitBtn9 = nullptr;
    HWND Button13 = nullptr;
    HWND Label7 = nullptr, Label10 = nullptr, Label12 = nullptr;
    NewItemsBar NewItems1;
    std::unique_ptr<win::Splitter> Splitter1;
    std::unique_ptr<CategoryTreeView> Tree;

    // The picture of the Start Menu, handed to the other windows.
    StartMenuModel& Model() { return model_; }
    const StartMenuModel& Model() const { return model_; }

    // Created from the last category down to 0, so category c is element count - 1 - c.
    std::vector<CategoryButton> CategoryButtons;
    bool ProfessionalMode = false;
    bool FormReady = false;

    // The program list's items, read back as the user sees them.
    int ListCount() const;
    std::wstring ListCaption(int item) const;
    int ListState(int item) const;
    int ListImage(int item) const;
    const IconFetcher& Icons() const { return *icons_; }
    EntryNode* ListEntry(int item) const;
    int ListSelected() const;
    void SetListState(int item, int state);
    int ListWidth() const;
    int TreeWidth() const;
    HMENU PopupMenu1() const { return popupMenu1_.Get(); }
    HMENU PopupMenu2() const { return popupMenu2_.Get(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // A wizard or an extra filled in by the program entry; an empty one does nothing.
    void RunHook(const std::function<void(TMainForm&)>& hook);

    // Creation and layout (MainFormControls.cpp).
    void CreateControls();
    void CreateFonts();
    void LoadPictures();
    void LayoutControls();
    void LayoutSplitPanel();
    void ApplyVisibility();
    RECT PanelRect() const;
    void CreatePage1();
    void CreatePage2();
    void CreatePage3();
    void CreateBar();
    void Translate();
    struct WizardButton {
        HWND TMainForm::*control;
        int id;
    };
    void AddAdvancedFeatures(int page, RECT group, const std::array<WizardButton, 3>& buttons);

    // Categories (MainFormCategories.cpp).
    void RebuildCategoryButtons();
    void SelectFirstVisibleCategory();
    void FillProgramList();
    void ResetImageLists();
    void ShowArrivedIcon(const std::wstring& path, int image);
    void IndexListRows();
    void ListView1GetDispInfo(LVITEMW& item) const;
    void DeleteListRow(int item);

    void ToggleListItem(int item);
    void ToggleTreeItem(CheckTree::Node node);
    void ShowTreeStateInList(int rootState);

    // Drags from the list or the tree onto a category button.
    void BeginDrag(DragSource source);
    void TrackDrag(POINT screen);
    void EndDrag(bool drop);
    const CategoryButton* ButtonAt(POINT screen) const;

    // Undoes the run, rescans and reports, with the Start Menu's writer lock held.
    void CarryOutUndo(const LastRun& run);

    // Suggestions (MainFormSuggest.cpp).
    void Suggest();
    void UndoSuggestions();
    void ShowSuggestionsOn(bool on);
    void ReceiveTarget(const TargetFetcher::Evidence& evidence);
    void ShowSuggestionCount();
    // What the user has changed against a suggestion since the last look is learned.
    void NoteUserChoices();

    void SetListWidth(int width);
    void ApplyListWidthRule();

    LRESULT OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(NMHDR& header);
    LRESULT OnColor(HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void PaintBackground(HDC dc);

    StartMenuModel model_;
    UINT dpi_ = 96;
    int page_ = 1;
    int listWidth_ = 0; // at the current dpi; used in professional mode
    int bandExtra_ = 0; // extra height of a wrapped tool bar
    std::unique_ptr<win::WizardFrame> frame_;
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
    std::vector<win::ImageListHandle> glyphs_;
    win::GdiObject welcome_, welcome2x_;
    win::MenuHandle popupMenu1_, popupMenu2_;
    HWND welcomePicture_ = nullptr;

    // A run on disk, processing or its undo, for as long as it lives: the question and the
    // report run message loops, and a second click, a category change or a close arriving
    // through them must not touch the entries the run works on.
    class DiskRun {
    public:
        explicit DiskRun(TMainForm& form) : form_(form) { form_.processing_ = true; }
        DiskRun(const DiskRun&) = delete;
        DiskRun& operator=(const DiskRun&) = delete;
        ~DiskRun();

    private:
        TMainForm& form_;
    };

    // A run is on; a close asked for meanwhile waits for its end.
    bool processing_ = false;
    bool closeRequested_ = false;
    ProcessingResult lastProcessing_ = ProcessingResult::NotRun;

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
