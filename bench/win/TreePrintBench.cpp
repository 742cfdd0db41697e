// Printing a long organisation chart: the time and the process's private
// memory it takes to print every page of a tree of 500, 5,000 and 50,000
// expanded rows to a memory page of the screen's size, the tree's own memory
// told apart. A page's band is drawn when its page is printed, so the
// printing's memory stays at about a page whatever the tree's length.
// `./run bench` runs it under Wine.
#include <afxwin.h>
#include <afxcmn.h>

#include <psapi.h>

#include <cstdio>

#include "controls/TreeColorPrnCtrl.h"

namespace {

// Private bytes as the page-file usage, which Wine counts (its PrivateUsage
// stays 0).
double PrivateMB()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.PagefileUsage) / (1024.0 * 1024.0);
}

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool PrintTree(CWnd& host, int nRows)
{
    const double dBefore = PrivateMB();
    CTreeColorPrnCtrl tree;
    if (!tree.CreateEx(WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                       CRect(10, 10, 330, 330), &host, 100))
        return false;
    tree.SendMessage(WM_SETREDRAW, FALSE);
    HTREEITEM hRoot = tree.InsertItem("АО «Уралтехснаб»");
    for (int i = 1; i < nRows; ++i) {
        CString strName;
        strName.Format("Отдел № %d, Екатеринбург", i);
        HTREEITEM hItem = tree.InsertItem(strName, hRoot);
        if (i % 7 == 0)
            tree.setItemBold(hItem, TRUE);
    }
    tree.Expand(hRoot, TVE_EXPAND);
    tree.SendMessage(WM_SETREDRAW, TRUE);
    tree.m_strTitle = "Структура предприятия";
    const double dTree = PrivateMB();

    CClientDC dcScreen(NULL);
    CDC dc;
    CBitmap page;
    dc.CreateCompatibleDC(&dcScreen);
    const int cx = dc.GetDeviceCaps(HORZRES), cy = dc.GetDeviceCaps(VERTRES);
    page.CreateCompatibleBitmap(&dcScreen, cx, cy);
    CBitmap* pOld = dc.SelectObject(&page);
    const double dPage = PrivateMB();

    const double dStart = Seconds();
    CPrintInfo info;
    tree.OnBeginPrinting(&dc, &info);
    double dPeak = PrivateMB();
    for (UINT nPage = 1; nPage <= info.GetMaxPage(); ++nPage) {
        dc.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
        info.m_nCurPage = nPage;
        const int nSaved = dc.SaveDC();
        tree.OnPrepareDC(&dc, &info);
        tree.OnPrint(&dc, &info);
        dc.RestoreDC(nSaved);
        const double dNow = PrivateMB();
        if (dNow > dPeak)
            dPeak = dNow;
    }
    tree.OnEndPrinting(&dc, &info);
    const double dTime = Seconds() - dStart;
    dc.SelectObject(pOld);
    std::printf("TreePrint/%-6d %5u pages %9.1f ms %7.2f ms/page   tree %7.1f MB   printing peak +%5.1f MB\n", nRows,
                info.GetMaxPage(), dTime * 1000.0, dTime * 1000.0 / info.GetMaxPage(), dTree - dBefore, dPeak - dPage);
    return true;
}

}  // namespace

int main()
{
    CWnd host;
    if (!host.CreateEx(0, NULL, "Печать структуры", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 360, 380, NULL, NULL))
        return 1;
    std::printf("Printing every page of an expanded tree to a %dx%d memory page (private bytes of the process)\n",
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (int nRows : {500, 5000, 50000})
        if (!PrintTree(host, nRows))
            return 1;
    host.DestroyWindow();
    return 0;
}
