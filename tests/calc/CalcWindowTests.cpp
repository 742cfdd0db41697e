// The calculator dialog, the drop-down calendar and the month calendar with its
// picture strip on real windows, in a user's whole sessions driven from a
// helper thread (posted keys, clicks, the lists, Enter, Escape, another
// application coming to the front), checked at each step as the user sees
// it; and a hundred runs of each leaving no GUI objects.
#include "calc/CalculatorDlg.h"
#include "calc/CalendarDlg.h"
#include "calc/CalendarRes.h"
#include "calc/MonthCalCtrlEx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Clipboard.h"
#include "GuiObjectCounter.h"
#include "Input.h"
#include "ModalDriver.h"
#include "Wait.h"
#include "WindowCapture.h"

namespace {

using Strings = std::vector<std::string>;
const UINT kMarker = WM_APP + 0x177;
const UINT kSh = support::kShift << 16, kCt = support::kCtrl << 16;

// Runs a modal dialog while fnAct works it from a helper thread; fnAct ends it.
INT_PTR RunModal(CDialog& dlg, const std::function<void(HWND hDlg)>& fnAct)
{
    support::CModalDriver driver(fnAct);
    const INT_PTR nResult = dlg.DoModal();
    EXPECT_TRUE(driver.Finish()) << "the dialog did not open, or stayed open";
    CWnd::DeleteTempMap();
    return nResult;
}

// Another application coming to the front: a window of another thread takes
// the activation.
void ActivateOtherWindow()
{
    HWND hOther = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200, 100, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(hOther);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    DestroyWindow(hOther);
}

// A top-level window standing for the host's field.
struct CField {
    explicit CField(const CRect& rc)
    {
        m_wnd.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_BORDER, rc, NULL, 0);
    }
    ~CField() { m_wnd.DestroyWindow(); }
    CWnd m_wnd;
};

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    GetWindowRect(hWnd, &rc);
    return rc;
}

// ---------------------------------------------------------------- the calculator

// The dialog, telling the test when everything posted before a marker has
// been worked off.
class CProbeCalcDlg : public CCalculatorDlg {
public:
    using CCalculatorDlg::CCalculatorDlg;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return pMsg->message == kMarker ? ++m_nMarkers > 0 : CCalculatorDlg::PreTranslateMessage(pMsg);
    }
    std::atomic<int> m_nMarkers{0};
};

