// The drop-down calendar dialog and the month calendar with the picture strip,
// on real windows: placement, the starting day, day clicks, keys, cancelling by
// leaving, the font-driven resizing, the painted strip read back from the
// screen, and the GUI object balance of the library.
#include <afxwin.h>
#include "Wait.h"
#include "calc/CalendarDlg.h"
#include "calc/MonthCalCtrlEx.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "GuiObjectCounter.h"
#include "Input.h"
#include "ModalDriver.h"
#include "WindowCapture.h"

namespace {

const int kCalendarId = 1016;

// A key press posted to the thread's queue, so that it passes the modal loop
// and the dialog's PreTranslateMessage like real input.
void PostKey(HWND hWnd, UINT vk)
{
    PostMessageA(hWnd, WM_KEYDOWN, vk, support::KeyLParam(vk, false, false));
    PostMessageA(hWnd, WM_KEYUP, vk, support::KeyLParam(vk, true, false));
}

SYSTEMTIME CurSel(HWND hCalendar)
{
    SYSTEMTIME st = {};
    SendMessageA(hCalendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

// The day as one number, 20240315, for readable comparisons.
int DayNumber(const SYSTEMTIME& st)
{
    return st.wYear * 10000 + st.wMonth * 100 + st.wDay;
}

// The same for a date, with the time required to be midnight (-1 otherwise).
int MidnightDayNumber(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetHour() || date.GetMinute() || date.GetSecond())
        return -1;
    return date.GetYear() * 10000 + date.GetMonth() * 100 + date.GetDay();
}

// Clicks the centre of the area with that hit code (and that day of the shown
// month, when given), found by hit-testing the client area.
bool Click(HWND hCalendar, DWORD dwHit, int nDayNumber = 0)
{
    RECT rc;
    GetClientRect(hCalendar, &rc);
    long nSumX = 0, nSumY = 0, nCount = 0;
    for (int y = 0; y < rc.bottom; y += 2) {
        for (int x = 0; x < rc.right; x += 2) {
            MCHITTESTINFO info = {};
            info.cbSize = sizeof(info);
            info.pt = {x, y};
            if (static_cast<DWORD>(SendMessageA(hCalendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))) == dwHit &&
                (nDayNumber == 0 || DayNumber(info.st) == nDayNumber)) {
                nSumX += x;
                nSumY += y;
                ++nCount;
            }
        }
    }
    if (nCount > 0)
        support::ClickClient(hCalendar, nSumX / nCount, nSumY / nCount);
    return nCount > 0;
}

bool ClickDay(HWND hCalendar, int nDayNumber)
{
    return Click(hCalendar, MCHT_CALENDARDATE, nDayNumber);
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    GetWindowRect(hWnd, &rc);
    return rc;
}

std::string TempPath(const char* pszName)
{
    char szDir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, szDir);
    return std::string(szDir) + pszName;
}

// A top-level window standing for the host's date field.
class CHostField {
public:
    explicit CHostField(const CRect& rc)
        : m_hWnd(CreateWindowExA(0, "STATIC", "15.03.2024", WS_POPUP | WS_VISIBLE | WS_BORDER, rc.left, rc.top,
                                 rc.Width(), rc.Height(), NULL, NULL, GetModuleHandleA(NULL), NULL))
    {
        m_wnd.Attach(m_hWnd);
    }
    ~CHostField()
    {
        m_wnd.Detach();
        DestroyWindow(m_hWnd);
    }
    CHostField(const CHostField&) = delete;
    CHostField& operator=(const CHostField&) = delete;

    HWND m_hWnd;
    CWnd m_wnd;
};

class CalendarDlgTest : public ::testing::Test {
protected:
    void TearDown() override { CWnd::DeleteTempMap(); }

    // Runs the dialog while the action acts on it from a helper thread; the
    // action must close it.
    static INT_PTR Drive(CCalendarDlg& dlg, const std::function<void(HWND hDlg, HWND hCalendar)>& fnAct)
    {
        support::CModalDriver driver([&](HWND hDlg) { fnAct(hDlg, GetDlgItem(hDlg, kCalendarId)); });
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_TRUE(driver.Finish()) << "the dialog did not open, or stayed open";
        return nResult;
    }
    static void Close(HWND hDlg) { PostMessageA(hDlg, WM_CLOSE, 0, 0); }  // the close box

    CHostField m_field{CRect(100, 100, 250, 124)};
};

