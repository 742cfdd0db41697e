// The common window procedure on real windows: message-map dispatch, the
// original procedure behind it, subclassing, reflection, handle maps and
// pre-translation.
#include "afxwin.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kClassName[] = "ExtkitWndMsgTest";
const UINT WM_ORIGINAL_ONLY = WM_APP + 1;  // answered by the class procedure
const UINT WM_MAPPED = WM_APP + 2;         // answered by the message map
const LRESULT kOriginalAnswer = 0x1234;

// What the class's own procedure saw, in order.
std::vector<UINT> g_originalSeen;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    g_originalSeen.push_back(nMsg);
    if (nMsg == WM_ORIGINAL_ONLY || nMsg == WM_MAPPED)
        return kOriginalAnswer;
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

bool Saw(UINT nMsg)
{
    for (UINT n : g_originalSeen)
        if (n == nMsg)
            return true;
    return false;
}

void RegisterTestClass()
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(GetModuleHandle(NULL), kClassName, &wc))
        return;
    wc.lpfnWndProc = OriginalProc;
    wc.hInstance = GetModuleHandle(NULL);
    wc.lpszClassName = kClassName;
    ASSERT_NE(RegisterClassA(&wc), 0);
}

HWND CreateRaw(HWND hParent = NULL, int nID = 0, DWORD dwStyle = WS_POPUP)
{
    if (hParent != NULL)
        dwStyle = WS_CHILD | WS_VISIBLE;
    return CreateWindowExA(0, kClassName, "raw", dwStyle, 0, 0, 100, 60, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), GetModuleHandle(NULL), NULL);
}

// Handles keys and mouse clicks; the class below adds creation and its own messages.
class CBaseWnd : public CWnd {
public:
    std::vector<std::string> m_log;
    UINT m_nChar = 0, m_nRepCnt = 0, m_nFlags = 0;
    CPoint m_point;
    BOOL m_bCallBaseOnChar = FALSE;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_log.push_back("base char");
        m_nChar = nChar;
        m_nRepCnt = nRepCnt;
        m_nFlags = nFlags;
        if (m_bCallBaseOnChar)
            CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_log.push_back("base lbuttondown");
        m_nFlags = nFlags;
        m_point = point;
    }
    void OnSize(UINT nType, int cx, int cy) { m_log.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_SIZE()
END_MESSAGE_MAP()

class CTestWnd : public CBaseWnd {
public:
    static int s_nDeleted;
    BOOL m_bDeleteSelf = FALSE;
    BOOL m_bFailPreCreate = FALSE;
    int m_nPreSubclass = 0;
    int m_nPostNcDestroy = 0;
    BOOL m_bFailCreate = FALSE;

    ~CTestWnd() override
    {
        if (m_bDeleteSelf)
            ++s_nDeleted;
    }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        m_log.push_back("precreate");
        cs.style |= WS_CLIPCHILDREN;
        return !m_bFailPreCreate && CBaseWnd::PreCreateWindow(cs);
    }
    void PreSubclassWindow() override { ++m_nPreSubclass; }
    void PostNcDestroy() override
    {
        ++m_nPostNcDestroy;
        if (m_bDeleteSelf)
            delete this;
    }

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        m_log.push_back(std::string("create ") + lpcs->lpszName);
        if (m_bFailCreate)
            return -1;
        return CBaseWnd::OnCreate(lpcs);
    }
    void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back("derived size");
        CBaseWnd::OnSize(nType, cx, cy);
    }
    LRESULT OnMapped(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    void OnTimer(UINT_PTR nIDEvent)
    {
        m_log.push_back("timer " + std::to_string(nIDEvent));
        KillTimer(nIDEvent);
    }
    DECLARE_MESSAGE_MAP()
};

int CTestWnd::s_nDeleted = 0;

BEGIN_MESSAGE_MAP(CTestWnd, CBaseWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_MAPPED, OnMapped)
END_MESSAGE_MAP()

class WndMsg : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestClass();
        g_originalSeen.clear();
    }
    void TearDown() override { CWnd::DeleteTempMap(); }
};

}  // namespace