// The user at the running calculator. Keys are posted to the display, so that
// they pass the modal loop and PreTranslateMessage like real input, with Shift
// and Ctrl held in the dialog thread's keyboard state meanwhile.
struct CCalcUser {
    // Waits until the dialog has handled what was posted so far, including
    // the commands its key handling posts to itself; false once it has ended.
    bool Settle()
    {
        for (int i = 0; i < 2; ++i) {
            const int nSeen = m_dlg.m_nMarkers;
            if (!PostMessageA(m_hDlg, kMarker, 0, 0) ||
                !support::PollFor(5000, [&] { return m_dlg.m_nMarkers > nSeen || !IsWindow(m_hDlg); }) ||
                m_dlg.m_nMarkers == nSeen)
                return false;
        }
        return true;
    }
    // A key message; the modifiers (kSh, kCt) in the high word of nKey.
    void Post(UINT nMessage, UINT nKey, LPARAM lExtra = 0)
    {
        const DWORD dwThread = GetWindowThreadProcessId(m_hDlg, nullptr);
        AttachThreadInput(GetCurrentThreadId(), dwThread, TRUE);
        BYTE abSaved[256], abState[256];
        GetKeyboardState(abSaved);
        CopyMemory(abState, abSaved, sizeof(abState));
        abState[VK_SHIFT] = abState[VK_LSHIFT] = (nKey & kSh) ? 0x80 : 0;
        abState[VK_CONTROL] = abState[VK_LCONTROL] = (nKey & kCt) ? 0x80 : 0;
        SetKeyboardState(abState);
        const UINT vk = LOWORD(nKey);
        PostMessageA(Item(IDC_CALC_VALUE), nMessage, vk, support::KeyLParam(vk, nMessage == WM_KEYUP, false) | lExtra);
        Settle();
        SetKeyboardState(abSaved);
        AttachThreadInput(GetCurrentThreadId(), dwThread, FALSE);
    }
    // Presses and releases each key; what is shown after each:
    // "accumulator|operation|display".
    Strings Keys(const std::vector<UINT>& keys)
    {
        Strings shown;
        for (UINT nKey : keys) {
            Post(WM_KEYDOWN, nKey);
            Post(WM_KEYUP, nKey);
            shown.push_back(Shown());
        }
        return shown;
    }
    std::string Click(int nID)
    {
        RECT rc = {};
        GetClientRect(Item(nID), &rc);
        support::ClickClient(Item(nID), rc.right / 2, rc.bottom / 2);
        Settle();
        return Shown();
    }
    // The user picks item nIndex of a list.
    void Pick(int nID, int nIndex)
    {
        SendMessageA(Item(nID), CB_SETCURSEL, nIndex, 0);
        SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(nID, CBN_SELENDOK), reinterpret_cast<LPARAM>(Item(nID)));
    }
    HWND Item(int nID) const { return GetDlgItem(m_hDlg, nID); }
    std::string Shown() const
    {
        return support::GetWindowString(Item(IDC_CALC_RESULT)) + "|" +
               support::GetWindowString(Item(IDC_CALC_OPERATION)) + "|" +
               support::GetWindowString(Item(IDC_CALC_VALUE));
    }
    // A list's items joined by ';' and its selection: "5;7@1".
    std::string List(int nID) const
    {
        std::string str;
        for (int i = 0; i < static_cast<int>(SendMessageA(Item(nID), CB_GETCOUNT, 0, 0)); ++i) {
            char szItem[64] = {};
            SendMessageA(Item(nID), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
            str += (i > 0 ? ";" : "") + std::string(szItem);
        }
        return str + "@" + std::to_string(SendMessageA(Item(nID), CB_GETCURSEL, 0, 0));
    }

    CProbeCalcDlg& m_dlg;
    HWND m_hDlg;
};

INT_PTR RunCalculator(CProbeCalcDlg& dlg, const std::function<void(CCalcUser&)>& fnAct)
{
    return RunModal(dlg, [&](HWND hDlg) {
        CCalcUser user{dlg, hDlg};
        if (user.Settle())
            fnAct(user);
        else
            ADD_FAILURE() << "the dialog does not answer";
    });
}

