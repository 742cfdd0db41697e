// CTreeColorPrnPages: how a printed tree is laid out over pages. Everything
// is in logical units of one screen pixel, which the printer context maps to
// its own pixels. From the top, each page holds two empty rows, the title
// row, an empty row, the tree's rows, and the page line two rows above the
// page's end: eight rows of margins besides the tree's.
#pragma once

#include <afx.h>
#include <atltypes.h>

struct CTreeColorPrnPages {
    // What the job is made of.
    int m_nItems = 0;         // rows of the expanded tree, the root's included
    int m_nItemHeight = 0;    // screen pixels per row
    int m_nAveCharWidth = 0;  // of the control's font on the screen
    int m_nScreenDpiX = 96;   // LOGPIXELSX and LOGPIXELSY of the screen
    int m_nScreenDpiY = 96;
    int m_nPrinterDpiX = 96;  // the same of the printer
    int m_nPrinterDpiY = 96;
    int m_nPrinterWidth = 0;  // HORZRES and VERTRES of the printer, its pixels
    int m_nPrinterHeight = 0;

    // The tree's rows on a page; one when the page holds fewer than nine
    // rows, so that even then every row is printed.
    int GetRowsPerPage() const;
    // (rows - 1) / rows per page + 1, and one page for an empty tree.
    int GetPageCount() const;
    // The pixel rows of the tree's picture that page nPage (from 1) prints:
    // nTop from the picture's top and nHeight of them, the last page taking
    // what is left. FALSE, with both 0, for a page outside the job.
    BOOL GetBand(int nPage, int& nTop, int& nHeight) const;
    // The page's size in logical units.
    int GetPageWidth() const;
    int GetPageHeight() const;
    // Where the title and the "Page n/m" line are drawn.
    CRect GetTitleRect() const;
    CRect GetPageLineRect() const;
    // The window origin that puts the tree's band four average characters
    // from the left and four rows from the top.
    CPoint GetBandOrigin() const { return CPoint(-4 * m_nAveCharWidth, -4 * m_nItemHeight); }

private:
    int RowHeight() const { return m_nItemHeight > 0 ? m_nItemHeight : 1; }
    // Logical units (screen pixels) across nDevice printer pixels.
    int ToLogical(int nDevice, int nScreenDpi, int nPrinterDpi) const;
};
