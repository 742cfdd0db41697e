// The image list: a set of same-sized images (with an optional mask) kept by
// the common controls. The object owns the list it holds and destroys it when
// the object goes, unless it was detached.
#pragma once

#include "win/Platform.h"
#include "core/Object.h"
#include "win/Gdi.h"

class FRAMEWORK_API CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList();
    virtual ~CImageList();

    HIMAGELIST m_hImageList;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    // An empty list of cx x cy images (ILC_ flags), room for nInitial and
    // growing by nGrow. FALSE when this object already holds a list.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A list made of a bitmap resource cut into images cx wide; pixels of
    // crMask become transparent (CLR_NONE: no mask). The bitmap is looked up
    // from the current resource module through the extension modules.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);

    // FALSE for a null handle or when this object already holds a list.
    BOOL Attach(HIMAGELIST hImageList);
    // Gives the list up without destroying it.
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;

    // Each adds as many images as the bitmap is wide; the index of the first,
    // -1 on failure. The bitmaps stay the caller's.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    // Pixels of crMask become transparent.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    // The icon stays the caller's.
    int Add(HICON hIcon);
    // -1 removes every image.
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);

    // A new icon made of image nImage and its mask; the caller destroys it
    // (DestroyIcon). NULL on failure.
    HICON ExtractIcon(int nImage);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};
