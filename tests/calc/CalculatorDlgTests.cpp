// The calculator dialog on a real window, driven from a helper thread as a
// user drives it: keys of both tables with Shift and Ctrl, a key held down,
// clicks on the icon buttons, the precision and memory lists; the texts shown
// after each step, how the dialog ends, where it drops down, the refused keys
// it beeps at, its icons and tool-tips, and the GUI objects it leaves (none).
#include <afxwin.h>
#include "Wait.h"
#include "calc/CalculatorDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Clipboard.h"
#include "GuiObjectCounter.h"
#include "Input.h"
#include "ModalDriver.h"
#include "WindowCapture.h"

namespace {

using support::GetWindowString;

const UINT kMarker = WM_APP + 0x177;
const UINT kShift = support::kShift;
const UINT kCtrl = support::kCtrl;
// The framework's standard edit commands.
enum { kEditCopy = 0xE122, kEditCut = 0xE123, kEditPaste = 0xE125, kEditSelectAll = 0xE12A, kEditUndo = 0xE12B };

std::atomic<int> g_nBeeps{0};
std::atomic<UINT> g_nBeepType{0};

BOOL WINAPI CountBeep(UINT uType)
{
    ++g_nBeeps;
    g_nBeepType = uType;
    return TRUE;
}

// Counts the beeps of extkit.dll while it lives, instead of sounding them, by
// swapping its import slot for MessageBeep.
class CBeepCounter {
public:
    CBeepCounter()
    {
        g_nBeeps = 0;
        auto* pBase = reinterpret_cast<BYTE*>(GetModuleHandleA("extkit.dll"));
        auto* pNt = reinterpret_cast<IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
        auto* pDesc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
            pBase + pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
        for (; pDesc->Name && !m_ppSlot; ++pDesc) {
            if (lstrcmpiA(reinterpret_cast<char*>(pBase + pDesc->Name), "user32.dll") != 0 ||
                !pDesc->OriginalFirstThunk)
                continue;
            auto* pNames = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->OriginalFirstThunk);
            auto* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk);
            for (; pNames->u1.AddressOfData && !m_ppSlot; ++pNames, ++pSlots) {
                auto* pByName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
                if (!IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal) && lstrcmpA(pByName->Name, "MessageBeep") == 0)
                    m_ppSlot = reinterpret_cast<void**>(&pSlots->u1.Function);
            }
        }
        if (m_ppSlot != nullptr) {
            m_pOriginal = *m_ppSlot;
            Write(reinterpret_cast<void*>(&CountBeep));
        }
    }
    ~CBeepCounter()
    {
        if (m_ppSlot != nullptr)
            Write(m_pOriginal);
    }
    CBeepCounter(const CBeepCounter&) = delete;
    CBeepCounter& operator=(const CBeepCounter&) = delete;
    bool IsHooked() const { return m_ppSlot != nullptr; }

private:
    void Write(void* pValue)
    {
        DWORD dwOld = 0;
        VirtualProtect(m_ppSlot, sizeof(void*), PAGE_READWRITE, &dwOld);
        *m_ppSlot = pValue;
        VirtualProtect(m_ppSlot, sizeof(void*), dwOld, &dwOld);
    }
    void** m_ppSlot = nullptr;
    void* m_pOriginal = nullptr;
};

// The dialog, telling the test what it decided: keys it left to the default
// handling, deactivations, and a marker message through which the test knows
// that everything posted before has been worked off (m_strValue is read then,
// on the dialog's thread).
class CProbeCalcDlg : public CCalculatorDlg {
public:
    using CCalculatorDlg::CCalculatorDlg;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kMarker) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_strMember = static_cast<LPCSTR>(m_strValue);
            ++m_nMarkers;
            return TRUE;
        }
        const BOOL bHandled = CCalculatorDlg::PreTranslateMessage(pMsg);
        if (pMsg->message == WM_KEYDOWN && !bHandled)
            ++m_nDefaultKeys;
        return bHandled;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ACTIVATEAPP && !wParam)
            ++m_nDeactivations;
        return CCalculatorDlg::WindowProc(message, wParam, lParam);
    }
    std::string Member()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strMember;
    }

    std::atomic<int> m_nMarkers{0}, m_nDefaultKeys{0}, m_nDeactivations{0};

private:
    std::mutex m_mutex;
    std::string m_strMember;
};

