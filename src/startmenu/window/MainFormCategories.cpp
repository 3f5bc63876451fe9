// The category buttons, the program list and the category tree of the second page.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/PathRules.h"
#include "product/Settings.h"
#include "startmenu/window/CategoryPage.h"
#include "startmenu/model/ItemIcon.h"
#include "startmenu/window/MainFormIds.h"
#include "startmenu/model/NameRules.h"
#include "startmenu/window/UMainForm.h"
#include "win/Dpi.h"
#include "win/FileSystem.h"
#include "win/Gdi.h"
#include "win/ListControl.h"
#include "win/Text.h"

namespace startmenu {

// Categories -------------------------------------------------------------------------------

const TMainForm::CategoryButton* TMainForm::ButtonOf(int category) const {
    int count = static_cast<int>(CategoryButtons.size());
    if (category < 0 || category >= count)
        return nullptr;
    return &CategoryButtons[static_cast<size_t>(count - 1 - category)];
}

// Runs on an empty tool bar: the scan has removed the buttons of the earlier scan.
void TMainForm::RebuildCategoryButtons() {
    for (int i = static_cast<int>(model_.CategoryNames.size()) - 1; i >= 0; --i) {
        std::wstring caption = L"  " + model_.CategoryNames[static_cast<size_t>(i)] + L"  ";
        TBBUTTON button = {};
        button.iBitmap = i > 9 ? 9 : i;
        button.idCommand = IdFirstCategoryButton + i;
        // Greyed until its category is current.
        button.fsState = TBSTATE_ENABLED | TBSTATE_INDETERMINATE;
        if (i <= 8 && model_.CategoryHidden[static_cast<size_t>(i)])
            button.fsState |= TBSTATE_HIDDEN;
        button.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT | BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(caption.c_str());
        // Each new button goes in front, which puts them left to right in index order.
        SendMessageW(ToolBar1, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&button));
        CategoryButtons.push_back({IdFirstCategoryButton + i, i});
    }
    SendMessageW(ToolBar1, TB_AUTOSIZE, 0, 0);
    LayoutControls();
}

bool TMainForm::ButtonVisible(const CategoryButton& button) const {
    return !SendMessageW(ToolBar1, TB_ISBUTTONHIDDEN, button.commandId, 0);
}

void TMainForm::SelectFirstVisibleCategory() {
    for (int i = 0; i < static_cast<int>(model_.CategoryNames.size()); ++i) {
        const CategoryButton* button = ButtonOf(i);
        if (button && ButtonVisible(*button)) {
            ToolButtonClick(*button);
            return;
        }
    }
}

void TMainForm::ToolButtonClick(const CategoryButton& sender) {
    Tree->Clear();
    Tree->AddPlaceholder();
    model_.CurrentCategory = sender.Tag;
    win::WaitCursor wait;
    for (const CategoryButton& button : CategoryButtons)
        SendMessageW(ToolBar1, TB_INDETERMINATE, button.commandId, button.Tag != sender.Tag);
    FillProgramList();
}

void TMainForm::CheckBox1Click() {
    if (!FormReady)
        return;
    model_.ShowCategoryFolders = Button_GetCheck(CheckBox1) == BST_CHECKED;
    product::RegWriteDword(HKEY_CURRENT_USER, product::kSettingsKey,
                           product::kShowCategoryFoldersValue, model_.ShowCategoryFolders ? 1 : 0);
    if (const CategoryButton* button = ButtonOf(model_.CurrentCategory))
        ToolButtonClick(*button);
}

// The program list -------------------------------------------------------------------------

// The list and the tree share the scan's pictures, so an icon is fetched once for both.
void TMainForm::ResetImageLists() {
    icons_.reset();
    int size = GetSystemMetrics(SM_CXSMICON);
    imageList1_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 32, 32));
    for (bool folder : {false, true})
        ImageList_AddIcon(imageList1_.Get(), win::IconHandle(GetPlaceholderIcon(folder)).Get());
    ListView_SetImageList(ListView1, imageList1_.Get(), LVSIL_SMALL);
    icons_ = std::make_unique<IconFetcher>(
        imageList1_.Get(),
        [this](const std::wstring& path, int image) { ShowArrivedIcon(path, image); });
    Tree->SetImages(imageList1_.Get(), [this](const std::wstring& path) {
        return icons_->ImageFor(path, win::IsExistingDirectory(path));
    });
}

