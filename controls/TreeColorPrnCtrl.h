// CTreeColorPrnCtrl: a tree control whose items may each have their own text
// colour, font and bold state, whose background colour can be changed, and
// which prints its whole expanded content over as many pages as it takes,
// with a title at the top and a "Page n/m" line at the bottom of each page.
//
// Printing follows the framework's print protocol: the host (a view holding
// the tree, usually) calls OnBeginPrinting, then OnPrepareDC and OnPrint for
// each page, then OnEndPrinting. Each page prints a band of the tree's own
// drawing at screen resolution, scaled to the printer: bold items stay bold,
// the per-item colours and fonts are the screen's only, and the paper's
// background is white. A band is drawn when its page is printed, so that a
// job takes about one page of memory however long the tree is. Meanwhile
// the control stands at its parent's top left corner, one page tall, and
// the tree must not change; OnEndPrinting puts it back.
//
// Printing also leaves the whole tree's picture on the clipboard (CF_DIB,
// which readers may also take as CF_BITMAP), when the picture is at most
// 32767 pixels wide and tall; a larger tree's is not made, and the
// clipboard keeps what it had.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "frame/ExtkitApi.h"

struct CTreeColorPrnPages;

class EXTKIT_API CTreeColorPrnCtrl : public CTreeCtrl {
    DECLARE_DYNCREATE(CTreeColorPrnCtrl)
public:
    // The look of one item.
    struct Color_Font {
        COLORREF color;   // 0xFFFFFFFF: the item has no colour of its own
        LOGFONT logfont;  // an empty face name: no font of its own
    };

    CTreeColorPrnCtrl();
    virtual ~CTreeColorPrnCtrl();

    // The item's own colour, 0xFFFFFFFF when it has none.
    COLORREF getItemColor(HTREEITEM hItem);
    bool isItemBold(HTREEITEM hItem);
    // Sets or clears TVIS_BOLD only.
    void setItemBold(HTREEITEM hItem, BOOL bBold);
    void setItemColor(HTREEITEM hItem, COLORREF color);
    void setItemFont(HTREEITEM hItem, LOGFONT& lf);
    // Reads: copies the item's own font into *plf and answers true; false,
    // with *plf unchanged, when the item has none.
    bool setItemFont(HTREEITEM hItem, LOGFONT* plf);
    // Takes effect at the next paint. Per-item colours and fonts are shown
    // only on the system's window colour.
    void setBkColor(COLORREF color);

    // Maps one logical unit to one screen pixel on the printer.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo);
    // Prints page pInfo->m_nCurPage: the title, the page line and the band
    // of the tree; nothing at all when the band cannot be drawn.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    // Measures the tree, sets the job's page count and puts the picture on
    // the clipboard.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Frees the band and puts the control back where and as it was.
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    COLORREF m_crBkColor;                                        // the background; the system's window colour at first
    CMap<void*, void*, Color_Font, Color_Font&> m_mapColorFont;  // item -> look; entries stay until the control goes
    CString m_strTitle;                                          // printed at the top of every page
    CRect m_rcTree;             // the whole expanded tree in screen pixels, from OnBeginPrinting
    int m_nAveCharWidth;        // of the control's font on the screen, from OnBeginPrinting
    int m_nItemHeight;          // of one row, from OnBeginPrinting
    int m_nRowsPerPage;         // the tree's rows on one page, from OnBeginPrinting
    HANDLE m_hDIB;              // the band of the page being printed (packed DIB), NULL between pages
    WINDOWPLACEMENT m_wpSaved;  // the placement before printing; length 0 when none is kept

protected:
    // Writes the items that have a look of their own over the tree's drawing
    // (crFill 0xFFFFFFFF), or fills their text rectangles with crFill.
    void _showItems(CDC& dc, COLORREF crFill);
    // The tree's drawing over m_crBkColor instead of the window colour.
    void _paint(CDC& dc, CRect* pRect);
    void PrintHeadFoot(CDC* pDC, CPrintInfo* pInfo);
    // A packed device-independent bitmap (fixed global memory, the caller's)
    // of the device-dependent one; NULL for BI_BITFIELDS or on failure.
    HANDLE DDBToDIB(CBitmap& bitmap, DWORD dwCompression, CPalette* pPalette);

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // The layout of the job on pDC's pages.
    void GetPages(CDC* pDC, CTreeColorPrnPages& pages) const;
    // The tree's own drawing of the rows of page nPage, on its own background,
    // into bitmap (made here).
    BOOL RenderBand(const CTreeColorPrnPages& pages, int nPage, CBitmap& bitmap);
    // The whole tree as CF_DIB on the clipboard, when its picture is not too large.
    void CopyTreeToClipboard(const CTreeColorPrnPages& pages);
    void FreeDIB();

    int m_nPrintItems;                                 // rows of the job
    CArray<HTREEITEM, HTREEITEM> m_arrPageFirstItems;  // each page's first row
    HTREEITEM m_hFirstVisibleSaved;                    // scrolled back to after the job
};
