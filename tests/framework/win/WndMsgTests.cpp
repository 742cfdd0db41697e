// The common window procedure on real windows: creation, message-map dispatch,
// the original procedure behind it, subclassing, reflection, handle maps and
// pre-translation.
#include <afxwin.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> CLog;

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
    return std::count(g_originalSeen.begin(), g_originalSeen.end(), nMsg) > 0;
}

WNDPROC ProcOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

HWND CreateRaw(HWND hParent = NULL, int nID = 0)
{
    return CreateWindowExA(0, kClassName, "raw", hParent != NULL ? WS_CHILD | WS_VISIBLE : WS_POPUP, 0, 0, 100, 60,
                           hParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), GetModuleHandle(NULL), NULL);
}

// Handles keys, clicks and sizes; the class below adds creation and its own messages.
class CBaseWnd : public CWnd {
public:
    CLog m_log;
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
        m_nFlags = nFlags;
        m_point = point;
    }
    void OnSize(UINT, int cx, int cy) { m_log.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy)); }
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
    BOOL m_bDeleteSelf = FALSE, m_bFailPreCreate = FALSE, m_bFailCreate = FALSE;
    int m_nPreSubclass = 0, m_nPostNcDestroy = 0;

    ~CTestWnd() override { s_nDeleted += m_bDeleteSelf; }
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
    BOOL Make(LPCSTR lpszClass = kClassName)
    {
        return CreateEx(0, lpszClass, "w", WS_POPUP, 0, 0, 100, 50, NULL, NULL);
    }

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        m_log.push_back(std::string("create ") + lpcs->lpszName);
        return m_bFailCreate ? -1 : CBaseWnd::OnCreate(lpcs);
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
        WNDCLASSA wc = {};
        if (!GetClassInfoA(GetModuleHandle(NULL), kClassName, &wc)) {
            wc.lpfnWndProc = OriginalProc;
            wc.hInstance = GetModuleHandle(NULL);
            wc.lpszClassName = kClassName;
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
        g_originalSeen.clear();
    }
    void TearDown() override { CWnd::DeleteTempMap(); }
};

}  // namespace