void TMainForm::ShowArrivedIcon(const std::wstring& path, int image) {
    auto shown = listed_.equal_range(path);
    for (auto it = shown.first; it != shown.second; ++it) {
        rows_[it->second].image = image;
        int row = static_cast<int>(it->second);
        ListView_RedrawItems(ListView1, row, row);
    }
    Tree->ShowImage(path, image);
}

// Icons arrive by path, thousands of them, so each finds its rows without a search.
void TMainForm::IndexListRows() {
    listed_.clear();
    for (size_t row = 0; row < rows_.size(); ++row)
        if (const EntryNode* node = model_.Entries->Find(rows_[row].handle))
            listed_.emplace(node->Entry().Path, row);
}

// The list holds no items of its own: it asks for each row's text, picture and check state
// as it draws it, so a fill of thousands of items costs no more than building the rows.
void TMainForm::FillProgramList() {
    rows_.clear();
    ListView_SetItemState(ListView1, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    auto isCategoryFolder = model_.CategoryFolderTest();
    for (EntryNode* node : ProgramListEntries(*model_.Entries, model_.CurrentCategory,
                                              model_.ShowCategoryFolders, isCategoryFolder)) {
        const std::wstring& path = node->Entry().Path;
        rows_.push_back({node->Handle(), DisplayNameOf(base::FileNameOf(path)),
                         icons_->ImageFor(path, node->IsFolder()),
                         ListStateOf(node->Entry(), model_.CurrentCategory)});
    }
    IndexListRows();
    // The fixed column width comes first, so the control lays its columns out once, without
    // measuring every row (the report-and-back switch it was once given costs as much).
    win::CapListColumns(ListView1, win::Scale(kListColumnWidth, dpi_));
    ListView_SetItemCountEx(ListView1, static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
    win::ShowFocusedRow(ListView1); // a new list starts at its top
    InvalidateRect(ListView1, nullptr, TRUE);
    // A timer comes after the paint, so the worker goes on once the new rows are on screen.
    icons_->HoldBack();
    SetTimer(Handle(), kIconsGoOnTimer, USER_TIMER_MINIMUM, nullptr);
}

void TMainForm::ListView1GetDispInfo(LVITEMW& item) const {
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.size())
        return;
    const ListRow& row = rows_[static_cast<size_t>(item.iItem)];
    if (item.mask & LVIF_TEXT)
        win::CopyTruncated(row.caption, item.pszText, item.cchTextMax);
    if (item.mask & LVIF_IMAGE)
        item.iImage = row.image;
    if (item.mask & LVIF_STATE) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.state);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
    if (item.mask & LVIF_PARAM)
        item.lParam = static_cast<LPARAM>(row.handle);
}

void TMainForm::DeleteListRow(int item) {
    rows_.erase(rows_.begin() + item);
    IndexListRows();
    ListView_DeleteItem(ListView1, item);
}

int TMainForm::ListCount() const {
    return static_cast<int>(rows_.size());
}

std::wstring TMainForm::ListCaption(int item) const {
    return item >= 0 && static_cast<size_t>(item) < rows_.size()
               ? rows_[static_cast<size_t>(item)].caption
               : std::wstring();
}

int TMainForm::ListState(int item) const {
    return item >= 0 && static_cast<size_t>(item) < rows_.size()
               ? rows_[static_cast<size_t>(item)].state
               : 0;
}

int TMainForm::ListImage(int item) const {
    return item >= 0 && static_cast<size_t>(item) < rows_.size()
               ? rows_[static_cast<size_t>(item)].image
               : -1;
}

void TMainForm::SetListState(int item, int state) {
    if (item < 0 || static_cast<size_t>(item) >= rows_.size())
        return;
    rows_[static_cast<size_t>(item)].state = state;
    ListView_RedrawItems(ListView1, item, item);
}

