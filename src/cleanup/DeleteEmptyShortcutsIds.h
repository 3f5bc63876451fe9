#pragma once
// What the delete-empty-shortcuts wizard's creation and its handlers share: the controls'
// command identifiers, the list's columns, the window's size and the Search button's caption.
#include <windows.h>

namespace cleanup {

enum DeleteWizardId : int {
    IdCheckBox1 = 1201,
    IdCheckBox2,
    IdCheckBox3,
    IdButton1,
    IdButton2,
    IdButton3,
    IdButton4,
    IdButton5,
    IdAnimate1,
    IdListView1,
    IdStatusBar1,
    IdStatic,
};

enum Column : int { NameColumn, PathColumn, TargetColumn };

// The window's outer size at 96 dpi, which is also its smallest.
inline constexpr SIZE kSize = {483, 498};

inline constexpr const wchar_t* kSearchCaption = L"&Search";

} // namespace cleanup