// ---------------------------------------------------------------- placement and size

TEST_F(CalendarDlgTest, PlacedUnderTheParentAndKeptOffTheScreenEdges)
{
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    const int nRight = cxScreen - GetSystemMetrics(SM_CXVSCROLL);
    const int nBottom = cyScreen - GetSystemMetrics(SM_CYHSCROLL);
    struct {
        int x, y;
        bool bRightEdge, bBottomEdge;
    } const cases[] = {
        {100, 120, false, false},
        {cxScreen - 60, 120, true, false},
        {100, cyScreen - 50, false, true},
        {cxScreen - 40, cyScreen - 40, true, true},
    };
    for (const auto& c : cases) {
        CHostField field(CRect(c.x, c.y, c.x + 150, c.y + 24));
        const CRect rcField = WindowRect(field.m_hWnd);
        CCalendarDlg dlg(&field.m_wnd);
        EXPECT_EQ(dlg.m_rcParent, rcField);
        CRect rcDlg;
        Drive(dlg, [&](HWND hDlg, HWND) {
            rcDlg = WindowRect(hDlg);
            Close(hDlg);
        });
        SCOPED_TRACE(testing::Message() << "field at " << c.x << "," << c.y);
        // The cases mean what they say for this screen and dialog size.
        ASSERT_EQ(rcField.left + rcDlg.Width() > nRight, c.bRightEdge);
        ASSERT_EQ(rcField.bottom + rcDlg.Height() > nBottom, c.bBottomEdge);
        EXPECT_EQ(c.bRightEdge ? rcDlg.right : rcDlg.left, c.bRightEdge ? nRight : rcField.left);
        EXPECT_EQ(c.bBottomEdge ? rcDlg.bottom : rcDlg.top, c.bBottomEdge ? rcField.top : rcField.bottom);
    }
}

TEST_F(CalendarDlgTest, CentredOnTheHostWhenAsked)
{
    CHostField host(CRect(200, 150, 700, 550));
    CCalendarDlg dlg(&host.m_wnd);
    dlg.m_bCenter = TRUE;
    CPoint ptCentre;
    Drive(dlg, [&](HWND hDlg, HWND) {
        ptCentre = WindowRect(hDlg).CenterPoint();
        Close(hDlg);
    });
    EXPECT_LE(abs(ptCentre.x - 450) + abs(ptCentre.y - 350), 2);
}

TEST_F(CalendarDlgTest, TemplateHoldsOneWholeMonthWithWeekNumbers)
{
    CCalendarDlg dlg(&m_field.m_wnd);
    std::string strCaption = "?";
    DWORD dwStyle = 0, dwCalendarStyle = 0;
    char szClass[32] = {};
    HWND hCalendarSeen = NULL, hNext = NULL, hFocus = NULL;
    CRect rcMin, rcCalendar, rcClient;
    Drive(dlg, [&](HWND hDlg, HWND hCalendar) {
        strCaption = support::GetWindowString(hDlg);
        dwStyle = static_cast<DWORD>(GetWindowLongA(hDlg, GWL_STYLE));
        GetClassNameA(hCalendar, szClass, sizeof(szClass));
        dwCalendarStyle = static_cast<DWORD>(GetWindowLongA(hCalendar, GWL_STYLE));
        hCalendarSeen = hCalendar;
        hNext = GetWindow(GetWindow(hDlg, GW_CHILD), GW_HWNDNEXT);
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof(gui);
        GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, NULL), &gui);
        hFocus = gui.hwndFocus;
        SendMessageA(hCalendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&rcMin));
        rcCalendar = WindowRect(hCalendar);
        GetClientRect(hDlg, &rcClient);
        MapWindowPoints(hDlg, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
        Close(hDlg);
    });
    EXPECT_EQ(strCaption, "");
    const DWORD dwFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(dwStyle & dwFrame, dwFrame);
    EXPECT_STREQ(szClass, "SysMonthCal32");
    EXPECT_TRUE(dwCalendarStyle & MCS_WEEKNUMBERS);
    EXPECT_EQ(hNext, (HWND)NULL) << "the calendar is the only child";
    EXPECT_EQ(hFocus, hCalendarSeen);
    // The whole month is shown inside the dialog, also where the system draws
    // the calendar bigger than the template's size.
    EXPECT_TRUE(rcCalendar.Width() >= rcMin.Width() && rcCalendar.Height() >= rcMin.Height());
    EXPECT_EQ(rcCalendar.TopLeft(), rcClient.TopLeft());
    EXPECT_TRUE(rcCalendar.right <= rcClient.right && rcCalendar.bottom <= rcClient.bottom);
}

