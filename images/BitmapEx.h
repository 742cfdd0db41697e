// Bitmaps and icons: measuring, drawing, copying and converting them, icons
// made from icon files held in memory, and CBitmapEx, a bitmap object that
// may hold an icon instead and loads either from a file image in memory or
// from a file on disk. Handles a function returns belong to the caller.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "frame/ExtkitApi.h"

struct CDibLayout;

// The bitmap's width and height; 0 x 0 for a null or unusable handle.
EXTKIT_API CSize __cdecl GetBitmapSize(HBITMAP hBitmap);
// Draws the whole bitmap at pt with the raster operation (SRCCOPY...).
EXTKIT_API void __cdecl ShowBitmap(CDC* pDC, HBITMAP hBitmap, const CPoint& pt, DWORD dwRop);
// An icon of the first image of an icon file held in memory; null when the
// data are not an icon file, when any image of it lies outside the data or
// has a header whose sizes do not fit its bytes, or when the first image is a
// PNG picture.
EXTKIT_API HICON __cdecl LoadICOFromArray(CByteArray& arrData);
// The bitmap stretched to an icon of the system icon size, every pixel
// opaque; null for a null bitmap or on failure.
EXTKIT_API HICON __cdecl BitmapToIcon(HBITMAP hBitmap);
// The icon's size (a monochrome icon's mask is twice as high as the icon).
EXTKIT_API CSize __cdecl GetIconSize(HICON hIcon);
// dst becomes a copy of src (a device-independent section for a bitmap) at
// *pSize when that is not larger than src in either dimension, else at src's
// size: copies are never enlarged. What dst held is freed once the copy is
// made, so dst may be src itself (a copy in place). False, with dst null,
// when nothing could be copied. A monochrome icon's copy is as high as the
// icon, not as its mask.
EXTKIT_API bool __cdecl CopyBitmap(HBITMAP hSrc, HBITMAP& hDst, CSize* pSize = NULL);
EXTKIT_API bool __cdecl CopyIcon(HICON hSrc, HICON& hDst, CSize* pSize = NULL);
// The colours of the four corner pixels: top-left, top-right, bottom-right,
// bottom-left.
EXTKIT_API void __cdecl GetBkColorBitmap(HBITMAP hBitmap, COLORREF acrCorners[4]);

// A framework bitmap that holds a bitmap, an icon or nothing. Every load
// first frees what the object held, except that Load and LoadBMP keep it when
// the data are not of their kind.
class EXTKIT_API CBitmapEx : public CBitmap {
    DECLARE_DYNAMIC(CBitmapEx)
public:
    CBitmapEx();
    // Destroys the icon; the base deletes the bitmap.
    virtual ~CBitmapEx();

    // A bitmap file image (the bits where its file header says) or an icon
    // file image (its first image as an icon, else as a bitmap of its colour
    // part, for which the image's height in the data is halved in place).
    bool Load(CByteArray& arrData);
    // A bitmap file image whose bits follow its header and colour table.
    bool LoadBMP(CByteArray& arrData);
    // An icon file image: the image whose size is closest to the system icon
    // size, as an icon.
    bool LoadICO(CByteArray& arrData);
    // A .bmp file as a bitmap or a .ico file as an icon of the system icon
    // size, by the file's extension in any case; other files give FALSE.
    BOOL LoadBMPFromFile(LPCTSTR lpszPath);

    // A new icon of cx x cy (0 for either: the system icon size) made from
    // what the object holds; the caller destroys it. Null on failure.
    HICON MakeIcon(int cx = 0, int cy = 0);
    // The size of the held bitmap, else of the held icon.
    CSize GetSize() const;
    // Shrinks the held image to fit cx x cy (see FitImageSize); a larger box
    // changes nothing.
    void SetSize(int cx, int cy, bool bKeepAspect = true);
    // Adds the held image to the list: an icon as it is, a bitmap copied at
    // cx x cy with the colour of its corners that counts as transparent
    // (ChooseMaskColor). The image's index, or -1.
    int AddToImageList(CImageList& list, int cx, int cy);
    // Copies what pSource holds, at *pSize when given (never enlarged).
    bool CopyBmp(const CBitmapEx* pSource, CSize* pSize = NULL);
    HICON GetIcon() const { return m_hIcon; }

protected:
    // Frees the bitmap and the icon.
    void Release();
    // A bitmap for the display from a checked header (followed by its colour
    // table) and its bits, held by the object.
    bool CreateFromDib(const BYTE* pHeader, const CDibLayout& layout, const BYTE* pBits);

    HICON m_hIcon;
};