TEST_F(WndMsg, CreateSubclassesFromTheFirstMessage)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kClassName, "первое", WS_POPUP, 5, 6, 120, 70, NULL, NULL));
    EXPECT_EQ(wnd.m_nPreSubclass, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd.m_hWnd, GWLP_WNDPROC)), &AfxWndProc);
    // WM_CREATE came to the object, which passed it on to the class procedure.
    ASSERT_GE(wnd.m_log.size(), 2u);
    EXPECT_EQ(wnd.m_log[0], "precreate");
    EXPECT_EQ(wnd.m_log[1], "create первое");
    EXPECT_TRUE(Saw(WM_NCCREATE));
    EXPECT_TRUE(Saw(WM_CREATE));
    // PreCreateWindow's change reached the window.
    EXPECT_TRUE(wnd.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.m_nPostNcDestroy, 1);
}

TEST_F(WndMsg, CreateFailsCleanlyWhenRefusedBeforeOrDuringCreation)
{
    CTestWnd refused;
    refused.m_bFailPreCreate = TRUE;
    EXPECT_FALSE(refused.CreateEx(0, kClassName, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.m_nPostNcDestroy, 1);

    CTestWnd failed;
    failed.m_bFailCreate = TRUE;
    EXPECT_FALSE(failed.CreateEx(0, kClassName, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(failed.m_hWnd, nullptr);

    // An unknown class: the object is left as it was and may try again.
    CTestWnd unknown;
    EXPECT_FALSE(unknown.CreateEx(0, "NoSuchClassHere", "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(unknown.m_hWnd, nullptr);
    EXPECT_TRUE(unknown.CreateEx(0, kClassName, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
}

TEST_F(WndMsg, CreateWithoutAClassUsesThePlainDefaultOne)
{
    CTestWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    char szClass[64] = {};
    GetClassNameA(parent.m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "AfxWnd");
    CTestWnd child;
    ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(1, 2, 50, 40), &parent, 1234));
    EXPECT_EQ(child.GetDlgCtrlID(), 1234);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_EQ(parent.GetDlgItem(1234), &child);
    // The child goes with its parent and learns of it.
    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(child.m_nPostNcDestroy, 1);
}

TEST_F(WndMsg, MessagesReachTheMostDerivedEntryThenTheBaseMaps)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kClassName, "w", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    wnd.m_log.clear();
    g_originalSeen.clear();

    // Only the base class maps WM_CHAR: its handler gets the decoded fields.
    wnd.SendMessage(WM_CHAR, static_cast<unsigned char>('Ж'), MAKELPARAM(3, 0x1F));
    EXPECT_EQ(wnd.m_log, (std::vector<std::string>{"base char"}));
    EXPECT_EQ(wnd.m_nChar, static_cast<UINT>(static_cast<unsigned char>('Ж')));
    EXPECT_EQ(wnd.m_nRepCnt, 3u);
    EXPECT_EQ(wnd.m_nFlags, 0x1Fu);
    // A handled message does not reach the original procedure...
    EXPECT_FALSE(Saw(WM_CHAR));
    // ...unless the handler passes it on.
    wnd.m_bCallBaseOnChar = TRUE;
    wnd.SendMessage(WM_CHAR, 'a', 1);
    EXPECT_TRUE(Saw(WM_CHAR));

    // Mouse coordinates are signed.
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7));
    EXPECT_EQ(wnd.m_point.x, -5);
    EXPECT_EQ(wnd.m_point.y, 7);
    EXPECT_EQ(wnd.m_nFlags, static_cast<UINT>(MK_LBUTTON));

    // Both classes map WM_SIZE: the derived one first, which calls its base.
    wnd.m_log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(33, 44));
    EXPECT_EQ(wnd.m_log, (std::vector<std::string>{"derived size", "base size 33x44"}));

    // ON_MESSAGE gives its result back to the sender.
    EXPECT_EQ(wnd.SendMessage(WM_MAPPED, 40, 2), 42);
}

TEST_F(WndMsg, UnmappedMessagesReachTheOriginalProcedure)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kClassName, "w", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    g_originalSeen.clear();
    EXPECT_EQ(wnd.SendMessage(WM_ORIGINAL_ONLY), kOriginalAnswer);
    EXPECT_EQ(g_originalSeen, std::vector<UINT>{WM_ORIGINAL_ONLY});
    EXPECT_EQ(wnd.DefWindowProc(WM_ORIGINAL_ONLY, 0, 0), kOriginalAnswer);
}