EntryNode* TMainForm::ListEntry(int item) const {
    if (item < 0 || static_cast<size_t>(item) >= rows_.size())
        return nullptr;
    return model_.Entries->Find(rows_[static_cast<size_t>(item)].handle);
}

int TMainForm::ListSelected() const {
    return ListView_GetNextItem(ListView1, -1, LVNI_SELECTED);
}

void TMainForm::ListView1Click() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(ListView1, &p);
    int item = win::CheckBoxItemAt(ListView1, p);
    if (item >= 0)
        ToggleListItem(item);
}

void TMainForm::ToggleListItem(int item) {
    EntryNode* node = ListEntry(item);
    if (!node)
        return;
    int state = ToggleListEntry(*node, ListState(item), model_.CurrentCategory, ProfessionalMode);
    SetListState(item, state);
    if (ProfessionalMode && item == ListSelected() && TreeShowsFolder(*Tree))
        ApplyCheckState(*Tree, Tree->FirstRoot(), state != StatusChecked, true);
    NoteUserChoices();
}

void TMainForm::ListView1SelectItem(int item, bool selected) {
    if (!ProfessionalMode)
        return;
    if (!selected) {
        try {
            Tree->Clear();
            Tree->AddPlaceholder();
        } catch (...) {
            // Emptying the tree is best effort; the next selection rebuilds it.
        }
        return;
    }
    win::WaitCursor wait;
    EntryNode* node = ListEntry(item);
    if (!node)
        return;
    if (win::IsExistingFile(node->Entry().Path)) {
        Tree->Clear();
        Tree->AddPlaceholder();
        return;
    }
    SendMessageW(TreeView1, WM_SETREDRAW, FALSE, 0);
    ShowFolderInTree(*Tree, *node, ListCaption(item), ListState(item), model_.CurrentCategory,
                     [this](EntryNode& folder) { model_.LoadContents(folder); });
    SendMessageW(TreeView1, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(TreeView1, nullptr, TRUE);
}

// The category tree ------------------------------------------------------------------------

void TMainForm::TreeView1Click() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(TreeView1, &p);
    bool onCheckBox = false;
    CheckTree::Node node = Tree->HitTest(p, &onCheckBox);
    if (!onCheckBox)
        return;
    Tree->Select(node);
    ToggleTreeItem(Tree->Selected());
}

void TMainForm::ToggleTreeItem(CheckTree::Node node) {
    if (!node || IsPlaceholder(*Tree, node))
        return;
    ShowTreeStateInList(ToggleTreeNode(*Tree, *model_.Entries, node, model_.CurrentCategory,
                                       model_.CurrentCategory));
    NoteUserChoices();
}

void TMainForm::ShowTreeStateInList(int rootState) {
    int selected = ListSelected();
    if (selected >= 0 && KeepTreeStateInEntry(*Tree, ListEntry(selected), rootState))
        SetListState(selected, rootState);
}

void TMainForm::TreeView1MouseUp(POINT client) {
    Tree->Select(Tree->HitTest(client));
}

void TMainForm::Movetoroot1Click() {
    MoveSelectedToRoot(*Tree, *model_.Entries);
    if (!Tree->FirstRoot())
        Tree->AddPlaceholder();
    NoteUserChoices();
}

// Drags onto the category buttons ----------------------------------------------------------

bool TMainForm::ButtonDragOver(const CategoryButton&, DragSource source) const {
    return source == DragSource::List || TreeDragAccepted(*Tree);
}

void TMainForm::ButtonDragDrop(const CategoryButton& sender, DragSource source) {
    const int category = sender.Tag;
    if (source == DragSource::List) {
        int kept = -1;
        for (int item = ListSelected(); item >= 0;
             item = ListView_GetNextItem(ListView1, kept, LVNI_SELECTED)) {
            EntryNode* node = ListEntry(item);
            if (!node)
                break;
            int before = ListState(item);
            AssignListEntry(*node, category, ProfessionalMode);
            if (ProfessionalMode && item == ListSelected() && TreeShowsFolder(*Tree))
                ApplyCheckState(*Tree, Tree->FirstRoot(), before == StatusChecked, true);
            if (category == model_.CurrentCategory) {
                SetListState(item, StatusChecked);
                kept = item;
            } else {
                // It leaves the list, so the tree stops showing it too.
                if (item == ListSelected())
                    ListView1SelectItem(item, false);
                DeleteListRow(item);
            }
        }
        NoteUserChoices();
        return;
    }
    CheckTree::Node node = Tree->Selected();
    if (!node)
        return;
    ShowTreeStateInList(
        ToggleTreeNode(*Tree, *model_.Entries, node, model_.CurrentCategory, category));
    if (category != model_.CurrentCategory) {
        Tree->Delete(node);
        if (!Tree->FirstRoot())
            Tree->AddPlaceholder();
    }
    NoteUserChoices();
}

