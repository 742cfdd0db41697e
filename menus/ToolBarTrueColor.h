// CToolBarTrueColor: a toolbar whose button images may have more than 16
// colours. In single-bitmap mode one high-colour bitmap is drawn onto the
// button face, its transparent colour becoming the face colour; in
// image-lists mode the normal, disabled and hot images come from three
// bitmaps through three image lists. The toolbar turns to image-lists mode
// for good once it is given a disabled bitmap.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CToolBarTrueColor : public CToolBar {
public:
    CToolBarTrueColor();
    virtual ~CToolBarTrueColor();

    // The toolbar resource's buttons, then the images: single-bitmap mode
    // from nIDNormal when nIDDisabled is 0, else image lists (a zero nIDHot
    // takes the normal bitmap). crMask is the colour that counts as
    // transparent. TRUE only when both steps succeed.
    int LoadToolBar(UINT nIDToolBar, UINT nIDNormal, UINT nIDDisabled = 0, UINT nIDHot = 0,
                    COLORREF crMask = RGB(255, 0, 255));
    // Adds the images of nButtons buttons. In image-lists mode a zero
    // disabled or hot bitmap stands for the normal one, and the images are
    // added only when all three bitmaps load: the index of the first in the
    // normal list, or 0. Otherwise the toolbar control adds the normal
    // bitmap's images.
    int AddBitmap(int nButtons, UINT nIDNormal, UINT nIDDisabled, UINT nIDHot);
    // The same bitmap for all three lists in image-lists mode; 0 for none.
    int AddBitmap(int nButtons, CBitmap* pBitmap);
    int IsImageListsMode() const { return m_bImageListsMode; }

protected:
    int LoadImageTrueColor(UINT nIDNormal, UINT nIDDisabled, UINT nIDHot);
    int LoadBitmapImg(UINT nID);
    int LoadImgLists(UINT nIDNormal, UINT nIDDisabled, UINT nIDHot);
    // One list from a bitmap cut into as many images as the toolbar has
    // buttons that are not separators; 0 when the bitmap does not load or
    // there are no such buttons.
    int InitImageList(CImageList& list, UINT nID);

    BOOL m_bImageListsMode;
    COLORREF m_crMask;
    CBitmap m_bmpToolBar;  // the composed images of single-bitmap mode
    CImageList m_ilNormal;
    CImageList m_ilDisabled;
    CImageList m_ilHot;
};