TEST_F(WndMsg, AWindowMadeByItsObjectIsServedByItsMapsUntilItEnds)
{
    CTestWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kClassName, "первое", WS_POPUP, 5, 6, 120, 70, NULL, NULL));
    // Subclassed before its first message: WM_CREATE came to the object, which
    // passed it on to the class procedure.
    EXPECT_EQ(wnd.m_nPreSubclass, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(ProcOf(wnd.m_hWnd), &AfxWndProc);
    ASSERT_GE(wnd.m_log.size(), 2u);
    EXPECT_EQ(CLog(wnd.m_log.begin(), wnd.m_log.begin() + 2), (CLog{"precreate", "create первое"}));
    EXPECT_TRUE(Saw(WM_NCCREATE) && Saw(WM_CREATE));
    EXPECT_TRUE(wnd.GetStyle() & WS_CLIPCHILDREN);  // PreCreateWindow's change reached the window
    wnd.m_log.clear();
    g_originalSeen.clear();

    // Only the base class maps WM_CHAR: its handler gets the decoded fields,
    // and the original procedure sees it only when the handler passes it on.
    wnd.SendMessage(WM_CHAR, static_cast<unsigned char>('Ж'), MAKELPARAM(3, 0x1F));
    EXPECT_EQ(wnd.m_log, CLog{"base char"});
    EXPECT_EQ((std::vector<UINT>{wnd.m_nChar, wnd.m_nRepCnt, wnd.m_nFlags}), (std::vector<UINT>{0xC6, 3, 0x1F}));
    EXPECT_FALSE(Saw(WM_CHAR));
    wnd.m_bCallBaseOnChar = TRUE;
    wnd.SendMessage(WM_CHAR, 'a', 1);
    EXPECT_TRUE(Saw(WM_CHAR));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7));
    EXPECT_EQ(wnd.m_point, CPoint(-5, 7));  // signed coordinates
    EXPECT_EQ(wnd.m_nFlags, static_cast<UINT>(MK_LBUTTON));
    // Both classes map WM_SIZE: the derived one first, which calls its base.
    wnd.m_log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(33, 44));
    EXPECT_EQ(wnd.m_log, (CLog{"derived size", "base size 33x44"}));
    EXPECT_EQ(wnd.SendMessage(WM_MAPPED, 40, 2), 42);  // ON_MESSAGE's result goes back
    g_originalSeen.clear();
    EXPECT_EQ(wnd.SendMessage(WM_ORIGINAL_ONLY), kOriginalAnswer);
    EXPECT_EQ(g_originalSeen, std::vector<UINT>{WM_ORIGINAL_ONLY});

    // A timer's message comes through the message loop; its handler kills it.
    wnd.m_log.clear();
    ASSERT_NE(wnd.SetTimer(7, 10), 0u);
    MSG msg;
    for (DWORD dwStart = GetTickCount(); wnd.m_log.empty() && GetTickCount() - dwStart < 5000;) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    EXPECT_EQ(wnd.m_log, CLog{"timer 7"});

    // Styles change only when there is something to change.
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_POPUP));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_DISABLED));
    EXPECT_FALSE(wnd.IsWindowEnabled());
    EXPECT_TRUE(wnd.ModifyStyle(WS_DISABLED, 0, SWP_FRAMECHANGED));
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(wnd.ModifyStyleEx(WS_EX_CLIENTEDGE, 0));

    // A child made through its object: placed in the parent's client
    // coordinates, found by its identifier, owned by the parent until another
    // owner is set.
    CWnd child, owner;
    ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(10, 20, 60, 70), &wnd, 3));
    CRect rcScreen, rc;
    child.GetWindowRect(&rcScreen);
    rc = rcScreen;
    wnd.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(10, 20, 60, 70));
    wnd.ClientToScreen(&rc);
    EXPECT_EQ(rc, rcScreen);
    EXPECT_EQ(wnd.GetDlgItem(3), &child);
    EXPECT_EQ(child.GetOwner(), &wnd);
    ASSERT_TRUE(owner.Attach(CreateRaw()));
    child.SetOwner(&owner);
    EXPECT_EQ(child.GetOwner(), &owner);
    EXPECT_EQ(child.GetParent(), &wnd);
    CTestWnd grandchild;
    ASSERT_TRUE(grandchild.Create(NULL, "g", WS_VISIBLE, CRect(1, 2, 5, 6), &child, 4));

    // The end: the children go with the window and learn of it.
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.m_nPostNcDestroy, 1);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(grandchild.m_hWnd, nullptr);
    EXPECT_EQ(grandchild.m_nPostNcDestroy, 1);
}

TEST_F(WndMsg, RefusedCreationsLeaveNothingAndHeapObjectsDeleteThemselves)
{
    CTestWnd refused, failed, unknown;
    refused.m_bFailPreCreate = TRUE;
    EXPECT_FALSE(refused.Make());
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.m_nPostNcDestroy, 1);
    failed.m_bFailCreate = TRUE;
    EXPECT_FALSE(failed.Make());
    EXPECT_EQ(failed.m_hWnd, nullptr);
    // An unknown class: the object is left as it was and may try again.
    EXPECT_FALSE(unknown.Make("NoSuchClassHere"));
    EXPECT_EQ(unknown.m_hWnd, nullptr);
    EXPECT_TRUE(unknown.Make());

    CTestWnd::s_nDeleted = 0;
    for (bool bFromOutside : {true, false}) {
        CTestWnd* pWnd = new CTestWnd;
        pWnd->m_bDeleteSelf = TRUE;
        ASSERT_TRUE(pWnd->Make());
        HWND hWnd = pWnd->m_hWnd;
        g_originalSeen.clear();
        // From outside, WM_NCDESTROY still reaches the object; from inside,
        // DestroyWindow must not touch it after its deletion.
        EXPECT_TRUE(bFromOutside ? ::DestroyWindow(hWnd) : pWnd->DestroyWindow());
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        EXPECT_TRUE(Saw(WM_NCDESTROY));
    }
    EXPECT_EQ(CTestWnd::s_nDeleted, 2);
}