TEST_F(WndMsg, TimerMessagesArriveThroughTheMessageLoop)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kClassName, "w", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    wnd.m_log.clear();
    ASSERT_NE(wnd.SetTimer(7, 10), 0u);
    DWORD dwStart = GetTickCount();
    MSG msg;
    while (wnd.m_log.empty() && GetTickCount() - dwStart < 5000) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    EXPECT_EQ(wnd.m_log, (std::vector<std::string>{"timer 7"}));
    EXPECT_FALSE(wnd.KillTimer(7));  // the handler killed it already
}

TEST_F(WndMsg, HeapObjectDeletesItselfAfterTheLastMessage)
{
    CTestWnd::s_nDeleted = 0;
    CTestWnd* pWnd = new CTestWnd;
    pWnd->m_bDeleteSelf = TRUE;
    ASSERT_TRUE(pWnd->CreateEx(0, kClassName, "w", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    HWND hWnd = pWnd->m_hWnd;
    // Destroyed from outside the object: WM_NCDESTROY still reaches it.
    ASSERT_TRUE(::DestroyWindow(hWnd));
    EXPECT_EQ(CTestWnd::s_nDeleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_TRUE(Saw(WM_NCDESTROY));

    pWnd = new CTestWnd;
    pWnd->m_bDeleteSelf = TRUE;
    ASSERT_TRUE(pWnd->CreateEx(0, kClassName, "w", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    EXPECT_TRUE(pWnd->DestroyWindow());  // must not touch the deleted object afterwards
    EXPECT_EQ(CTestWnd::s_nDeleted, 2);
}

TEST_F(WndMsg, SubclassAndUnsubclassRestoreTheOriginalProcedure)
{
    HWND hWnd = CreateRaw();
    ASSERT_NE(hWnd, nullptr);
    {
        CTestWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_EQ(wnd.m_nPreSubclass, 1);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), &AfxWndProc);
        g_originalSeen.clear();
        // The map answers its message, the original procedure the rest.
        EXPECT_EQ(::SendMessageA(hWnd, WM_MAPPED, 1, 2), 3);
        EXPECT_EQ(::SendMessageA(hWnd, WM_ORIGINAL_ONLY, 0, 0), kOriginalAnswer);
        EXPECT_EQ(g_originalSeen, std::vector<UINT>{WM_ORIGINAL_ONLY});

        // A second object cannot take the same window.
        CTestWnd other;
        EXPECT_FALSE(other.SubclassWindow(hWnd));
        EXPECT_EQ(other.m_hWnd, nullptr);

        EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
        EXPECT_EQ(wnd.m_hWnd, nullptr);
        EXPECT_EQ(wnd.UnsubclassWindow(), nullptr);
    }
    // The window outlived the object and answers with its own procedure again.
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), &OriginalProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(::SendMessageA(hWnd, WM_MAPPED, 1, 2), kOriginalAnswer);
    DestroyWindow(hWnd);
}

TEST_F(WndMsg, DestroyingASubclassedWindowEndsInPostNcDestroy)
{
    HWND hWnd = CreateRaw();
    CTestWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    g_originalSeen.clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_nPostNcDestroy, 1);
    // The original procedure still saw the window's last message.
    EXPECT_TRUE(Saw(WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(WndMsg, SubclassDlgItemFindsTheChildByIdentifier)
{
    CWnd parent;
    ASSERT_TRUE(parent.Attach(CreateRaw()));
    HWND hChild = CreateRaw(parent.m_hWnd, 55);
    CTestWnd child;
    EXPECT_FALSE(child.SubclassDlgItem(56, &parent));
    ASSERT_TRUE(child.SubclassDlgItem(55, &parent));
    EXPECT_EQ(child.m_hWnd, hChild);
    EXPECT_EQ(::SendMessageA(hChild, WM_MAPPED, 5, 6), 11);
}

namespace {

enum { ID_CHILD = 77 };

// A control that handles its own notifications.
class CReflectingChild : public CWnd {
public:
    std::vector<std::string> m_log;
    HBRUSH m_hBrush = NULL;

protected:
    void OnClickReflect(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.push_back("child notify");
        *pResult = 5;
    }
    void OnChangeReflect() { m_log.push_back("child command"); }
    LRESULT OnCtlColorReflect(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hBrush); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChangeReflect)
    ON_MESSAGE(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, OnCtlColorReflect)
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    std::vector<std::string> m_log;
    HBRUSH m_hBrush = NULL;

protected:
    void OnClickChild(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.push_back("parent notify");
        *pResult = 9;
    }
    void OnChangeChild() { m_log.push_back("parent command"); }
    LRESULT OnCtlColorStatic(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hBrush); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_NOTIFY(NM_CLICK, ID_CHILD, OnClickChild)
    ON_NOTIFY(NM_RCLICK, ID_CHILD, OnClickChild)
    ON_CONTROL(EN_CHANGE, ID_CHILD, OnChangeChild)
    ON_CONTROL(EN_UPDATE, ID_CHILD, OnChangeChild)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

LRESULT Notify(CWnd& parent, HWND hChild, int nCode)
{
    NMHDR hdr = {hChild, ID_CHILD, static_cast<UINT>(nCode)};
    return parent.SendMessage(WM_NOTIFY, ID_CHILD, reinterpret_cast<LPARAM>(&hdr));
}

}  // namespace

TEST_F(WndMsg, ChildReflectEntryWinsOverTheParentHandler)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kClassName, "parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    CReflectingChild child;
    ASSERT_TRUE(child.SubclassWindow(CreateRaw(parent.m_hWnd, ID_CHILD)));

    EXPECT_EQ(Notify(parent, child.m_hWnd, NM_CLICK), 5);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_CHANGE), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(child.m_log, (std::vector<std::string>{"child notify", "child command"}));
    EXPECT_TRUE(parent.m_log.empty());

    // Codes the child has no reflect entry for go to the parent's map.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_UPDATE), reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(Notify(parent, child.m_hWnd, NM_RCLICK), 9);
    EXPECT_EQ(parent.m_log, (std::vector<std::string>{"parent command", "parent notify"}));
    EXPECT_EQ(child.m_log.size(), 2u);
    // Nobody handles it: the parent's class procedure answers.
    EXPECT_EQ(Notify(parent, child.m_hWnd, NM_DBLCLK), 0);
    EXPECT_EQ(parent.m_log.size(), 2u);
}

TEST_F(WndMsg, ParentHandlesWhatTheChildDoesNotReflect)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kClassName, "parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    // A child with an object but no reflect entries, and one with no object.
    CWnd plain;
    ASSERT_TRUE(plain.SubclassWindow(CreateRaw(parent.m_hWnd, ID_CHILD)));
    HWND hRaw = CreateRaw(parent.m_hWnd, ID_CHILD);

    EXPECT_EQ(Notify(parent, plain.m_hWnd, NM_CLICK), 9);
    EXPECT_EQ(Notify(parent, hRaw, NM_CLICK), 9);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_CHANGE), reinterpret_cast<LPARAM>(hRaw));
    EXPECT_EQ(parent.m_log, (std::vector<std::string>{"parent notify", "parent notify", "parent command"}));
}

