// The checksum definitions written out plainly, one byte at a time, for the
// tests to compare the library against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace reference {
inline std::vector<uint16_t> Table16(uint16_t nPoly)
{
    std::vector<uint16_t> t(256);
    for (unsigned i = 0; i < 256; ++i) {
        unsigned d = i << 8, c = 0;
        for (int k = 0; k < 8; ++k) {
            c = ((c ^ d) & 0x8000) ? ((c << 1) ^ nPoly) & 0xFFFF : (c << 1) & 0xFFFF;
            d <<= 1;
        }
        t[i] = (uint16_t)c;
    }
    return t;
}

inline std::vector<uint32_t> Table32(uint32_t nPoly)
{
    std::vector<uint32_t> t(256);
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ nPoly : c >> 1;
        t[i] = c;
    }
    return t;
}

// Full 32-bit value in, full 32-bit value out (the bits above 16 stay).
inline uint32_t Crc16(uint16_t nPoly, uint32_t nValue, const uint8_t* p, size_t n)
{
    const std::vector<uint16_t> t = Table16(nPoly);
    uint32_t c = nValue & 0xFFFF;
    for (size_t i = 0; i < n; ++i)
        c = ((c << 8) ^ t[((c >> 8) ^ p[i]) & 0xFF]) & 0xFFFF;
    return (nValue & 0xFFFF0000u) | c;
}

inline uint32_t Crc32(uint32_t nPoly, uint32_t nValue, const uint8_t* p, size_t n)
{
    const std::vector<uint32_t> t = Table32(nPoly);
    for (size_t i = 0; i < n; ++i)
        nValue = (nValue >> 8) ^ t[(nValue ^ p[i]) & 0xFF];
    return nValue;
}

// nMask: 0xFF, 0xFFFF or 0xFFFFFFFF; the bits outside it stay.
inline uint32_t Sum(uint32_t nMask, uint32_t nValue, const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        nValue = (nValue & ~nMask) | ((nValue + p[i]) & nMask);
    return nValue;
}
}  // namespace reference
