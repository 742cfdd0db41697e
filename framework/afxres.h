// Command identifiers the framework reserves for the standard commands; menus,
// accelerator tables and resource scripts use them too, so this header holds
// nothing but definitions.
#pragma once

#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C

// The resource type of dialog-init data: the strings a dialog's list and
// combo boxes start with, named as the dialog template.
#ifdef RC_INVOKED
#    define DLGINIT 240
#else
#    define RT_DLGINIT MAKEINTRESOURCE(240)
#endif