TEST_F(WndMsg, ControlColourIsAskedOfTheControlFirst)
{
    HBRUSH hChildBrush = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH hParentBrush = CreateSolidBrush(RGB(4, 5, 6));
    {
        CParentWnd parent;
        ASSERT_TRUE(parent.CreateEx(0, kClassName, "parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
        parent.m_hBrush = hParentBrush;
        CReflectingChild child;
        ASSERT_TRUE(child.SubclassWindow(CreateRaw(parent.m_hWnd, ID_CHILD)));
        child.m_hBrush = hChildBrush;
        HDC hDC = GetDC(child.m_hWnd);
        WPARAM wDC = reinterpret_cast<WPARAM>(hDC);
        LPARAM lChild = reinterpret_cast<LPARAM>(child.m_hWnd);
        EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, wDC, lChild), reinterpret_cast<LRESULT>(hChildBrush));
        // No brush from the control: the parent chooses.
        child.m_hBrush = NULL;
        EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, wDC, lChild), reinterpret_cast<LRESULT>(hParentBrush));
        ReleaseDC(child.m_hWnd, hDC);
    }
    DeleteObject(hChildBrush);
    DeleteObject(hParentBrush);
}

TEST_F(WndMsg, PermanentAndTemporaryHandleMaps)
{
    EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);
    HWND hWnd = CreateRaw();
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemp);  // one temporary object per handle
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    // Dropping the temporary objects leaves their windows alone.
    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hWnd));
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
        CWnd other;
        EXPECT_FALSE(other.Attach(hWnd));  // one object per window
        // Permanent objects survive the idle clean-up.
        CWnd::DeleteTempMap();
        EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
        EXPECT_EQ(wnd.Detach(), hWnd);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        ASSERT_TRUE(wnd.Attach(hWnd));
    }
    // The attached object took its window with it, and its map entry.
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(WndMsg, AttachingReplacesATemporaryObject)
{
    HWND hWnd = CreateRaw();
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemp, nullptr);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    // Whoever still holds the temporary object may use it until idle time.
    EXPECT_EQ(pTemp->m_hWnd, hWnd);
    CWnd::DeleteTempMap();
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    EXPECT_TRUE(IsWindow(hWnd));
}

