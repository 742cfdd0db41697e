// Resource identifiers of the calculator dialog (read by the resource compiler
// too: definitions only).
#pragma once

#define IDD_CALCULATOR 21502
#define IDB_CALC_ICONS 21500       // the button icons, 30 of 16 x 15 pixels in a strip
#define IDB_CALC_ICONS_MASK 21501  // their mask, white where the button shows through

#define IDC_CALC_RESULT 1001     // the accumulator
#define IDC_CALC_OPERATION 1002  // the pending operation
#define IDC_CALC_PRECISION 1003  // the precision list
#define IDC_CALC_VALUE 1010      // the display
#define IDC_CALC_MEMORY 1138     // the memory list

// Digit buttons: the digit is the ID minus IDC_CALC_NUM0.
#define IDC_CALC_NUM0 21680
#define IDC_CALC_NUM1 21681
#define IDC_CALC_NUM2 21682
#define IDC_CALC_NUM3 21683
#define IDC_CALC_NUM4 21684
#define IDC_CALC_NUM5 21685
#define IDC_CALC_NUM6 21686
#define IDC_CALC_NUM7 21687
#define IDC_CALC_NUM8 21688
#define IDC_CALC_NUM9 21689
#define IDC_CALC_SIGN 21690
#define IDC_CALC_POINT 21691
#define IDC_CALC_BACK 21692
#define IDC_CALC_DELOP 21693
#define IDC_CALC_CLEAR 21694
#define IDC_CALC_MADD 21695
#define IDC_CALC_ADD 21696
#define IDC_CALC_EQ 21697
#define IDC_CALC_MC 21698
#define IDC_CALC_SUB 21699
#define IDC_CALC_SUBDIV 21700
#define IDC_CALC_MR 21701
#define IDC_CALC_MUL 21702
#define IDC_CALC_PROC 21703
#define IDC_CALC_MS 21704
#define IDC_CALC_DIV 21705
#define IDC_CALC_SQRT 21706
#define IDC_CALC_COPY 21707  // equals, then close with the result
