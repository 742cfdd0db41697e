// Resource identifiers of the menus, toolbars and icon button.
#pragma once

// The menu-customisation dialog and its tree.
#define IDD_CUSTOMIZE_MENU 298
#define IDC_CUSTOMIZE_TREE 1159
// The picture of submenu nodes in that tree (16 x 16, white is transparent).
#define IDB_MENU_FOLDER 265
// The icon button's note icon.
#define IDI_EXTKIT_MEMO 166
// The colour names: where the colour menu's items look them up (under their
// commands), and the same names under their old numbers, 1500 lower.
#define IDS_COLOR_FIRST 23230
#define IDS_COLOR_OLD_FIRST 21730