TEST_F(WndMsg, IdleTimeOfTheMessageLoopDropsTemporaryObjects)
{
    CWinThread thread;
    HWND hWnd = CreateRaw();
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(CreateRaw()));
    CWnd::FromHandle(hWnd);
    ASSERT_TRUE(wnd.PostMessage(WM_NULL));
    ASSERT_TRUE(thread.PumpMessage());
    // Only the temporary wrapper went: the window and the permanent object stay.
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    DestroyWindow(hWnd);
}

namespace {

std::vector<std::string> g_preTranslated;

class CPreTranslateWnd : public CWnd {
public:
    std::string m_strName;
    BOOL m_bTake = FALSE;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        g_preTranslated.push_back(m_strName);
        return m_bTake;
    }
};

}  // namespace

TEST_F(WndMsg, PreTranslateWalksFromTheWindowUpThroughItsParents)
{
    g_preTranslated.clear();
    CPreTranslateWnd top, middle;
    top.m_strName = "top";
    middle.m_strName = "middle";
    ASSERT_TRUE(top.Attach(CreateRaw()));
    ASSERT_TRUE(middle.Attach(CreateRaw(top.m_hWnd, 1)));
    HWND hLeaf = CreateRaw(middle.m_hWnd, 2);  // no object: skipped

    MSG msg = {};
    msg.hwnd = hLeaf;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F2;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(NULL, &msg));
    EXPECT_EQ(g_preTranslated, (std::vector<std::string>{"middle", "top"}));

    // A window that takes the message ends the walk.
    g_preTranslated.clear();
    middle.m_bTake = TRUE;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(NULL, &msg));
    EXPECT_EQ(g_preTranslated, (std::vector<std::string>{"middle"}));

    // The walk stops at the given window.
    g_preTranslated.clear();
    middle.m_bTake = FALSE;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(middle.m_hWnd, &msg));
    EXPECT_EQ(g_preTranslated, (std::vector<std::string>{"middle"}));
}