TEST_F(CalendarDlgTest, FontResizesTheCalendarAndTheDialogAndLeavesNoGuiObjects)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(140, "Arial"));
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    CCalendarDlg dlg(&m_field.m_wnd);
    dlg.m_pFont = &font;
    HFONT hUsed = NULL;
    CRect rcMin, rcCalendar, rcDlg;
    Drive(dlg, [&](HWND hDlg, HWND hCalendar) {
        hUsed = reinterpret_cast<HFONT>(SendMessageA(hCalendar, WM_GETFONT, 0, 0));
        SendMessageA(hCalendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&rcMin));
        rcCalendar = WindowRect(hCalendar);
        rcDlg = WindowRect(hDlg);
        support::PumpPendingMessages(hDlg);
        support::CaptureWindowToPng(hDlg, TempPath("extkit-calendar-font.png").c_str());
        Close(hDlg);
    });
    EXPECT_EQ(hUsed, static_cast<HFONT>(font.GetSafeHandle()));
    // The calendar: its minimal size for the font, widened by the caption height.
    EXPECT_EQ(rcCalendar.Size(), CSize(rcMin.Width() + GetSystemMetrics(SM_CYCAPTION), rcMin.Height()));
    // The dialog: the calendar in a dialog frame under a caption, still
    // under the field.
    EXPECT_EQ(rcDlg.Size(),
              CSize(rcCalendar.Width() + 2 * GetSystemMetrics(SM_CXDLGFRAME),
                    rcCalendar.Height() + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION)));
    EXPECT_EQ(rcDlg.TopLeft(), CPoint(100, 124));
    CWnd::DeleteTempMap();
    EXPECT_NO_GUI_LEAKS(counter);
}

// ---------------------------------------------------------------- picking a day

TEST_F(CalendarDlgTest, OpensOnAHostChosenDayOfAnotherYearAndEnterTakesItAtMidnight)
{
    CCalendarDlg dlg(&m_field.m_wnd);
    ASSERT_NE(COleDateTime::GetCurrentTime().GetYear(), 2019);
    dlg.m_date = COleDateTime(2019, 3, 15, 14, 35, 10);
    int nShown = 0;
    SYSTEMTIME astVisible[2] = {};
    const INT_PTR nResult = Drive(dlg, [&](HWND hDlg, HWND hCalendar) {
        nShown = DayNumber(CurSel(hCalendar));
        SendMessageA(hCalendar, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(astVisible));
        support::PumpPendingMessages(hDlg);
        support::CaptureWindowToPng(hDlg, TempPath("extkit-calendar.png").c_str());
        PostKey(hCalendar, VK_RETURN);
    });
    EXPECT_EQ(nShown, 20190315);
    EXPECT_LE(DayNumber(astVisible[0]), 20190315);
    EXPECT_GE(DayNumber(astVisible[1]), 20190315);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(MidnightDayNumber(dlg.m_date), 20190315);
}

// The second click is on the day that is then selected, which confirms it.
TEST_F(CalendarDlgTest, ClickOnAnotherDayOnlyMovesTheSelectionAndASecondClickConfirms)
{
    CCalendarDlg dlg(&m_field.m_wnd);
    dlg.m_date = COleDateTime(2024, 3, 15, 10, 20, 30);
    bool bOpen = false;
    int nSelected = 0;
    const INT_PTR nResult = Drive(dlg, [&](HWND hDlg, HWND hCalendar) {
        EXPECT_TRUE(ClickDay(hCalendar, 20240316));
        // The click has been handled when ClickClient returns.
        bOpen = IsWindowVisible(hDlg) != FALSE;
        nSelected = DayNumber(CurSel(hCalendar));
        EXPECT_TRUE(ClickDay(hCalendar, 20240316));
    });
    EXPECT_TRUE(bOpen);
    EXPECT_EQ(nSelected, 20240316);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(MidnightDayNumber(dlg.m_date), 20240316);
}

