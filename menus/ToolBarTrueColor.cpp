// The true-colour toolbar.
#include "menus/ToolBarTrueColor.h"

CToolBarTrueColor::CToolBarTrueColor() : m_bImageListsMode(FALSE), m_crMask(RGB(255, 0, 255)) {}

CToolBarTrueColor::~CToolBarTrueColor()
{
    // The control goes before the bitmap and the lists it draws from.
    DestroyWindow();
}

int CToolBarTrueColor::LoadToolBar(UINT nIDToolBar, UINT nIDNormal, UINT nIDDisabled, UINT nIDHot, COLORREF crMask)
{
    m_crMask = crMask;
    if (!CToolBar::LoadToolBar(nIDToolBar))
        return FALSE;
    return LoadImageTrueColor(nIDNormal, nIDDisabled, nIDHot) != 0;
}

int CToolBarTrueColor::AddBitmap(int nButtons, UINT nIDNormal, UINT nIDDisabled, UINT nIDHot)
{
    if (!m_bImageListsMode)
        return GetToolBarCtrl().AddBitmap(nButtons, nIDNormal);
    CBitmap bmpNormal, bmpDisabled, bmpHot;
    if (!bmpNormal.LoadBitmap(nIDNormal) || !bmpDisabled.LoadBitmap(nIDDisabled != 0 ? nIDDisabled : nIDNormal) ||
        !bmpHot.LoadBitmap(nIDHot != 0 ? nIDHot : nIDNormal))
        return 0;
    const int nIndex = m_ilNormal.Add(&bmpNormal, m_crMask);
    m_ilDisabled.Add(&bmpDisabled, m_crMask);
    m_ilHot.Add(&bmpHot, m_crMask);
    Invalidate();
    return nIndex;
}

int CToolBarTrueColor::AddBitmap(int nButtons, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return 0;
    if (!m_bImageListsMode)
        return GetToolBarCtrl().AddBitmap(nButtons, pBitmap);
    const int nIndex = m_ilNormal.Add(pBitmap, m_crMask);
    m_ilDisabled.Add(pBitmap, m_crMask);
    m_ilHot.Add(pBitmap, m_crMask);
    Invalidate();
    return nIndex;
}

int CToolBarTrueColor::LoadImageTrueColor(UINT nIDNormal, UINT nIDDisabled, UINT nIDHot)
{
    if (nIDNormal == 0)
        return 0;
    if (nIDDisabled == 0)
        return LoadBitmapImg(nIDNormal);
    const int nResult = LoadImgLists(nIDNormal, nIDDisabled, nIDHot != 0 ? nIDHot : nIDNormal);
    m_bImageListsMode = TRUE;
    return nResult;
}

int CToolBarTrueColor::InitImageList(CImageList& list, UINT nID)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nID))
        return 0;
    int nButtons = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if ((GetButtonStyle(i) & TBBS_SEPARATOR) == 0)
            ++nButtons;
    }
    // Without a button there is no width to cut the bitmap at.
    if (nButtons == 0)
        return 0;
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    list.DeleteImageList();
    if (!list.Create(bm.bmWidth / nButtons, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, nButtons))
        return 0;
    list.Add(&bitmap, m_crMask);
    return 1;
}

int CToolBarTrueColor::LoadImgLists(UINT nIDNormal, UINT nIDDisabled, UINT nIDHot)
{
    if (!InitImageList(m_ilNormal, nIDNormal) || !InitImageList(m_ilDisabled, nIDDisabled) ||
        !InitImageList(m_ilHot, nIDHot))
        return 0;
    CToolBarCtrl& ctrl = GetToolBarCtrl();
    ctrl.SetImageList(&m_ilNormal);
    ctrl.SetDisabledImageList(&m_ilDisabled);
    ctrl.SetHotImageList(&m_ilHot);
    Invalidate();
    return 1;
}

int CToolBarTrueColor::LoadBitmapImg(UINT nID)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nID))
        return 0;
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    // One image of the whole bitmap, drawn over the button face: its
    // transparent pixels take the face colour.
    CImageList list;
    if (!list.Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0) || list.Add(&bitmap, m_crMask) < 0)
        return 0;
    list.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    CClientDC dcScreen(NULL);
    CBitmap composed;
    CDC dcMem;
    if (!composed.CreateCompatibleBitmap(&dcScreen, bm.bmWidth, bm.bmHeight) || !dcMem.CreateCompatibleDC(&dcScreen))
        return 0;
    CBitmap* pOld = dcMem.SelectObject(&composed);
    ::ImageList_DrawEx(list.GetSafeHandle(), 0, dcMem.GetSafeHdc(), 0, 0, bm.bmWidth, bm.bmHeight, CLR_DEFAULT,
                       CLR_DEFAULT, ILD_NORMAL);
    dcMem.SelectObject(pOld);
    if (!SetBitmap(static_cast<HBITMAP>(composed.GetSafeHandle())))
        return 0;
    // The toolbar has its copy; the composed bitmap stays with the object.
    m_bmpToolBar.DeleteObject();
    m_bmpToolBar.Attach(composed.Detach());
    return 1;
}
