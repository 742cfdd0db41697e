#include "controls/TreeColorPrnCtrl.h"

#include <cstring>

#include "controls/TreeColorPrnPages.h"

namespace {

const COLORREF kNoColor = 0xFFFFFFFF;
// The largest picture the clipboard gets: beyond it many programs cannot
// take a bitmap, and making one would cost memory in proportion to the tree.
const int kMaxClipboardSide = 32767;

// A monochrome mask of pSource's pixels of crWindow (white, 1) against all
// others (black, 0), selected into dcMask.
BOOL MakeWindowColourMask(CDC& dcSource, int nWidth, int nHeight, COLORREF crWindow, CDC& dcMask, CBitmap& mask)
{
    if (!dcMask.CreateCompatibleDC(&dcSource) || !mask.CreateBitmap(nWidth, nHeight, 1, 1, NULL))
        return FALSE;
    dcMask.SelectObject(&mask);
    const COLORREF crOldBk = dcSource.SetBkColor(crWindow);
    dcMask.BitBlt(0, 0, nWidth, nHeight, &dcSource, 0, 0, SRCCOPY);
    dcSource.SetBkColor(crOldBk);
    return TRUE;
}

// The control's font as a LOGFONT, the GUI font when it has none.
void GetControlFont(CWnd& wnd, LOGFONT& lf)
{
    std::memset(&lf, 0, sizeof(lf));
    CFont* pFont = wnd.GetFont();
    if (pFont == NULL || pFont->GetLogFont(&lf) == 0)
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
}

// Where the pixels of a packed bitmap begin: after the header, the colour
// table (biClrUsed entries, else 2^bits up to 8 bits) and, for
// BI_BITFIELDS, the three masks.
const BYTE* DIBBits(const BITMAPINFOHEADER* pHeader)
{
    DWORD nColors = pHeader->biClrUsed;
    if (nColors == 0 && pHeader->biBitCount <= 8)
        nColors = 1u << pHeader->biBitCount;
    DWORD nOffset = pHeader->biSize + nColors * sizeof(RGBQUAD);
    if (pHeader->biCompression == BI_BITFIELDS)
        nOffset += 3 * sizeof(DWORD);
    return reinterpret_cast<const BYTE*>(pHeader) + nOffset;
}

}  // namespace

