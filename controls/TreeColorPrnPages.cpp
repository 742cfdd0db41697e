#include "controls/TreeColorPrnPages.h"

int CTreeColorPrnPages::ToLogical(int nDevice, int nScreenDpi, int nPrinterDpi) const
{
    // A context that knows no resolution (some metafiles) is taken as the screen.
    if (nPrinterDpi <= 0 || nScreenDpi <= 0)
        return nDevice;
    return static_cast<int>(static_cast<double>(static_cast<long long>(nDevice) * nScreenDpi) / nPrinterDpi);
}

int CTreeColorPrnPages::GetRowsPerPage() const
{
    double dRatio = 1.0;
    if (m_nPrinterDpiY > 0 && m_nScreenDpiY > 0)
        dRatio = static_cast<double>(m_nPrinterDpiY) / m_nScreenDpiY;
    const int nRows = static_cast<int>(m_nPrinterHeight / dRatio) / RowHeight() - 8;
    return nRows > 0 ? nRows : 1;
}

int CTreeColorPrnPages::GetPageCount() const
{
    if (m_nItems <= 0)
        return 1;
    return (m_nItems - 1) / GetRowsPerPage() + 1;
}

BOOL CTreeColorPrnPages::GetBand(int nPage, int& nTop, int& nHeight) const
{
    nTop = nHeight = 0;
    if (nPage < 1 || nPage > GetPageCount())
        return FALSE;
    const int nBand = GetRowsPerPage() * RowHeight();
    nTop = (nPage - 1) * nBand;
    nHeight = nPage == GetPageCount() ? m_nItems * RowHeight() - nTop : nBand;
    if (nHeight < 0)
        nHeight = 0;
    return TRUE;
}

int CTreeColorPrnPages::GetPageWidth() const
{
    return ToLogical(m_nPrinterWidth, m_nScreenDpiX, m_nPrinterDpiX);
}

int CTreeColorPrnPages::GetPageHeight() const
{
    return ToLogical(m_nPrinterHeight, m_nScreenDpiY, m_nPrinterDpiY);
}

CRect CTreeColorPrnPages::GetTitleRect() const
{
    const int nMargin = 4 * m_nAveCharWidth;
    return CRect(nMargin, 2 * m_nItemHeight, GetPageWidth() - nMargin, 3 * m_nItemHeight);
}

CRect CTreeColorPrnPages::GetPageLineRect() const
{
    const int nMargin = 4 * m_nAveCharWidth;
    const int nBottom = GetPageHeight();
    return CRect(nMargin, nBottom - 3 * m_nItemHeight, GetPageWidth() - nMargin, nBottom - 2 * m_nItemHeight);
}