TEST_F(CalendarDlgTest, CancelKeepsTheLastClickedDayOrTheStart)
{
    CCalendarDlg clicked(&m_field.m_wnd);
    clicked.m_date = COleDateTime(2024, 3, 15, 10, 20, 30);
    EXPECT_EQ(Drive(clicked,
                    [&](HWND hDlg, HWND hCalendar) {
                        EXPECT_TRUE(ClickDay(hCalendar, 20240305));
                        Close(hDlg);
                    }),
              IDCANCEL);
    EXPECT_EQ(clicked.m_date.GetDay(), 5);

    CCalendarDlg escaped(&m_field.m_wnd);
    const COleDateTime start(2024, 3, 15, 10, 20, 30);
    escaped.m_date = start;
    EXPECT_EQ(Drive(escaped, [&](HWND, HWND hCalendar) { PostKey(hCalendar, VK_ESCAPE); }), IDCANCEL);
    EXPECT_TRUE(escaped.m_date == start);
}

// Arrow keys that reach the calendar's window procedure, counted there.
std::atomic<int> g_nArrowsAtCalendar(0);
WNDPROC g_pfnCalendarProc = NULL;

LRESULT CALLBACK CountArrowsProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_KEYDOWN && wParam >= VK_LEFT && wParam <= VK_DOWN)
        ++g_nArrowsAtCalendar;
    return CallWindowProcA(g_pfnCalendarProc, hWnd, nMsg, wParam, lParam);
}

TEST_F(CalendarDlgTest, ArrowKeysGoToTheCalendarAndEnterTakesItsDay)
{
    CCalendarDlg dlg(&m_field.m_wnd);
    dlg.m_date = COleDateTime(2024, 3, 15, 10, 20, 30);
    g_nArrowsAtCalendar = 0;
    bool bArrived = false;
    int nBeforeEnter = 0;
    const INT_PTR nResult = Drive(dlg, [&](HWND, HWND hCalendar) {
        g_pfnCalendarProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hCalendar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountArrowsProc)));
        for (UINT vk : {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP})
            PostKey(hCalendar, vk);
        bArrived = support::PollFor(5000, [] { return g_nArrowsAtCalendar == 4; });
        // Where the keys left the selection (controls differ) is what Enter takes.
        nBeforeEnter = DayNumber(CurSel(hCalendar));
        PostKey(hCalendar, VK_RETURN);
    });
    EXPECT_TRUE(bArrived) << g_nArrowsAtCalendar;
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(MidnightDayNumber(dlg.m_date), nBeforeEnter);
}

TEST_F(CalendarDlgTest, InvalidStartLeavesTheCalendarOnItsOwnDay)
{
    CCalendarDlg dlg(&m_field.m_wnd);
    dlg.m_date = COleDateTime(2023, 2, 31, 0, 0, 0);
    int nShown = 0, nToday = -1;
    const INT_PTR nResult = Drive(dlg, [&](HWND, HWND hCalendar) {
        nShown = DayNumber(CurSel(hCalendar));
        SYSTEMTIME stToday = {};
        SendMessageA(hCalendar, MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(&stToday));
        nToday = DayNumber(stToday);
        PostKey(hCalendar, VK_RETURN);
    });
    EXPECT_EQ(nShown, nToday);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(MidnightDayNumber(dlg.m_date), nToday);
}

TEST_F(CalendarDlgTest, ConstructionStartsNowAndRefusesANullParent)
{
    const COleDateTime before = COleDateTime::GetCurrentTime();
    CCalendarDlg dlg(&m_field.m_wnd);
    EXPECT_TRUE(before <= dlg.m_date && dlg.m_date <= COleDateTime::GetCurrentTime());
    EXPECT_TRUE(dlg.m_pFont == NULL && !dlg.m_bCenter);
    int nThrown = 0;
    try {
        CCalendarDlg orphan(NULL);
    } catch (CInvalidArgException* e) {
        ++nThrown;
        e->Delete();
    }
    EXPECT_EQ(nThrown, 1);
}

// ---------------------------------------------------------------- the picture strip

