#include "calc/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {
// Unsigned integer of any size, 32-bit limbs, least significant first, no
// leading zero limbs. Only what exact conversion needs.
class CBigNum {
public:
    explicit CBigNum(uint64_t n = 0)
    {
        while (n != 0) {
            m_arrLimbs.push_back((uint32_t)n);
            n >>= 32;
        }
    }

    bool IsZero() const { return m_arrLimbs.empty(); }

    int BitLength() const
    {
        if (m_arrLimbs.empty())
            return 0;
        int nBits = 32 * ((int)m_arrLimbs.size() - 1);
        for (uint32_t nTop = m_arrLimbs.back(); nTop != 0; nTop >>= 1)
            ++nBits;
        return nBits;
    }

    void MulAdd(uint32_t nMul, uint32_t nAdd)
    {
        uint64_t nCarry = nAdd;
        for (uint32_t& nLimb : m_arrLimbs) {
            const uint64_t n = (uint64_t)nLimb * nMul + nCarry;
            nLimb = (uint32_t)n;
            nCarry = n >> 32;
        }
        if (nCarry != 0)
            m_arrLimbs.push_back((uint32_t)nCarry);
        Trim();
    }

    // Multiplies by 5^n or 10^n in steps that fit one limb.
    void MulPow(uint32_t nBase, int n)
    {
        const uint32_t nStep = nBase == 5 ? 1220703125u : 1000000000u;  // 5^13, 10^9
        const int nStepExp = nBase == 5 ? 13 : 9;
        for (; n >= nStepExp; n -= nStepExp)
            MulAdd(nStep, 0);
        uint32_t nRest = 1;
        while (n-- > 0)
            nRest *= nBase;
        MulAdd(nRest, 0);
    }

    void ShiftLeft(int nBits)
    {
        if (IsZero() || nBits <= 0)
            return;
        const int nWords = nBits / 32, nShift = nBits % 32;
        std::vector<uint32_t> arr(nWords, 0);
        uint32_t nCarry = 0;
        for (uint32_t nLimb : m_arrLimbs) {
            arr.push_back(nShift ? (nLimb << nShift) | nCarry : nLimb);
            nCarry = nShift ? nLimb >> (32 - nShift) : 0;
        }
        if (nCarry != 0)
            arr.push_back(nCarry);
        m_arrLimbs.swap(arr);
    }

    void ShiftRightOne()
    {
        for (size_t i = 0; i < m_arrLimbs.size(); ++i)
            m_arrLimbs[i] = (m_arrLimbs[i] >> 1) | (i + 1 < m_arrLimbs.size() ? m_arrLimbs[i + 1] << 31 : 0);
        Trim();
    }

    int Compare(const CBigNum& other) const
    {
        if (m_arrLimbs.size() != other.m_arrLimbs.size())
            return m_arrLimbs.size() < other.m_arrLimbs.size() ? -1 : 1;
        for (size_t i = m_arrLimbs.size(); i-- > 0;)
            if (m_arrLimbs[i] != other.m_arrLimbs[i])
                return m_arrLimbs[i] < other.m_arrLimbs[i] ? -1 : 1;
        return 0;
    }

    // this -= other; other must not be greater.
    void Subtract(const CBigNum& other)
    {
        int64_t nBorrow = 0;
        for (size_t i = 0; i < m_arrLimbs.size(); ++i) {
            int64_t n = (int64_t)m_arrLimbs[i] - nBorrow - (i < other.m_arrLimbs.size() ? other.m_arrLimbs[i] : 0);
            nBorrow = n < 0;
            m_arrLimbs[i] = (uint32_t)(n + (nBorrow << 32));
        }
        Trim();
    }

    // Decimal digits, "0" for zero.
    std::string ToDecimal() const
    {
        if (IsZero())
            return "0";
        std::vector<uint32_t> arr = m_arrLimbs;
        std::vector<uint32_t> arrChunks;  // base 10^9, least significant first
        while (!arr.empty()) {
            uint64_t nRem = 0;
            for (size_t i = arr.size(); i-- > 0;) {
                const uint64_t n = (nRem << 32) | arr[i];
                arr[i] = (uint32_t)(n / 1000000000u);
                nRem = n % 1000000000u;
            }
            arrChunks.push_back((uint32_t)nRem);
            while (!arr.empty() && arr.back() == 0)
                arr.pop_back();
        }
        std::string str = std::to_string(arrChunks.back());
        for (size_t i = arrChunks.size() - 1; i-- > 0;) {
            const std::string strChunk = std::to_string(arrChunks[i]);
            str.append(9 - strChunk.size(), '0');
            str += strChunk;
        }
        return str;
    }

private:
    void Trim()
    {
        while (!m_arrLimbs.empty() && m_arrLimbs.back() == 0)
            m_arrLimbs.pop_back();
    }