TEST_F(WndMsg, MessageLoopPreTranslatesBeforeDispatching)
{
    g_preTranslated.clear();
    CWinThread thread;
    CPreTranslateWnd top;
    top.m_strName = "top";
    ASSERT_TRUE(top.CreateEx(0, kClassName, "top", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    CPreTranslateWnd child;
    child.m_strName = "child";
    ASSERT_TRUE(child.CreateEx(0, kClassName, "child", WS_CHILD, 0, 0, 10, 10, top.m_hWnd, NULL));

    MSG msgPending;
    while (PeekMessageA(&msgPending, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msgPending);
    g_preTranslated.clear();

    // Taken by the child: never dispatched.
    child.m_bTake = TRUE;
    g_originalSeen.clear();
    ASSERT_TRUE(child.PostMessage(WM_ORIGINAL_ONLY));
    ASSERT_TRUE(thread.PumpMessage());
    EXPECT_EQ(g_preTranslated, (std::vector<std::string>{"child"}));
    EXPECT_FALSE(Saw(WM_ORIGINAL_ONLY));

    // Nobody takes it: both see it, then it is dispatched.
    child.m_bTake = FALSE;
    g_preTranslated.clear();
    ASSERT_TRUE(child.PostMessage(WM_ORIGINAL_ONLY));
    ASSERT_TRUE(thread.PumpMessage());
    EXPECT_EQ(g_preTranslated, (std::vector<std::string>{"child", "top"}));
    EXPECT_TRUE(Saw(WM_ORIGINAL_ONLY));
}

TEST_F(WndMsg, StylesTextOwnerAndCoordinates)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kClassName, "окно", WS_POPUP, 100, 50, 200, 120, NULL, NULL));
    EXPECT_FALSE(parent.ModifyStyle(0, WS_POPUP));  // nothing to change
    EXPECT_TRUE(parent.ModifyStyle(0, WS_DISABLED));
    EXPECT_TRUE(parent.GetStyle() & WS_DISABLED);
    EXPECT_FALSE(parent.IsWindowEnabled());
    EXPECT_TRUE(parent.ModifyStyle(WS_DISABLED, 0, SWP_FRAMECHANGED));
    EXPECT_TRUE(parent.IsWindowEnabled());
    EXPECT_TRUE(parent.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(parent.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(parent.ModifyStyleEx(WS_EX_CLIENTEDGE, 0));

    CString strText;
    parent.GetWindowText(strText);
    EXPECT_STREQ(strText, "окно");
    parent.SetWindowText("");
    parent.GetWindowText(strText);
    EXPECT_TRUE(strText.IsEmpty());

    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(10, 20, 60, 70), &parent, 3));
    EXPECT_EQ(child.GetOwner(), &parent);  // the parent until an owner is set
    CWnd owner;
    ASSERT_TRUE(owner.Attach(CreateRaw()));
    child.SetOwner(&owner);
    EXPECT_EQ(child.GetOwner(), &owner);
    EXPECT_EQ(child.GetParent(), &parent);

    CRect rcChild;
    child.GetWindowRect(&rcChild);
    parent.ScreenToClient(&rcChild);
    CRect rcClient;
    parent.GetClientRect(&rcClient);
    EXPECT_EQ(rcChild.left, 10);
    EXPECT_EQ(rcChild.top, 20);
    EXPECT_EQ(rcChild.right, 60);
    EXPECT_EQ(rcChild.bottom, 70);
    parent.ClientToScreen(&rcChild);
    CRect rcScreen;
    child.GetWindowRect(&rcScreen);
    EXPECT_TRUE(rcChild == rcScreen);

    EXPECT_TRUE(child.SetWindowPos(NULL, 1, 2, 30, 40, SWP_NOZORDER | SWP_NOACTIVATE));
    child.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), 30);
    EXPECT_EQ(rcClient.Height(), 40);
}

TEST_F(WndMsg, FocusComesBackAsObjects)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, kClassName, "top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, NULL, NULL));
    ::SetForegroundWindow(top.m_hWnd);
    HWND hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top.m_hWnd, NULL,
                                 GetModuleHandle(NULL), NULL);
    CWnd edit;
    ASSERT_TRUE(edit.Attach(hEdit));
    top.SetFocus();
    EXPECT_EQ(edit.SetFocus(), &top);
    EXPECT_EQ(CWnd::GetFocus(), &edit);
}