TEST_F(WndMsg, ObjectsTakeOverWindowsMadeElsewhereAndGiveThemBack)
{
    // Attached only: one object per window and one window per object.
    HWND hWnd = CreateRaw(), hOther = CreateRaw();
    CWnd plain, other;
    EXPECT_FALSE(plain.IsWindow());
    EXPECT_FALSE(plain.DestroyWindow());
    EXPECT_FALSE(plain.Attach(NULL));
    ASSERT_TRUE(plain.Attach(hWnd));
    EXPECT_FALSE(plain.Attach(hOther));
    EXPECT_FALSE(other.Attach(hWnd));
    ::DestroyWindow(hOther);
    EXPECT_EQ(plain.Detach(), hWnd);
    EXPECT_EQ(plain.m_hWnd, nullptr);
    EXPECT_TRUE(::IsWindow(hWnd));

    {
        // Subclassed: the map answers its message, the original procedure the rest.
        CTestWnd wnd, second;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_EQ(wnd.m_nPreSubclass, 1);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        EXPECT_EQ(ProcOf(hWnd), &AfxWndProc);
        g_originalSeen.clear();
        EXPECT_EQ(::SendMessageA(hWnd, WM_MAPPED, 1, 2), 3);
        EXPECT_EQ(::SendMessageA(hWnd, WM_ORIGINAL_ONLY, 0, 0), kOriginalAnswer);
        EXPECT_EQ(g_originalSeen, std::vector<UINT>{WM_ORIGINAL_ONLY});
        EXPECT_FALSE(second.SubclassWindow(hWnd));
        EXPECT_EQ(second.m_hWnd, nullptr);
        EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
        EXPECT_EQ(wnd.m_hWnd, nullptr);
        EXPECT_EQ(wnd.UnsubclassWindow(), nullptr);
    }
    // The window outlived the object and answers with its own procedure again.
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(ProcOf(hWnd), &OriginalProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(::SendMessageA(hWnd, WM_MAPPED, 1, 2), kOriginalAnswer);

    // A control of a dialog-like parent, found by its identifier.
    HWND hChild = CreateRaw(hWnd, 55);
    CWnd parent;
    ASSERT_TRUE(parent.Attach(hWnd));
    CTestWnd child;
    EXPECT_FALSE(child.SubclassDlgItem(56, &parent));
    ASSERT_TRUE(child.SubclassDlgItem(55, &parent));
    EXPECT_EQ(child.m_hWnd, hChild);
    EXPECT_EQ(::SendMessageA(hChild, WM_MAPPED, 5, 6), 11);
    // Destroyed through the subclassing object: the original procedure still
    // sees the last message, and the object learns of the end.
    g_originalSeen.clear();
    EXPECT_TRUE(child.DestroyWindow());
    EXPECT_EQ(child.m_nPostNcDestroy, 1);
    EXPECT_TRUE(Saw(WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(hChild));
    EXPECT_EQ(CWnd::FromHandlePermanent(hChild), nullptr);

    // Destroying through an attached object ends the window and clears the handle.
    EXPECT_TRUE(parent.DestroyWindow());
    EXPECT_EQ(parent.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
    // Destroyed elsewhere: no longer a window, and nothing left to destroy.
    hWnd = CreateRaw();
    ASSERT_TRUE(parent.Attach(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_FALSE(parent.IsWindow());
    EXPECT_FALSE(parent.DestroyWindow());
    EXPECT_EQ(parent.m_hWnd, nullptr);
}

namespace {

enum { ID_CHILD = 77 };

// A control that handles its own notifications.
class CReflectingChild : public CWnd {
public:
    CLog m_log;

protected:
    void OnClickReflect(NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("child notify");
        *pResult = 5;
    }
    void OnChangeReflect() { m_log.push_back("child command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChangeReflect)
END_MESSAGE_MAP()

// A control that answers some notifications for its parent and lets the
// parent see others too, and draws itself.
class CSharingChild : public CWnd {
public:
    CLog m_log;

protected:
    BOOL OnDblClkReflect(NMHDR*, LRESULT*)
    {
        m_log.push_back("child dblclk");
        return FALSE;  // the parent hears it as well
    }
    BOOL OnUpdateReflect()
    {
        m_log.push_back("child update");
        return TRUE;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) { m_log.push_back("draw " + std::to_string(lpDIS->itemID)); }
    void HScroll(UINT nSBCode, UINT nPos)
    {
        m_log.push_back("hscroll " + std::to_string(nSBCode) + "," + std::to_string(nPos));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSharingChild, CWnd)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClkReflect)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdateReflect)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

// An owner-drawn list box of the framework's kind.
class CDrawnList : public CListBox {
public:
    CLog m_log;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        lpMIS->itemHeight = 21;
        m_log.push_back("measure");
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { m_log.push_back("draw " + std::to_string(lpDIS->itemID)); }
};

class CParentWnd : public CWnd {
public:
    CLog m_log;

protected:
    void OnClickChild(NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("parent notify");
        *pResult = 9;
    }
    void OnChangeChild() { m_log.push_back("parent command"); }
    void OnDblClkChild(UINT nID, NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("parent dblclk " + std::to_string(nID));
        *pResult = 3;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_NOTIFY_RANGE(NM_DBLCLK, ID_CHILD, ID_CHILD + 5, OnDblClkChild)
    ON_NOTIFY(NM_CLICK, ID_CHILD, OnClickChild)
    ON_NOTIFY(NM_RCLICK, ID_CHILD, OnClickChild)
    ON_CONTROL(EN_CHANGE, ID_CHILD, OnChangeChild)
    ON_CONTROL(EN_UPDATE, ID_CHILD, OnChangeChild)
END_MESSAGE_MAP()

LRESULT Notify(CWnd& parent, HWND hChild, int nCode)
{
    NMHDR hdr = {hChild, ID_CHILD, static_cast<UINT>(nCode)};
    return parent.SendMessage(WM_NOTIFY, ID_CHILD, reinterpret_cast<LPARAM>(&hdr));
}

void Command(CWnd& parent, HWND hChild, int nCode)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, nCode), reinterpret_cast<LPARAM>(hChild));
}

}  // namespace

TEST_F(WndMsg, NotificationsAreOfferedToTheChildFirstThenToTheParent)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kClassName, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
    CReflectingChild child;
    ASSERT_TRUE(child.SubclassWindow(CreateRaw(parent.m_hWnd, ID_CHILD)));
    // The child's reflect entries win over the parent's handlers.
    EXPECT_EQ(Notify(parent, child.m_hWnd, NM_CLICK), 5);
    Command(parent, child.m_hWnd, EN_CHANGE);
    EXPECT_EQ(child.m_log, (CLog{"child notify", "child command"}));
    EXPECT_TRUE(parent.m_log.empty());
    // Codes the child has no reflect entry for go to the parent's map.
    Command(parent, child.m_hWnd, EN_UPDATE);
    EXPECT_EQ(Notify(parent, child.m_hWnd, NM_RCLICK), 9);
    EXPECT_EQ(parent.m_log, (CLog{"parent command", "parent notify"}));
    EXPECT_EQ(child.m_log.size(), 2u);
    // Nobody handles it: the parent's class procedure answers.
    EXPECT_EQ(Notify(parent, child.m_hWnd, NM_RDBLCLK), 0);
    EXPECT_EQ(parent.m_log.size(), 2u);

    // A child whose object has no reflect entries, and one with no object.
    child.DestroyWindow();
    parent.m_log.clear();
    CWnd plain;
    ASSERT_TRUE(plain.SubclassWindow(CreateRaw(parent.m_hWnd, ID_CHILD)));
    HWND hRaw = CreateRaw(parent.m_hWnd, ID_CHILD);
    EXPECT_EQ(Notify(parent, plain.m_hWnd, NM_CLICK), 9);
    EXPECT_EQ(Notify(parent, hRaw, NM_CLICK), 9);
    Command(parent, hRaw, EN_CHANGE);
    EXPECT_EQ(parent.m_log, (CLog{"parent notify", "parent notify", "parent command"}));
    plain.DestroyWindow();
    DestroyWindow(hRaw);
    parent.m_log.clear();

    // An _EX reflect handler answering FALSE lets the parent's range entry
    // run; answering TRUE keeps the notification from it. Drawing and
    // scrolling reach the control's own handlers.
    CSharingChild sharing;
    ASSERT_TRUE(sharing.SubclassWindow(CreateRaw(parent.m_hWnd, ID_CHILD)));
    EXPECT_EQ(Notify(parent, sharing.m_hWnd, NM_DBLCLK), 3);
    Command(parent, sharing.m_hWnd, EN_UPDATE);
    DRAWITEMSTRUCT dis = {ODT_STATIC, ID_CHILD, 7, ODA_DRAWENTIRE, 0, sharing.m_hWnd, NULL, {0, 0, 0, 0}, 0};
    parent.SendMessage(WM_DRAWITEM, ID_CHILD, reinterpret_cast<LPARAM>(&dis));
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), reinterpret_cast<LPARAM>(sharing.m_hWnd));
    EXPECT_EQ(sharing.m_log, (CLog{"child dblclk", "child update", "draw 7", "hscroll 4,40"}));
    EXPECT_EQ(parent.m_log, (CLog{"parent dblclk 77"}));
    // A real owner-drawn list box is measured while it is being made and
    // draws each item when it is painted.
    CDrawnList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 200, 150), &parent,
                            ID_CHILD + 1));
    list.AddString("one");
    list.AddString("two");
    list.UpdateWindow();
    EXPECT_EQ(list.m_log, (CLog{"measure", "draw 0", "draw 1"}));
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 0), 21);
}

