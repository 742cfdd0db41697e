// The printed tree's page layout through tests/data/treepages.txt: rows per
// page, page counts, bands, and where the title and the page line go.
#include "controls/TreeColorPrnPages.h"

#include "CaseTable.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(TreeColorPrnPages, TheTable)
{
    support::CheckCaseTable("treepages.txt", [](const std::string& strLine) {
        CTreeColorPrnPages pages;
        int nPage = 0;
        std::istringstream in(strLine);
        in >> pages.m_nItems >> pages.m_nItemHeight >> pages.m_nAveCharWidth >> pages.m_nPrinterWidth >>
            pages.m_nPrinterHeight >> pages.m_nPrinterDpiX >> pages.m_nScreenDpiX >> nPage;
        pages.m_nPrinterDpiY = pages.m_nPrinterDpiX;
        pages.m_nScreenDpiY = pages.m_nScreenDpiX;
        int nTop = 0, nHeight = 0;
        pages.GetBand(nPage, nTop, nHeight);
        const CRect rcTitle = pages.GetTitleRect(), rcLine = pages.GetPageLineRect();
        std::ostringstream out;
        out << pages.GetRowsPerPage() << '\t' << pages.GetPageCount() << '\t' << nTop << '\t' << nHeight;
        for (const CRect& rc : {rcTitle, rcLine})
            out << '\t' << rc.left << '\t' << rc.top << '\t' << rc.right << '\t' << rc.bottom;
        return out.str();
    });
}