    std::vector<uint32_t> m_arrLimbs;
};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Case-insensitive match of an ASCII lower-case word at psz.
bool StartsWithWord(LPCSTR psz, const char* pszWord)
{
    for (; *pszWord; ++psz, ++pszWord) {
        char ch = *psz;
        if (ch >= 'A' && ch <= 'Z')
            ch = (char)(ch - 'A' + 'a');
        if (ch != *pszWord)
            return false;
    }
    return true;
}

// More significant digits than any halfway point between two doubles has
// (at most 767), so that cutting a longer text there and keeping only whether
// something nonzero followed cannot change the rounding.
const int c_nMaxDigits = 800;

// The double nearest to digits x 10^nExp10 (digits without leading zeros, not
// empty), ties to even.
double DecimalToDouble(const std::string& strDigits, long long nExp10)
{
    // Both the digits and the power of ten exact as doubles: one correctly
    // rounded operation gives the answer (SSE arithmetic, no wider registers).
    static const double c_adPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (strDigits.size() <= 15 && nExp10 >= -22 && nExp10 <= 22) {
        double dDigits = 0;
        for (char ch : strDigits)
            dDigits = dDigits * 10 + (ch - '0');
        return nExp10 >= 0 ? dDigits * c_adPow10[nExp10] : dDigits / c_adPow10[-nExp10];
    }

    const long long nMagnitude = (long long)strDigits.size() + nExp10;  // value < 10^nMagnitude
    if (nMagnitude > 310)
        return std::numeric_limits<double>::infinity();
    if (nMagnitude < -330)
        return 0.0;

    CBigNum num, den(1);
    for (size_t i = 0; i < strDigits.size(); i += 9) {
        const size_t nLen = strDigits.size() - i < 9 ? strDigits.size() - i : 9;
        uint32_t nChunk = 0, nScale = 1;
        for (size_t j = 0; j < nLen; ++j) {
            nChunk = nChunk * 10 + (uint32_t)(strDigits[i + j] - '0');
            nScale *= 10;
        }
        num.MulAdd(nScale, nChunk);
    }
    if (nExp10 >= 0)
        num.MulPow(10, (int)nExp10);
    else
        den.MulPow(10, (int)-nExp10);

    // Scale so that the quotient has 54 or 55 bits: one or two beyond the
    // mantissa, the rest goes into the sticky remainder.
    const int nShift = 54 - (num.BitLength() - den.BitLength());
    if (nShift >= 0)
        num.ShiftLeft(nShift);
    else
        den.ShiftLeft(-nShift);
    uint64_t nQuot = 0;
    den.ShiftLeft(55);
    for (int nBit = 55; nBit >= 0; --nBit, den.ShiftRightOne()) {
        if (num.Compare(den) >= 0) {
            num.Subtract(den);
            nQuot |= (uint64_t)1 << nBit;
        }
    }
    const bool bSticky = !num.IsZero();

    // value = (nQuot + fraction) * 2^-nShift
    int nQuotBits = 0;
    for (uint64_t n = nQuot; n != 0; n >>= 1)
        ++nQuotBits;
    int nDrop = nQuotBits - 53;
    int nExp2 = -nShift + nDrop;
    if (nExp2 < -1074) {
        nDrop += -1074 - nExp2;
        nExp2 = -1074;
    }
    if (nDrop > 60)
        return 0.0;
    uint64_t nMant = nQuot >> nDrop;
    const bool bHalf = (nQuot >> (nDrop - 1)) & 1;
    const bool bBelow = (nQuot & (((uint64_t)1 << (nDrop - 1)) - 1)) != 0 || bSticky;
    if (bHalf && (bBelow || (nMant & 1)))
        ++nMant;
    if (nMant == ((uint64_t)1 << 53)) {
        nMant >>= 1;
        ++nExp2;
    }
    if (nExp2 > 1023 - 52)
        return std::numeric_limits<double>::infinity();
    return std::ldexp((double)nMant, nExp2);
}
}  // namespace

