// Arrow keys in the drag-and-drop list: key presses per second on a list of
// 10 and of 10,000 rows of 8 columns, in a real window under Wine, each press
// a WM_KEYDOWN as the keyboard sends it followed by the repaint it causes,
// in a view of about ten rows. The
// current cell is kept by the list itself, so a key should cost the same
// however many rows there are.
#include <afxwin.h>
#include <afxcmn.h>

#include "controls/DragDropListCtrl.h"

#include <cstdio>
#include <string>

namespace {

const int kColumns = 8;

// Presses per second of a round of Down, Right, Up, Left around the cell in
// the middle of a list of nRows rows, over at least dSeconds.
double KeysPerSecond(CWnd& host, int nRows, double dSeconds)
{
    // A view of about ten rows, so that both lists repaint as many rows;
    // filled before it shows, which spares a repaint per text.
    CDragDropListCtrl list;
    list.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 760, 200), &host, 100);
    for (int c = 0; c < kColumns; ++c)
        list.InsertColumn(c, (std::string("Столбец ") + std::to_string(c + 1)).c_str(), LVCFMT_LEFT, 90);
    for (int r = 0; r < nRows; ++r) {
        list.InsertItem(r, std::to_string(r).c_str());
        for (int c = 1; c < kColumns; ++c)
            list.SetItemText(r, c, std::to_string(r * 10 + c).c_str());
    }
    list.ShowWindow(SW_SHOW);
    list.SetFocus();
    list.SetSelSubItem(nRows / 2, kColumns / 2);
    list.EnsureVisible(nRows / 2, FALSE);
    list.UpdateWindow();

    static const UINT s_anKeys[] = {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT};
    const auto press100 = [&] {
        for (int i = 0; i < 100; ++i) {
            const UINT nKey = s_anKeys[i % 4];
            const UINT nScan = ::MapVirtualKeyA(nKey, MAPVK_VK_TO_VSC);
            list.SendMessage(WM_KEYDOWN, nKey, 1 | (nScan << 16) | (1u << 24));
            list.SendMessage(WM_KEYUP, nKey, 1 | (nScan << 16) | (1u << 24) | (3u << 30));
            list.UpdateWindow();
        }
    };
    // Fonts, brushes and caches of the first paints are not the keys' cost.
    for (int i = 0; i < 3; ++i)
        press100();
    LARGE_INTEGER freq, start, now;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&start);
    long nPresses = 0;
    double dElapsed = 0;
    do {
        press100();
        nPresses += 100;
        ::QueryPerformanceCounter(&now);
        dElapsed = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
    } while (dElapsed < dSeconds);
    int nItem = -1, nSubItem = -1;
    // Every round comes back to where it started.
    if (!list.GetSelSubItem(nItem, nSubItem) || nItem != nRows / 2 || nSubItem != kColumns / 2)
        fprintf(stderr, "list_keys_bench: the current cell went astray (%d, %d)\n", nItem, nSubItem);
    return nPresses / dElapsed;
}

}  // namespace

int main(int argc, char** argv)
{
    const double dSeconds = argc > 1 ? atof(argv[1]) : 3.0;
    CWnd host;
    if (!host.CreateEx(0, NULL, "Прайс-лист", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 800, 460, NULL, NULL)) {
        fprintf(stderr, "list_keys_bench: no window\n");
        return 1;
    }
    const double dSmall = KeysPerSecond(host, 10, dSeconds);
    const double dLarge = KeysPerSecond(host, 10000, dSeconds);
    printf("arrow keys, %5d rows x %d columns: %8.0f key presses/s\n", 10, kColumns, dSmall);
    printf("arrow keys, %5d rows x %d columns: %8.0f key presses/s\n", 10000, kColumns, dLarge);
    printf("10,000 rows against 10: %.2f of the speed\n", dLarge / dSmall);
    host.DestroyWindow();
    return 0;
}
