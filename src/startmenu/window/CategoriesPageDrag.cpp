// Drags from the program list or the category tree onto a category button.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "startmenu/window/CategoriesPage.h"
#include "startmenu/window/CategoryPage.h"
#include "startmenu/window/MainFormIds.h"

namespace startmenu {
namespace {

// Drag images are placed in the coordinates of the whole window, frame included.
POINT WindowPoint(HWND window, POINT screen) {
    RECT r;
    GetWindowRect(window, &r);
    return {screen.x - r.left, screen.y - r.top};
}

} // namespace

bool CategoriesPage::ButtonDragOver(const CategoryButton&, DragSource source) const {
    return source == DragSource::List || TreeDragAccepted(*Tree);
}

void CategoriesPage::ButtonDragDrop(const CategoryButton& sender, DragSource source) {
    const int category = sender.Tag;
    const bool professional = host_.ProfessionalMode();
    if (source == DragSource::List) {
        int kept = -1;
        for (int item = ListSelected(); item >= 0;
             item = ListView_GetNextItem(ListView1, kept, LVNI_SELECTED)) {
            EntryNode* node = ListEntry(item);
            if (!node)
                break;
            int before = ListState(item);
            AssignListEntry(*node, category, professional);
            if (professional && item == ListSelected() && TreeShowsFolder(*Tree))
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

const CategoriesPage::CategoryButton* CategoriesPage::ButtonAt(POINT screen) const {
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

void CategoriesPage::BeginDrag(DragSource source) {
    dragging_ = true;
    dragSource_ = source;
    SetCapture(window_);
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
        POINT at = WindowPoint(window_, screen);
        ImageList_BeginDrag(dragImage_.Get(), 0, hotSpot.x - origin.x, hotSpot.y - origin.y);
        ImageList_DragEnter(window_, at.x, at.y);
    }
}

bool CategoriesPage::DragMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!dragging_)
        return false;
    switch (msg) {
    case WM_MOUSEMOVE: {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window_, &p);
        TrackDrag(p);
        return true;
    }
    case WM_LBUTTONUP:
        EndDrag(true);
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) == window_)
            return false;
        EndDrag(false);
        return true;
    case WM_KEYDOWN:
        if (wParam != VK_ESCAPE)
            return false;
        EndDrag(false);
        return true;
    }
    return false;
}

void CategoriesPage::TrackDrag(POINT screen) {
    if (dragImage_) {
        POINT at = WindowPoint(window_, screen);
        ImageList_DragMove(at.x, at.y);
    }
    const CategoryButton* target = ButtonAt(screen);
    bool accepted = target && ButtonDragOver(*target, dragSource_);
    SendMessageW(ToolBar1, TB_SETHOTITEM,
                 accepted ? SendMessageW(ToolBar1, TB_COMMANDTOINDEX, target->commandId, 0) : -1,
                 0);
    SetCursor(LoadCursorW(nullptr, accepted ? IDC_ARROW : IDC_NO));
}

void CategoriesPage::EndDrag(bool drop) {
    dragging_ = false;
    if (dragImage_) {
        ImageList_DragLeave(window_);
        ImageList_EndDrag();
        dragImage_.Reset();
    }
    SendMessageW(ToolBar1, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    POINT screen;
    GetCursorPos(&screen);
    if (GetCapture() == window_)
        ReleaseCapture();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (!drop)
        return;
    if (const CategoryButton* target = ButtonAt(screen))
        if (ButtonDragOver(*target, dragSource_))
            ButtonDragDrop(*target, dragSource_);
}

} // namespace startmenu