TEST(CalculatorDlg, EveryKeyOfBothKeyboardsThenEnter)
{
    ASSERT_TRUE(support::SetClipboardText("прежнее"));
    CProbeCalcDlg dlg("12.346", 2);
    EXPECT_EQ("12.35", std::string(dlg.m_strValue));
    std::string strOpened, strClipboard;
    Strings typed, held, last;
    const INT_PTR nResult = RunCalculator(dlg, [&](CCalcUser& user) {
        // Neither the template's "0" nor its "+" is shown.
        strOpened = support::GetWindowString(user.m_hDlg) + " " + user.Shown() + " " + user.List(IDC_CALC_PRECISION) +
                    " " + user.List(IDC_CALC_MEMORY);
        // clang-format off
        typed = user.Keys({VK_NUMPAD1, VK_NUMPAD2, VK_DECIMAL, VK_NUMPAD5, VK_MULTIPLY, VK_NUMPAD4, VK_SUBTRACT,
                           VK_NUMPAD6, VK_DIVIDE, VK_NUMPAD8, VK_ADD, VK_NUMPAD7, VK_NUMPAD9, VK_NUMPAD0, VK_BACK,
                           VK_F9, VK_OEM_PLUS, 'R', VK_DELETE,
                           '9', '8' | kSh, '3', VK_OEM_PLUS | kSh, '1', VK_OEM_PERIOD, '5', VK_OEM_MINUS, '2',
                           VK_OEM_2, '4', '6', '0', '5' | kSh, 'C' | kSh, '2', '5', '2' | kSh, 'C'});
        // clang-format on
        // A held key shows its button pressed and acts once, on release;
        // another key takes the pressed look over, and any release acts for it.
        const auto look = [&] {
            std::string str = user.Shown();
            for (int nID : {IDC_CALC_NUM7, IDC_CALC_NUM8})
                if (SendMessageA(user.Item(nID), BM_GETSTATE, 0, 0) & BST_PUSHED)
                    str += " pressed " + std::to_string(nID - IDC_CALC_NUM0);
            held.push_back(str);
        };
        for (LPARAM lRepeat : {0, 1 << 30, 1 << 30})  // the key was down before
            user.Post(WM_KEYDOWN, '7', lRepeat);
        look();
        user.Post(WM_KEYUP, '7');
        look();
        user.Post(WM_KEYDOWN, '7');
        user.Post(WM_KEYDOWN, '8');
        look();
        user.Post(WM_KEYUP, '7');
        look();
        // Keys of neither table go to the display: Ctrl+C copies it, Ctrl+Shift+R does nothing.
        SendMessageA(user.Item(IDC_CALC_VALUE), EM_SETSEL, 0, -1);
        user.Keys({'C' | kCt});
        support::GetClipboardText(&strClipboard);
        last = user.Keys({'R' | kCt | kSh, VK_ADD, '2'});
        user.Keys({VK_RETURN});
    });
    EXPECT_EQ("Калькулятор ||12.35 0;1;2;3;4;5;6;7;8;9;10@2 @-1", strOpened);
    EXPECT_EQ((Strings{"||1",        "||12",        "||12.",          "||12.5",     "12.50|*|", "12.50|*|4",
                       "50.00|-|",   "50.00|-|6",   "44.00|/|",       "44.00|/|8",  "5.50|+|",  "5.50|+|7",
                       "5.50|+|79",  "5.50|+|790",  "5.50|+|79",      "5.50|+|-79", "||-73.50", "||-0.01",
                       "||",         "||9",         "9.00|*|",        "9.00|*|3",   "27.00|+|", "27.00|+|1",
                       "27.00|+|1.", "27.00|+|1.5", "28.50|-|",       "28.50|-|2",  "26.50|/|", "26.50|/|4",
                       "26.50|/|46", "26.50|/|460", "26.50|/|121.90", "||",         "||2",      "||25",
                       "||5.00",     "||"}),
              typed);
    EXPECT_EQ((Strings{"|| pressed 7", "||7", "||7 pressed 8", "||78"}), held);
    EXPECT_EQ("78", strClipboard);
    EXPECT_EQ((Strings{"||78", "78.00|+|", "78.00|+|2"}), last);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ("80.00", std::string(dlg.m_strValue));
}

TEST(CalculatorDlg, TheMouseThePrecisionAndTheMemoryThenCancel)
{
    CProbeCalcDlg dlg("3", 1);
    Strings seen;
    int nIcons = 0, nTips = 0;
    const INT_PTR nResult = RunCalculator(dlg, [&](CCalcUser& user) {
        // Every button shows its icon and has its tool-tip.
        for (int i = 0; i < CCalculatorDlg::nButtonCount; ++i) {
            CString strTip;
            dlg.m_toolTip.GetText(strTip, dlg.m_arrButtons[i]);
            nTips += !strTip.IsEmpty();
            nIcons += dlg.m_arrButtons[i]->SendMessage(BM_GETIMAGE, IMAGE_ICON) != 0;
        }
        for (int nID : {IDC_CALC_NUM1, IDC_CALC_POINT, IDC_CALC_NUM5, IDC_CALC_DIV, IDC_CALC_NUM5, IDC_CALC_EQ})
            seen.push_back(user.Click(nID));
        // Four decimals from the list; what is shown is not reformatted.
        user.Pick(IDC_CALC_PRECISION, 4);
        for (const std::string& str : user.Keys({'1', VK_DIVIDE, '3', VK_OEM_PLUS}))
            seen.push_back(str);
        // The memory list follows the memory keys; MR and M+ take the item the user picked.
        const auto memory = [&](const std::vector<UINT>& keys) {
            const std::string strShown = user.Keys(keys).back();
            seen.push_back(strShown + " " + user.List(IDC_CALC_MEMORY));
        };
        memory({'M' | kCt, VK_DELETE, 'M' | kCt, '7', 'M' | kCt});
        user.Pick(IDC_CALC_MEMORY, 0);
        memory({'R' | kCt});
        memory({VK_DELETE, '2', 'P' | kCt});
        memory({'L' | kCt});
        user.Click(IDCANCEL);
    });
    EXPECT_EQ(CCalculatorDlg::nButtonCount, nIcons);
    EXPECT_EQ(CCalculatorDlg::nButtonCount, nTips);
    EXPECT_EQ((Strings{"||1", "||1.", "||1.5", "1.5|/|", "1.5|/|5", "||0.3", "||1", "1.0000|/|", "1.0000|/|3",
                       "||0.3333", "||7 0.3333;7@1", "||0.3333 0.3333;7@0", "||2 2.3333;7@0", "||2 @-1"}),
              seen);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ("2", std::string(dlg.m_strValue));  // what the last key left
}

