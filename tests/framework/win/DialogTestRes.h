// Resource identifiers of the dialog tests' templates.
#pragma once

#define IDD_CARD 2001
#define IDC_NAME 2101
#define IDC_COUNT 2102
#define IDC_PRICE 2103
