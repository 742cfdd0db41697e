// Processor-specific parts of the checksum engine (x86-64): carry-less
// multiplication folding, vector byte sums and the feature checks that pick them.
// Internal to CrcEngine.cpp.
#pragma once

#include <afx.h>

#include <cstddef>

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__)
#    define EXTKIT_CRC_X86 1

struct CCpuFeatures {
    bool m_bPclmul;   // PCLMULQDQ with SSSE3 and SSE4.1
    bool m_bVpclmul;  // VPCLMULQDQ with AVX2, and the system saves the 256-bit registers
    bool m_bAvx2;     // AVX2, and the system saves the 256-bit registers
};

// Read once; the processor does not change under a running program.
const CCpuFeatures& CrcCpuFeatures();

// Fold the start value and every whole 16-byte block of the data into one
// 16-byte block congruent to it, written to aOut in message byte order; the
// CRC from zero of aOut followed by the unconsumed tail is the CRC of the whole
// data from nCrc. aFold holds the constants of CCrcAccel::m_aFold. Returns the
// bytes consumed (a multiple of 16). nLength must be at least 64.
size_t CrcFoldPclmul(const ULONGLONG (*aFold)[2], bool bReflected, DWORD nCrc, const BYTE* pData, size_t nLength,
                     BYTE aOut[16]);
// The same in 256-bit registers; short data goes through CrcFoldPclmul.
size_t CrcFoldVpclmul(const ULONGLONG (*aFold)[2], bool bReflected, DWORD nCrc, const BYTE* pData, size_t nLength,
                      BYTE aOut[16]);

// The sum of the bytes modulo 2^32.
DWORD SumBytesSse2(const BYTE* pData, size_t nLength);
DWORD SumBytesAvx2(const BYTE* pData, size_t nLength);
#endif
