// Carry-less multiplication folding for both CRC bit orders, and vector byte sums.
//
// The file builds for baseline x86-64: each routine that needs newer instructions
// carries its own target attribute and runs only after CrcCpuFeatures() said the
// processor has them.
//
// Folding keeps a 128-bit block X whose polynomial is congruent, modulo the
// generator G, to everything read so far. Moving X forward by D bits means
// X * x^D = H * x^(D+64) + L * x^D for its high and low 64-bit halves; each half is
// multiplied by a 32-bit constant (x^e mod G) and the two products are added to
// the block D bits further on.
//
// Reflected data (32-bit CRC) is folded as it lies in memory: bit 0 of byte 0 is
// the highest power. A carry-less product of two reflected values comes out one
// power too low, so its constants are x^(D+63) and x^(D-1). Data of the
// most-significant-bit-first CRC is byte-reversed on load so that bit k is x^k,
// and its products are exact (constants x^(D+64) and x^D). CrcBuildAccel lays the
// two constants out so that one multiply pattern serves both orders.
#include "checksum/CrcFold.h"

#ifdef EXTKIT_CRC_X86

#    include <cpuid.h>
#    include <immintrin.h>

#    define CRC_TARGET_PCLMUL __attribute__((target("pclmul,ssse3,sse4.1")))
#    define CRC_TARGET_VPCLMUL __attribute__((target("vpclmulqdq,avx2,avx,pclmul,ssse3,sse4.1")))
#    define CRC_TARGET_AVX2 __attribute__((target("avx2,avx")))
#    define CRC_INLINE inline __attribute__((always_inline))