CString FormatCalcNumber(double x, int nPrecision)
{
    if (nPrecision < 0)
        nPrecision = 6;
    if (std::isnan(x))
        return CString("nan");
    const bool bNegative = std::signbit(x);
    if (std::isinf(x))
        return CString(bNegative ? "-inf" : "inf");

    // x = nMant * 2^nExp2 exactly.
    uint64_t nBits;
    std::memcpy(&nBits, &x, sizeof(nBits));
    const int nBiased = (int)((nBits >> 52) & 0x7FF);
    uint64_t nMant = nBits & (((uint64_t)1 << 52) - 1);
    int nExp2;
    if (nBiased == 0)
        nExp2 = -1074;
    else {
        nMant |= (uint64_t)1 << 52;
        nExp2 = nBiased - 1075;
    }
    while (nMant != 0 && (nMant & 1) == 0) {
        nMant >>= 1;
        ++nExp2;
    }

    // The exact decimal expansion: integer digits and nFrac fractional digits.
    CBigNum num(nMant);
    int nFrac = 0;
    if (nExp2 >= 0)
        num.ShiftLeft(nExp2);
    else {
        num.MulPow(5, -nExp2);  // m / 2^k = m * 5^k / 10^k
        nFrac = -nExp2;
    }
    std::string strDigits = num.ToDecimal();
    if ((int)strDigits.size() <= nFrac)
        strDigits.insert(0, (size_t)(nFrac + 1 - (int)strDigits.size()), '0');

    if (nFrac > nPrecision) {
        // Cut to nPrecision decimals; the first digit cut decides, so that an
        // exact tie (a 5 followed by nothing) goes away from zero.
        const size_t nKeep = strDigits.size() - (size_t)(nFrac - nPrecision);
        const bool bUp = strDigits[nKeep] >= '5';
        strDigits.resize(nKeep);
        if (bUp) {
            size_t i = strDigits.size();
            while (i > 0 && strDigits[i - 1] == '9')
                strDigits[--i] = '0';
            if (i == 0)
                strDigits.insert(0, 1, '1');
            else
                ++strDigits[i - 1];
        }
        nFrac = nPrecision;
    }
    const size_t nInt = strDigits.size() - (size_t)nFrac;
    std::string strText;
    strText.reserve(strDigits.size() + (size_t)(nPrecision - nFrac) + 2);
    if (bNegative)
        strText += '-';
    strText.append(strDigits, 0, nInt);
    if (nPrecision > 0) {
        strText += '.';
        strText.append(strDigits, nInt, std::string::npos);
        strText.append((size_t)(nPrecision - nFrac), '0');
    }
    return CString(strText.c_str(), (int)strText.size());
}

double ReadCalcNumber(LPCSTR pszText, LPCSTR* ppEnd)
{
    if (ppEnd)
        *ppEnd = pszText;
    if (pszText == NULL)
        return 0.0;
    LPCSTR p = pszText;
    while (IsBlank(*p))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';

    if (StartsWithWord(p, "inf")) {
        p += StartsWithWord(p, "infinity") ? 8 : 3;
        if (ppEnd)
            *ppEnd = p;
        return bNegative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (StartsWithWord(p, "nan")) {
        p += 3;
        if (*p == '(') {
            LPCSTR q = p + 1;
            while (IsDigit(*q) || (*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z') || *q == '_')
                ++q;
            if (*q == ')')
                p = q + 1;
        }
        if (ppEnd)
            *ppEnd = p;
        const double dNan = std::numeric_limits<double>::quiet_NaN();
        return bNegative ? -dNan : dNan;
    }

    // Significant digits (leading zeros dropped) and the power of ten of the last.
    std::string strDigits;
    long long nExp10 = 0;
    bool bAnyDigit = false, bSticky = false;
    for (; IsDigit(*p); ++p) {
        bAnyDigit = true;
        if (strDigits.empty() && *p == '0')
            continue;
        if ((int)strDigits.size() < c_nMaxDigits)
            strDigits += *p;
        else {
            bSticky = bSticky || *p != '0';
            ++nExp10;
        }
    }
    if (*p == '.') {
        LPCSTR q = p + 1;
        for (; IsDigit(*q); ++q) {
            bAnyDigit = true;
            if (strDigits.empty() && *q == '0')
                --nExp10;
            else if ((int)strDigits.size() < c_nMaxDigits) {
                strDigits += *q;
                --nExp10;
            } else
                bSticky = bSticky || *q != '0';
        }
        if (bAnyDigit)
            p = q;
    }
    if (!bAnyDigit)
        return 0.0;

    if (*p == 'e' || *p == 'E') {
        LPCSTR q = p + 1;
        bool bExpNegative = false;
        if (*q == '+' || *q == '-')
            bExpNegative = *q++ == '-';
        if (IsDigit(*q)) {
            long long nExp = 0;
            for (; IsDigit(*q); ++q)
                if (nExp < 100000000)
                    nExp = nExp * 10 + (*q - '0');
            nExp10 += bExpNegative ? -nExp : nExp;
            p = q;
        }
    }
    if (ppEnd)
        *ppEnd = p;

    double dValue = 0.0;
    if (!strDigits.empty()) {
        if (bSticky) {
            // Something nonzero beyond the kept digits: a trailing 1 stands for it.
            strDigits += '1';
            --nExp10;
        }
        dValue = DecimalToDouble(strDigits, nExp10);
    }
    return bNegative ? -dValue : dValue;
}
