#pragma once
#include <cstdint>

namespace startmenu {

// Command identifiers of the main window's controls and menu entries.
enum MainFormId : int {
    IdRadioButton1 = 1001,
    IdRadioButton2,
    IdBitBtn1,
    IdBitBtn2,
    IdBitBtn3,
    IdBitBtn4,
    IdBitBtn5,
    IdBitBtn6,
    IdBitBtn7,
    IdBitBtn8,
    IdBitBtn9,
    IdButton2,
    IdButton3,
    IdButton4,
    IdButton5,
    IdButton6,
    IdButton8,
    IdButton11,
    IdButton12,
    IdCheckBox1,
    IdListView1,
    IdTreeView1,
    IdToolBar1,
    IdSplitter1,
    IdLabel10,
    IdWelcomePicture,
    IdStatic,
    IdButton13,
    IdLabel12,
    IdButton14,
    IdLabel13,
    IdAboutMenu = 1101,
    IdHomePageMenu,
    IdTellAFriendMenu,
    IdHelpMenu,
    IdUndoMenu,
    IdMovetoroot1 = 1201,
    // Category button i has the command IdFirstCategoryButton + i.
    IdFirstCategoryButton = 2000,
};

// The program list's column width at 96 dpi, before the cap that keeps two columns on screen.
constexpr int kListColumnWidth = 300;

// The main window's timers.
enum MainFormTimer : std::uintptr_t {
    kIconsGoOnTimer = 1,
};

} // namespace startmenu