// Holds Shift and Ctrl down in the dialog thread's keyboard state while it
// lives, as the user's fingers would.
class CHeldModifiers {
public:
    CHeldModifiers(HWND hWnd, UINT nModifiers) : m_dwThread(GetWindowThreadProcessId(hWnd, nullptr))
    {
        AttachThreadInput(GetCurrentThreadId(), m_dwThread, TRUE);
        GetKeyboardState(m_abSaved);
        BYTE abState[256];
        CopyMemory(abState, m_abSaved, sizeof(abState));
        abState[VK_SHIFT] = abState[VK_LSHIFT] = (nModifiers & kShift) ? 0x80 : 0;
        abState[VK_CONTROL] = abState[VK_LCONTROL] = (nModifiers & kCtrl) ? 0x80 : 0;
        SetKeyboardState(abState);
    }
    ~CHeldModifiers()
    {
        SetKeyboardState(m_abSaved);
        AttachThreadInput(GetCurrentThreadId(), m_dwThread, FALSE);
    }
    CHeldModifiers(const CHeldModifiers&) = delete;
    CHeldModifiers& operator=(const CHeldModifiers&) = delete;

private:
    DWORD m_dwThread;
    BYTE m_abSaved[256] = {};
};

// The user at the running dialog (on the helper thread). Keys are posted to
// the display, so that they pass the modal loop like real input.
class CCalcUser {
public:
    CCalcUser(CProbeCalcDlg& dlg, HWND hDlg) : m_hDlg(hDlg), m_dlg(dlg) {}

