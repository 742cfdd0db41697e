// Graphic objects and device contexts with their handle maps.
#include "win/Gdi.h"
#include "win/ModuleState.h"
#include "win/Wnd.h"

#include <cstdlib>
#include <cstring>
#include "win/HandleMap.h"
#include <vector>

namespace {

// Per thread, as the window map: an object is used by the thread that made it.
thread_local CHandleMap<HGDIOBJ, CGdiObject> t_mapGdi;
thread_local CHandleMap<HDC, CDC> t_mapDC;

CRuntimeClass* ClassOfObjectType(DWORD dwType)
{
    switch (dwType) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH:
        return RUNTIME_CLASS(CBrush);
    case OBJ_FONT:
        return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP:
        return RUNTIME_CLASS(CBitmap);
    case OBJ_REGION:
        return RUNTIME_CLASS(CRgn);
    case OBJ_PAL:
        return RUNTIME_CLASS(CPalette);
    default:
        return RUNTIME_CLASS(CGdiObject);
    }
}

CGdiObject* NewOfClass(CRuntimeClass* pClass)
{
    if (pClass == RUNTIME_CLASS(CPen))
        return new CPen;
    if (pClass == RUNTIME_CLASS(CBrush))
        return new CBrush;
    if (pClass == RUNTIME_CLASS(CFont))
        return new CFont;
    if (pClass == RUNTIME_CLASS(CBitmap))
        return new CBitmap;
    if (pClass == RUNTIME_CLASS(CRgn))
        return new CRgn;
    if (pClass == RUNTIME_CLASS(CPalette))
        return new CPalette;
    return new CGdiObject;
}

int StringLength(LPCTSTR lpszString, int nCount)
{
    if (lpszString == NULL)
        return 0;
    return nCount < 0 ? static_cast<int>(std::strlen(lpszString)) : nCount;
}

}  // namespace

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CGdiObject::CGdiObject() : m_hObject(NULL) {}

CGdiObject::~CGdiObject()
{
    DeleteObject();
    // Not deletable (still selected somewhere): the map must not keep a
    // dangling object anyway.
    if (m_hObject != NULL)
        Detach();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    if (CGdiObject* pObject = t_mapGdi.LookupPermanent(hObject))
        return pObject;
    return FromHandleOf(hObject, ClassOfObjectType(::GetObjectType(hObject)));
}

CGdiObject* PASCAL CGdiObject::FromHandleOf(HGDIOBJ hObject, CRuntimeClass* pClass)
{
    if (hObject == NULL)
        return NULL;
    CGdiObject* pObject = t_mapGdi.LookupPermanent(hObject);
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    // A temporary of another class is retired for one of the class asked.
    return t_mapGdi.Temporary(
        hObject, [pClass](CGdiObject* pTemp) { return pTemp->IsKindOf(pClass) != FALSE; },
        [hObject, pClass] {
            CGdiObject* pTemp = NewOfClass(pClass);
            pTemp->m_hObject = hObject;
            return pTemp;
        });
}

