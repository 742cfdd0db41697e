// The menus tests' resources: a toolbar with the true-colour pictures drawn
// at build time, and a business program's menu.
#pragma once

#define IDR_TEST_TOOLBAR 600
#define IDB_TEST_DISABLED 601
#define IDB_TEST_HOT 602
#define IDB_TEST_STANDARD 603
#define IDB_TEST_COMMANDS 604
#define IDR_TEST_SEPARATORS 605
#define IDR_TEST_MENU 610

#define ID_TEST_NEW 201
#define ID_TEST_OPEN 202
#define ID_TEST_EXIT 203
#define ID_TEST_INVOICE 211
#define ID_TEST_PAYMENT 221
#define ID_TEST_RECEIPT 222
#define ID_TEST_JOURNAL 231
#define ID_TEST_PARTNERS 241