    // Waits until the dialog has handled what was posted so far, including
    // the commands its key handling posts to itself; false once it has ended.
    bool Settle()
    {
        for (int i = 0; i < 2; ++i) {
            const int nSeen = m_dlg.m_nMarkers;
            if (!PostMessageA(m_hDlg, kMarker, 0, 0))
                return false;
            support::PollFor(5000, [&] { return m_dlg.m_nMarkers > nSeen || !IsWindow(m_hDlg); });
            if (m_dlg.m_nMarkers == nSeen)
                return false;
        }
        return true;
    }
    void Down(UINT vk, UINT nModifiers = 0, bool bRepeat = false)
    {
        CHeldModifiers held(m_hDlg, nModifiers);
        const LPARAM lRepeat = bRepeat ? (1 << 30) : 0;  // the key was down before
        PostMessageA(Item(IDC_CALC_VALUE), WM_KEYDOWN, vk, support::KeyLParam(vk, false, false) | lRepeat);
        Settle();
    }
    void Up(UINT vk)
    {
        PostMessageA(Item(IDC_CALC_VALUE), WM_KEYUP, vk, support::KeyLParam(vk, true, false));
        Settle();
    }
    void Key(UINT vk, UINT nModifiers = 0)
    {
        Down(vk, nModifiers);
        Up(vk);
    }
    void Click(int nID)
    {
        RECT rc = {};
        GetClientRect(Item(nID), &rc);
        support::ClickClient(Item(nID), rc.right / 2, rc.bottom / 2);
        Settle();
    }
    // A command or a control's notification, as the control sends it.
    void Command(int nID, WORD wCode = 0)
    {
        SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(nID, wCode), reinterpret_cast<LPARAM>(Item(nID)));
        Settle();
    }

    HWND Item(int nID) const { return GetDlgItem(m_hDlg, nID); }
    // "accumulator|operation|display"; m_strValue is added when it differs.
    std::string Shown()
    {
        const std::string strDisplay = GetWindowString(Item(IDC_CALC_VALUE));
        std::string str =
            GetWindowString(Item(IDC_CALC_RESULT)) + "|" + GetWindowString(Item(IDC_CALC_OPERATION)) + "|" + strDisplay;
        if (m_dlg.Member() != strDisplay)
            str += " (m_strValue " + m_dlg.Member() + ")";
        return str;
    }
    bool IsPressed(int nID) { return (SendMessageA(Item(nID), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    // A list's items joined by ';' and its selection: "5;7@1".
    std::string List(int nID)
    {
        std::string str;
        const int nCount = static_cast<int>(SendMessageA(Item(nID), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            char szItem[64] = {};
            SendMessageA(Item(nID), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
            str += (i > 0 ? ";" : "") + std::string(szItem);
        }
        return str + "@" + std::to_string(SendMessageA(Item(nID), CB_GETCURSEL, 0, 0));
    }

    HWND m_hDlg;

private:
    CProbeCalcDlg& m_dlg;
};

// One key and the texts expected after it.
struct CStep {
    UINT m_nKey;
    UINT m_nModifiers;
    const char* m_pszShown;
};

void ExpectSteps(CCalcUser& user, const std::vector<CStep>& steps)
{
    for (const CStep& step : steps) {
        user.Key(step.m_nKey, step.m_nModifiers);
        EXPECT_EQ(user.Shown(), step.m_pszShown) << "after key " << step.m_nKey << " with " << step.m_nModifiers;
    }
}

// Runs the dialog while fnAct works it from a helper thread; fnAct ends it.
INT_PTR RunDialog(CProbeCalcDlg& dlg, const std::function<void(CCalcUser&)>& fnAct)
{
    support::CModalDriver driver([&](HWND hDlg) {
        CCalcUser user(dlg, hDlg);
        if (user.Settle())
            fnAct(user);
        else
            ADD_FAILURE() << "the dialog does not answer";
    });
    const INT_PTR nResult = dlg.DoModal();
    EXPECT_TRUE(driver.Finish()) << "the dialog did not open, or stayed open";
    CWnd::DeleteTempMap();
    return nResult;
}

// A top-level window standing for the host's field.
void CreateField(CWnd& wnd, const RECT& rc)
{
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "1250.00", WS_POPUP | WS_VISIBLE | WS_BORDER, rc, NULL, 0));
}

// Another application coming to the front: a window of another thread takes
// the activation.
void ActivateOtherWindow()
{
    HWND hOther = CreateWindowExA(0, "STATIC", "Другое приложение", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200,
                                  100, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(hOther);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    DestroyWindow(hOther);
}

TEST(CalculatorDlg, BothKeyTablesWithShiftAndEnterClosingWithTheResult)
{
    CProbeCalcDlg dlg(NULL, 2);
    std::string strStart;
    const INT_PTR nResult = RunDialog(dlg, [&](CCalcUser& user) {
        strStart = user.Shown();
        ExpectSteps(user, {
                              {VK_NUMPAD1, 0, "||1"},
                              {VK_NUMPAD2, 0, "||12"},
                              {VK_DECIMAL, 0, "||12."},
                              {VK_NUMPAD5, 0, "||12.5"},
                              {VK_MULTIPLY, 0, "12.50|*|"},
                              {VK_NUMPAD4, 0, "12.50|*|4"},
                              {VK_SUBTRACT, 0, "50.00|-|"},
                              {VK_NUMPAD6, 0, "50.00|-|6"},
                              {VK_DIVIDE, 0, "44.00|/|"},
                              {VK_NUMPAD8, 0, "44.00|/|8"},
                              {VK_ADD, 0, "5.50|+|"},
                              {VK_NUMPAD7, 0, "5.50|+|7"},
                              {VK_NUMPAD9, 0, "5.50|+|79"},
                              {VK_NUMPAD0, 0, "5.50|+|790"},
                              {VK_BACK, 0, "5.50|+|79"},
                              {VK_F9, 0, "5.50|+|-79"},
                              {VK_OEM_PLUS, 0, "||-73.50"},
                              {'R', 0, "||-0.01"},
                              {VK_DELETE, 0, "||"},
                              // The main keyboard: digits, signs and Shift with them.
                              {'9', 0, "||9"},
                              {'8', kShift, "9.00|*|"},
                              {'3', 0, "9.00|*|3"},
                              {VK_OEM_PLUS, kShift, "27.00|+|"},
                              {'1', 0, "27.00|+|1"},
                              {VK_OEM_PERIOD, 0, "27.00|+|1."},
                              {'5', 0, "27.00|+|1.5"},
                              {VK_OEM_MINUS, 0, "28.50|-|"},
                              {'2', 0, "28.50|-|2"},
                              {VK_OEM_2, 0, "26.50|/|"},
                              {'4', 0, "26.50|/|4"},
                              {'6', 0, "26.50|/|46"},
                              {'0', 0, "26.50|/|460"},
                              {'5', kShift, "26.50|/|121.90"},  // percent of the accumulator
                              {'C', kShift, "||"},              // Shift+C clears all like C
                              {'2', 0, "||2"},
                              {'5', 0, "||25"},
                              {'2', kShift, "||5.00"},  // Shift+2: square root
                              {'C', 0, "||"},
                              {'5', 0, "||5"},
                              {VK_ADD, 0, "5.00|+|"},
                              {'3', 0, "5.00|+|3"},
                          });
        user.Key(VK_RETURN);
    });
    EXPECT_EQ(strStart, "||0.00");
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(std::string(dlg.m_strValue), "8.00");
    EXPECT_EQ(dlg.m_nDefaultKeys, 0);
}

TEST(CalculatorDlg, AHeldKeyShowsItsButtonPressedAndActsOnceOnRelease)
{
    CProbeCalcDlg dlg;
    std::vector<std::string> seen;
    RunDialog(dlg, [&](CCalcUser& user) {
        auto look = [&] {
            seen.push_back(user.Shown() + (user.IsPressed(IDC_CALC_NUM7) ? " 7" : "") +
                           (user.IsPressed(IDC_CALC_NUM8) ? " 8" : ""));
        };
        user.Down('7');
        look();
        user.Down('7', 0, true);
        user.Down('7', 0, true);
        look();
        user.Up('7');
        look();
        // Another key takes the pressed look over; any release acts for it.
        user.Down('7');
        user.Down('8');
        look();
        user.Up('7');
        look();
        user.Key(VK_ESCAPE);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"||0.00 7", "||0.00 7", "||7", "||7 8", "||78"}));
}

TEST(CalculatorDlg, UnboundCombinationsGoToTheDefaultHandling)
{
    CProbeCalcDlg dlg("42", 0);
    ASSERT_TRUE(support::SetClipboardText("прежнее"));
    std::string strAfterCtrlC, strAfterCtrlShiftR, strClipboard;
    RunDialog(dlg, [&](CCalcUser& user) {
        ExpectSteps(user, {{'5', 0, "||5"}, {VK_ADD, 0, "5|+|"}, {'7', 0, "5|+|7"}});
        user.Command(kEditSelectAll);
        user.Key('C', kCtrl);  // neither table: the display copies its text
        strAfterCtrlC = user.Shown();
        support::GetClipboardText(&strClipboard);
        user.Key('R', kCtrl | kShift);  // modifier 12: no row
        strAfterCtrlShiftR = user.Shown();
        user.Key(VK_ESCAPE);
    });
    EXPECT_EQ(dlg.m_nDefaultKeys, 2);
    EXPECT_EQ(strAfterCtrlC, "5|+|7");
    EXPECT_EQ(strClipboard, "7");
    EXPECT_EQ(strAfterCtrlShiftR, "5|+|7");
}

// Every key above is a button command already; the clicks prove that the
// icon buttons themselves deliver them, and how each closing button ends.
TEST(CalculatorDlg, MouseClicksOnTheIconButtons)
{
    CProbeCalcDlg dlg("3", 1);
    std::vector<std::string> seen;
    const INT_PTR nResult = RunDialog(dlg, [&](CCalcUser& user) {
        for (int nID : {IDC_CALC_NUM1, IDC_CALC_POINT, IDC_CALC_NUM5, IDC_CALC_DIV, IDC_CALC_NUM5, IDC_CALC_EQ}) {
            user.Click(nID);
            seen.push_back(user.Shown());
        }
        user.Click(IDC_CALC_COPY);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"||1", "||1.", "||1.5", "1.5|/|", "1.5|/|5", "||0.3"}));
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(std::string(dlg.m_strValue), "0.3");

    CProbeCalcDlg cancelled("5", 2);
    EXPECT_EQ(RunDialog(cancelled,
                        [](CCalcUser& user) {
                            user.Click(IDC_CALC_NUM9);
                            user.Click(IDCANCEL);
                        }),
              IDCANCEL);
    EXPECT_EQ(std::string(cancelled.m_strValue), "9");  // what the last key left
}

// The limits themselves are the engine's; here: a refusal beeps, and the
// precision list reaches the engine.
TEST(CalculatorDlg, RefusedKeysBeepAndThePrecisionListSetsTheDecimals)
{
    CBeepCounter beeps;
    ASSERT_TRUE(beeps.IsHooked());
    CProbeCalcDlg dlg("1", 2);
    std::vector<int> counts;
    RunDialog(dlg, [&](CCalcUser& user) {
        ExpectSteps(user, {{VK_DELETE, 0, "||"},
                           {'1', 0, "||1"},
                           {VK_DECIMAL, 0, "||1."},
                           {'2', 0, "||1.2"},
                           {'3', 0, "||1.23"},
                           {'4', 0, "||1.23"},
                           {VK_F9, 0, "||-1.23"},
                           {'2', kShift, "||-1.23"}});  // no root of a negative
        counts.push_back(g_nBeeps);
        // Four decimals from the list; nothing shown is reformatted.
        SendMessageA(user.Item(IDC_CALC_PRECISION), CB_SETCURSEL, 4, 0);
        user.Command(IDC_CALC_PRECISION, CBN_SELENDOK);
        ExpectSteps(user, {{'C', 0, "||"},
                           {'1', 0, "||1"},
                           {VK_DIVIDE, 0, "1.0000|/|"},
                           {'3', 0, "1.0000|/|3"},
                           {VK_OEM_PLUS, 0, "||0.3333"},
                           {'1', 0, "||1"},
                           {VK_DECIMAL, 0, "||1."}});
        for (char ch : {'2', '3', '4', '5', '6'})
            user.Key(ch);
        counts.push_back(g_nBeeps);
        user.Key(VK_RETURN);
    });
    EXPECT_EQ(counts, (std::vector<int>{2, 3}));
    EXPECT_EQ(g_nBeepType, static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_EQ(dlg.m_nPrecision, 4);
    EXPECT_EQ(std::string(dlg.m_strValue), "1.2345");
}

TEST(CalculatorDlg, TheMemoryListFollowsTheMemoryKeys)
{
    CProbeCalcDlg dlg;
    std::vector<std::string> seen;
    RunDialog(dlg, [&](CCalcUser& user) {
        auto keys = [&](std::vector<std::pair<UINT, UINT>> keys) {
            for (const auto& key : keys)
                user.Key(key.first, key.second);
            seen.push_back(user.Shown() + " " + user.List(IDC_CALC_MEMORY));
        };
        keys({{VK_DELETE, 0}, {'M', kCtrl}});  // nothing to store
        keys({{'5', 0}, {'M', kCtrl}, {VK_DELETE, 0}, {'7', 0}, {'M', kCtrl}});
        SendMessageA(user.Item(IDC_CALC_MEMORY), CB_SETCURSEL, 0, 0);  // the user picks the first
        keys({{'R', kCtrl}});                                          // MR reads it
        keys({{VK_DELETE, 0}, {'2', 0}, {'P', kCtrl}});                // M+ adds to it
        keys({{'L', kCtrl}});
        user.Key(VK_ESCAPE);
    });
    // Which values the memory takes is the engine's; the list shows them.
    EXPECT_EQ(seen, (std::vector<std::string>{"|| @-1", "||7 5;7@1", "||5 5;7@0", "||2 7.00;7@0", "||2 @-1"}));
}

TEST(CalculatorDlg, DropsDownUnderTheParentAndClosesWhenTheUserLeaves)
{
    CWnd field;
    CreateField(field, CRect(220, 160, 420, 184));
    CProbeCalcDlg dlg("10", 2, &field, true);
    CRect rc;
    LONG lStyle = 0;
    const INT_PTR nResult = RunDialog(dlg, [&](CCalcUser& user) {
        GetWindowRect(user.m_hDlg, &rc);
        lStyle = GetWindowLongA(user.m_hDlg, GWL_STYLE);
        ExpectSteps(user, {{'2', 0, "||2"}, {VK_ADD, 0, "2.00|+|"}});
        ActivateOtherWindow();
    });
    EXPECT_EQ(rc.TopLeft(), CPoint(220, 184));
    EXPECT_EQ(lStyle & WS_CAPTION, 0);
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_GE(dlg.m_nDeactivations, 1);

    // Not dropped down: centred over the parent, with its caption, and it
    // stays when the user leaves.
    CWnd host;
    CreateField(host, CRect(100, 100, 500, 400));
    CProbeCalcDlg centred("10", 2, &host, false);
    bool bOpenAfter = false;
    EXPECT_EQ(RunDialog(centred,
                        [&](CCalcUser& user) {
                            GetWindowRect(user.m_hDlg, &rc);
                            lStyle = GetWindowLongA(user.m_hDlg, GWL_STYLE);
                            ActivateOtherWindow();
                            support::PollFor(5000, [&] { return centred.m_nDeactivations > 0; });
                            bOpenAfter = user.Settle();
                            user.Key(VK_RETURN);
                        }),
              IDOK);
    EXPECT_EQ(lStyle & WS_CAPTION, WS_CAPTION);
    EXPECT_NEAR(rc.CenterPoint().x, 300, 1);
    EXPECT_NEAR(rc.CenterPoint().y, 250, 1);
    EXPECT_GE(centred.m_nDeactivations, 1);
    EXPECT_TRUE(bOpenAfter);
    EXPECT_EQ(std::string(centred.m_strValue), "10.00");
}

// Tool-tip texts, in the order of the key table.
const char* const g_apszTips[CCalculatorDlg::nButtonCount] = {
    "Удалить последнюю цифру.'BACKSPACE'",
    "Очистить текущее значение.'DELETE'",
    "Очистить калькулятор. 'C'",
    "Закрыть без сохранения.'ESC'",
    "Очистить значения в памяти.'Ctrl+L'",
    "Ввести число '0-9'",
    "Ввести число '0-9'",
    "Ввести число '0-9'",
    "Операция деления . '/'",
    "Вычислить корень из текущего значения.'@'",
    "Прочесть текущее значение из памяти.'Ctrl+R'",
    "Ввести число '0-9'",
    "Ввести число '0-9'",
    "Ввести число '0-9'",
    "Операция умножения. '*'",
    "Вычислить процент.'%'",
    "Сохранить текущее значение в памяти.'Ctrl+M'",
    "Ввести число '0-9'",
    "Ввести число '0-9'",
    "Ввести число '0-9'",
    "Операция вычитания.'-'",
    "Вычисление обратного значения.'R'",
    "Добавить текущее значение к значению в памяти.'Ctrl+P'",
    "Ввести число '0-9'",
    "Изменить знак текущего значения. 'F9'",
    "Ввести десятичную точку. '.'",
    "Операция сложения.'+'",
    "Выполнить последнюю операцию. '='",
    "Закрыть с сохранением результата. 'ENTER'",
};

// What the icon puts over the button-face grey: its size, the colours that
// make at least 8 of its pixels, and whether its corners let the grey through.
std::string LookAt(HICON hIcon)
{
    ICONINFO info = {};
    if (!GetIconInfo(hIcon, &info))
        return "no icon";
    BITMAP bm = {};
    GetObjectA(info.hbmColor, sizeof(bm), &bm);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    const int cx = bm.bmWidth, cy = bm.bmHeight;
    const DWORD dwFace = 0xC0C0C0;
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD* pPixels = nullptr;
    HDC hDC = CreateCompatibleDC(NULL);
    HBITMAP hCanvas = CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pPixels), NULL, 0);
    HGDIOBJ hOld = SelectObject(hDC, hCanvas);
    std::fill(pPixels, pPixels + cx * cy, dwFace);
    DrawIconEx(hDC, 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
    GdiFlush();
    std::string str = std::to_string(cx) + "x" + std::to_string(cy);
    const std::pair<DWORD, const char*> aInks[] = {
        {0x000000, " black"}, {0x000080, " navy"}, {0x800000, " maroon"}, {0xFF0000, " red"}, {0x008000, " green"}};
    for (const auto& ink : aInks) {
        if (std::count_if(pPixels, pPixels + cx * cy, [&](DWORD dw) { return (dw & 0xFFFFFF) == ink.first; }) >= 8)
            str += ink.second;
    }
    for (int i : {0, cx - 1, cx * (cy - 1), cx * cy - 1}) {
        if ((pPixels[i] & 0xFFFFFF) != dwFace)
            str += " opaque corner";
    }
    SelectObject(hDC, hOld);
    DeleteObject(hCanvas);
    DeleteDC(hDC);
    return str;
}

TEST(CalculatorDlg, EveryButtonHasItsIconAndToolTip)
{
    CProbeCalcDlg dlg;
    std::vector<std::string> tips, looks;
    std::vector<HICON> icons;
    int nTools = 0;
    BOOL bCaptured = FALSE;
    RunDialog(dlg, [&](CCalcUser& user) {
        nTools = dlg.m_toolTip.GetToolCount();
        for (int i = 0; i < CCalculatorDlg::nButtonCount; ++i) {
            CButton* pButton = dlg.m_arrButtons[i];
            CString strTip;
            dlg.m_toolTip.GetText(strTip, pButton);
            tips.push_back(static_cast<LPCSTR>(strTip));
            icons.push_back(reinterpret_cast<HICON>(pButton->SendMessage(BM_GETIMAGE, IMAGE_ICON)));
            looks.push_back(LookAt(icons.back()));
        }
        // Painted through before the picture is taken.
        RedrawWindow(user.m_hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        bCaptured = support::CaptureWindowToPng(user.m_hDlg, "calculator.png");
        user.Key(VK_ESCAPE);
    });
    EXPECT_EQ(nTools, CCalculatorDlg::nButtonCount);
    ASSERT_EQ(looks.size(), static_cast<size_t>(CCalculatorDlg::nButtonCount));
    // Row by row: digits black, operations navy, memory maroon, clearing and
    // closing red, closing with the result green.
    const char szInks[] = "nrrrmkkknnmkkknnmkkknnmknnnng";
    const std::map<char, std::string> inks = {
        {'k', " black"}, {'n', " navy"}, {'m', " maroon"}, {'r', " red"}, {'g', " green"}};
    for (int i = 0; i < CCalculatorDlg::nButtonCount; ++i) {
        EXPECT_EQ(tips[i], g_apszTips[i]) << "row " << i;
        EXPECT_EQ(looks[i], "16x15" + inks.at(szInks[i])) << "row " << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(icons[i], icons[j]);
        ICONINFO info = {};
        EXPECT_FALSE(GetIconInfo(icons[i], &info)) << "the icon of row " << i << " outlived the dialog";
    }
    EXPECT_TRUE(bCaptured);
}

TEST(CalculatorDlg, EditCommandsReachTheReadOnlyDisplayAndPasteIsDisabled)
{
    CProbeCalcDlg dlg("77.5", 1);
    std::string strCopied, strAfterCut;
    RunDialog(dlg, [&](CCalcUser& user) {
        support::EmptyClipboardContents();
        user.Command(kEditSelectAll);
        user.Command(kEditCopy);
        support::GetClipboardText(&strCopied);
        user.Command(kEditCut);
        user.Command(kEditUndo);
        strAfterCut = user.Shown();
        user.Key(VK_ESCAPE);
    });
    EXPECT_EQ(strCopied, "77.5");
    EXPECT_EQ(strAfterCut, "||77.5");
    struct CPasteUI : CCmdUI {
        void Enable(BOOL bOn) override { m_nEnabled = bOn; }
        int m_nEnabled = -1;
    } ui;
    ui.m_nID = kEditPaste;
    EXPECT_TRUE(ui.DoUpdate(&dlg, FALSE));
    EXPECT_EQ(ui.m_nEnabled, FALSE);
}

TEST(CalculatorDlg, StartsFromTheTemplateRunsAgainAndLeavesNoGuiObjects)
{
    CProbeCalcDlg dlg("12.346", 2);
    EXPECT_EQ(std::string(dlg.m_strValue), "12.35");
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    std::string strFirst;
    for (int nRun = 0; nRun < 2; ++nRun) {
        EXPECT_EQ(RunDialog(dlg,
                            [&](CCalcUser& user) {
                                if (nRun == 0)  // neither the template's "0" nor its "+" is shown
                                    strFirst = GetWindowString(user.m_hDlg) + " " + user.Shown() + " " +
                                               user.List(IDC_CALC_PRECISION) + " " + user.List(IDC_CALC_MEMORY);
                                EXPECT_NE(SendMessageA(user.Item(IDC_CALC_NUM5), BM_GETIMAGE, IMAGE_ICON, 0), 0);
                                ExpectSteps(user, {{VK_ADD, 0, nRun == 0 ? "12.35|+|" : "17.35|+|"}});
                                user.Key('5');
                                user.Key(VK_RETURN);
                            }),
                  IDOK);
        EXPECT_EQ(dlg.m_arrButtons.GetSize(), 0) << "buttons left after run " << nRun;
        EXPECT_EQ(dlg.m_imageList.GetSafeHandle(), (HIMAGELIST)NULL);
    }
    EXPECT_EQ(strFirst, "Калькулятор ||12.35 0;1;2;3;4;5;6;7;8;9;10@2 @-1");
    EXPECT_EQ(std::string(dlg.m_strValue), "22.35");
    EXPECT_GT(counter.GetCreatedCount(), 0);
    EXPECT_NO_GUI_LEAKS(counter);
}

}  // namespace
