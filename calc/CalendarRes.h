// Resource identifiers of the calendar dialog and the month calendar control.
#pragma once

// The drop-down calendar dialog and its month calendar.
#define IDD_CALENDAR 1015
#define IDC_CALENDAR_MONTH 1016

// The picture in the right strip of CMonthCalCtrlEx.
#define IDI_CALENDAR_STRIP 1011