IMPLEMENT_DYNCREATE(CTreeColorPrnCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CTreeColorPrnCtrl, CTreeCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTreeColorPrnCtrl::CTreeColorPrnCtrl()
    : m_crBkColor(::GetSysColor(COLOR_WINDOW)), m_mapColorFont(10), m_rcTree(0, 0, 0, 0), m_nAveCharWidth(0),
      m_nItemHeight(0), m_nRowsPerPage(0), m_hDIB(NULL), m_nPrintItems(0), m_hFirstVisibleSaved(NULL)
{
    std::memset(&m_wpSaved, 0, sizeof(m_wpSaved));
}

CTreeColorPrnCtrl::~CTreeColorPrnCtrl()
{
    FreeDIB();
}

void CTreeColorPrnCtrl::FreeDIB()
{
    if (m_hDIB != NULL)
        ::GlobalFree(m_hDIB);
    m_hDIB = NULL;
}

// ---------------------------------------------------------------- looks

COLORREF CTreeColorPrnCtrl::getItemColor(HTREEITEM hItem)
{
    Color_Font look;
    return m_mapColorFont.Lookup(hItem, look) ? look.color : kNoColor;
}

bool CTreeColorPrnCtrl::isItemBold(HTREEITEM hItem)
{
    return (GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD) != 0;
}

void CTreeColorPrnCtrl::setItemBold(HTREEITEM hItem, BOOL bBold)
{
    SetItemState(hItem, bBold ? TVIS_BOLD : 0, TVIS_BOLD);
}

void CTreeColorPrnCtrl::setItemColor(HTREEITEM hItem, COLORREF color)
{
    Color_Font look;
    if (!m_mapColorFont.Lookup(hItem, look))
        std::memset(&look.logfont, 0, sizeof(look.logfont));
    look.color = color;
    m_mapColorFont.SetAt(hItem, look);
}

void CTreeColorPrnCtrl::setItemFont(HTREEITEM hItem, LOGFONT& lf)
{
    Color_Font look;
    if (!m_mapColorFont.Lookup(hItem, look))
        look.color = kNoColor;
    look.logfont = lf;
    m_mapColorFont.SetAt(hItem, look);
}

bool CTreeColorPrnCtrl::setItemFont(HTREEITEM hItem, LOGFONT* plf)
{
    Color_Font look;
    if (plf == NULL || !m_mapColorFont.Lookup(hItem, look) || look.logfont.lfFaceName[0] == '\0')
        return false;
    *plf = look.logfont;
    return true;
}

void CTreeColorPrnCtrl::setBkColor(COLORREF color)
{
    m_crBkColor = color;
}

// ---------------------------------------------------------------- painting

BOOL CTreeColorPrnCtrl::OnEraseBkgnd(CDC*)
{
    // The painting covers everything; the default erase would only flicker.
    return m_crBkColor != ::GetSysColor(COLOR_WINDOW);
}

void CTreeColorPrnCtrl::OnPaint()
{
    if (m_crBkColor == ::GetSysColor(COLOR_WINDOW)) {
        Default();
        if (!m_mapColorFont.IsEmpty()) {
            CClientDC dc(this);
            _showItems(dc, kNoColor);
        }
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    _paint(dc, &rcClient);
    dc.ExcludeClipRect(&rcClient);
}

void CTreeColorPrnCtrl::_showItems(CDC& dc, COLORREF crFill)
{
    const COLORREF crOldBk = dc.GetBkColor();
    const COLORREF crOldText = dc.GetTextColor();
    const UINT nMax = GetVisibleCount() + 1;
    HTREEITEM hItem = GetFirstVisibleItem();
    for (UINT i = 0; i < nMax && hItem != NULL; ++i, hItem = GetNextVisibleItem(hItem)) {
        Color_Font look;
        if ((GetItemState(hItem, TVIS_SELECTED | TVIS_DROPHILITED) & (TVIS_SELECTED | TVIS_DROPHILITED)) != 0 ||
            !m_mapColorFont.Lookup(hItem, look))
            continue;
        CRect rcText;
        if (!GetItemRect(hItem, &rcText, TRUE))
            continue;
        if (crFill != kNoColor) {
            dc.FillSolidRect(&rcText, crFill);
            continue;
        }
        LOGFONT lf = look.logfont;
        if (lf.lfFaceName[0] == '\0')
            GetControlFont(*this, lf);
        if (isItemBold(hItem))
            lf.lfWeight = FW_BOLD;
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* pOldFont = dc.SelectObject(&font);
        if (look.color != kNoColor)
            dc.SetTextColor(look.color);
        dc.SetBkColor(m_crBkColor);
        dc.TextOut(rcText.left + 2, rcText.top + 1, GetItemText(hItem));
        if (pOldFont != NULL)
            dc.SelectObject(pOldFont);
    }
    dc.SetBkColor(crOldBk);
    dc.SetTextColor(crOldText);
}

void CTreeColorPrnCtrl::_paint(CDC& dc, CRect*)
{
    CRect rc;
    GetClientRect(&rc);
    const int cx = rc.Width(), cy = rc.Height();
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    CDC dcMem;
    CBitmap picture;
    if (cx <= 0 || cy <= 0 || !dcMem.CreateCompatibleDC(&dc) || !picture.CreateCompatibleBitmap(&dc, cx, cy))
        return;
    CBitmap* pOldPicture = dcMem.SelectObject(&picture);
    CRgn rgnClip;
    rgnClip.CreateRectRgnIndirect(&rc);
    dcMem.SelectClipRgn(&rgnClip);

    // The tree draws itself into memory; what it drew is up to date.
    Invalidate(TRUE);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dcMem.m_hDC), 0);
    ValidateRect(NULL);

    CDC dcMask;
    CBitmap mask;
    if (MakeWindowColourMask(dcMem, cx, cy, crWindow, dcMask, mask)) {
        dc.FillSolidRect(&rc, m_crBkColor);
        // The window-coloured pixels of the picture go black...
        dcMem.SetBkColor(RGB(0, 0, 0));
        dcMem.SetTextColor(RGB(255, 255, 255));
        dcMem.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, SRCAND);
        // ...the tree's own pixels are cut out of the new background, and
        // the picture fills them.
        const COLORREF crOldBk = dc.SetBkColor(RGB(255, 255, 255));
        const COLORREF crOldText = dc.SetTextColor(RGB(0, 0, 0));
        dc.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, SRCAND);
        dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCPAINT);
        dc.SetBkColor(crOldBk);
        dc.SetTextColor(crOldText);
    }
    dcMem.SelectObject(pOldPicture);
}

