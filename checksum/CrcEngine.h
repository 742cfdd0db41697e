// Block arithmetic behind the checksum classes: the byte-at-a-time definitions
// and faster paths that give bit-for-bit the same results for any polynomial.
//
// The 32-bit CRC is the reflected (least-significant-bit-first) form, the 16-bit
// CRC the most-significant-bit-first form. Neither inverts its result.
#pragma once

#include <afx.h>

#include <cstddef>

// Ways of computing a block; the best available one is used unless a caller
// (a test, the benchmark) asks for another.
enum ECrcPath {
    crcPathBytewise,  // one table step per byte: the definition
    crcPathSlicing,   // eight bytes per step in four interleaved streams, portable
    crcPathPclmul,    // carry-less multiplication folding, 128-bit registers
    crcPathVpclmul    // the same with 256-bit registers
};

// Data of the fast paths for one polynomial, derived when its table is built.
template <class T>
struct CCrcAccel {
    // m_aSlice[k][i]: the CRC of byte i followed by k zero bytes, from zero.
    T m_aSlice[8][256];
    // Folding constants for distances of 128, 256, 512 and 1024 bits, laid out
    // so that one multiply pattern serves both bit orders.
    alignas(16) ULONGLONG m_aFold[4][2];
    // Moving a CRC over n zero bytes is linear in its bits: m_aShift[s][j][v] is
    // the image of byte v at byte j of the value, for the two stream lengths of
    // the slicing path (s = 0: 4096 bytes, s = 1: 512 bytes).
    T m_aShift[2][sizeof(T)][256];
    // The full generator without its top term, in normal bit order.
    T m_nPolyNormal;
};

typedef CCrcAccel<DWORD> CCrc32Accel;
typedef CCrcAccel<WORD> CCrc16Accel;

// Builds the fast-path data from a finished 256-entry table and its polynomial.
void CrcBuildAccel(CCrc32Accel& accel, const DWORD* pTable, DWORD nPoly);
void CrcBuildAccel(CCrc16Accel& accel, const WORD* pTable, WORD nPoly);

// The CRC of a block continuing from nCrc, by the best path this processor has.
DWORD CrcUpdate(const CCrc32Accel& accel, DWORD nCrc, const BYTE* pData, size_t nLength);
WORD CrcUpdate(const CCrc16Accel& accel, WORD nCrc, const BYTE* pData, size_t nLength);

// The same by a chosen path; a path the processor lacks falls back to slicing.
DWORD CrcUpdatePath(const CCrc32Accel& accel, DWORD nCrc, const BYTE* pData, size_t nLength, ECrcPath ePath);
WORD CrcUpdatePath(const CCrc16Accel& accel, WORD nCrc, const BYTE* pData, size_t nLength, ECrcPath ePath);

// The byte-at-a-time definitions over a 256-entry table.
DWORD CrcBytewise(const DWORD* pTable, DWORD nCrc, const BYTE* pData, size_t nLength);
WORD CrcBytewise(const WORD* pTable, WORD nCrc, const BYTE* pData, size_t nLength);

// Whether this processor (and its operating system) can run a path.
bool CrcPathAvailable(ECrcPath ePath);
// The path CrcUpdate takes.
ECrcPath CrcBestPath();

// Ways of adding up bytes.
enum ESumPath {
    sumPathBytewise,  // one addition per byte into the running value: the definition
    sumPathPortable,  // eight bytes per step in machine words
    sumPathSse2,      // sums of absolute differences, 16 bytes per step
    sumPathAvx2       // the same, 32 bytes per step
};

// The sum of the bytes modulo 2^32 by the best path.
DWORD SumBytes(const BYTE* pData, size_t nLength);
DWORD SumBytesPath(const BYTE* pData, size_t nLength, ESumPath ePath);
bool SumPathAvailable(ESumPath ePath);

// The byte-at-a-time definitions of the three sums: the low 8, 16 or all 32
// bits of nValue take each byte in turn, the bits above them stay.
DWORD Sum8Bytewise(DWORD nValue, const BYTE* pData, size_t nLength);
DWORD Sum16Bytewise(DWORD nValue, const BYTE* pData, size_t nLength);
DWORD Sum32Bytewise(DWORD nValue, const BYTE* pData, size_t nLength);
