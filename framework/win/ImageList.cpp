// The image list wrapper.
#include "win/ImageList.h"
#include "win/HandleMap.h"
#include "win/ModuleState.h"
#include "win/Wnd.h"

namespace {
thread_local CHandleMap<HIMAGELIST, CImageList> t_mapImageList;
}  // namespace

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::CImageList() : m_hImageList(NULL) {}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return NULL;
    if (CImageList* pList = FromHandlePermanent(hImageList))
        return pList;
    return t_mapImageList.Temporary(
        hImageList, [](CImageList*) { return true; },
        [hImageList] {
            CImageList* pList = new CImageList;
            pList->m_hImageList = hImageList;
            return pList;
        });
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return hImageList != NULL ? t_mapImageList.LookupPermanent(hImageList) : NULL;
}

void PASCAL CImageList::DeleteTempMap()
{
    // The lists belong to someone else; only the wrappers go.
    t_mapImageList.DeleteTemporary([](CImageList* pList) { pList->m_hImageList = NULL; });
}

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList != NULL)
        return FALSE;
    HIMAGELIST hImageList = ::ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    if (hImageList == NULL)
        return FALSE;
    if (!Attach(hImageList)) {
        ::ImageList_Destroy(hImageList);
        return FALSE;
    }
    return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (m_hImageList != NULL || lpszBitmapID == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    HIMAGELIST hImageList =
        ::ImageList_LoadImageA(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_DEFAULTCOLOR);
    if (hImageList == NULL)
        return FALSE;
    if (!Attach(hImageList)) {
        ::ImageList_Destroy(hImageList);
        return FALSE;
    }
    return TRUE;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL || m_hImageList != NULL || !t_mapImageList.SetPermanent(hImageList, this))
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

CImageList* AFXAPI AfxNewImageList(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return NULL;
    CImageList* pList = new CImageList;
    if (!pList->Attach(hImageList)) {
        delete pList;
        ::ImageList_Destroy(hImageList);
        return NULL;
    }
    return pList;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL)
        t_mapImageList.RemovePermanent(hImageList, this);
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const
{
    return m_hImageList != NULL ? ::ImageList_GetImageCount(m_hImageList) : 0;
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ::ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const
{
    return ::ImageList_GetBkColor(m_hImageList);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ::ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == NULL || pbmImage == NULL)
        return -1;
    return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                           pbmMask != NULL ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (m_hImageList == NULL || pbmImage == NULL)
        return -1;
    return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

int CImageList::Add(HICON hIcon)
{
    if (m_hImageList == NULL || hIcon == NULL)
        return -1;
    return ::ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return m_hImageList != NULL && ::ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (m_hImageList == NULL || pbmImage == NULL)
        return FALSE;
    return ::ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                               pbmMask != NULL ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : NULL);
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    if (m_hImageList == NULL || hIcon == NULL)
        return -1;
    return ::ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

HICON CImageList::ExtractIcon(int nImage)
{
    if (m_hImageList == NULL)
        return NULL;
    return ::ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (m_hImageList == NULL || pDC == NULL)
        return FALSE;
    return ::ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore)
{
    if (m_hImageList == NULL || pDC == NULL)
        return FALSE;
    IMAGELISTDRAWPARAMS params = {};
    params.cbSize = sizeof(params);
    params.himl = m_hImageList;
    params.i = nImage;
    params.hdcDst = pDC->GetSafeHdc();
    params.x = pt.x;
    params.y = pt.y;
    params.cx = sz.cx;
    params.cy = sz.cy;
    params.xBitmap = ptOrigin.x;
    params.yBitmap = ptOrigin.y;
    params.rgbBk = rgbBack;
    params.rgbFg = rgbFore;
    params.fStyle = fStyle;
    params.dwRop = dwRop;
    return ::ImageList_DrawIndirect(&params);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return m_hImageList != NULL && ::ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return m_hImageList != NULL && ::ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ::ImageList_DragEnter(pWndLock != NULL ? pWndLock->m_hWnd : NULL, point.x, point.y);
}

BOOL PASCAL CImageList::DragMove(CPoint pt)
{
    return ::ImageList_DragMove(pt.x, pt.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
    return ::ImageList_DragLeave(pWndLock != NULL ? pWndLock->m_hWnd : NULL);
}

void PASCAL CImageList::EndDrag()
{
    ::ImageList_EndDrag();
}

BOOL PASCAL CImageList::DragShowNolock(BOOL bShow)
{
    return ::ImageList_DragShowNolock(bShow);
}

BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot)
{
    return m_hImageList != NULL && ::ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
}

CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    return FromHandle(::ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}
