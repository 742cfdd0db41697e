// The portable half of the checksum engine: table building, the byte-at-a-time
// definitions, the multi-stream slicing path and the choice of path.
//
// Polynomials are handled in normal bit order (bit k is x^k) when constants are
// derived. A CRC value is a polynomial of degree below the width: the 16-bit CRC
// keeps it in normal order, the 32-bit CRC reversed (bit 31 - k is x^k). The
// generator G is x^w plus the given polynomial (read reversed for the 32-bit
// CRC), so every polynomial value, even one with low or high bits clear, has one.
#include "checksum/CrcEngine.h"

#include "checksum/CrcFold.h"

#include <cstring>

namespace {

// Stream lengths of the slicing path, matching m_aShift[0] and m_aShift[1].
const size_t c_nStreamLong = 4096;
const size_t c_nStreamShort = 512;
const size_t c_aStreamLength[2] = {c_nStreamLong, c_nStreamShort};

DWORD ReverseBits32(DWORD v)
{
    v = ((v >> 1) & 0x55555555u) | ((v & 0x55555555u) << 1);
    v = ((v >> 2) & 0x33333333u) | ((v & 0x33333333u) << 2);
    v = ((v >> 4) & 0x0F0F0F0Fu) | ((v & 0x0F0F0F0Fu) << 4);
    v = ((v >> 8) & 0x00FF00FFu) | ((v & 0x00FF00FFu) << 8);
    return (v >> 16) | (v << 16);
}

ULONGLONG ReverseBits64(ULONGLONG v)
{
    return ((ULONGLONG)ReverseBits32((DWORD)v) << 32) | ReverseBits32((DWORD)(v >> 32));
}

// x^nPower mod G in normal order, for a generator of degree nWidth whose terms
// below the top are nPoly.
ULONGLONG PowerOfX(unsigned nPower, ULONGLONG nPoly, unsigned nWidth)
{
    const ULONGLONG nTop = 1ull << nWidth;
    ULONGLONG r = 1;
    for (unsigned i = 0; i < nPower; ++i) {
        r <<= 1;
        if (r & nTop)
            r = (r ^ nTop) ^ nPoly;
    }
    return r;
}

// a * b mod G in normal order.
ULONGLONG MultiplyMod(ULONGLONG a, ULONGLONG b, ULONGLONG nPoly, unsigned nWidth)
{
    const ULONGLONG nTop = 1ull << nWidth;
    ULONGLONG r = 0;
    for (int i = (int)nWidth - 1; i >= 0; --i) {
        r <<= 1;
        if (r & nTop)
            r = (r ^ nTop) ^ nPoly;
        if ((a >> i) & 1)
            r ^= b;
    }
    return r;
}

// Conversions between a CRC value and its normal-order polynomial.
DWORD ToNormal(DWORD nCrc)
{
    return ReverseBits32(nCrc);
}
WORD ToNormal(WORD nCrc)
{
    return nCrc;
}
DWORD FromNormal(ULONGLONG v, DWORD)
{
    return ReverseBits32((DWORD)v);
}
WORD FromNormal(ULONGLONG v, WORD)
{
    return (WORD)v;
}

inline DWORD Load32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// One byte, as the definitions say.
inline DWORD ByteStep(const DWORD* t, DWORD c, BYTE b)
{
    return (c >> 8) ^ t[(c ^ b) & 0xFF];
}
inline WORD ByteStep(const WORD* t, WORD c, BYTE b)
{
    return (WORD)((c << 8) ^ t[((c >> 8) ^ b) & 0xFF]);
}

// Eight bytes: each byte's contribution is its table entry moved over the bytes after it.
inline DWORD EightStep(const DWORD (*t)[256], DWORD c, const BYTE* p)
{
    const DWORD lo = c ^ Load32(p);
    const DWORD hi = Load32(p + 4);
    return t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^ t[3][hi & 0xFF] ^
           t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
}

inline WORD EightStep(const WORD (*t)[256], WORD c, const BYTE* p)
{
    return (WORD)(t[7][p[0] ^ (c >> 8)] ^ t[6][p[1] ^ (c & 0xFF)] ^ t[5][p[2]] ^ t[4][p[3]] ^ t[3][p[4]] ^ t[2][p[5]] ^
                  t[1][p[6]] ^ t[0][p[7]]);
}

// The value moved over one stream length of zero bytes.
inline DWORD Shift(const DWORD (*s)[256], DWORD c)
{
    return s[0][c & 0xFF] ^ s[1][(c >> 8) & 0xFF] ^ s[2][(c >> 16) & 0xFF] ^ s[3][c >> 24];
}

inline WORD Shift(const WORD (*s)[256], WORD c)
{
    return (WORD)(s[0][c & 0xFF] ^ s[1][c >> 8]);
}

template <class T>
T SliceOne(const CCrcAccel<T>& a, T c, const BYTE* p, size_t n)
{
    while (n >= 8) {
        c = EightStep(a.m_aSlice, c, p);
        p += 8;
        n -= 8;
    }
    while (n--)
        c = ByteStep(a.m_aSlice[0], c, *p++);
    return c;
}

// Four streams side by side keep four table look-up chains in flight; their
// values are joined by moving each over the streams after it:
// CRC(c, A B) = shift(CRC(c, A), |B|) ^ CRC(0, B).
template <class T>
T SliceStreams(const CCrcAccel<T>& a, T c, const BYTE* p, size_t n)
{
    for (int s = 0; s < 2; ++s) {
        const size_t nLen = c_aStreamLength[s];
        while (n >= 4 * nLen) {
            T c0 = c, c1 = 0, c2 = 0, c3 = 0;
            const BYTE* p1 = p + nLen;
            const BYTE* p2 = p1 + nLen;
            const BYTE* p3 = p2 + nLen;
            for (size_t i = 0; i < nLen; i += 8) {
                c0 = EightStep(a.m_aSlice, c0, p + i);
                c1 = EightStep(a.m_aSlice, c1, p1 + i);
                c2 = EightStep(a.m_aSlice, c2, p2 + i);
                c3 = EightStep(a.m_aSlice, c3, p3 + i);
            }
            c = (T)(Shift(a.m_aShift[s], (T)(Shift(a.m_aShift[s], (T)(Shift(a.m_aShift[s], c0) ^ c1)) ^ c2)) ^ c3);
            p += 4 * nLen;
            n -= 4 * nLen;
        }
    }
    return SliceOne(a, c, p, n);
}

template <class T>
void BuildAccel(CCrcAccel<T>& a, const T* pTable, T nPoly)
{
    const bool bReflected = sizeof(T) == 4;
    const unsigned nWidth = 8 * sizeof(T);
    const T nPolyNormal = bReflected ? (T)ReverseBits32((DWORD)nPoly) : nPoly;
    a.m_nPolyNormal = nPolyNormal;

    std::memcpy(a.m_aSlice[0], pTable, sizeof(a.m_aSlice[0]));
    for (int k = 1; k < 8; ++k)
        for (int i = 0; i < 256; ++i)
            a.m_aSlice[k][i] = ByteStep(pTable, a.m_aSlice[k - 1][i], 0);

    // Constants for the fold distances 128, 256, 512 and 1024 bits. The low
    // 64 bits pair with the low half of a block, the high 64 bits with the high half.
    for (int d = 0; d < 4; ++d) {
        const unsigned nDist = 128u << d;
        if (bReflected) {
            // The low half of a reflected block holds its higher powers.
            a.m_aFold[d][0] = ReverseBits64(PowerOfX(nDist + 63, nPolyNormal, nWidth));
            a.m_aFold[d][1] = ReverseBits64(PowerOfX(nDist - 1, nPolyNormal, nWidth));
        } else {
            a.m_aFold[d][0] = PowerOfX(nDist, nPolyNormal, nWidth);
            a.m_aFold[d][1] = PowerOfX(nDist + 64, nPolyNormal, nWidth);
        }
    }

    // The shift over n zero bytes multiplies by x^(8n); tabulate it bytewise
    // from the images of the single bits.
    for (int s = 0; s < 2; ++s) {
        const ULONGLONG nFactor = PowerOfX(8 * (unsigned)c_aStreamLength[s], nPolyNormal, nWidth);
        for (unsigned j = 0; j < sizeof(T); ++j) {
            T aBit[8];
            for (int b = 0; b < 8; ++b) {
                const T nValue = (T)(1u << (8 * j + b));
                aBit[b] = FromNormal(MultiplyMod(ToNormal(nValue), nFactor, nPolyNormal, nWidth), T());
            }
            a.m_aShift[s][j][0] = 0;
            for (int v = 1; v < 256; ++v) {
                int nLow = 0;
                while (!((v >> nLow) & 1))
                    ++nLow;
                a.m_aShift[s][j][v] = (T)(a.m_aShift[s][j][v & (v - 1)] ^ aBit[nLow]);
            }
        }
    }
}

template <class T>
T UpdatePath(const CCrcAccel<T>& a, T c, const BYTE* p, size_t n, ECrcPath ePath)
{
#ifdef EXTKIT_CRC_X86
    const bool bReflected = sizeof(T) == 4;
    const CCpuFeatures& f = CrcCpuFeatures();
    if ((ePath == crcPathVpclmul && f.m_bVpclmul) || (ePath == crcPathPclmul && f.m_bPclmul)) {
        if (n < 64)
            return SliceOne(a, c, p, n);
        BYTE aBlock[16];
        const size_t nDone = ePath == crcPathVpclmul ? CrcFoldVpclmul(a.m_aFold, bReflected, c, p, n, aBlock)
                                                     : CrcFoldPclmul(a.m_aFold, bReflected, c, p, n, aBlock);
        return SliceOne(a, SliceOne(a, (T)0, aBlock, 16), p + nDone, n - nDone);
    }
#endif
    if (ePath == crcPathBytewise)
        return CrcBytewise(a.m_aSlice[0], c, p, n);
    return SliceStreams(a, c, p, n);
}

ECrcPath DetectBestPath()
{
#ifdef EXTKIT_CRC_X86
    const CCpuFeatures& f = CrcCpuFeatures();
    if (f.m_bVpclmul)
        return crcPathVpclmul;
    if (f.m_bPclmul)
        return crcPathPclmul;
#endif
    return crcPathSlicing;
}

// Eight bytes at a time in the four 16-bit lanes of a machine word: each step
// adds at most 510 to a lane, so 128 steps fit before the lanes are emptied.
DWORD SumPortable(const BYTE* p, size_t n)
{
    const ULONGLONG nMask = 0x00FF00FF00FF00FFull;
    ULONGLONG nTotal = 0;
    while (n >= 8) {
        size_t nSteps = n / 8;
        if (nSteps > 128)
            nSteps = 128;
        ULONGLONG nLanes = 0;
        for (size_t i = 0; i < nSteps; ++i, p += 8) {
            ULONGLONG v;
            std::memcpy(&v, p, 8);
            nLanes += (v & nMask) + ((v >> 8) & nMask);
        }
        nTotal += (nLanes & 0xFFFF) + ((nLanes >> 16) & 0xFFFF) + ((nLanes >> 32) & 0xFFFF) + (nLanes >> 48);
        n -= nSteps * 8;
    }
    while (n--)
        nTotal += *p++;
    return (DWORD)nTotal;
}

ESumPath DetectBestSumPath()
{
#ifdef EXTKIT_CRC_X86
    return CrcCpuFeatures().m_bAvx2 ? sumPathAvx2 : sumPathSse2;
#else
    return sumPathPortable;
#endif
}

}  // namespace

