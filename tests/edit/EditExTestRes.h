// Resource identifiers of the masked edit's window tests.
#pragma once

#define IDD_MASKED_CARD 3001
#define IDC_PHONE 3101
#define IDC_COUNT 3102

// A table under the id the control's constructor asks for, and another one.
#define IDR_EDIT_KEYS 1001
#define IDR_SELECT_KEYS 3201

// The standard edit commands.
#include <afxres.h>
