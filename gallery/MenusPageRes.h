// The menus page's resources: the business program's menu and toolbars, the
// pictures the build draws for them, and the sample icon files.
#pragma once

#define IDR_GALLERY_MENU 7000
#define IDR_GALLERY_STANDARD 7001
#define IDR_GALLERY_DOCS 7002
#define IDR_GALLERY_MINE 7003
#define IDB_GALLERY_DOCS_DISABLED 7004
#define IDB_GALLERY_DOCS_HOT 7005
// The sample icon files, one after another from this number.
#define IDR_GALLERY_ICON_FIRST 7010

// The commands, in the order of the pictures of menu_commands.bmp.
#define ID_DOC_NEW 7101
#define ID_DOC_OPEN 7102
#define ID_DOC_SAVE 7103
#define ID_DOC_PRINT 7104
#define ID_DOC_PREVIEW 7105
#define ID_EDIT_CUT_ROW 7106
#define ID_EDIT_COPY_ROW 7107
#define ID_EDIT_PASTE_ROW 7108
#define ID_EDIT_FIND_ROW 7109
#define ID_DOC_INVOICE 7110
#define ID_DOC_WAYBILL 7111
#define ID_DOC_ACT 7112
#define ID_DOC_PAYMENT 7113
#define ID_DOC_CASH_IN 7114
#define ID_DOC_CASH_OUT 7115
#define ID_REP_TURNOVER 7116
#define ID_REP_STOCK 7117
#define ID_REF_PARTNERS 7118
#define ID_REF_GOODS 7119
#define ID_REF_WAREHOUSES 7120
#define ID_TOOL_CALCULATOR 7121
#define ID_TOOL_CUSTOMIZE 7122
#define ID_TOOL_HOTKEYS 7123
#define ID_DOC_EXIT 7124
// Commands without pictures.
#define ID_REF_UNITS 7130
#define ID_REF_CURRENCIES 7131
#define ID_REF_OKVED 7132
#define ID_REF_OKPD 7133