void CrcBuildAccel(CCrc32Accel& accel, const DWORD* pTable, DWORD nPoly)
{
    BuildAccel(accel, pTable, nPoly);
}
void CrcBuildAccel(CCrc16Accel& accel, const WORD* pTable, WORD nPoly)
{
    BuildAccel(accel, pTable, nPoly);
}

ECrcPath CrcBestPath()
{
    static const ECrcPath s_ePath = DetectBestPath();
    return s_ePath;
}

bool CrcPathAvailable(ECrcPath ePath)
{
#ifdef EXTKIT_CRC_X86
    if (ePath == crcPathVpclmul)
        return CrcCpuFeatures().m_bVpclmul;
    if (ePath == crcPathPclmul)
        return CrcCpuFeatures().m_bPclmul;
#else
    if (ePath == crcPathVpclmul || ePath == crcPathPclmul)
        return false;
#endif
    return true;
}

DWORD CrcUpdate(const CCrc32Accel& accel, DWORD nCrc, const BYTE* pData, size_t nLength)
{
    return UpdatePath(accel, nCrc, pData, nLength, CrcBestPath());
}

WORD CrcUpdate(const CCrc16Accel& accel, WORD nCrc, const BYTE* pData, size_t nLength)
{
    return UpdatePath(accel, nCrc, pData, nLength, CrcBestPath());
}

