// The program list and the category tree of the categorisation page.
#include <windows.h>
#include <commctrl.h>

#include "base/PathRules.h"
#include "startmenu/model/ItemIcon.h"
#include "startmenu/model/NameRules.h"
#include "startmenu/window/CategoriesPage.h"
#include "startmenu/window/CategoryPage.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Dpi.h"
#include "win/FileSystem.h"
#include "win/Gdi.h"
#include "win/ListControl.h"
#include "win/Text.h"

namespace startmenu {

// The program list -------------------------------------------------------------------------

// The list and the tree share the scan's pictures, so an icon is fetched once for both.
void CategoriesPage::ResetImageLists() {
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

void CategoriesPage::ShowArrivedIcon(const std::wstring& path, int image) {
    auto shown = listed_.equal_range(path);
    for (auto it = shown.first; it != shown.second; ++it) {
        rows_[it->second].image = image;
        int row = static_cast<int>(it->second);
        ListView_RedrawItems(ListView1, row, row);
    }
    Tree->ShowImage(path, image);
}

void CategoriesPage::IconsGoOn() {
    KillTimer(window_, kIconsGoOnTimer);
    if (icons_)
        icons_->GoOn();
}

// Icons arrive by path, thousands of them, so each finds its rows without a search.
void CategoriesPage::IndexListRows() {
    listed_.clear();
    for (size_t row = 0; row < rows_.size(); ++row)
        if (const EntryNode* node = model_.Entries->Find(rows_[row].handle))
            listed_.emplace(node->Entry().Path, row);
}

// The list holds no items of its own: it asks for each row's text, picture and check state
// as it draws it, so a fill of thousands of items costs no more than building the rows.
void CategoriesPage::FillProgramList() {
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
    SetTimer(window_, kIconsGoOnTimer, USER_TIMER_MINIMUM, nullptr);
}

void CategoriesPage::ListView1GetDispInfo(LVITEMW& item) const {
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

void CategoriesPage::DeleteListRow(int item) {
    rows_.erase(rows_.begin() + item);
    IndexListRows();
    ListView_DeleteItem(ListView1, item);
}

int CategoriesPage::ListCount() const {
    return static_cast<int>(rows_.size());
}

std::wstring CategoriesPage::ListCaption(int item) const {
    return item >= 0 && static_cast<size_t>(item) < rows_.size()
               ? rows_[static_cast<size_t>(item)].caption
               : std::wstring();
}

int CategoriesPage::ListState(int item) const {
    return item >= 0 && static_cast<size_t>(item) < rows_.size()
               ? rows_[static_cast<size_t>(item)].state
               : 0;
}

int CategoriesPage::ListImage(int item) const {
    return item >= 0 && static_cast<size_t>(item) < rows_.size()
               ? rows_[static_cast<size_t>(item)].image
               : -1;
}

void CategoriesPage::SetListState(int item, int state) {
    if (item < 0 || static_cast<size_t>(item) >= rows_.size())
        return;
    rows_[static_cast<size_t>(item)].state = state;
    ListView_RedrawItems(ListView1, item, item);
}

EntryNode* CategoriesPage::ListEntry(int item) const {
    if (item < 0 || static_cast<size_t>(item) >= rows_.size())
        return nullptr;
    return model_.Entries->Find(rows_[static_cast<size_t>(item)].handle);
}

int CategoriesPage::ListSelected() const {
    return ListView_GetNextItem(ListView1, -1, LVNI_SELECTED);
}

LRESULT CategoriesPage::ListView1Notify(NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOW:
        ListView1GetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
        break;
    case NM_CLICK:
        ListView1Click();
        break;
    case NM_SETFOCUS:
        win::ShowFocusedRow(ListView1);
        break;
    case LVN_ODFINDITEMW:
        return win::FindListRow(reinterpret_cast<const NMLVFINDITEMW&>(header), ListCount(),
                                [this](int row) { return ListCaption(row); });
    case LVN_GETINFOTIPW: {
        auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
        if (win::LabelCutOff(ListView1, tip.iItem, ListCaption(tip.iItem)))
            win::CopyTruncated(ListCaption(tip.iItem), tip.pszText, tip.cchTextMax);
        break;
    }
    case LVN_ITEMCHANGED: {
        auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            ListView1SelectItem(change.iItem, change.uNewState & LVIS_SELECTED);
        break;
    }
    case LVN_KEYDOWN:
        // Space ticks the selected item, as a click on its check box does; with none
        // selected, the focused one.
        if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_SPACE) {
            int item = ListSelected() >= 0 ? ListSelected()
                                           : ListView_GetNextItem(ListView1, -1, LVNI_FOCUSED);
            if (item >= 0)
                ToggleListItem(item);
        }
        break;
    case LVN_BEGINDRAG:
        BeginDrag(DragSource::List);
        break;
    }
    return 0;
}

void CategoriesPage::ListView1Click() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(ListView1, &p);
    int item = win::CheckBoxItemAt(ListView1, p);
    if (item >= 0)
        ToggleListItem(item);
}

