// The calculator's number text and engine on arbitrary input. Any broken
// property aborts.
//
// Input: mode[1] precision[1] rest...
//   mode even: rest is a number text. Reading it, writing the value at the
//     precision, and reading and writing that again gives the same text; the
//     text has the fixed-point shape; and for plain decimal texts the value is
//     the C library's (glibc reads correctly rounded).
//   mode odd: rest up to the first zero byte is the initial value, the bytes
//     after it are keys (one per byte); the engine's state keeps its limits.
#include "calc/CalculatorEngine.h"
#include "calc/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void Fail(const char* pszWhat, const std::string& strDetail)
{
    fprintf(stderr, "calc: %s: %s\n", pszWhat, strDetail.c_str());
    abort();
}

// "-"? digits ("." exactly nPrecision digits)?, or one of the words.
bool IsNumberShape(const CString& str, int nPrecision)
{
    if (str == "inf" || str == "-inf" || str == "nan")
        return true;
    LPCSTR p = str;
    if (*p == '-')
        ++p;
    if (!(*p >= '0' && *p <= '9'))
        return false;
    while (*p >= '0' && *p <= '9')
        ++p;
    if (nPrecision == 0)
        return *p == '\0';
    if (*p++ != '.')
        return false;
    for (int i = 0; i < nPrecision; ++i, ++p)
        if (!(*p >= '0' && *p <= '9'))
            return false;
    return *p == '\0';
}

bool IsPlainDecimal(const std::string& str)
{
    for (char ch : str) {
        const char c = (char)(ch | 0x20);
        if (c == 'x' || c == 'i' || c == 'n' || c == 'p')
            return false;
    }
    return true;
}

void CheckText(const std::string& strText, int nPrecision)
{
    LPCSTR pEnd = NULL;
    const double x = ReadCalcNumber(strText.c_str(), &pEnd);
    if (pEnd < strText.c_str() || pEnd > strText.c_str() + strText.size())
        Fail("end outside the text", strText);
    const CString str1 = FormatCalcNumber(x, nPrecision);
    if (!IsNumberShape(str1, nPrecision))
        Fail("bad shape", std::string(str1));
    const CString str2 = FormatCalcNumber(ReadCalcNumber(str1), nPrecision);
    if (str1 != str2)
        Fail("round trip", std::string(str1) + " -> " + std::string(str2));

    if (IsPlainDecimal(strText)) {
        char* pszEnd = NULL;
        const double y = strtod(strText.c_str(), &pszEnd);
        if (pszEnd != pEnd || (std::memcmp(&x, &y, sizeof(x)) != 0 && !(std::isnan(x) && std::isnan(y))))
            Fail("differs from strtod", strText);
    }
}

void CheckEngine(const CCalculatorEngine& engine)
{
    const int nCount = engine.GetMemoryCount(), nSel = engine.GetMemorySel();
    if ((nCount == 0) != (nSel == -1) || nSel >= nCount || nSel < -1)
        Fail("memory selection", std::to_string(nSel) + " of " + std::to_string(nCount));
    if (engine.GetPrecision() < 0 || engine.GetPrecision() > 10)
        Fail("precision", std::to_string(engine.GetPrecision()));
    const char chOper = engine.GetOper();
    if (chOper != 0 && chOper != '+' && chOper != '-' && chOper != '*' && chOper != '/')
        Fail("operation", std::string(1, chOper));
    if (chOper != 0 && engine.GetAccum().IsEmpty())
        Fail("operation without accumulator", "");
    // The accumulator is always written by the engine, at the precision of then.
    const CString& strAccum = engine.GetAccum();
    const int nPoint = strAccum.Find('.');
    if (!strAccum.IsEmpty() && !IsNumberShape(strAccum, nPoint < 0 ? 0 : strAccum.GetLength() - nPoint - 1))
        Fail("accumulator", std::string(strAccum));
}

void RunKeys(const std::string& strInitial, const uint8_t* pKeys, size_t nKeys, int nPrecision)
{
    CCalculatorEngine engine(strInitial.c_str(), nPrecision);
    CheckEngine(engine);
    for (size_t i = 0; i < nKeys; ++i) {
        const uint8_t nKey = pKeys[i];
        const CString strBefore = engine.GetValue();
        const bool bNewEntry = engine.IsNewEntry();
        switch (nKey % 32) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9: {
            if (engine.Digit((char)('0' + nKey % 32))) {
                // Typed text keeps its limits; a replaced entry is one digit.
                const CString& str = engine.GetValue();
                const int nPoint = str.Find('.');
                if (bNewEntry
                        ? str.GetLength() != 1
                        : (nPoint < 0 ? str.GetLength() > 17 : str.GetLength() - nPoint - 1 > engine.GetPrecision()))
                    Fail("digit beyond the limits", std::string(str));
            } else if (engine.GetValue() != strBefore)
                Fail("refused digit changed the entry", std::string(strBefore));
            break;
        }
        case 10:
            engine.Point();
            break;
        case 11:
            engine.Sign();
            break;
        case 12:
            engine.Back();
            break;
        case 13:
            engine.Delop();
            break;
        case 14:
            engine.ClearCalc();
            break;
        case 15:
            engine.Add();
            break;
        case 16:
            engine.Sub();
            break;
        case 17:
            engine.Mul();
            break;
        case 18:
            engine.Div();
            break;
        case 19:
            engine.Eq();
            break;
        case 20:
            engine.Proc();
            break;
        case 21:
            if (!engine.Sqrt() && engine.GetValue() != strBefore)
                Fail("refused root changed the entry", std::string(strBefore));
            break;
        case 22:
            engine.Subdiv();
            break;
        case 23:
            engine.Mc();
            break;
        case 24:
            engine.Mr();
            break;
        case 25:
            engine.Ms();
            break;
        case 26:
            engine.Madd();
            break;
        case 27:
            engine.SetPrecision((int)(nKey >> 5) * 3 - 4);
            break;  // -4..17, clamped
        default:
            engine.SelectMemory((int)(nKey >> 5) - 1);
            break;
        }
        CheckEngine(engine);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2 || nSize > 4096)
        return 0;
    const int nPrecision = (int)(pData[1] % 16) - 2;  // -2..13: beyond the range too
    if (pData[0] % 2 == 0) {
        CheckText(std::string((const char*)pData + 2, strnlen((const char*)pData + 2, nSize - 2)),
                  nPrecision < 0 ? 0 : nPrecision * 3);
        return 0;
    }
    const uint8_t* pRest = pData + 2;
    const size_t nRest = nSize - 2;
    const size_t nInitial = strnlen((const char*)pRest, nRest);
    const std::string strInitial((const char*)pRest, nInitial);
    const size_t nKeys = nInitial < nRest ? nRest - nInitial - 1 : 0;
    RunKeys(strInitial, pRest + nInitial + (nInitial < nRest ? 1 : 0), nKeys, nPrecision);
    return 0;
}
