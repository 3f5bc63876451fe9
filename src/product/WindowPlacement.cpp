#include "product/WindowPlacement.h"

#include <algorithm>

#include "product/Settings.h"

namespace product {
namespace {

constexpr const wchar_t* kSides[] = {L"WindowLeft", L"WindowTop", L"WindowRight", L"WindowBottom"};
constexpr const wchar_t* kMaximized = L"WindowMaximized";

// A placement's normal position is in workspace coordinates, which start at the top left of
// the primary monitor's work area; the settings keep screen coordinates.
POINT WorkspaceOrigin() {
    MONITORINFO primary = {};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    return {primary.rcWork.left - primary.rcMonitor.left,
            primary.rcWork.top - primary.rcMonitor.top};
}

// Moves and shrinks r until it lies whole inside area, but never below minimum.
RECT Inside(RECT r, const RECT& area, SIZE minimum) {
    LONG width = std::max(minimum.cx, std::min(r.right - r.left, area.right - area.left));
    LONG height = std::max(minimum.cy, std::min(r.bottom - r.top, area.bottom - area.top));
    LONG left = std::max(area.left, std::min(r.left, area.right - width));
    LONG top = std::max(area.top, std::min(r.top, area.bottom - height));
    return {left, top, left + width, top + height};
}

} // namespace

void SaveWindowPlacement(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return;
    POINT origin = WorkspaceOrigin();
    const RECT& r = placement.rcNormalPosition;
    const LONG sides[] = {r.left + origin.x, r.top + origin.y, r.right + origin.x,
                          r.bottom + origin.y};
    for (int i = 0; i < 4; ++i)
        RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kSides[i], static_cast<DWORD>(sides[i]));
    RegWriteDword(
        HKEY_CURRENT_USER, kSettingsKey, kMaximized,
        placement.showCmd == SW_SHOWMAXIMIZED || (placement.flags & WPF_RESTORETOMAXIMIZED) ? 1
                                                                                            : 0);
}

bool RestoreWindowPlacement(HWND window) {
    LONG sides[4];
    for (int i = 0; i < 4; ++i) {
        if (!RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kSides[i]))
            return false;
        sides[i] = static_cast<LONG>(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kSides[i]));
    }
    RECT kept = {sides[0], sides[1], sides[2], sides[3]};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&kept, MONITOR_DEFAULTTONEAREST), &monitor);
    MINMAXINFO limits = {};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT r = Inside(kept, monitor.rcWork, {limits.ptMinTrackSize.x, limits.ptMinTrackSize.y});
    POINT origin = WorkspaceOrigin();
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    placement.flags = 0;
    placement.rcNormalPosition = {r.left - origin.x, r.top - origin.y, r.right - origin.x,
                                  r.bottom - origin.y};
    placement.showCmd = RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kMaximized) ? SW_SHOWMAXIMIZED
                                                                                  : SW_SHOWNORMAL;
    return SetWindowPlacement(window, &placement);
}

} // namespace product
