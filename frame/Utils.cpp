// The portable free functions of the frame: RoundDbl and ParsingArguments.
#include "frame/Frame.h"

#include <afx.h>
#include <afxcoll.h>

#include <cmath>
#include <cstring>

namespace {

// Ten to the power n, built factor by factor (10.0 or 0.1) so that the result
// carries the same error as it always has.
double PowerOfTen(int n)
{
    double dFactor = 1.0;
    for (int i = 0; i < n; ++i)
        dFactor *= 10.0;
    for (int i = 0; i > n; --i)
        dFactor *= 0.1;
    return dFactor;
}

const char g_szBlanks[] = " \r\n\t\x07\x08";

}  // namespace

double __cdecl RoundDbl(double value, int nDigits)
{
    int n = static_cast<short>(static_cast<unsigned short>(nDigits & 0xFFFF));
    if (!std::isfinite(value))
        return value;
    double dScaled = value * PowerOfTen(n);
    // Past the reach of a double (the factor overflows) there are no digits
    // left to cut: the value is its own answer, not infinity times zero.
    if (!std::isfinite(dScaled))
        return value;
    double dInteger = 0.0;
    std::modf(dScaled, &dInteger);
    // A zero integer part stays zero even where the inverse factor overflows.
    if (dInteger == 0.0)
        return dInteger;
    return dInteger * PowerOfTen(-n);
}

int __cdecl ParsingArguments(const char* pszText, CStringArray& arr)
{
    if (pszText == NULL)
        return 0;
    const char* p = pszText + std::strspn(pszText, g_szBlanks);
    if (*p == '\0')
        return 0;
    const char* pszSeparators = std::strchr(p, ',') != NULL ? "," : g_szBlanks;
    while (*p != '\0') {
        p += std::strspn(p, g_szBlanks);
        size_t nLen = std::strcspn(p, pszSeparators);
        CString strItem(p, static_cast<int>(nLen));
        strItem.TrimRight();
        p += nLen;
        if (*p != '\0')
            ++p;
        arr.Add(strItem);
    }
    return 1;
}