void CategoriesPage::ToggleListItem(int item) {
    EntryNode* node = ListEntry(item);
    if (!node)
        return;
    bool professional = host_.ProfessionalMode();
    int state = ToggleListEntry(*node, ListState(item), model_.CurrentCategory, professional);
    SetListState(item, state);
    if (professional && item == ListSelected() && TreeShowsFolder(*Tree))
        ApplyCheckState(*Tree, Tree->FirstRoot(), state != StatusChecked, true);
    NoteUserChoices();
}

void CategoriesPage::ListView1SelectItem(int item, bool selected) {
    if (!host_.ProfessionalMode())
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

LRESULT CategoriesPage::TreeView1Notify(NMHDR& header) {
    switch (header.code) {
    case NM_CLICK:
        TreeView1Click();
        break;
    case TVN_KEYDOWN:
        if (reinterpret_cast<NMTVKEYDOWN&>(header).wVKey == VK_SPACE && Tree->Selected()) {
            ToggleTreeItem(Tree->Selected());
            return TRUE;
        }
        break;
    case NM_RCLICK: {
        POINT p;
        GetCursorPos(&p);
        POINT client = p;
        ScreenToClient(TreeView1, &client);
        TreeView1MouseUp(client);
        TrackPopupMenu(popupMenu2_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, window_,
                       nullptr);
        return TRUE;
    }
    case TVN_BEGINDRAGW:
        Tree->Select(reinterpret_cast<CheckTree::Node>(
            reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem));
        BeginDrag(DragSource::Tree);
        break;
    }
    return 0;
}

void CategoriesPage::TreeView1Click() {
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

void CategoriesPage::ToggleTreeItem(CheckTree::Node node) {
    if (!node || IsPlaceholder(*Tree, node))
        return;
    ShowTreeStateInList(ToggleTreeNode(*Tree, *model_.Entries, node, model_.CurrentCategory,
                                       model_.CurrentCategory));
    NoteUserChoices();
}

void CategoriesPage::ShowTreeStateInList(int rootState) {
    int selected = ListSelected();
    if (selected >= 0 && KeepTreeStateInEntry(*Tree, ListEntry(selected), rootState))
        SetListState(selected, rootState);
}

void CategoriesPage::TreeView1MouseUp(POINT client) {
    Tree->Select(Tree->HitTest(client));
}

void CategoriesPage::TreeView1ContextPopup(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: under the selected node.
        RECT r = {};
        if (HTREEITEM item = TreeView_GetSelection(TreeView1))
            TreeView_GetItemRect(TreeView1, item, &r, TRUE);
        screen = {r.left, r.bottom};
        ClientToScreen(TreeView1, &screen);
    }
    TrackPopupMenu(popupMenu2_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, window_,
                   nullptr);
}

void CategoriesPage::Movetoroot1Click() {
    MoveSelectedToRoot(*Tree, *model_.Entries);
    if (!Tree->FirstRoot())
        Tree->AddPlaceholder();
    NoteUserChoices();
}

} // namespace startmenu