// ---------------------------------------------------------------- printing

void CTreeColorPrnCtrl::GetPages(CDC* pDC, CTreeColorPrnPages& pages) const
{
    CClientDC dcScreen(NULL);
    pages.m_nItems = m_nPrintItems;
    pages.m_nItemHeight = m_nItemHeight;
    pages.m_nAveCharWidth = m_nAveCharWidth;
    pages.m_nScreenDpiX = dcScreen.GetDeviceCaps(LOGPIXELSX);
    pages.m_nScreenDpiY = dcScreen.GetDeviceCaps(LOGPIXELSY);
    pages.m_nPrinterDpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    pages.m_nPrinterDpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    pages.m_nPrinterWidth = pDC->GetDeviceCaps(HORZRES);
    pages.m_nPrinterHeight = pDC->GetDeviceCaps(VERTRES);
}

void CTreeColorPrnCtrl::OnPrepareDC(CDC* pDC, CPrintInfo*)
{
    if (pDC == NULL)
        return;
    CClientDC dcScreen(NULL);
    const int nScreen = dcScreen.GetDeviceCaps(LOGPIXELSX);
    const int nPrinter = pDC->GetDeviceCaps(LOGPIXELSX);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(nScreen, nScreen);
    pDC->SetViewportExt(nPrinter, nPrinter);
}

void CTreeColorPrnCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    FreeDIB();
    m_arrPageFirstItems.RemoveAll();
    if (pDC == NULL || pInfo == NULL || m_hWnd == NULL)
        return;

    // The row height is the rows' pitch: an item's rectangle may be a pixel
    // short of it, and rows counted so would lose the last ones of a page.
    // A tree without items still has a row height.
    HTREEITEM hRoot = GetRootItem();
    CRect rcItem;
    if (hRoot != NULL && GetItemRect(hRoot, &rcItem, TRUE)) {
        m_rcTree = rcItem;
        m_nItemHeight = GetItemHeight() > 0 ? GetItemHeight() : rcItem.Height();
    } else {
        hRoot = NULL;
        m_rcTree.SetRectEmpty();
        m_nItemHeight = GetItemHeight();
    }
    {
        CClientDC dc(this);
        LOGFONT lf;
        GetControlFont(*this, lf);
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* pOldFont = dc.SelectObject(&font);
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        m_nAveCharWidth = tm.tmAveCharWidth;
        if (pOldFont != NULL)
            dc.SelectObject(pOldFont);
    }
    CTreeColorPrnPages pages;
    GetPages(pDC, pages);
    m_nRowsPerPage = pages.GetRowsPerPage();

    // Every row, each page's first one remembered for printing it later.
    int nItems = 0;
    for (HTREEITEM hItem = hRoot; hItem != NULL; hItem = GetNextVisibleItem(hItem), ++nItems) {
        if (nItems % m_nRowsPerPage == 0)
            m_arrPageFirstItems.Add(hItem);
        CRect rcText;
        if (GetItemRect(hItem, &rcText, TRUE) && rcText.right > m_rcTree.right)
            m_rcTree.right = rcText.right;
    }
    m_nPrintItems = nItems;
    m_rcTree.left = 0;
    m_rcTree.top = 0;
    int nMin = 0, nMax = 0;
    GetScrollRange(SB_HORZ, &nMin, &nMax);
    if (nMax > m_rcTree.right)
        m_rcTree.right = nMax + 1;
    m_rcTree.bottom = m_nItemHeight * nItems;
    pages.m_nItems = nItems;
    pages.m_nAveCharWidth = m_nAveCharWidth;
    pInfo->SetMaxPage(static_cast<UINT>(pages.GetPageCount()));

    GetWindowPlacement(&m_wpSaved);
    m_hFirstVisibleSaved = GetFirstVisibleItem();
    CopyTreeToClipboard(pages);
}