DWORD CrcUpdatePath(const CCrc32Accel& accel, DWORD nCrc, const BYTE* pData, size_t nLength, ECrcPath ePath)
{
    return UpdatePath(accel, nCrc, pData, nLength, ePath);
}

WORD CrcUpdatePath(const CCrc16Accel& accel, WORD nCrc, const BYTE* pData, size_t nLength, ECrcPath ePath)
{
    return UpdatePath(accel, nCrc, pData, nLength, ePath);
}

DWORD CrcBytewise(const DWORD* pTable, DWORD nCrc, const BYTE* pData, size_t nLength)
{
    for (size_t i = 0; i < nLength; ++i)
        nCrc = ByteStep(pTable, nCrc, pData[i]);
    return nCrc;
}

WORD CrcBytewise(const WORD* pTable, WORD nCrc, const BYTE* pData, size_t nLength)
{
    for (size_t i = 0; i < nLength; ++i)
        nCrc = ByteStep(pTable, nCrc, pData[i]);
    return nCrc;
}

bool SumPathAvailable(ESumPath ePath)
{
#ifdef EXTKIT_CRC_X86
    if (ePath == sumPathAvx2)
        return CrcCpuFeatures().m_bAvx2;
    return true;
#else
    return ePath == sumPathBytewise || ePath == sumPathPortable;
#endif
}