TEST(CalculatorDlg, DroppedDownUnderAFieldReopenedAndLeft)
{
    CField field(CRect(220, 160, 420, 184));
    CProbeCalcDlg dlg("10", 2, &field.m_wnd, true);
    CRect rc;
    LONG lStyle = 0;
    Strings typed;
    EXPECT_EQ(IDOK, RunCalculator(dlg, [&](CCalcUser& user) {
                  rc = WindowRect(user.m_hDlg);
                  lStyle = GetWindowLongA(user.m_hDlg, GWL_STYLE);
                  typed = user.Keys({'2', 'M' | kCt, VK_ADD, '3'});
                  user.Keys({VK_RETURN});
              }));
    EXPECT_EQ(CPoint(220, 184), rc.TopLeft());
    EXPECT_EQ(0, lStyle & WS_CAPTION);
    EXPECT_EQ((Strings{"||2", "||2", "2.00|+|", "2.00|+|3"}), typed);
    EXPECT_EQ("5.00", std::string(dlg.m_strValue));

    // Opened again: the last result, nothing pending, an empty memory; another
    // application coming to the front closes it.
    std::string strReopened;
    EXPECT_EQ(IDCANCEL, RunCalculator(dlg, [&](CCalcUser& user) {
                  strReopened = user.Shown() + " " + user.List(IDC_CALC_MEMORY);
                  user.Keys({'9'});
                  ActivateOtherWindow();
              }));
    EXPECT_EQ("||5.00 @-1", strReopened);
    EXPECT_EQ("9", std::string(dlg.m_strValue));

    // Not dropped down: centred over the parent, with its caption, and it
    // stays when the user leaves; Escape closes it.
    CProbeCalcDlg centred("10", 2, &field.m_wnd, false);
    bool bOpenAfter = false;
    EXPECT_EQ(IDCANCEL, RunCalculator(centred, [&](CCalcUser& user) {
                  rc = WindowRect(user.m_hDlg);
                  lStyle = GetWindowLongA(user.m_hDlg, GWL_STYLE);
                  ActivateOtherWindow();
                  bOpenAfter = user.Settle();  // after the deactivation, sent before the markers
                  user.Keys({'4', VK_ESCAPE});
              }));
    EXPECT_EQ(WS_CAPTION, lStyle & WS_CAPTION);
    EXPECT_LE(abs(rc.CenterPoint().x - 320) + abs(rc.CenterPoint().y - 172), 2);
    EXPECT_TRUE(bOpenAfter);
    EXPECT_EQ("4", std::string(centred.m_strValue));
}

