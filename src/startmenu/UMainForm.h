#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "startmenu/CategoryTreeView.h"
#include "startmenu/EntryList.h"
#include "startmenu/FolderLocations.h"
#include "win/Gdi.h"
#include "win/Layout.h"
#include "win/Splitter.h"
#include "win/Window.h"

namespace startmenu {

// The main window: a three-page wizard. It owns the picture of the Start Menu (the
// EntryList, the categories and the folder locations) for the whole run; creating it runs
// the scan. Handlers are public so that tests can drive the window as a user's clicks do.
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
    void RadioButton1Click();
    void RadioButton2Click();
    void TurnMode();
    void Splitter1Moved();

    // Start Processing: moves every assigned item on disk, under a restore point, and
    // rescans. Also run by the import when it applies a layout.
    void Button8Click();

    // Categories.
    struct CategoryButton {
        int commandId;
        int Tag;
    };
    const CategoryButton* ButtonOf(int category) const;
    bool ButtonVisible(const CategoryButton& button) const;
    void ToolButtonClick(const CategoryButton& sender);
    void CheckBox1Click();
    bool IsCategoryFolder(const std::wstring& path) const;

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
         Button6 = nullptr, Button8 = nullptr, Button11 = nullptr;
    HWND BitBtn1 = nullptr, BitBtn2 = nullptr, BitBtn3 = nullptr, BitBtn4 = nullptr,
         BitBtn5 = nullptr, BitBtn6 = nullptr, BitBtn7 = nullptr, BitBtn8 = nullptr,
         BitBtn9 = nullptr;
    HWND Label7 = nullptr, Label10 = nullptr;
    std::unique_ptr<win::Splitter> Splitter1;
    std::unique_ptr<CategoryTreeView> Tree;

    // The model.
    FolderLocations Folders;
    std::unique_ptr<EntryList> Entries;
    std::vector<std::wstring> CategoryNames;
    std::array<bool, 9> CategoryHidden{};
    // Created from the last category down to 0, so category c is element count - 1 - c.
    std::vector<CategoryButton> CategoryButtons;
    int CurrentCategory = 0;
    bool ProfessionalMode = false;
    bool ShowCategoryFolders = false;
    bool FormReady = false;

    // The program list's items, read back as the user sees them.
    int ListCount() const;
    std::wstring ListCaption(int item) const;
    int ListState(int item) const;
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
    // Creation and layout (MainFormControls.cpp).
    void CreateControls();
    void CreateFonts();
    void LoadPictures();
    void LayoutControls();
    void LayoutSplitPanel();
    void ApplyVisibility();
    RECT PanelRect() const;
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int page,
                    RECT design, unsigned anchors, HFONT font = nullptr);
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

    void ToggleListItem(int item);
    void ToggleTreeItem(CheckTree::Node node);
    void ShowTreeStateInList(int rootState);

    // Drags from the list or the tree onto a category button.
    void BeginDrag(DragSource source);
    void TrackDrag(POINT screen);
    void EndDrag(bool drop);
    const CategoryButton* ButtonAt(POINT screen) const;

    void SetListWidth(int width);
    void ApplyListWidthRule();

    LRESULT OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(NMHDR& header);
    LRESULT OnColor(HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void PaintBackground(HDC dc);

    const FolderSource& source_;
    UINT dpi_ = 96;
    int page_ = 1;
    int listWidth_ = 0; // at the current dpi; used in professional mode
    int bandExtra_ = 0; // extra height of a wrapped tool bar
    win::AnchorLayout layout_;
    struct PagedControl {
        HWND control;
        int page; // 0: the bottom bar
    };
    std::vector<PagedControl> paged_;
    win::GdiObject font_, boldFont_, toolBarFont_, listFont_;
    win::GdiObject whiteBrush_;
    win::ImageListHandle imageList1_, imageList2_, imageList3_, listStates_;
    std::vector<win::ImageListHandle> glyphs_;
    win::GdiObject welcome_, welcome2x_;
    win::MenuHandle popupMenu1_, popupMenu2_;
    HWND welcomePicture_ = nullptr;

    // A Start Processing run is on; a close asked for meanwhile waits for its end.
    bool processing_ = false;
    bool closeRequested_ = false;

    // The drag in progress.
    bool dragging_ = false;
    DragSource dragSource_ = DragSource::List;
    win::ImageListHandle dragImage_;
};

} // namespace startmenu
