#include "win/Layout.h"

#include "win/Dpi.h"

namespace win {
namespace {

// Moves one axis of a scaled rectangle by the growth of the client along that axis.
void Stretch(LONG& low, LONG& high, LONG growth, bool atLow, bool atHigh) {
    if (atHigh && atLow)
        high += growth;
    else if (atHigh) {
        low += growth;
        high += growth;
    } else if (!atLow) {
        low += growth / 2;
        high += growth / 2;
    }
}

} // namespace

void AnchorLayout::Add(HWND control, RECT design, unsigned anchors) {
    items_.push_back({control, design, anchors});
}

RECT AnchorLayout::Place(RECT design, unsigned anchors, SIZE client, UINT dpi,
                         int bandExtra) const {
    RECT r = {Scale(design.left, dpi), Scale(design.top, dpi), Scale(design.right, dpi),
              Scale(design.bottom, dpi)};
    Stretch(r.left, r.right, client.cx - Scale(designClient_.cx, dpi), anchors & AnchorLeft,
            anchors & AnchorRight);
    Stretch(r.top, r.bottom, client.cy - Scale(designClient_.cy, dpi), anchors & AnchorTop,
            anchors & AnchorBottom);
    if (anchors & AnchorBelowBand) {
        r.top += bandExtra;
        if (!(anchors & AnchorBottom))
            r.bottom += bandExtra;
    }
    if (r.bottom < r.top)
        r.bottom = r.top;
    if (r.right < r.left)
        r.right = r.left;
    return r;
}

void AnchorLayout::Apply(SIZE client, UINT dpi, int bandExtra) const {
    HDWP defer = BeginDeferWindowPos(static_cast<int>(items_.size()));
    for (const Item& item : items_) {
        RECT r = Place(item.design, item.anchors, client, dpi, bandExtra);
        if (defer)
            defer = DeferWindowPos(defer, item.control, nullptr, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (defer)
        EndDeferWindowPos(defer);
}

} // namespace win