TEST(CalculatorDlg, AHundredSessionsLeaveNoGuiObjects)
{
    support::CGuiObjectCounter counter(Strings{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        CProbeCalcDlg dlg("1.5", 2);
        Strings typed;
        EXPECT_EQ(IDOK, RunCalculator(dlg, [&](CCalcUser& user) {
                      typed = user.Keys({'5', VK_ADD, '1', 'M' | kCt});
                      typed.push_back(user.Click(IDC_CALC_EQ));
                      user.Keys({VK_RETURN});
                  }));
        ASSERT_EQ((Strings{"||5", "5.00|+|", "5.00|+|1", "5.00|+|1", "||6.00"}), typed) << "session " << i;
        EXPECT_EQ(0, dlg.m_arrButtons.GetSize());
    }
    EXPECT_GT(counter.GetCreatedCount(), 100);
    EXPECT_NO_GUI_LEAKS(counter);
}

// ---------------------------------------------------------------- the calendar

// A key press posted, so that it passes the modal loop like real input.
void PostKey(HWND hWnd, UINT vk)
{
    PostMessageA(hWnd, WM_KEYDOWN, vk, support::KeyLParam(vk, false, false));
    PostMessageA(hWnd, WM_KEYUP, vk, support::KeyLParam(vk, true, false));
}

// A day as one number, 20240315; with bMidnight, -1 for a time that is not.
int Day(const COleDateTime& date, bool bMidnight = true)
{
    const bool bTime = date.GetHour() || date.GetMinute() || date.GetSecond();
    return bMidnight && bTime ? -1 : date.GetYear() * 10000 + date.GetMonth() * 100 + date.GetDay();
}
int Day(const SYSTEMTIME& st)
{
    return st.wYear * 10000 + st.wMonth * 100 + st.wDay;
}
int Selected(HWND hCalendar)
{
    SYSTEMTIME st = {};
    SendMessageA(hCalendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    return Day(st);
}

// The middle of the area with that hit code (and that day, when given),
// found by hit-testing the client area on a grid finer than half a day's
// cell; (-1, -1) when there is none.
CPoint Spot(HWND hCalendar, DWORD dwHit, int nDay = 0)
{
    CRect rc;
    GetClientRect(hCalendar, &rc);
    long nSumX = 0, nSumY = 0, nCount = 0;
    for (int y = 0; y < rc.bottom; y += 6) {
        for (int x = 0; x < rc.right; x += 6) {
            MCHITTESTINFO info = {};
            info.cbSize = sizeof(info);
            info.pt = {x, y};
            if (static_cast<DWORD>(SendMessageA(hCalendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))) == dwHit &&
                (nDay == 0 || Day(info.st) == nDay)) {
                nSumX += x;
                nSumY += y;
                ++nCount;
            }
        }
    }
    return nCount > 0 ? CPoint(nSumX / nCount, nSumY / nCount) : CPoint(-1, -1);
}

bool Click(HWND hCalendar, DWORD dwHit, int nDay = 0)
{
    const CPoint pt = Spot(hCalendar, dwHit, nDay);
    if (pt.x >= 0)
        support::ClickClient(hCalendar, pt.x, pt.y);
    return pt.x >= 0;
}

INT_PTR RunCalendar(CCalendarDlg& dlg, const std::function<void(HWND hDlg, HWND hCalendar)>& fnAct)
{
    return RunModal(dlg, [&](HWND hDlg) { fnAct(hDlg, GetDlgItem(hDlg, IDC_CALENDAR_MONTH)); });
}

TEST(CalendarDlg, UnderAFieldOrOffTheScreenEdgesTakenWithTwoClicksOrEnterOrLeft)
{
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    const int nRight = cxScreen - GetSystemMetrics(SM_CXVSCROLL), nBottom = cyScreen - GetSystemMetrics(SM_CYHSCROLL);
    ASSERT_NE(2019, COleDateTime::GetCurrentTime().GetYear());
    const COleDateTime start(2019, 3, 15, 14, 35, 10);
    const struct {
        int x, y;
        bool bRightEdge, bBottomEdge;
        INT_PTR nResult;
        int nDay;  // the day m_date holds then; 0: the start as it was
    } aCases[] = {
        {100, 100, false, false, IDOK, 20190316},                    // a day clicked twice: at midnight
        {cxScreen - 60, 120, true, false, IDCANCEL, 20190305},       // a day clicked, then Escape
        {100, cyScreen - 50, false, true, IDCANCEL, 0},              // another application to the front
        {cxScreen - 40, cyScreen - 40, true, true, IDOK, 20190315},  // Enter: the start at midnight
    };
    for (int i = 0; i < 4; ++i) {
        const auto& c = aCases[i];
        SCOPED_TRACE(testing::Message() << "field at " << c.x << "," << c.y);
        CField field(CRect(c.x, c.y, c.x + 150, c.y + 24));
        CCalendarDlg dlg(&field.m_wnd);
        dlg.m_date = start;
        CRect rcDlg, rcCalendar, rcMin, rcClient;
        Strings seen;
        EXPECT_EQ(c.nResult, RunCalendar(dlg, [&](HWND hDlg, HWND hCalendar) {
                      rcDlg = WindowRect(hDlg);
                      rcCalendar = WindowRect(hCalendar);
                      SendMessageA(hCalendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&rcMin));
                      GetClientRect(hDlg, &rcClient);
                      MapWindowPoints(hDlg, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
                      GUITHREADINFO gui = {};
                      gui.cbSize = sizeof(gui);
                      GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, NULL), &gui);
                      const auto look = [&] {
                          seen.push_back(std::to_string(Selected(hCalendar)) + (IsWindowVisible(hDlg) ? " open" : "") +
                                         (gui.hwndFocus == hCalendar ? " focused" : ""));
                      };
                      look();
                      if (i == 0) {
                          // One click on another day only selects it; a second click takes it.
                          EXPECT_TRUE(Click(hCalendar, MCHT_CALENDARDATE, 20190316));
                          look();
                          EXPECT_TRUE(Click(hCalendar, MCHT_CALENDARDATE, 20190316));
                      } else if (i == 1) {
                          EXPECT_TRUE(Click(hCalendar, MCHT_CALENDARDATE, 20190305));
                          PostKey(hCalendar, VK_ESCAPE);
                      } else if (i == 2) {
                          support::PollFor(5000, [&] { return GetForegroundWindow() == hDlg; });
                          ActivateOtherWindow();
                      } else {
                          PostKey(hCalendar, VK_RETURN);
                      }
                  }));
        // The host's day shown, the keys going to the calendar; and for the
        // first day click, the dialog still open on the day clicked.
        EXPECT_EQ(i == 0 ? (Strings{"20190315 open focused", "20190316 open focused"})
                         : Strings{"20190315 open focused"},
                  seen);
        // The whole month is inside the dialog, also where the system draws
        // the calendar bigger than the template allows for.
        EXPECT_TRUE(rcCalendar.Width() >= rcMin.Width() && rcCalendar.Height() >= rcMin.Height());
        EXPECT_EQ(rcClient.TopLeft(), rcCalendar.TopLeft());
        EXPECT_TRUE(rcCalendar.right <= rcClient.right && rcCalendar.bottom <= rcClient.bottom);
        // Under the field, pulled left off the right edge, above the field at the bottom.
        ASSERT_EQ(c.bRightEdge, WindowRect(field.m_wnd).left + rcDlg.Width() > nRight);
        ASSERT_EQ(c.bBottomEdge, WindowRect(field.m_wnd).bottom + rcDlg.Height() > nBottom);
        EXPECT_EQ(c.bRightEdge ? nRight : WindowRect(field.m_wnd).left, c.bRightEdge ? rcDlg.right : rcDlg.left);
        EXPECT_EQ(c.bBottomEdge ? WindowRect(field.m_wnd).top : WindowRect(field.m_wnd).bottom,
                  c.bBottomEdge ? rcDlg.bottom : rcDlg.top);
        EXPECT_TRUE(c.nDay ? Day(dlg.m_date, c.nResult == IDOK) == c.nDay : dlg.m_date == start);
    }
}

