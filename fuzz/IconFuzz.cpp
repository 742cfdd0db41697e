// Feeds arbitrary bytes to the icon and bitmap file readers. Whatever they
// accept must lie inside the data: every part an accepted image names is
// read here byte by byte, so that the sanitizers see any part that does not.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "images/ImageFile.h"

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        __builtin_trap();
}

// Touches every byte of the range.
unsigned Touch(const BYTE* p, size_t nBytes)
{
    unsigned nSum = 0;
    for (size_t i = 0; i < nBytes; ++i)
        nSum += p[i];
    return nSum;
}

// Where the sums go, so that the reads are not dropped.
volatile unsigned g_nTouched = 0;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the input's size: reading past it is caught.
    std::vector<BYTE> bytes(data, data + size);
    unsigned nSum = 0;
    CIconFile file;
    if (file.Parse(bytes.data(), bytes.size()) == imageFileOk) {
        Check(!file.GetImages().empty());
        for (const CIconImage& image : file.GetImages()) {
            Check(static_cast<size_t>(image.m_dwOffset) + image.m_dwBytes <= bytes.size());
            const BYTE* pImage = bytes.data() + image.m_dwOffset;
            nSum += Touch(pImage, image.m_dwBytes);
            if (image.m_bPng)
                continue;
            const CDibLayout& layout = image.m_layout;
            Check(image.m_nWidth > 0 && image.m_nHeight > 0);
            Check(image.m_dwXorOffset == layout.m_dwHeaderSize + layout.m_dwColorTableBytes);
            Check(static_cast<unsigned long long>(image.m_dwAndOffset) + image.m_dwAndBytes <= image.m_dwBytes);
            Check(image.m_dwXorOffset + static_cast<unsigned long long>(layout.m_dwBitsBytes) == image.m_dwAndOffset);
        }
        const int nBest = file.FindBestImage(32, 32);
        Check(nBest >= -1 && nBest < static_cast<int>(file.GetImages().size()));
        Check(nBest < 0 || !file.GetImages()[static_cast<size_t>(nBest)].m_bPng);
    }
    for (bool bUseBitsOffset : {true, false}) {
        CBitmapFile bitmap;
        if (bitmap.Parse(bytes.data(), bytes.size(), bUseBitsOffset) != imageFileOk)
            continue;
        const CDibLayout& layout = bitmap.m_layout;
        Check(14ull + layout.m_dwHeaderSize + layout.m_dwColorTableBytes <= bytes.size());
        Check(static_cast<unsigned long long>(bitmap.m_dwBitsOffset) + layout.m_dwBitsBytes <= bytes.size());
        nSum += Touch(bytes.data() + 14, layout.m_dwHeaderSize + layout.m_dwColorTableBytes);
        nSum += Touch(bytes.data() + bitmap.m_dwBitsOffset, layout.m_dwBitsBytes);
    }
    g_nTouched = g_nTouched + nSum;
    return 0;
}
