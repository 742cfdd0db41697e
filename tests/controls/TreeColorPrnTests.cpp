// CTreeColorPrnCtrl as an organisation chart: the looks of items and how the
// screen shows them on either background, and printing to a memory page as a
// host's print loop would: pages, bands, title and page line, what paper
// shows, a long tree in bounded memory, and a hundred trees made and printed.
#include "controls/TreeColorPrnCtrl.h"

#include "Clipboard.h"
#include "ControlsTestUtil.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const COLORREF kRed = RGB(200, 0, 0);

// A page of the screen's size and resolution in memory: what the tree
// prints there is what a printer of that page would get.
class CMemoryPage {
public:
    CMemoryPage()
    {
        CClientDC dcScreen(NULL);
        m_dc.CreateCompatibleDC(&dcScreen);
        m_cx = m_dc.GetDeviceCaps(HORZRES);
        m_cy = m_dc.GetDeviceCaps(VERTRES);
        m_bitmap.CreateCompatibleBitmap(&dcScreen, m_cx, m_cy);
        m_pOld = m_dc.SelectObject(&m_bitmap);
    }
    ~CMemoryPage() { m_dc.SelectObject(m_pOld); }
    // One page of the job, as the host's print loop runs it.
    void Print(CTreeColorPrnCtrl& tree, CPrintInfo& info, UINT nPage)
    {
        m_dc.FillSolidRect(0, 0, m_cx, m_cy, RGB(255, 255, 255));
        info.m_nCurPage = nPage;
        const int nSaved = m_dc.SaveDC();
        tree.OnPrepareDC(&m_dc, &info);
        tree.OnPrint(&m_dc, &info);
        m_dc.RestoreDC(nSaved);
    }
    // Whether the rows [top, bottom) left of nRight (-1: anywhere) hold a
    // pixel other than white, and of crOnly (CLR_INVALID: any colour).
    bool Inked(int nTop, int nBottom, COLORREF crOnly = CLR_INVALID, int nRight = -1)
    {
        bool bInked = false;
        for (int y = nTop; y < nBottom && !bInked; ++y)
            for (int x = 0; x < (nRight < 0 ? m_cx : nRight) && !bInked; ++x)
                bInked = m_dc.GetPixel(x, y) != RGB(255, 255, 255) &&
                         (crOnly == CLR_INVALID || m_dc.GetPixel(x, y) == crOnly);
        return bInked;
    }

    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld;
    int m_cx, m_cy;
};

class TreeSession : public controls_test::CFormSession<CTreeColorPrnCtrl> {
protected:
    void SetUp() override
    {
        CFormSession::SetUp();
        ASSERT_TRUE(support::SetClipboardText("прежнее"));
    }
    // The root and nItems - 1 departments under it, all shown.
    void MakeTree(int nItems)
    {
        m_pControl.reset(new CTreeColorPrnCtrl);
        ASSERT_TRUE(m_pControl->CreateEx(WS_EX_CLIENTEDGE,
                                         WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                                         CRect(10, 10, 300, 300), m_pHost.get(), 100));
        m_hRoot = m_pControl->InsertItem("АО «Уралтехснаб»");
        for (int i = 1; i < nItems; ++i) {
            CString strName;
            strName.Format("Отдел %d", i);
            m_pControl->InsertItem(strName, m_hRoot);
        }
        m_pControl->Expand(m_hRoot, TVE_EXPAND);
        m_pControl->m_strTitle = "Структура предприятия";
    }
    HTREEITEM Item(int nIndex)
    {
        HTREEITEM hItem = m_hRoot;
        for (int i = 0; i < nIndex && hItem != NULL; ++i)
            hItem = m_pControl->GetNextVisibleItem(hItem);
        return hItem;
    }
    // Whether the screen shows crColour within the text rectangle of an item.
    bool ScreenShows(HTREEITEM hItem, COLORREF crColour)
    {
        CRect rc;
        m_pControl->GetItemRect(hItem, &rc, TRUE);
        m_pControl->RedrawWindow();
        support::PumpPendingMessages(m_pHost->m_hWnd);
        m_pControl->ClientToScreen(&rc);
        HDC hScreen = GetDC(NULL);
        bool bShown = false;
        for (int y = rc.top; y < rc.bottom && !bShown; ++y)
            for (int x = rc.left; x < rc.right && !bShown; ++x)
                bShown = GetPixel(hScreen, x, y) == crColour;
        ReleaseDC(NULL, hScreen);
        return bShown;
    }
    // Begins a job on the page: its page count.
    UINT Begin(CMemoryPage& page, CPrintInfo& info)
    {
        m_pControl->OnBeginPrinting(&page.m_dc, &info);
        return info.GetMaxPage();
    }

