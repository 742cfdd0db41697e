// Icon and bitmap files in memory, checked part by part.
#include "images/ImageFile.h"

#include <cmath>
#include <cstring>

namespace {

const DWORD c_dwCoreHeader = 12;
const DWORD c_dwInfoHeader = 40;
const DWORD c_dwBiRgb = 0;
const DWORD c_dwBiRle8 = 1;
const DWORD c_dwBiRle4 = 2;
const DWORD c_dwBiBitfields = 3;
const BYTE c_abPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

WORD Word(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

DWORD Dword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

// A PNG's big-endian numbers.
DWORD DwordBigEndian(const BYTE* p)
{
    return (static_cast<DWORD>(p[0]) << 24) | (static_cast<DWORD>(p[1]) << 16) | (static_cast<DWORD>(p[2]) << 8) |
           static_cast<DWORD>(p[3]);
}

// One row of a bitmap, padded to whole 32-bit words; 64-bit so that no
// header can make it wrap.
unsigned long long RowBytes(unsigned long long nWidth, unsigned long long nBits)
{
    return (nWidth * nBits + 31) / 32 * 4;
}

bool IsBitCount(WORD wBits)
{
    return wBits == 1 || wBits == 4 || wBits == 8 || wBits == 16 || wBits == 24 || wBits == 32;
}

// The image at p of nBytes bytes, a PNG picture: the signature and the size
// from its header chunk.
bool ReadPng(const BYTE* p, size_t nBytes, CIconImage& image)
{
    if (nBytes < 8 || std::memcmp(p, c_abPngSignature, sizeof(c_abPngSignature)) != 0)
        return false;
    image.m_bPng = true;
    // The header chunk comes first: length 13, "IHDR", width, height.
    if (nBytes >= 24 && DwordBigEndian(p + 8) == 13 && std::memcmp(p + 12, "IHDR", 4) == 0) {
        const DWORD dwWidth = DwordBigEndian(p + 16);
        const DWORD dwHeight = DwordBigEndian(p + 20);
        image.m_nWidth = dwWidth <= 0x7FFFFFFF ? static_cast<int>(dwWidth) : 0;
        image.m_nHeight = dwHeight <= 0x7FFFFFFF ? static_cast<int>(dwHeight) : 0;
    }
    return true;
}

}  // namespace

const char* ImageFileErrorText(EImageFileError eError)
{
    switch (eError) {
    case imageFileOk:
        return "в порядке";
    case imageFileTooShort:
        return "слишком короткий файл";
    case imageFileWrongKind:
        return "файл другого вида";
    case imageFileNoImages:
        return "в файле нет изображений";
    case imageFileDirectoryCut:
        return "оглавление выходит за конец данных";
    case imageFileImageOutside:
        return "изображение выходит за пределы данных";
    case imageFileImageEmpty:
        return "изображение без данных";
    case imageFileBadHeader:
        return "неверный заголовок изображения";
    case imageFileSizesDoNotFit:
        return "размеры в заголовке не помещаются в данные";
    }
    return "неизвестная ошибка";
}

EImageFileError ReadDibHeader(const BYTE* p, size_t nAvail, bool bIcon, CDibLayout& layout)
{
    layout = CDibLayout();
    if (nAvail < 4)
        return imageFileSizesDoNotFit;
    layout.m_dwHeaderSize = Dword(p);
    DWORD dwUsed = 0;
    DWORD dwEntryBytes = 4;
    if (layout.m_dwHeaderSize == c_dwCoreHeader) {
        if (nAvail < c_dwCoreHeader)
            return imageFileSizesDoNotFit;
        layout.m_nWidth = Word(p + 4);
        layout.m_nHeight = Word(p + 6);
        layout.m_wPlanes = Word(p + 8);
        layout.m_wBitCount = Word(p + 10);
        dwEntryBytes = 3;
    } else if (layout.m_dwHeaderSize >= c_dwInfoHeader && layout.m_dwHeaderSize <= 0x1000) {
        if (nAvail < layout.m_dwHeaderSize)
            return imageFileSizesDoNotFit;
        layout.m_nWidth = static_cast<LONG>(Dword(p + 4));
        layout.m_nHeight = static_cast<LONG>(Dword(p + 8));
        layout.m_wPlanes = Word(p + 12);
        layout.m_wBitCount = Word(p + 14);
        layout.m_dwCompression = Dword(p + 16);
        dwUsed = Dword(p + 32);
    } else {
        return imageFileBadHeader;
    }
    // Heights: bottom-up rows are positive, top-down negative; an icon's are
    // always bottom-up and count its mask rows too.
    const long long nRows = layout.m_nHeight < 0 ? -static_cast<long long>(layout.m_nHeight) : layout.m_nHeight;
    if (layout.m_nWidth <= 0 || nRows == 0 || layout.m_wPlanes != 1 || !IsBitCount(layout.m_wBitCount) ||
        (bIcon && (layout.m_nHeight < 2)))
        return imageFileBadHeader;

    // The colour table: the used colours when given, else the full palette
    // up to 8 bits a pixel; three masks after a 40-byte header with bit fields.
    const bool bBitfields = layout.m_dwCompression == c_dwBiBitfields;
    if (bBitfields) {
        if (layout.m_wBitCount != 16 && layout.m_wBitCount != 32)
            return imageFileBadHeader;
    } else if (layout.m_dwCompression == c_dwBiRle8 || layout.m_dwCompression == c_dwBiRle4) {
        if (bIcon || layout.m_nHeight < 0 || layout.m_wBitCount != (layout.m_dwCompression == c_dwBiRle8 ? 8 : 4))
            return imageFileBadHeader;
    } else if (layout.m_dwCompression != c_dwBiRgb) {
        return imageFileBadHeader;
    }
    unsigned long long nEntries = dwUsed;
    if (nEntries == 0 && layout.m_wBitCount <= 8)
        nEntries = 1ull << layout.m_wBitCount;
    if (bBitfields && layout.m_dwHeaderSize == c_dwInfoHeader)
        nEntries += 3;
    const unsigned long long nTableBytes = nEntries * dwEntryBytes;
    if (layout.m_dwHeaderSize + nTableBytes > nAvail)
        return imageFileSizesDoNotFit;
    layout.m_dwColorEntries = static_cast<DWORD>(nEntries);
    layout.m_dwColorTableBytes = static_cast<DWORD>(nTableBytes);

    const unsigned long long nColorRows = bIcon ? static_cast<unsigned long long>(nRows / 2) : nRows;
    if (layout.m_dwCompression == c_dwBiRle8 || layout.m_dwCompression == c_dwBiRle4) {
        // Compressed bits say their own size, and must say it.
        layout.m_dwBitsBytes = Dword(p + 20);
        if (layout.m_dwBitsBytes == 0)
            return imageFileBadHeader;
        return imageFileOk;
    }
    const unsigned long long nRowBytes = RowBytes(static_cast<unsigned long long>(layout.m_nWidth), layout.m_wBitCount);
    // No bitmap the platform makes comes near 4 GiB of bits.
    if (nColorRows > 0xFFFFFFFFull / nRowBytes)
        return imageFileSizesDoNotFit;
    const unsigned long long nBits = nRowBytes * nColorRows;
    layout.m_dwRowBytes = static_cast<DWORD>(nRowBytes);
    layout.m_dwBitsBytes = static_cast<DWORD>(nBits);
    return imageFileOk;
}

EImageFileError CIconFile::Parse(const BYTE* pData, size_t nSize)
{
    m_images.clear();
    if (pData == NULL || nSize < 6)
        return imageFileTooShort;
    if (Word(pData) != 0 || Word(pData + 2) != 1)
        return imageFileWrongKind;
    const size_t nCount = Word(pData + 4);
    if (nCount == 0)
        return imageFileNoImages;
    if (6 + 16 * nCount > nSize)
        return imageFileDirectoryCut;
    std::vector<CIconImage> images(nCount);
    for (size_t i = 0; i < nCount; ++i) {
        const BYTE* pEntry = pData + 6 + 16 * i;
        CIconImage& image = images[i];
        image.m_bDirWidth = pEntry[0];
        image.m_bDirHeight = pEntry[1];
        image.m_bDirColorCount = pEntry[2];
        image.m_wDirPlanes = Word(pEntry + 4);
        image.m_wDirBitCount = Word(pEntry + 6);
        image.m_dwBytes = Dword(pEntry + 8);
        image.m_dwOffset = Dword(pEntry + 12);
        if (static_cast<unsigned long long>(image.m_dwOffset) + image.m_dwBytes > nSize)
            return imageFileImageOutside;
        if (image.m_dwBytes == 0)
            return imageFileImageEmpty;
        const BYTE* pImage = pData + image.m_dwOffset;
        if (ReadPng(pImage, image.m_dwBytes, image))
            continue;
        CDibLayout& layout = image.m_layout;
        EImageFileError eError = ReadDibHeader(pImage, image.m_dwBytes, true, layout);
        if (eError != imageFileOk)
            return eError;
        image.m_nWidth = layout.m_nWidth;
        image.m_nHeight = layout.m_nHeight / 2;
        image.m_nColors = layout.m_wPlanes * layout.m_wBitCount;
        const unsigned long long nXorOffset =
            static_cast<unsigned long long>(layout.m_dwHeaderSize) + layout.m_dwColorTableBytes;
        const unsigned long long nAndBytes =
            RowBytes(static_cast<unsigned long long>(layout.m_nWidth), 1) * static_cast<unsigned>(image.m_nHeight);
        if (nXorOffset + layout.m_dwBitsBytes + nAndBytes > image.m_dwBytes)
            return imageFileSizesDoNotFit;
        image.m_dwXorOffset = static_cast<DWORD>(nXorOffset);
        image.m_dwAndOffset = static_cast<DWORD>(nXorOffset + layout.m_dwBitsBytes);
        image.m_dwAndBytes = static_cast<DWORD>(nAndBytes);
    }
    m_images.swap(images);
    return imageFileOk;
}

int CIconFile::FindBestImage(int cx, int cy) const
{
    int nBest = -1;
    long long nBestDistance = 0;
    bool bBestSmaller = false;
    for (size_t i = 0; i < m_images.size(); ++i) {
        const CIconImage& image = m_images[i];
        if (image.m_bPng)
            continue;
        const long long dx = static_cast<long long>(image.m_nWidth) - cx;
        const long long dy = static_cast<long long>(image.m_nHeight) - cy;
        const long long nDistance = (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
        // Shrinking a larger picture looks better than blowing up a smaller one.
        const bool bSmaller = dx < 0 || dy < 0;
        bool bBetter = nBest < 0 || nDistance < nBestDistance;
        if (!bBetter && nDistance == nBestDistance) {
            if (bSmaller != bBestSmaller)
                bBetter = bBestSmaller;
            else
                bBetter = image.m_nColors > m_images[static_cast<size_t>(nBest)].m_nColors;
        }
        if (bBetter) {
            nBest = static_cast<int>(i);
            nBestDistance = nDistance;
            bBestSmaller = bSmaller;
        }
    }
    return nBest;
}

EImageFileError CBitmapFile::Parse(const BYTE* pData, size_t nSize, bool bUseBitsOffset)
{
    *this = CBitmapFile();
    if (pData == NULL || nSize < 2 || pData[0] != 'B' || pData[1] != 'M')
        return imageFileWrongKind;
    if (nSize < 14 + 4)
        return imageFileTooShort;
    EImageFileError eError = ReadDibHeader(pData + 14, nSize - 14, false, m_layout);
    if (eError != imageFileOk)
        return eError;
    const unsigned long long nAfterTable = 14ull + m_layout.m_dwHeaderSize + m_layout.m_dwColorTableBytes;
    const unsigned long long nBitsOffset = bUseBitsOffset ? Dword(pData + 10) : nAfterTable;
    if (nBitsOffset + m_layout.m_dwBitsBytes > nSize)
        return nBitsOffset > nSize ? imageFileImageOutside : imageFileSizesDoNotFit;
    m_dwBitsOffset = static_cast<DWORD>(nBitsOffset);
    return imageFileOk;
}

DWORD ChooseMaskColor(const DWORD adwCorners[4])
{
    const DWORD dwTopLeft = adwCorners[0], dwTopRight = adwCorners[1];
    const DWORD dwBottomRight = adwCorners[2], dwBottomLeft = adwCorners[3];
    if (dwBottomLeft != dwTopLeft && dwTopRight != dwTopLeft &&
        (dwBottomRight == dwBottomLeft || dwBottomRight == dwTopRight))
        return dwBottomRight;
    return dwTopLeft;
}

bool FitImageSize(int cxCur, int cyCur, int& cx, int& cy, bool bKeepAspect)
{
    if (cx <= 0 || cy <= 0 || cxCur <= 0 || cyCur <= 0 || (cxCur <= cx && cyCur <= cy))
        return false;
    if (bKeepAspect) {
        const double dRatio = static_cast<double>(cxCur) / cyCur;
        // Both ratios cut to three decimals, as RoundDbl(x, 3) cuts them.
        if (std::trunc(static_cast<double>(cx) / cy * 1000.0) != std::trunc(dRatio * 1000.0)) {
            if (dRatio > 1.0)
                cy = static_cast<int>(cx / dRatio);
            else
                cx = static_cast<int>(cy * dRatio);
            if (cx < 1)
                cx = 1;
            if (cy < 1)
                cy = 1;
        }
    }
    return true;
}