DWORD SumBytes(const BYTE* pData, size_t nLength)
{
    static const ESumPath s_ePath = DetectBestSumPath();
    return SumBytesPath(pData, nLength, s_ePath);
}

DWORD SumBytesPath(const BYTE* pData, size_t nLength, ESumPath ePath)
{
#ifdef EXTKIT_CRC_X86
    if (ePath == sumPathAvx2 && CrcCpuFeatures().m_bAvx2)
        return SumBytesAvx2(pData, nLength);
    if (ePath == sumPathSse2 || ePath == sumPathAvx2)
        return SumBytesSse2(pData, nLength);
#endif
    if (ePath == sumPathBytewise)
        return Sum32Bytewise(0, pData, nLength);
    return SumPortable(pData, nLength);
}

// The definitions stay one addition per byte: they are what the other paths are
// measured and checked against, so the compiler must not widen them.
#if defined(__clang__)
#    define SUM_BYTEWISE_LOOP _Pragma("clang loop vectorize(disable) interleave(disable)")
#    define SUM_BYTEWISE_FUNC
#elif defined(__GNUC__)
#    define SUM_BYTEWISE_LOOP
#    define SUM_BYTEWISE_FUNC __attribute__((optimize("no-tree-vectorize")))
#else
#    define SUM_BYTEWISE_LOOP
#    define SUM_BYTEWISE_FUNC
#endif

SUM_BYTEWISE_FUNC DWORD Sum8Bytewise(DWORD nValue, const BYTE* pData, size_t nLength)
{
    SUM_BYTEWISE_LOOP
    for (size_t i = 0; i < nLength; ++i)
        nValue = (nValue & 0xFFFFFF00u) | ((nValue + pData[i]) & 0xFFu);
    return nValue;
}

SUM_BYTEWISE_FUNC DWORD Sum16Bytewise(DWORD nValue, const BYTE* pData, size_t nLength)
{
    SUM_BYTEWISE_LOOP
    for (size_t i = 0; i < nLength; ++i)
        nValue = (nValue & 0xFFFF0000u) | ((nValue + pData[i]) & 0xFFFFu);
    return nValue;
}

SUM_BYTEWISE_FUNC DWORD Sum32Bytewise(DWORD nValue, const BYTE* pData, size_t nLength)
{
    SUM_BYTEWISE_LOOP
    for (size_t i = 0; i < nLength; ++i)
        nValue += pData[i];
    return nValue;
}