    HTREEITEM m_hRoot = NULL;
};

}  // namespace

TEST_F(TreeSession, LooksAreKeptPerItemAndShownOnTheWindowColourOnly)
{
    std::unique_ptr<CObject> pMade(RUNTIME_CLASS(CTreeColorPrnCtrl)->CreateObject());
    EXPECT_TRUE(pMade && pMade->IsKindOf(RUNTIME_CLASS(CTreeCtrl)));

    MakeTree(6);
    HTREEITEM hSales = Item(1), hStore = Item(2), hLegal = Item(3);
    LOGFONT lf = {-12, 0, 0, 0, FW_THIN};
    std::strcpy(lf.lfFaceName, "Tahoma");
    // A font alone gives no colour; a colour alone no font.
    m_pControl->setItemFont(hStore, lf);
    EXPECT_EQ(m_pControl->getItemColor(hStore), 0xFFFFFFFFu);
    m_pControl->setItemColor(hSales, kRed);
    LOGFONT read = {99};
    EXPECT_FALSE(m_pControl->setItemFont(hSales, &read));
    EXPECT_EQ(read.lfHeight, 99);
    EXPECT_TRUE(m_pControl->setItemFont(hStore, &read));
    EXPECT_STREQ(read.lfFaceName, "Tahoma");
    // Both on one item: each keeps the other.
    m_pControl->setItemFont(hSales, lf);
    EXPECT_EQ(m_pControl->getItemColor(hSales), kRed);
    m_pControl->setItemBold(hLegal, TRUE);
    m_pControl->SetItemState(hLegal, TVIS_CUT, TVIS_CUT);
    m_pControl->setItemBold(hLegal, FALSE);
    EXPECT_FALSE(m_pControl->isItemBold(hLegal));
    EXPECT_EQ(m_pControl->GetItemState(hLegal, TVIS_CUT), static_cast<UINT>(TVIS_CUT));

    // On the window colour the item shows its own colour, unless selected.
    EXPECT_TRUE(ScreenShows(hSales, kRed));
    m_pControl->SelectItem(hSales);
    EXPECT_FALSE(ScreenShows(hSales, kRed));
    m_pControl->SelectItem(hStore);
    EXPECT_TRUE(ScreenShows(hSales, kRed));

    // On another background the tree's own drawing shows over it, without
    // the items' own looks.
    const COLORREF crCream = RGB(255, 250, 220);
    m_pControl->setBkColor(crCream);
    EXPECT_TRUE(ScreenShows(hLegal, crCream));
    EXPECT_FALSE(ScreenShows(hSales, kRed));
    EXPECT_TRUE(ScreenShows(hSales, GetSysColor(COLOR_WINDOWTEXT)));
    m_pControl->setBkColor(GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(ScreenShows(hSales, kRed));
}

TEST_F(TreeSession, PagesBandsAndMarginsOnAMemoryPage)
{
    CMemoryPage page;
    CPrintInfo info;
    MakeTree(2);
    EXPECT_EQ(Begin(page, info), 1u);
    const int h = m_pControl->m_nItemHeight, r = m_pControl->m_nRowsPerPage, acw = m_pControl->m_nAveCharWidth;
    EXPECT_EQ(h, m_pControl->GetItemHeight());
    EXPECT_EQ(r, page.m_cy / h - 8);

    // Exactly r rows: one page; r + 1: two, the second with one row.
    MakeTree(r);
    EXPECT_EQ(Begin(page, info), 1u);
    EXPECT_EQ(m_pControl->m_rcTree.Height(), r * h);
    MakeTree(r + 1);
    CRect rcPlaced;
    m_pControl->GetWindowRect(&rcPlaced);
    m_pControl->setItemBold(Item(r), TRUE);
    m_pControl->setItemColor(Item(1), kRed);
    m_pControl->setBkColor(RGB(255, 250, 220));
    ASSERT_EQ(Begin(page, info), 2u);

    // Page 1: the title two rows down, four characters in; the tree from
    // the fifth row on; the page line two rows above the end. Paper is
    // white and shows no item colour.
    page.Print(*m_pControl, info, 1);
    EXPECT_FALSE(page.Inked(0, 2 * h));
    EXPECT_TRUE(page.Inked(2 * h, 3 * h));
    EXPECT_FALSE(page.Inked(3 * h, 4 * h));
    EXPECT_TRUE(page.Inked(4 * h, 5 * h));
    EXPECT_TRUE(page.Inked((4 + r - 1) * h, (4 + r) * h));
    EXPECT_FALSE(page.Inked(page.m_cy - 2 * h, page.m_cy));
    EXPECT_TRUE(page.Inked(page.m_cy - 3 * h, page.m_cy - 2 * h));
    EXPECT_FALSE(page.Inked(0, page.m_cy, kRed));
    EXPECT_FALSE(page.Inked(0, page.m_cy, RGB(255, 250, 220)));
    EXPECT_FALSE(page.Inked(4 * h, 5 * h, CLR_INVALID, 4 * acw));

    // Page 2: the last row alone, nothing below it.
    page.Print(*m_pControl, info, 2);
    EXPECT_TRUE(page.Inked(4 * h, 5 * h));
    EXPECT_FALSE(page.Inked(5 * h, page.m_cy - 3 * h));
    EXPECT_TRUE(page.Inked(page.m_cy - 3 * h, page.m_cy - 2 * h));

    // The whole tree went to the clipboard; the control is put back.
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    m_pControl->OnEndPrinting(&page.m_dc, &info);
    CRect rcBack;
    m_pControl->GetWindowRect(&rcBack);
    EXPECT_EQ(rcBack, rcPlaced);
    EXPECT_EQ(m_pControl->m_hDIB, static_cast<HANDLE>(NULL));
}

TEST_F(TreeSession, ALongTreePrintsPageByPageInBoundedMemory)
{
    CMemoryPage page;
    MakeTree(5000);
    const SIZE_T nBefore = controls_test::PrivateBytes();
    CPrintInfo info;
    const UINT nPages = Begin(page, info);
    const int h = m_pControl->m_nItemHeight, r = m_pControl->m_nRowsPerPage;
    ASSERT_EQ(nPages, static_cast<UINT>((5000 - 1) / r + 1));
    // Too tall for one picture: the clipboard keeps what it had.
    std::string strClip;
    EXPECT_TRUE(support::GetClipboardText(&strClip));
    EXPECT_EQ(strClip, "прежнее");

    // The tree's whole picture would take tens of MB; a page's band about one.
    for (UINT p = 1; p <= nPages; ++p)
        page.Print(*m_pControl, info, p);
    EXPECT_LT(controls_test::PrivateBytes(), nBefore + 8 * 1024 * 1024);
    // The last page holds what is left, the last department at its end.
    const int nLast = 5000 - static_cast<int>(nPages - 1) * r;
    EXPECT_TRUE(page.Inked((4 + nLast - 1) * h, (4 + nLast) * h));
    EXPECT_FALSE(page.Inked((4 + nLast) * h, page.m_cy - 3 * h));
    m_pControl->OnEndPrinting(&page.m_dc, &info);
}

TEST_F(TreeSession, AHundredTreesMadeLookedAtPrintedAndDestroyed)
{
    CMemoryPage page;
    for (int i = 0; i < 100; ++i) {
        MakeTree(12);
        m_pControl->setItemColor(Item(2), kRed);
        m_pControl->setItemBold(Item(3), TRUE);
        m_pControl->setBkColor(i % 2 ? RGB(255, 250, 220) : GetSysColor(COLOR_WINDOW));
        m_pControl->UpdateWindow();
        CPrintInfo info;
        Begin(page, info);
        page.Print(*m_pControl, info, 1);
        m_pControl->OnEndPrinting(&page.m_dc, &info);
        m_pControl.reset();
    }
}