BOOL CTreeColorPrnCtrl::RenderBand(const CTreeColorPrnPages& pages, int nPage, CBitmap& bitmap)
{
    int nTop = 0, nHeight = 0;
    const int nWidth = m_rcTree.Width();
    if (!pages.GetBand(nPage, nTop, nHeight) || nHeight <= 0 || nWidth <= 0 || nPage > m_arrPageFirstItems.GetSize())
        return FALSE;
    // The control is the band's size, with room for a vertical bar should the
    // tree show one after all, and scrolled to the band's first row.
    const int cx = nWidth + 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL);
    const int cy = nHeight + 2 * ::GetSystemMetrics(SM_CYEDGE);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rcWindow.Width() != cx || rcWindow.Height() != cy)
        SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ShowScrollBar(SB_BOTH, FALSE);
    // A tree may bring a bar back when it lays itself out: the window grows
    // by what the bar takes, so that the band's rows all fit.
    for (int nTry = 0; nTry < 2; ++nTry) {
        CRect rcClient;
        GetClientRect(&rcClient);
        const int dx = nWidth - rcClient.Width(), dy = nHeight - rcClient.Height();
        if (dx <= 0 && dy <= 0)
            break;
        GetWindowRect(&rcWindow);
        SetWindowPos(NULL, 0, 0, rcWindow.Width() + (dx > 0 ? dx : 0), rcWindow.Height() + (dy > 0 ? dy : 0),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOMOVE);
    }
    HTREEITEM hFirst = m_arrPageFirstItems[nPage - 1];
    SelectSetFirstVisible(hFirst);
    if (GetFirstVisibleItem() != hFirst)
        return FALSE;

    CClientDC dc(this);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, nWidth, nHeight))
        return FALSE;
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    const COLORREF crTreeBk = GetBkColor();
    dcMem.FillSolidRect(0, 0, nWidth, nHeight, crTreeBk == CLR_NONE ? ::GetSysColor(COLOR_WINDOW) : crTreeBk);
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dcMem.m_hDC), 0);
    dcMem.SelectObject(pOld);
    return TRUE;
}