namespace {

// Which register states the operating system saves (XCR0). Written as assembly
// because the intrinsic needs the xsave target on some compilers.
ULONGLONG ReadXcr0()
{
    unsigned int nLow = 0, nHigh = 0;
    __asm__ volatile("xgetbv" : "=a"(nLow), "=d"(nHigh) : "c"(0));
    return ((ULONGLONG)nHigh << 32) | nLow;
}

CCpuFeatures DetectFeatures()
{
    CCpuFeatures f = {false, false, false};
    unsigned int a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return f;
    const bool bSsse3 = (c & (1u << 9)) != 0;
    const bool bSse41 = (c & (1u << 19)) != 0;
    const bool bPclmul = (c & (1u << 1)) != 0;
    const bool bOsxsave = (c & (1u << 27)) != 0;
    const bool bAvx = (c & (1u << 28)) != 0;
    f.m_bPclmul = bPclmul && bSsse3 && bSse41;

    // 256-bit registers are usable only when the system saves their upper halves.
    bool bYmm = false;
    if (bOsxsave && bAvx)
        bYmm = (ReadXcr0() & 0x6) == 0x6;
    unsigned int nMax = __get_cpuid_max(0, NULL);
    if (bYmm && nMax >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        f.m_bAvx2 = (b & (1u << 5)) != 0;
        f.m_bVpclmul = f.m_bAvx2 && f.m_bPclmul && (c & (1u << 10)) != 0;
    }
    return f;
}

// Byte reversal of a 16-byte block: byte i takes byte 15 - i.
CRC_TARGET_PCLMUL CRC_INLINE __m128i ReverseMask()
{
    return _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
}

template <bool bReflected>
CRC_TARGET_PCLMUL CRC_INLINE __m128i Load128(const BYTE* p, __m128i mask)
{
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return bReflected ? v : _mm_shuffle_epi8(v, mask);
}

// The start value sits where the first message bytes are: the low 32 bits of a
// reflected block, the top 16 bits of a most-significant-first one.
template <bool bReflected>
CRC_TARGET_PCLMUL CRC_INLINE __m128i StartBlock(DWORD nCrc)
{
    __m128i v = _mm_cvtsi32_si128((int)nCrc);
    return bReflected ? v : _mm_slli_si128(v, 14);
}

CRC_TARGET_PCLMUL CRC_INLINE __m128i Fold128(__m128i x, __m128i k)
{
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

CRC_TARGET_PCLMUL CRC_INLINE __m128i LoadConst(const ULONGLONG* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// The last whole 16-byte blocks one at a time, then the block out in message order.
template <bool bReflected>
CRC_TARGET_PCLMUL CRC_INLINE size_t FinishBlocks(__m128i x, __m128i k128, __m128i mask, const BYTE* p, size_t n,
                                                 BYTE* aOut)
{
    size_t nDone = 0;
    while (n - nDone >= 16) {
        x = _mm_xor_si128(Fold128(x, k128), Load128<bReflected>(p + nDone, mask));
        nDone += 16;
    }
    if (!bReflected)
        x = _mm_shuffle_epi8(x, mask);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(aOut), x);
    return nDone;
}

template <bool bReflected>
CRC_TARGET_PCLMUL size_t FoldPclmul(const ULONGLONG (*aFold)[2], DWORD nCrc, const BYTE* p, size_t n, BYTE* aOut)
{
    const __m128i mask = ReverseMask();
    const __m128i k128 = LoadConst(aFold[0]);
    __m128i x;
    size_t nDone;
    if (n >= 128) {
        // Eight independent chains hide the multiplier's latency.
        __m128i a[8];
        for (int i = 0; i < 8; ++i)
            a[i] = Load128<bReflected>(p + 16 * i, mask);
        a[0] = _mm_xor_si128(a[0], StartBlock<bReflected>(nCrc));
        nDone = 128;
        const __m128i k1024 = LoadConst(aFold[3]);
        while (n - nDone >= 128) {
            const BYTE* q = p + nDone;
            for (int i = 0; i < 8; ++i)
                a[i] = _mm_xor_si128(Fold128(a[i], k1024), Load128<bReflected>(q + 16 * i, mask));
            nDone += 128;
        }
        x = a[0];
        for (int i = 1; i < 8; ++i)
            x = _mm_xor_si128(Fold128(x, k128), a[i]);
    } else {
        x = _mm_xor_si128(Load128<bReflected>(p, mask), StartBlock<bReflected>(nCrc));
        nDone = 16;
    }
    return nDone + FinishBlocks<bReflected>(x, k128, mask, p + nDone, n - nDone, aOut);
}

CRC_TARGET_VPCLMUL CRC_INLINE __m256i Fold256(__m256i y, __m256i k)
{
    return _mm256_xor_si256(_mm256_clmulepi64_epi128(y, k, 0x00), _mm256_clmulepi64_epi128(y, k, 0x11));
}

template <bool bReflected>
CRC_TARGET_VPCLMUL CRC_INLINE __m256i Load256(const BYTE* p, __m256i mask)
{
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    return bReflected ? v : _mm256_shuffle_epi8(v, mask);  // reverses each 16-byte lane
}

template <bool bReflected>
CRC_TARGET_VPCLMUL size_t FoldVpclmul(const ULONGLONG (*aFold)[2], DWORD nCrc, const BYTE* p, size_t n, BYTE* aOut)
{
    if (n < 256)
        return FoldPclmul<bReflected>(aFold, nCrc, p, n, aOut);

    const __m128i mask = ReverseMask();
    const __m256i mask2 = _mm256_broadcastsi128_si256(mask);
    const __m256i start = _mm256_inserti128_si256(_mm256_setzero_si256(), StartBlock<bReflected>(nCrc), 0);
    __m256i y0 = _mm256_xor_si256(Load256<bReflected>(p, mask2), start);
    __m256i y1 = Load256<bReflected>(p + 32, mask2);
    __m256i y2 = Load256<bReflected>(p + 64, mask2);
    __m256i y3 = Load256<bReflected>(p + 96, mask2);
    size_t nDone = 128;

    const __m256i k1024 = _mm256_broadcastsi128_si256(LoadConst(aFold[3]));
    while (n - nDone >= 128) {
        const BYTE* q = p + nDone;
        y0 = _mm256_xor_si256(Fold256(y0, k1024), Load256<bReflected>(q, mask2));
        y1 = _mm256_xor_si256(Fold256(y1, k1024), Load256<bReflected>(q + 32, mask2));
        y2 = _mm256_xor_si256(Fold256(y2, k1024), Load256<bReflected>(q + 64, mask2));
        y3 = _mm256_xor_si256(Fold256(y3, k1024), Load256<bReflected>(q + 96, mask2));
        nDone += 128;
    }

    // Each register holds two consecutive blocks; neighbouring registers are 256 bits apart.
    const __m256i k256 = _mm256_broadcastsi128_si256(LoadConst(aFold[1]));
    __m256i y = _mm256_xor_si256(Fold256(y0, k256), y1);
    y = _mm256_xor_si256(Fold256(y, k256), y2);
    y = _mm256_xor_si256(Fold256(y, k256), y3);

    const __m128i k128 = LoadConst(aFold[0]);
    __m128i x = _mm_xor_si128(Fold128(_mm256_castsi256_si128(y), k128), _mm256_extracti128_si256(y, 1));
    return nDone + FinishBlocks<bReflected>(x, k128, mask, p + nDone, n - nDone, aOut);
}

DWORD SumTail(ULONGLONG nTotal, const BYTE* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        nTotal += p[i];
    return (DWORD)nTotal;
}

}  // namespace

const CCpuFeatures& CrcCpuFeatures()
{
    static const CCpuFeatures s_features = DetectFeatures();
    return s_features;
}

size_t CrcFoldPclmul(const ULONGLONG (*aFold)[2], bool bReflected, DWORD nCrc, const BYTE* pData, size_t nLength,
                     BYTE aOut[16])
{
    return bReflected ? FoldPclmul<true>(aFold, nCrc, pData, nLength, aOut)
                      : FoldPclmul<false>(aFold, nCrc, pData, nLength, aOut);
}

size_t CrcFoldVpclmul(const ULONGLONG (*aFold)[2], bool bReflected, DWORD nCrc, const BYTE* pData, size_t nLength,
                      BYTE aOut[16])
{
    return bReflected ? FoldVpclmul<true>(aFold, nCrc, pData, nLength, aOut)
                      : FoldVpclmul<false>(aFold, nCrc, pData, nLength, aOut);
}

// Sums of absolute differences against zero add eight bytes at a time into
// 64-bit lanes, which cannot overflow on any block a program can hold.
DWORD SumBytesSse2(const BYTE* p, size_t n)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i a0 = zero, a1 = zero, a2 = zero, a3 = zero;
    size_t i = 0;
    for (; n - i >= 64; i += 64) {
        a0 = _mm_add_epi64(a0, _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), zero));
        a1 = _mm_add_epi64(a1, _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16)), zero));
        a2 = _mm_add_epi64(a2, _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 32)), zero));
        a3 = _mm_add_epi64(a3, _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 48)), zero));
    }
    for (; n - i >= 16; i += 16)
        a0 = _mm_add_epi64(a0, _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), zero));
    __m128i a = _mm_add_epi64(_mm_add_epi64(a0, a1), _mm_add_epi64(a2, a3));
    ULONGLONG aLanes[2];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(aLanes), a);
    return SumTail(aLanes[0] + aLanes[1], p + i, n - i);
}

CRC_TARGET_AVX2 DWORD SumBytesAvx2(const BYTE* p, size_t n)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i a0 = zero, a1 = zero, a2 = zero, a3 = zero;
    size_t i = 0;
    for (; n - i >= 128; i += 128) {
        a0 = _mm256_add_epi64(a0, _mm256_sad_epu8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), zero));
        a1 = _mm256_add_epi64(a1,
                              _mm256_sad_epu8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 32)), zero));
        a2 = _mm256_add_epi64(a2,
                              _mm256_sad_epu8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 64)), zero));
        a3 = _mm256_add_epi64(a3,
                              _mm256_sad_epu8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 96)), zero));
    }
    for (; n - i >= 32; i += 32)
        a0 = _mm256_add_epi64(a0, _mm256_sad_epu8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), zero));
    __m256i a = _mm256_add_epi64(_mm256_add_epi64(a0, a1), _mm256_add_epi64(a2, a3));
    ULONGLONG aLanes[4];
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(aLanes), a);
    return SumTail(aLanes[0] + aLanes[1] + aLanes[2] + aLanes[3], p + i, n - i);
}

#endif  // EXTKIT_CRC_X86
