// Arrow keys in the drag-and-drop list: key presses per second on a list of
// 10 and of 10,000 rows of 8 columns, in a real window under Wine, each press
// a WM_KEYDOWN as the keyboard sends it followed by the repaint it causes, in
// a view of about ten rows. The current cell is kept by the list itself, so a
// key should cost the same however many rows there are. The two lists take
// turns in short rounds, so that a busy machine slows both alike; the best
// and the median round of each are printed.
#include <afxwin.h>
#include <afxcmn.h>

#include "controls/DragDropListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kColumns = 8;

// A list of nRows rows whose current cell goes round Down, Right, Up, Left.
class CKeyRound {
public:
    CKeyRound(CWnd& host, int nRows, int nId) : m_nRows(nRows)
    {
        // Filled before it shows, which spares a repaint per text.
        m_list.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 760, 200), &host, nId);
        for (int c = 0; c < kColumns; ++c)
            m_list.InsertColumn(c, (std::string("Столбец ") + std::to_string(c + 1)).c_str(), LVCFMT_LEFT, 90);
        for (int r = 0; r < nRows; ++r) {
            m_list.InsertItem(r, std::to_string(r).c_str());
            for (int c = 1; c < kColumns; ++c)
                m_list.SetItemText(r, c, std::to_string(r * 10 + c).c_str());
        }
        m_list.SetSelSubItem(nRows / 2, kColumns / 2);
        m_list.EnsureVisible(nRows / 2, FALSE);
    }

    // Presses per second over dSeconds.
    double Run(double dSeconds)
    {
        m_list.ShowWindow(SW_SHOW);
        m_list.SetFocus();
        m_list.UpdateWindow();
        Press(100);  // the first paints fill caches that are not the keys' cost
        LARGE_INTEGER freq, start, now;
        ::QueryPerformanceFrequency(&freq);
        ::QueryPerformanceCounter(&start);
        long nPresses = 0;
        double dElapsed = 0;
        do {
            nPresses += Press(100);
            ::QueryPerformanceCounter(&now);
            dElapsed = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
        } while (dElapsed < dSeconds);
        m_list.ShowWindow(SW_HIDE);
        int nItem = -1, nSubItem = -1;
        // Every round of four comes back to where it started.
        if (!m_list.GetSelSubItem(nItem, nSubItem) || nItem != m_nRows / 2 || nSubItem != kColumns / 2)
            fprintf(stderr, "list_keys_bench: the current cell went astray (%d, %d)\n", nItem, nSubItem);
        return nPresses / dElapsed;
    }

private:
    int Press(int nCount)
    {
        static const UINT s_anKeys[] = {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT};
        for (int i = 0; i < nCount; ++i) {
            const UINT nKey = s_anKeys[i % 4];
            const LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(nKey, MAPVK_VK_TO_VSC)) << 16);
            m_list.SendMessage(WM_KEYDOWN, nKey, lParam);
            m_list.SendMessage(WM_KEYUP, nKey, lParam | (3u << 30));
            m_list.UpdateWindow();
        }
        return nCount;
    }

    CDragDropListCtrl m_list;
    int m_nRows;
};

void Report(int nRows, std::vector<double> rates)
{
    std::sort(rates.begin(), rates.end());
    printf("arrow keys, %5d rows x %d columns: best %6.0f, median %6.0f key presses/s\n", nRows, kColumns, rates.back(),
           rates[rates.size() / 2]);
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? atoi(argv[1]) : 7;
    CWnd host;
    if (nRounds < 1 ||
        !host.CreateEx(0, NULL, "Прайс-лист", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 800, 460, NULL, NULL)) {
        fprintf(stderr, "list_keys_bench: no window\n");
        return 1;
    }
    {
        CKeyRound small(host, 10, 100), large(host, 10000, 101);
        std::vector<double> smallRates, largeRates;
        for (int i = 0; i < nRounds; ++i) {
            smallRates.push_back(small.Run(0.5));
            largeRates.push_back(large.Run(0.5));
        }
        Report(10, smallRates);
        Report(10000, largeRates);
        std::sort(smallRates.begin(), smallRates.end());
        std::sort(largeRates.begin(), largeRates.end());
        printf("10,000 rows against 10: %.2f of the speed (best rounds), %.2f (median rounds)\n",
               largeRates.back() / smallRates.back(), largeRates[nRounds / 2] / smallRates[nRounds / 2]);
    }
    host.DestroyWindow();
    return 0;
}