void CTreeColorPrnCtrl::CopyTreeToClipboard(const CTreeColorPrnPages& pages)
{
    const int nWidth = m_rcTree.Width(), nHeight = m_rcTree.Height();
    if (nWidth <= 0 || nHeight <= 0 || nWidth > kMaxClipboardSide || nHeight > kMaxClipboardSide)
        return;
    // One bottom-up 32-bit DIB; each band's rows land where they belong.
    const SIZE_T nStride = static_cast<SIZE_T>(nWidth) * 4;
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + nStride * nHeight);
    if (hDIB == NULL)
        return;
    BOOL bMade = FALSE;
    if (BITMAPINFOHEADER* pHeader = static_cast<BITMAPINFOHEADER*>(::GlobalLock(hDIB))) {
        std::memset(pHeader, 0, sizeof(*pHeader));
        pHeader->biSize = sizeof(BITMAPINFOHEADER);
        pHeader->biWidth = nWidth;
        pHeader->biHeight = nHeight;
        pHeader->biPlanes = 1;
        pHeader->biBitCount = 32;
        pHeader->biCompression = BI_RGB;
        BYTE* pBits = reinterpret_cast<BYTE*>(pHeader + 1);
        CClientDC dcScreen(NULL);
        bMade = TRUE;
        for (int nPage = 1; bMade && nPage <= pages.GetPageCount(); ++nPage) {
            int nTop = 0, nBand = 0;
            pages.GetBand(nPage, nTop, nBand);
            CBitmap band;
            bMade = RenderBand(pages, nPage, band);
            if (!bMade)
                break;
            BITMAPINFOHEADER bandHeader = *pHeader;
            bandHeader.biHeight = nBand;
            bMade = ::GetDIBits(dcScreen.m_hDC, static_cast<HBITMAP>(band.m_hObject), 0, static_cast<UINT>(nBand),
                                pBits + nStride * (nHeight - nTop - nBand), reinterpret_cast<BITMAPINFO*>(&bandHeader),
                                DIB_RGB_COLORS) == nBand;
        }
        ::GlobalUnlock(hDIB);
    }
    if (bMade && ::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_DIB, hDIB) != NULL)
            hDIB = NULL;
        ::CloseClipboard();
    }
    if (hDIB != NULL)
        ::GlobalFree(hDIB);
}

void CTreeColorPrnCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    FreeDIB();
    if (pDC == NULL || pInfo == NULL)
        return;
    CTreeColorPrnPages pages;
    GetPages(pDC, pages);
    const int nPage = static_cast<int>(pInfo->m_nCurPage);
    int nTop = 0, nHeight = 0;
    if (!pages.GetBand(nPage, nTop, nHeight))
        return;
    if (nHeight > 0) {
        // The band on white: the window-coloured pixels of the tree's drawing
        // turn white, the rest stays as drawn.
        CBitmap band;
        if (!RenderBand(pages, nPage, band))
            return;
        CDC dcBand, dcMask;
        CBitmap mask;
        dcBand.CreateCompatibleDC(NULL);
        CBitmap* pOld = dcBand.SelectObject(&band);
        if (MakeWindowColourMask(dcBand, m_rcTree.Width(), nHeight, ::GetSysColor(COLOR_WINDOW), dcMask, mask)) {
            dcBand.SetBkColor(RGB(0, 0, 0));
            dcBand.SetTextColor(RGB(255, 255, 255));
            dcBand.BitBlt(0, 0, m_rcTree.Width(), nHeight, &dcMask, 0, 0, MERGEPAINT);
        }
        dcBand.SelectObject(pOld);
        m_hDIB = DDBToDIB(band, BI_RGB, NULL);
        if (m_hDIB == NULL)
            return;
    }

    const int nSaved = pDC->SaveDC();
    LOGFONT lf;
    GetControlFont(*this, lf);
    lf.lfHeight = m_nItemHeight - 1;
    lf.lfWidth = 0;
    CFont font;
    font.CreateFontIndirect(&lf);
    pDC->SelectObject(&font);
    PrintHeadFoot(pDC, pInfo);
    pDC->SetWindowOrg(pages.GetBandOrigin());
    if (m_hDIB != NULL) {
        if (const BITMAPINFOHEADER* pHeader = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(m_hDIB))) {
            pDC->SetBkColor(RGB(255, 255, 255));
            pDC->SetTextColor(RGB(0, 0, 0));
            // The band's own picture holds just its rows: its source is all of it.
            pDC->StretchDIBits(0, 0, m_rcTree.Width(), nHeight, m_rcTree.left, 0, m_rcTree.Width(), nHeight,
                               DIBBits(pHeader), reinterpret_cast<const BITMAPINFO*>(pHeader), DIB_RGB_COLORS, SRCCOPY);
            ::GlobalUnlock(m_hDIB);
        }
    }
    pDC->RestoreDC(nSaved);
    // The band served its page: a job holds one page's picture at a time.
    FreeDIB();
}

