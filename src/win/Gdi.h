#pragma once
#include <windows.h>
#include <commctrl.h>

#include "win/Handles.h"

namespace win {

struct GdiTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};
struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};

using GdiObject = UniqueHandle<GdiTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;

// A font of the given face; height in pixels at 96 dpi (negative: character height, as
// LOGFONT has it), scaled to dpi.
GdiObject MakeFont(const wchar_t* face, int heightAt96, UINT dpi, bool bold = false);

inline HFONT AsFont(const GdiObject& font) {
    return static_cast<HFONT>(font.Get());
}

// Shows the hourglass while the object lives, and resets it however the scope is left.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }

private:
    HCURSOR previous_;
};

} // namespace win
