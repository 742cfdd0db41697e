// The calculator's number text: "%.*lf" writing and atof reading, done here
// rather than by the C library so that every platform shows the same digits.
// Writing rounds the double's exact binary value to the precision, exact ties
// away from zero; reading rounds the decimal text correctly to the nearest double.
#pragma once

#include <afx.h>

// The text of x in fixed point with nPrecision decimals (no point when it is 0),
// '.' as the point, a leading '-' for negatives, negative zero included. A
// negative precision means 6, as in C. Infinities and NaNs are written "inf",
// "-inf" and "nan".
CString FormatCalcNumber(double x, int nPrecision);

// The number at the start of pszText: blanks, an optional sign, then decimal
// digits with an optional '.' and fraction and an optional exponent, or one of
// the words "inf", "infinity", "nan", "nan(...)" in any case. Reading stops at
// the first character that does not fit; a text with no number reads as 0 and
// *ppEnd is then pszText. A null text reads as 0. Magnitudes beyond the largest
// double read as infinity, tiny ones as (signed) zero.
double ReadCalcNumber(LPCSTR pszText, LPCSTR* ppEnd = NULL);
