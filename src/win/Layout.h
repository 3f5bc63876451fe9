#pragma once
#include <windows.h>

#include <vector>

namespace win {

// Which edges of the parent's client area a control keeps its distance to. A control held
// at both left and right (or top and bottom) stretches with the window.
enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    // The top edge moves down by the band's extra height (a tool bar that wraps to more rows).
    AnchorBelowBand = 16,
};

// The sets of edges the windows' controls keep to, by the corner or side they stay with.
namespace anchors {
constexpr unsigned kTopLeft = AnchorLeft | AnchorTop;
constexpr unsigned kTopRight = AnchorTop | AnchorRight;
constexpr unsigned kTopWide = AnchorLeft | AnchorTop | AnchorRight;
constexpr unsigned kBottomLeft = AnchorLeft | AnchorBottom;
constexpr unsigned kBottomRight = AnchorRight | AnchorBottom;
constexpr unsigned kBottomWide = AnchorLeft | AnchorRight | AnchorBottom;
constexpr unsigned kAllSides = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;
} // namespace anchors

// Places child controls from rectangles designed at 96 dpi for a client area of
// designClient, keeping them at their anchored edges as the window grows or shrinks.
class AnchorLayout {
public:
    explicit AnchorLayout(SIZE designClient) : designClient_(designClient) {}

    void Add(HWND control, RECT design, unsigned anchors);
    // The rectangle a design rectangle takes in a client area of client pixels at dpi.
    RECT Place(RECT design, unsigned anchors, SIZE client, UINT dpi, int bandExtra = 0) const;
    void Apply(SIZE client, UINT dpi, int bandExtra = 0) const;

private:
    struct Item {
        HWND control;
        RECT design;
        unsigned anchors;
    };
    SIZE designClient_;
    std::vector<Item> items_;
};

} // namespace win