TEST_F(WndMsg, TemporaryObjectsServeUntilIdleTimeAndPermanentOnesStay)
{
    EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);
    HWND hWnd = CreateRaw();
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemp);  // one temporary object per handle
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hWnd));  // dropping temporaries leaves their windows alone

    pTemp = CWnd::FromHandle(hWnd);
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hWnd));
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);  // attaching replaces the temporary...
        EXPECT_EQ(pTemp->m_hWnd, hWnd);           // ...which its holder may use until idle time
        CWnd::DeleteTempMap();
        EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);  // permanent objects survive the clean-up
        EXPECT_EQ(wnd.Detach(), hWnd);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        ASSERT_TRUE(wnd.Attach(hWnd));
    }
    // The attached object took its window with it, and its map entry.
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // The message loop's idle time drops only the temporary wrappers.
    CWinThread thread;
    hWnd = CreateRaw();
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(CreateRaw()));
    CWnd::FromHandle(hWnd);
    ASSERT_TRUE(wnd.PostMessage(WM_NULL));
    ASSERT_TRUE(thread.PumpMessage());
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    DestroyWindow(hWnd);
}

namespace {

CLog g_preTranslated;

class CPreTranslateWnd : public CWnd {
public:
    explicit CPreTranslateWnd(const char* pszName) : m_strName(pszName) {}
    std::string m_strName;
    BOOL m_bTake = FALSE;