void CTreeColorPrnCtrl::PrintHeadFoot(CDC* pDC, CPrintInfo* pInfo)
{
    CTreeColorPrnPages pages;
    GetPages(pDC, pages);
    CRect rcTitle = pages.GetTitleRect();
    pDC->DrawText(m_strTitle, &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    CString strPage;
    strPage.Format("Page %d/%d", static_cast<int>(pInfo->m_nCurPage), static_cast<int>(pInfo->GetMaxPage()));
    CRect rcPage = pages.GetPageLineRect();
    pDC->DrawText(strPage, &rcPage, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CTreeColorPrnCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    FreeDIB();
    m_arrPageFirstItems.RemoveAll();
    if (m_hWnd == NULL)
        return;
    if (m_wpSaved.length != 0) {
        SetWindowPlacement(&m_wpSaved);
        m_wpSaved.length = 0;
    }
    if (m_hFirstVisibleSaved != NULL)
        SelectSetFirstVisible(m_hFirstVisibleSaved);
    m_hFirstVisibleSaved = NULL;
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HANDLE CTreeColorPrnCtrl::DDBToDIB(CBitmap& bitmap, DWORD dwCompression, CPalette* pPalette)
{
    if (dwCompression == BI_BITFIELDS || bitmap.m_hObject == NULL)
        return NULL;
    BITMAP bm = {};
    if (bitmap.GetBitmap(&bm) == 0)
        return NULL;
    HPALETTE hPalette = pPalette != NULL ? static_cast<HPALETTE>(pPalette->m_hObject)
                                         : static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));

    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(BITMAPINFOHEADER);
    bi.biWidth = bm.bmWidth;
    bi.biHeight = bm.bmHeight;
    bi.biPlanes = 1;
    bi.biBitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);
    bi.biCompression = dwCompression;
    const DWORD nColors = bi.biBitCount <= 8 ? (1u << bi.biBitCount) : 0;
    const DWORD nInfoSize = bi.biSize + nColors * sizeof(RGBQUAD);

    CClientDC dc(NULL);
    HPALETTE hOldPalette = ::SelectPalette(dc.m_hDC, hPalette, FALSE);
    ::RealizePalette(dc.m_hDC);
    HANDLE hDIB = ::GlobalAlloc(GMEM_FIXED, nInfoSize);
    BOOL bMade = FALSE;
    if (hDIB != NULL) {
        BITMAPINFOHEADER* pHeader = static_cast<BITMAPINFOHEADER*>(hDIB);
        *pHeader = bi;
        // The driver says how large the image is; else it is computed.
        ::GetDIBits(dc.m_hDC, static_cast<HBITMAP>(bitmap.m_hObject), 0, static_cast<UINT>(bm.bmHeight), NULL,
                    reinterpret_cast<BITMAPINFO*>(pHeader), DIB_RGB_COLORS);
        bi = *pHeader;
        if (bi.biSizeImage == 0)
            bi.biSizeImage = ((static_cast<DWORD>(bi.biWidth) * bi.biBitCount + 31) & ~31u) / 8 * bi.biHeight;
        HANDLE hGrown = ::GlobalReAlloc(hDIB, nInfoSize + bi.biSizeImage, GMEM_MOVEABLE);
        if (hGrown != NULL) {
            hDIB = hGrown;
            pHeader = static_cast<BITMAPINFOHEADER*>(::GlobalLock(hDIB));
            bMade = pHeader != NULL &&
                    ::GetDIBits(dc.m_hDC, static_cast<HBITMAP>(bitmap.m_hObject), 0, static_cast<UINT>(bm.bmHeight),
                                reinterpret_cast<BYTE*>(pHeader) + nInfoSize, reinterpret_cast<BITMAPINFO*>(pHeader),
                                DIB_RGB_COLORS) != 0;
            if (pHeader != NULL)
                ::GlobalUnlock(hDIB);
        }
    }
    ::SelectPalette(dc.m_hDC, hOldPalette, FALSE);
    if (!bMade && hDIB != NULL) {
        ::GlobalFree(hDIB);
        hDIB = NULL;
    }
    return hDIB;
}