// The share of the strip's picture header band (rows 9 to 11 of 32, clear of
// the rings, columns 4 to 27) in the generator's red, read back from the
// window's PNG picture.
double StripHeaderShare(HWND hWnd, const char* pszName)
{
    const std::string strPath = TempPath(pszName);
    if (!support::CaptureWindowToPng(hWnd, strPath.c_str()))
        return -1.0;
    Gdiplus::Bitmap picture(std::wstring(strPath.begin(), strPath.end()).c_str());
    const int cx = static_cast<int>(picture.GetWidth()), cy = static_cast<int>(picture.GetHeight());
    const int nStrip = GetSystemMetrics(SM_CXICON) / 2, x0 = cx - nStrip - 1, nHeight = cy - 3;
    int nRed = 0, nAll = 0;
    for (int y = 2 + 9 * nHeight / 32 + 1; y < 2 + 12 * nHeight / 32 - 1; ++y) {
        for (int x = x0 + 4 * nStrip / 32 + 1; x < x0 + 28 * nStrip / 32 - 1; ++x, ++nAll) {
            Gdiplus::Color c;
            picture.GetPixel(x, y, &c);
            nRed += abs(c.GetR() - 200) < 24 && abs(c.GetG() - 30) < 24 && abs(c.GetB() - 30) < 24;
        }
    }
    return nAll ? static_cast<double>(nRed) / nAll : 0.0;
}

class MonthCalCtrlExTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, NULL), Gdiplus::Ok);
        ASSERT_TRUE(m_host.Attach(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 500, 400, NULL, NULL,
                                                  GetModuleHandleA(NULL), NULL)));
    }
    void TearDown() override
    {
        ::DestroyWindow(m_host.Detach());
        CWnd::DeleteTempMap();
        Gdiplus::GdiplusShutdown(m_token);
    }

    // Creates the control at its minimal size and lets it paint.
    void Place(CMonthCalCtrl& ctl)
    {
        ASSERT_TRUE(ctl.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CPoint(10, 10), &m_host, 200));
        PumpWithoutRedraw();
    }
    // Dispatches what is pending, paint included, without asking for an erase.
    static void PumpWithoutRedraw()
    {
        MSG msg;
        for (int i = 0; i < 1000 && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); ++i)
            DispatchMessageA(&msg);
        GdiFlush();
    }

    ULONG_PTR m_token = 0;
    CWnd m_host;
};

TEST_F(MonthCalCtrlExTest, StripIsPaintedAtFirstAndAgainAfterClicks)
{
    CMonthCalCtrl plain;
    Place(plain);
    EXPECT_LT(StripHeaderShare(plain.m_hWnd, "extkit-monthcal-plain.png"), 0.1);
    plain.DestroyWindow();

    CMonthCalCtrlEx ctl;
    Place(ctl);
    EXPECT_GT(StripHeaderShare(ctl.m_hWnd, "extkit-monthcal-strip.png"), 0.9);
    ASSERT_TRUE(ctl.SetCurSel(COleDateTime(2024, 4, 15, 0, 0, 0)));
    PumpWithoutRedraw();

    // A day click redraws only the selection.
    ASSERT_TRUE(ClickDay(ctl.m_hWnd, 20240410));
    PumpWithoutRedraw();
    EXPECT_GT(StripHeaderShare(ctl.m_hWnd, "extkit-monthcal-day.png"), 0.9);
}

TEST_F(MonthCalCtrlExTest, EachControlOwnsItsPictureAndFreesIt)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 2; ++i) {
        CMonthCalCtrlEx ctl;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(ctl.m_hIcon, &info));
        BITMAP bm = {};
        GetObject(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        Place(ctl);
        ASSERT_TRUE(Click(ctl.m_hWnd, MCHT_TITLEBTNPREV));
        PumpWithoutRedraw();
        // A later control still has its picture after an earlier one freed its own.
        EXPECT_GT(StripHeaderShare(ctl.m_hWnd, "extkit-monthcal-again.png"), 0.9) << i;
        EXPECT_EQ(counter.GetBalance()[support::GuiKind::Icon], 1) << i;
        ctl.DestroyWindow();
    }
    // The icons and the window contexts of the paints.
    EXPECT_GE(counter.GetCreatedCount(), 4);
    EXPECT_NO_GUI_LEAKS(counter);
}

// ---------------------------------------------------------------- leaving

TEST_F(CalendarDlgTest, SwitchingToAnotherApplicationCancels)
{
    CCalendarDlg dlg(&m_field.m_wnd);
    const COleDateTime start(2024, 3, 15, 10, 20, 30);
    dlg.m_date = start;
    // A window of another thread taking the foreground deactivates the
    // dialog's application, as another program coming to the front does.
    const INT_PTR nResult = Drive(dlg, [&](HWND, HWND) {
        HWND hOther = CreateWindowExA(0, "STATIC", "Другое приложение", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300,
                                      200, NULL, NULL, GetModuleHandleA(NULL), NULL);
        SetForegroundWindow(hOther);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        DestroyWindow(hOther);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_TRUE(dlg.m_date == start);
}

}  // namespace