void PASCAL CGdiObject::DeleteTempMap()
{
    // The handles belong to someone else; only the wrappers go.
    t_mapGdi.DeleteTemporary([](CGdiObject* pObject) { pObject->m_hObject = NULL; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL || m_hObject != NULL)
        return FALSE;
    if (!t_mapGdi.SetPermanent(hObject, this))
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    if (!Attach(hObject)) {
        ::DeleteObject(hObject);
        return FALSE;
    }
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        t_mapGdi.RemovePermanent(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    // The handle stays ours when the system refuses to delete it.
    if (!::DeleteObject(m_hObject))
        return FALSE;
    Detach();
    return TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == NULL)
        return 0;
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject != NULL ? ::GetObjectType(m_hObject) : 0;
}

CPen* PASCAL CPen::FromHandle(HPEN hPen)
{
    return static_cast<CPen*>(FromHandleOf(hPen, RUNTIME_CLASS(CPen)));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (m_hObject != NULL)
        return FALSE;
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    if (m_hObject != NULL || lpLogPen == NULL)
        return FALSE;
    return AttachNew(::CreatePenIndirect(lpLogPen));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (m_hObject != NULL || pLogBrush == NULL)
        return FALSE;
    return AttachNew(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                    static_cast<DWORD>(nStyleCount), lpStyle));
}

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush)
{
    return static_cast<CBrush*>(FromHandleOf(hBrush, RUNTIME_CLASS(CBrush)));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject != NULL)
        return FALSE;
    return AttachNew(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    if (m_hObject != NULL)
        return FALSE;
    return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject != NULL)
        return FALSE;
    HBRUSH hBrush = ::GetSysColorBrush(nIndex);
    // Shared with every other user of the colour: never deleted on failure.
    return hBrush != NULL && Attach(hBrush);
}

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return static_cast<CFont*>(FromHandleOf(hFont, RUNTIME_CLASS(CFont)));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (m_hObject != NULL || lpLogFont == NULL)
        return FALSE;
    return AttachNew(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != NULL)
        ::lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (m_hObject != NULL || lpLogFont == NULL)
        return FALSE;
    HDC hDC = pDC != NULL ? pDC->m_hDC : NULL;
    BOOL bScreen = hDC == NULL;
    if (bScreen)
        hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;
    // Tenths of a point to device pixels, then to the context's logical units;
    // the negative height asks for the character height, not the cell's.
    LOGFONT logFont = *lpLogFont;
    POINT aPoints[2] = {{0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)}, {0, 0}};
    ::DPtoLP(hDC, aPoints, 2);
    logFont.lfHeight = -std::abs(aPoints[0].y - aPoints[1].y);
    if (bScreen)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap)
{
    return static_cast<CBitmap*>(FromHandleOf(hBitmap, RUNTIME_CLASS(CBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    if (m_hObject != NULL)
        return FALSE;
    return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject != NULL || pDC == NULL || pDC->m_hDC == NULL)
        return FALSE;
    return AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (m_hObject != NULL || lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return AttachNew(::LoadBitmapA(hInst, lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    if (m_hObject != NULL)
        return FALSE;
    return AttachNew(::LoadBitmapA(NULL, MAKEINTRESOURCEA(nIDBitmap)));
}

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn)
{
    return static_cast<CRgn*>(FromHandleOf(hRgn, RUNTIME_CLASS(CRgn)));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != NULL)
        return FALSE;
    return AttachNew(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    if (lpRect == NULL)
        return FALSE;
    return CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (m_hObject == NULL || pRgn1 == NULL)
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject),
                        pRgn2 != NULL ? static_cast<HRGN>(pRgn2->m_hObject) : NULL, nCombineMode);
}

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
    return static_cast<CPalette*>(FromHandleOf(hPalette, RUNTIME_CLASS(CPalette)));
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    if (m_hObject != NULL || lpLogPalette == NULL)
        return FALSE;
    return AttachNew(::CreatePalette(lpLogPalette));
}

CDC::CDC() : m_hDC(NULL) {}

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    if (hDC == NULL)
        return NULL;
    if (CDC* pDC = t_mapDC.LookupPermanent(hDC))
        return pDC;
    return t_mapDC.Temporary(
        hDC, [](CDC*) { return true; },
        [hDC] {
            CDC* pDC = new CDC;
            pDC->m_hDC = hDC;
            return pDC;
        });
}

void PASCAL CDC::DeleteTempMap()
{
    t_mapDC.DeleteTemporary([](CDC* pDC) { pDC->m_hDC = NULL; });
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL || m_hDC != NULL)
        return FALSE;
    if (!t_mapDC.SetPermanent(hDC, this))
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        t_mapDC.RemovePermanent(hDC, this);
    m_hDC = NULL;
    return hDC;
}

void CDC::AttachShared(HDC hDC)
{
    // A class or own context comes back the same to a nested wrapper: that
    // one uses it without taking it from the first.
    if (hDC != NULL && !Attach(hDC) && m_hDC == NULL)
        m_hDC = hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC != NULL)
        return FALSE;
    HDC hDC = ::CreateCompatibleDC(pDC != NULL ? pDC->m_hDC : NULL);
    if (hDC == NULL)
        return FALSE;
    if (!Attach(hDC)) {
        ::DeleteDC(hDC);
        return FALSE;
    }
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

