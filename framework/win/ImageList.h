// The image list: a set of same-sized images (with an optional mask) kept by
// the common controls. The object owns the list it holds and destroys it when
// the object goes, unless it was detached. A list that no object holds gets a
// temporary one from FromHandle, deleted at idle time with the window
// wrappers. The drag functions show one image dragged across the screen.
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

    // The object holding hImageList, a temporary one when none does; NULL
    // for a null handle.
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    // Deletes the temporary objects (their lists stay).
    static void PASCAL DeleteTempMap();

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
    // Draws image nImage at pt cut or stretched to sz from ptOrigin of the
    // image, with the ILD_ style, raster operation and colours (CLR_DEFAULT:
    // the list's own, CLR_NONE: none).
    BOOL DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle = ILD_NORMAL,
                      DWORD dwRop = SRCCOPY, COLORREF rgbBack = CLR_DEFAULT, COLORREF rgbFore = CLR_DEFAULT);
    // Image nOverlay (1 to 15) stands for image nImage in INDEXTOOVERLAYMASK.
    BOOL SetOverlayImage(int nImage, int nOverlay);

    // Dragging: BeginDrag starts with image nImage, its hot spot at ptHotSpot
    // (image coordinates); DragEnter shows it over pWndLock (NULL: the
    // desktop) at point, relative to that window's rectangle, and locks the
    // window against other drawing; DragMove moves it (the same coordinates);
    // DragLeave hides it and unlocks; EndDrag ends the drag and frees the
    // drag's copy of the image.
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
    static BOOL PASCAL DragMove(CPoint pt);
    static BOOL PASCAL DragLeave(CWnd* pWndLock);
    static void PASCAL EndDrag();
    // Shows or hides the image while the lock stays.
    static BOOL PASCAL DragShowNolock(BOOL bShow);
    // Combines the drag image with image nDrag of this list as the cursor.
    BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot);
    // The list being dragged (a temporary object) and where.
    static CImageList* PASCAL GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);
};

// A new object owning hImageList, for the controls' CreateDragImage: the
// caller deletes it. NULL for a null handle, or (the list destroyed) when the
// handle cannot be attached.
FRAMEWORK_API CImageList* AFXAPI AfxNewImageList(HIMAGELIST hImageList);
