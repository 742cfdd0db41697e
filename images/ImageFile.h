// Icon files (.ico) and bitmap files (.bmp) held in memory, read without the
// platform: every part the platform will be handed (an image's header, its
// colour table, its colour bits and its mask) is checked to lie inside the
// bytes before anyone reads it. A file that lies about a size or an offset is
// refused as a whole. All numbers in the files are little-endian.
#pragma once

#include <afx.h>

#include <cstddef>
#include <vector>

// A device-independent bitmap's header and where its parts lie, relative to
// the header's first byte.
struct CDibLayout {
    DWORD m_dwHeaderSize = 0;  // 12 for the core header, 40 or more
    LONG m_nWidth = 0;
    LONG m_nHeight = 0;  // as the header says: negative for top-down rows
    WORD m_wPlanes = 0;
    WORD m_wBitCount = 0;
    DWORD m_dwCompression = 0;   // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    DWORD m_dwColorEntries = 0;  // colour-table entries (bit masks included)
    DWORD m_dwColorTableBytes = 0;
    DWORD m_dwRowBytes = 0;   // one row of colour bits, 0 for compressed bits
    DWORD m_dwBitsBytes = 0;  // all colour bits
};

enum EImageFileError {
    imageFileOk = 0,
    imageFileTooShort,       // fewer bytes than the smallest such file
    imageFileWrongKind,      // not the kind of file asked for
    imageFileNoImages,       // an icon directory without entries
    imageFileDirectoryCut,   // the directory runs past the data
    imageFileImageOutside,   // an image (or a bitmap's bits) lies outside the data
    imageFileImageEmpty,     // an image of no bytes
    imageFileBadHeader,      // a header of an unknown size or with impossible values
    imageFileSizesDoNotFit,  // the header's sizes need more bytes than there are
};

// A short description of the error, in Russian (Windows-1251).
const char* ImageFileErrorText(EImageFileError eError);

// Reads the bitmap header at p, of which nAvail bytes are there. The header
// and its colour table must lie inside them; with bIcon the height counts
// the colour rows and the mask rows together, and compressed bits are
// refused. The size of the colour bits is computed but not checked.
EImageFileError ReadDibHeader(const BYTE* p, size_t nAvail, bool bIcon, CDibLayout& layout);

// One image of an icon file.
struct CIconImage {
    // The directory entry as it stands in the file.
    BYTE m_bDirWidth = 0;  // 0 stands for 256
    BYTE m_bDirHeight = 0;
    BYTE m_bDirColorCount = 0;
    WORD m_wDirPlanes = 0;
    WORD m_wDirBitCount = 0;
    DWORD m_dwBytes = 0;   // the image's size
    DWORD m_dwOffset = 0;  // where it starts in the file

    // A PNG picture in place of a bitmap: only its size is read, and the
    // library hands it to nobody.
    bool m_bPng = false;
    int m_nWidth = 0;   // from the image's own header
    int m_nHeight = 0;  // the header's height halved (it counts colour rows and mask rows)
    int m_nColors = 0;  // planes times bits per pixel
    CDibLayout m_layout;
    DWORD m_dwXorOffset = 0;  // the colour bits, from the image's start
    DWORD m_dwAndOffset = 0;  // the mask
    DWORD m_dwAndBytes = 0;
};

class CIconFile {
public:
    // Reads the directory and checks every image; on an error the images
    // read so far are dropped.
    EImageFileError Parse(const BYTE* pData, size_t nSize);

    const std::vector<CIconImage>& GetImages() const { return m_images; }
    // The bitmap image (PNG pictures are passed over) whose size is closest
    // to cx x cy, a larger one winning over a smaller one as far away, then
    // the one with the most colours; -1 when there is none.
    int FindBestImage(int cx, int cy) const;

private:
    std::vector<CIconImage> m_images;
};

// A bitmap file: its file header, then the bitmap header at offset 14.
struct CBitmapFile {
    CDibLayout m_layout;
    DWORD m_dwBitsOffset = 0;  // where the colour bits start in the file

    // With bUseBitsOffset the bits are where the file header says; without,
    // they follow the header and its colour table.
    EImageFileError Parse(const BYTE* pData, size_t nSize, bool bUseBitsOffset);
};

// The colour that counts as transparent in a picture whose corner pixels are
// these (top-left, top-right, bottom-right, bottom-left, as 0x00BBGGRR): the
// top-left one, unless both the bottom-left and the top-right differ from it
// and the bottom-right equals one of those two.
DWORD ChooseMaskColor(const DWORD adwCorners[4]);

// The size an image of cxCur x cyCur takes when shrunk to fit cx x cy (only
// shrinking is done: false, and nothing changed, when it fits already or the
// box is empty). With bKeepAspect, when the box's width-to-height ratio
// differs from the image's (to three decimals), a wide image keeps the box's
// width and takes the height that follows, a tall one the other way round;
// the side that follows is cut to whole pixels, at least one.
bool FitImageSize(int cxCur, int cyCur, int& cx, int& cy, bool bKeepAspect);