CGdiObject* PASCAL CDC::SelectedBefore(HGDIOBJ hOld, CRuntimeClass* pClass)
{
    if (hOld == NULL || hOld == HGDI_ERROR)
        return NULL;
    return CGdiObject::FromHandleOf(hOld, pClass);
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (pPen == NULL || pPen->m_hObject == NULL)
        return NULL;
    return static_cast<CPen*>(SelectedBefore(::SelectObject(m_hDC, pPen->m_hObject), RUNTIME_CLASS(CPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (pBrush == NULL || pBrush->m_hObject == NULL)
        return NULL;
    return static_cast<CBrush*>(SelectedBefore(::SelectObject(m_hDC, pBrush->m_hObject), RUNTIME_CLASS(CBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (pFont == NULL || pFont->m_hObject == NULL)
        return NULL;
    return static_cast<CFont*>(SelectedBefore(::SelectObject(m_hDC, pFont->m_hObject), RUNTIME_CLASS(CFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->m_hObject == NULL)
        return NULL;
    return static_cast<CBitmap*>(SelectedBefore(::SelectObject(m_hDC, pBitmap->m_hObject), RUNTIME_CLASS(CBitmap)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == NULL || pObject->m_hObject == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hDC, pObject->m_hObject);
    // A region answers with its type, not with a previous object.
    if (::GetObjectType(pObject->m_hObject) == OBJ_REGION || hOld == HGDI_ERROR)
        return NULL;
    return CGdiObject::FromHandle(hOld);
}

int CDC::SelectObject(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn != NULL ? static_cast<HRGN>(pRgn->m_hObject) : NULL);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hStock = ::GetStockObject(nIndex);
    if (hStock == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hStock);
    if (hOld == HGDI_ERROR)
        return NULL;
    return CGdiObject::FromHandle(hOld);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString != NULL ? lpszString : "", StringLength(lpszString, nCount));
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (lpRect == NULL)
        return 0;
    // DT_MODIFYSTRING writes into the text; the caller's string is not ours to change.
    return ::DrawTextA(m_hDC, lpszString != NULL ? lpszString : "", StringLength(lpszString, nCount), lpRect,
                       nFormat & ~static_cast<UINT>(DT_MODIFYSTRING));
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString != NULL ? lpszString : "", StringLength(lpszString, nCount), &size);
    return CSize(size);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect == NULL || pBrush == NULL)
        return;
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    if (lpRect == NULL)
        return;
    // An opaque empty text fills its rectangle with the background colour:
    // no brush to make and free.
    COLORREF crOld = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    if (crOld != CLR_INVALID)
        ::SetBkColor(m_hDC, crOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, crColor);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT point = {0, 0};
    ::MoveToEx(m_hDC, x, y, &point);
    return CPoint(point);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != NULL ? pSrcDC->m_hDC : NULL, xSrc, ySrc, dwRop);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect == NULL)
        return;
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (cx <= 0 || cy <= 0)
        return;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != NULL ? pSrcDC->m_hDC : NULL, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (pPalette == NULL || pPalette->m_hObject == NULL)
        return NULL;
    HPALETTE hOld = ::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->m_hObject), bForceBackground);
    return static_cast<CPalette*>(SelectedBefore(hOld, RUNTIME_CLASS(CPalette)));
}

CPoint CDC::GetWindowOrg() const
{
    POINT point = {0, 0};
    ::GetWindowOrgEx(m_hDC, &point);
    return CPoint(point);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT point = {0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &point);
    return CPoint(point);
}

CPoint CDC::GetViewportOrg() const
{
    POINT point = {0, 0};
    ::GetViewportOrgEx(m_hDC, &point);
    return CPoint(point);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT point = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &point);
    return CPoint(point);
}

CSize CDC::GetWindowExt() const
{
    SIZE size = {0, 0};
    ::GetWindowExtEx(m_hDC, &size);
    return CSize(size);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = {0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &size);
    return CSize(size);
}

CSize CDC::GetViewportExt() const
{
    SIZE size = {0, 0};
    ::GetViewportExtEx(m_hDC, &size);
    return CSize(size);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = {0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &size);
    return CSize(size);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    std::memset(&m_ps, 0, sizeof(m_ps));
    if (m_hWnd != NULL)
        AttachShared(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != NULL) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    AttachShared(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != NULL ? pWnd->m_hWnd : NULL)
{
    AttachShared(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}
