#include "startmenu/window/AdvancedFeatures.h"

#include <commctrl.h>

#include "res/resource.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Dpi.h"
#include "win/Handles.h"

namespace startmenu {
namespace {

constexpr const wchar_t* kTexts[] = {L"B&ackup/Restore Wizard...",
                                     L"&Delete Empty Shortcuts Wizard...",
                                     L"&Import/Export Wizard..."};
constexpr int kGlyphs[] = {IDI_GLYPH_BACKUP, IDI_GLYPH_CLEANUP, IDI_GLYPH_EXCHANGE};

} // namespace

AdvancedFeatures::AdvancedFeatures(win::WizardFrame& frame, int page, RECT group,
                                   const std::array<int, 3>& ids) {
    using namespace win::anchors;
    UINT dpi = frame.Dpi();
    int small = win::Scale(16, dpi);
    frame.Add(page, {WC_BUTTONW, L"Advanced features", WS_VISIBLE | BS_GROUPBOX | WS_GROUP,
                     IdStatic, group, kTopWide});
    for (size_t i = 0; i < buttons_.size(); ++i) {
        glyphs_[i].Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 1, 0));
        win::IconHandle glyph(static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kGlyphs[i]), IMAGE_ICON, small, small, 0)));
        ImageList_AddIcon(glyphs_[i].Get(), glyph.Get());
        LONG top = group.top + 20 + 36 * static_cast<LONG>(i);
        DWORD style = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | (i == 0 ? WS_GROUP : 0);
        buttons_[i] = frame.Add(page, {WC_BUTTONW,
                                       kTexts[i],
                                       style,
                                       ids[i],
                                       {group.left + 16, top, group.left + 288, top + 30},
                                       kTopLeft});
        BUTTON_IMAGELIST images = {};
        images.himl = glyphs_[i].Get();
        images.margin = {win::Scale(8, dpi), 0, 0, 0};
        images.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
        Button_SetImageList(buttons_[i], &images);
    }
}

} // namespace startmenu