const TMainForm::CategoryButton* TMainForm::ButtonAt(POINT screen) const {
    POINT p = screen;
    ScreenToClient(ToolBar1, &p);
    int index =
        static_cast<int>(SendMessageW(ToolBar1, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)));
    TBBUTTON button = {};
    if (index < 0 ||
        !SendMessageW(ToolBar1, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
        (button.fsState & TBSTATE_HIDDEN))
        return nullptr;
    return ButtonOf(button.idCommand - IdFirstCategoryButton);
}

namespace {

// Drag images are placed in the coordinates of the whole window, frame included.
POINT WindowPoint(HWND window, POINT screen) {
    RECT r;
    GetWindowRect(window, &r);
    return {screen.x - r.left, screen.y - r.top};
}

} // namespace

void TMainForm::BeginDrag(DragSource source) {
    dragging_ = true;
    dragSource_ = source;
    SetCapture(Handle());
    // A picture of the dragged item follows the pointer, held where the pointer took it.
    POINT screen;
    GetCursorPos(&screen);
    POINT origin = {}, hotSpot = {};
    if (source == DragSource::List && ListSelected() >= 0) {
        dragImage_.Reset(ListView_CreateDragImage(ListView1, ListSelected(), &origin));
        hotSpot = screen;
        ScreenToClient(ListView1, &hotSpot);
    } else if (source == DragSource::Tree && Tree->Selected()) {
        auto item = reinterpret_cast<HTREEITEM>(Tree->Selected());
        dragImage_.Reset(TreeView_CreateDragImage(TreeView1, item));
        RECT text;
        TreeView_GetItemRect(TreeView1, item, &text, TRUE);
        int icon = 0, unused = 0;
        ImageList_GetIconSize(TreeView_GetImageList(TreeView1, TVSIL_NORMAL), &icon, &unused);
        origin = {text.left - icon, text.top};
        hotSpot = screen;
        ScreenToClient(TreeView1, &hotSpot);
    }
    if (dragImage_) {
        POINT at = WindowPoint(Handle(), screen);
        ImageList_BeginDrag(dragImage_.Get(), 0, hotSpot.x - origin.x, hotSpot.y - origin.y);
        ImageList_DragEnter(Handle(), at.x, at.y);
    }
}

void TMainForm::TrackDrag(POINT screen) {
    if (dragImage_) {
        POINT at = WindowPoint(Handle(), screen);
        ImageList_DragMove(at.x, at.y);
    }
    const CategoryButton* target = ButtonAt(screen);
    bool accepted = target && ButtonDragOver(*target, dragSource_);
    SendMessageW(ToolBar1, TB_SETHOTITEM,
                 accepted ? SendMessageW(ToolBar1, TB_COMMANDTOINDEX, target->commandId, 0) : -1,
                 0);
    SetCursor(LoadCursorW(nullptr, accepted ? IDC_ARROW : IDC_NO));
}

void TMainForm::EndDrag(bool drop) {
    dragging_ = false;
    if (dragImage_) {
        ImageList_DragLeave(Handle());
        ImageList_EndDrag();
        dragImage_.Reset();
    }
    SendMessageW(ToolBar1, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    POINT screen;
    GetCursorPos(&screen);
    if (GetCapture() == Handle())
        ReleaseCapture();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (!drop)
        return;
    if (const CategoryButton* target = ButtonAt(screen))
        if (ButtonDragOver(*target, dragSource_))
            ButtonDragDrop(*target, dragSource_);
}

} // namespace startmenu