    BOOL PreTranslateMessage(MSG*) override
    {
        g_preTranslated.push_back(m_strName);
        return m_bTake;
    }
};

}  // namespace

TEST_F(WndMsg, QueuedMessagesArePreTranslatedFromTheWindowUpThroughItsParents)
{
    CWinThread thread;
    CPreTranslateWnd top("top"), middle("middle");
    ASSERT_TRUE(top.CreateEx(0, kClassName, "top", WS_POPUP, 0, 0, 100, 50, NULL, NULL));
    ASSERT_TRUE(middle.CreateEx(0, kClassName, "middle", WS_CHILD, 0, 0, 10, 10, top.m_hWnd, NULL));
    MSG msg = {CreateRaw(middle.m_hWnd, 2), WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};  // the leaf has no object: skipped
    const struct {
        BOOL bMiddleTakes;
        HWND hStop;
        BOOL bTaken;
        CLog seen;
    } rows[] = {
        {FALSE, NULL, FALSE, {"middle", "top"}},
        {TRUE, NULL, TRUE, {"middle"}},             // taking the message ends the walk
        {FALSE, middle.m_hWnd, FALSE, {"middle"}},  // the walk stops at the given window
    };
    for (const auto& row : rows) {
        g_preTranslated.clear();
        middle.m_bTake = row.bMiddleTakes;
        EXPECT_EQ(CWnd::WalkPreTranslateTree(row.hStop, &msg), row.bTaken);
        EXPECT_EQ(g_preTranslated, row.seen);
    }

    // The message loop does the same before dispatching: taken by the child,
    // never dispatched; taken by nobody, both see it and then it is dispatched.
    MSG msgPending;
    while (PeekMessageA(&msgPending, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msgPending);
    for (BOOL bTake : {TRUE, FALSE}) {
        middle.m_bTake = bTake;
        g_preTranslated.clear();
        g_originalSeen.clear();
        ASSERT_TRUE(middle.PostMessage(WM_ORIGINAL_ONLY));
        ASSERT_TRUE(thread.PumpMessage());
        EXPECT_EQ(g_preTranslated, (bTake ? CLog{"middle"} : CLog{"middle", "top"}));
        EXPECT_EQ(Saw(WM_ORIGINAL_ONLY), !bTake);
    }
}