TEST(CalendarDlg, AHundredRunsLeaveNoGuiObjects)
{
    CField field(CRect(100, 100, 250, 124));
    support::CGuiObjectCounter counter(Strings{"extkit.dll", "framework.dll"});
    CPoint pt(-1, -1);  // the 20th, found once: every run shows the same month
    for (int i = 0; i < 100; ++i) {
        CCalendarDlg dlg(&field.m_wnd);
        dlg.m_date = COleDateTime(2024, 3, 15, 10, 20, 30);
        EXPECT_EQ(IDOK, RunCalendar(dlg, [&](HWND, HWND hCalendar) {
                      if (pt.x < 0)
                          pt = Spot(hCalendar, MCHT_CALENDARDATE, 20240320);
                      support::ClickClient(hCalendar, pt.x, pt.y);
                      support::ClickClient(hCalendar, pt.x, pt.y);
                  }));
        ASSERT_EQ(20240320, Day(dlg.m_date)) << "run " << i;
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

// ---------------------------------------------------------------- the month calendar's strip

// The share of the strip's picture header band (rows 9 to 11 of 32, clear of
// the rings, columns 4 to 27) in the picture's red, read off the screen once
// what is pending (paint included) has been dispatched.
double StripRedShare(HWND hWnd)
{
    support::PumpPendingMessages(hWnd);
    const CRect rc = WindowRect(hWnd);
    const int nStrip = GetSystemMetrics(SM_CXICON) / 2, x0 = rc.right - nStrip - 1, nHeight = rc.Height() - 3;
    HDC hScreen = GetDC(NULL);
    int nRed = 0, nAll = 0;
    for (int y = rc.top + 2 + 9 * nHeight / 32 + 1; y < rc.top + 2 + 12 * nHeight / 32 - 1; ++y) {
        for (int x = x0 + 4 * nStrip / 32 + 1; x < x0 + 28 * nStrip / 32 - 1; ++x, ++nAll) {
            const COLORREF c = GetPixel(hScreen, x, y);
            nRed += abs(GetRValue(c) - 200) < 24 && abs(GetGValue(c) - 30) < 24 && abs(GetBValue(c) - 30) < 24;
        }
    }
    ReleaseDC(NULL, hScreen);
    return nAll ? static_cast<double>(nRed) / nAll : 0.0;
}

TEST(MonthCalCtrlEx, TheStripStaysThroughClicksAndAHundredControlsLeaveNoGuiObjects)
{
    CField host(CRect(40, 40, 540, 440));
    CMonthCalCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CPoint(10, 10), &host.m_wnd, 200));
    EXPECT_LT(StripRedShare(plain.m_hWnd), 0.1);
    plain.DestroyWindow();

    support::CGuiObjectCounter counter(Strings{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        CMonthCalCtrlEx ctl;
        ASSERT_TRUE(ctl.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CPoint(10, 10), &host.m_wnd, 200));
        EXPECT_EQ(1, counter.GetBalance()[support::GuiKind::Icon]);  // its own picture
        // Painted at first, after a day click (which redraws only the
        // selection) and after a click that shows another month; a later
        // control still has its picture after an earlier one freed its own.
        const bool bLook = i < 2;
        EXPECT_TRUE(!bLook || StripRedShare(ctl.m_hWnd) > 0.9);
        ASSERT_TRUE(ctl.SetCurSel(COleDateTime(2024, 4, 15, 0, 0, 0)));
        ASSERT_TRUE(Click(ctl.m_hWnd, MCHT_CALENDARDATE, 20240410));
        EXPECT_TRUE(!bLook || StripRedShare(ctl.m_hWnd) > 0.9);
        ASSERT_TRUE(Click(ctl.m_hWnd, MCHT_TITLEBTNPREV));
        EXPECT_TRUE(!bLook || StripRedShare(ctl.m_hWnd) > 0.9);
        support::PumpPendingMessages(ctl.m_hWnd);
        ctl.DestroyWindow();
    }
    EXPECT_GE(counter.GetCreatedCount(), 200);  // the pictures and the window contexts of the paints
    EXPECT_NO_GUI_LEAKS(counter);
}

}  // namespace
