// The window object: handle maps, creation and subclassing, the common window
// procedure and message-map dispatch, reflection and pre-translation.
#include "win/Wnd.h"
#include "win/ModuleState.h"
#include "win/Gdi.h"
#include "win/HandleMap.h"
#include "win/ImageList.h"
#include "win/ListBox.h"
#include "win/Menu.h"
#include "win/ScrollBar.h"
#include "win/WinApp.h"

#include <cstring>
#include <type_traits>

namespace {

// The map belongs to the thread that owns the windows, as messages do.
thread_local CHandleMap<HWND, CWnd> t_mapWnd;

// The object whose window CreateEx is creating, until the hook takes it.
thread_local CWnd* t_pWndInit = NULL;

// The message being handled on this thread, for CWnd::Default.
thread_local MSG t_msgLast = {};

const char g_szDefaultClass[] = "AfxWnd";

// Mouse positions are signed: left of or above the window they are negative.
CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

WNDPROC CurrentWndProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

// The control objects the handlers of child notifications are given: the
// permanent one, else a temporary wrapper, as the framework has always done.
CListBox* AfxListBoxFromHandle(HWND hWnd)
{
    return static_cast<CListBox*>(CWnd::FromHandle(hWnd));
}

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    return static_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}

// A handler's result as the window procedure returns it.
template <class TResult, class TCall>
LRESULT CallHandler(TCall call)
{
    if constexpr (std::is_void_v<TResult>) {
        call();
        return 0;
    } else if constexpr (std::is_pointer_v<TResult>) {
        return reinterpret_cast<LRESULT>(call());
    } else {
        return static_cast<LRESULT>(call());
    }
}

// What the original procedure answered, as a default handler returns it.
template <class TResult>
TResult ResultAs(LRESULT lResult)
{
    if constexpr (std::is_void_v<TResult>)
        return;
    else if constexpr (std::is_pointer_v<TResult>)
        return reinterpret_cast<TResult>(lResult);
    else
        return static_cast<TResult>(lResult);
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    MSG msgSaved = t_msgLast;
    t_msgLast.hwnd = hWnd;
    t_msgLast.message = nMsg;
    t_msgLast.wParam = wParam;
    t_msgLast.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    t_msgLast = msgSaved;
    return lResult;
}

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

// The notifications about child controls are offered to the child first.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL), m_hWndOwner(NULL) {}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    // A window that never reached OnNcDestroy (attached only, or destroyed
    // behind our back) still has its map entry.
    if (m_hWnd != NULL)
        Detach();
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return t_mapWnd.LookupPermanent(hWnd);
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return t_mapWnd.Temporary(
        hWnd, [](CWnd*) { return true; },
        [hWnd] {
            CWnd* pWnd = new CWnd;
            pWnd->m_hWnd = hWnd;
            return pWnd;
        });
}

void PASCAL CWnd::DeleteTempMap()
{
    // The windows belong to someone else; only the wrappers go.
    t_mapWnd.DeleteTemporary([](CWnd* pWnd) { pWnd->m_hWnd = NULL; });
    // Graphic objects and contexts handed out go at the same idle time.
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    CImageList::DeleteTempMap();
    CMenu::DeleteTempMap();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    if (!t_mapWnd.SetPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        t_mapWnd.RemovePermanent(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL) {
        // A plain class whose procedure is the system default, registered once
        // per module on first use.
        WNDCLASSA wc;
        if (!::GetClassInfoA(cs.hInstance, g_szDefaultClass, &wc)) {
            wc = WNDCLASSA();
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = ::DefWindowProcA;
            wc.hInstance = cs.hInstance;
            wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = g_szDefaultClass;
            if (!::RegisterClassA(&wc))
                return FALSE;
        }
        cs.lpszClass = g_szDefaultClass;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd != NULL ? pParentWnd->m_hWnd : NULL,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, NULL, ::GetCurrentThreadId());
    if (hHook == NULL)
        return FALSE;
    CWnd* pWndInitSaved = t_pWndInit;
    t_pWndInit = this;
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    ::UnhookWindowsHookEx(hHook);
    // Normally the hook has already taken it; not when creation failed early.
    if (t_pWndInit == this)
        t_pWndInit = pWndInitSaved;
    // On failure after the first message OnNcDestroy has already detached.
    return hWnd != NULL;
}

LRESULT CALLBACK CWnd::CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pWndInit != NULL) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = NULL;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (pWnd->Attach(hWnd)) {
            pWnd->PreSubclassWindow();
            pWnd->HookWindowProc();
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CWnd::HookWindowProc()
{
    WNDPROC pfnOld =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    if (!::IsWindow(hWnd)) {
        // Destroyed behind our back: nothing worth keeping.
        Detach();
        return FALSE;
    }
    // A window running AfxWndProc detaches itself in OnNcDestroy, and the
    // object may be deleted by PostNcDestroy: it must not be touched after.
    BOOL bSelfDetaching = CurrentWndProc(hWnd) == &AfxWndProc && FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (!bSelfDetaching && (bResult || !::IsWindow(hWnd)))
        Detach();
    return bResult;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || CurrentWndProc(hWnd) == &AfxWndProc)
        return FALSE;
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    HookWindowProc();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == NULL || pParent->m_hWnd == NULL)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL || m_pfnSuper == NULL)
        return NULL;
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = NULL;
    return Detach();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_msgLast.message, t_msgLast.wParam, t_msgLast.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR != NULL && OnNotify(wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        // The control picks its own colours first.
        if (ReflectLastMsg(reinterpret_cast<HWND>(lParam), message, wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
        // An entry for the message itself wins over the one for them all.
        if (FindMessageEntry(GetMessageMap(), message, 0, 0) == NULL) {
            const AFX_MSGMAP_ENTRY* pCtlColor = FindMessageEntry(GetMessageMap(), WM_CTLCOLOR, 0, 0);
            if (pCtlColor != NULL && pCtlColor->nSig == AfxSig_wm) {
                *pResult = DispatchWndMsg(pCtlColor, message, wParam, lParam);
                return TRUE;
            }
        }
        break;
    case WM_INITMENUPOPUP:
        // Its owner-drawn items are measured next, by item only.
        CMenu::NotePopupShown(reinterpret_cast<HMENU>(wParam));
        break;
    default:
        break;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    // The handler may destroy and delete this object: the result goes
    // straight to the caller's variable.
    *pResult = DispatchWndMsg(pEntry, message, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DispatchWndMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_PMSG pfn = pEntry->pfn;
    if (pEntry->nSig == AfxSig_lwl)
        return (this->*AfxMsgCast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
    if (pEntry->nSig == AfxSig_wm) {
        const CPoint point = PointFromLParam(lParam);
        switch (pEntry->nMessage) {
#define AFX_WM(msg, name, result, params, args) \
    case msg:                                   \
        return CallHandler<result>([&] { return (this->*AfxMsgCast<result(CWnd::*) params>(pfn)) args; });
#define AFX_WM_OWN AFX_WM
#define AFX_WM_REFLECT(msg, name, result, params, args) \
    case WM_REFLECT_BASE + msg:                         \
        return CallHandler<result>([&] { return (this->*AfxMsgCast<result(CWnd::*) params>(pfn)) args; });
#include "win/MsgList.h"
#undef AFX_WM
#undef AFX_WM_OWN
#undef AFX_WM_REFLECT
        default:
            break;
        }
    }
    // A command-family entry filed under a window message: not callable here.
    return DefWindowProc(t_msgLast.message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != NULL) {
        LRESULT lResult = 0;
        if (ReflectLastMsg(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult))
            return TRUE;
    } else {
        // Menus and accelerators: both are commands.
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    LRESULT lResult = 0;
    return ReflectLastMsg(hWndChild, t_msgLast.message, t_msgLast.wParam, t_msgLast.lParam,
                          pResult != NULL ? pResult : &lResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND:
        return OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), NULL, NULL);
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pResult, pNMHDR};
        return OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM: {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + message, 0, 0);
        if (pEntry == NULL)
            return FALSE;
        LRESULT lResult = DispatchWndMsg(pEntry, message, wParam, lParam);
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // The control's ON_MESSAGE(WM_REFLECT_BASE + WM_CTLCOLOR...) entry
        // answers with a brush, or its ON_WM_CTLCOLOR_REFLECT entry for
        // every kind of control colour; NULL leaves the choice to the parent.
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + message, 0, 0);
        if (pEntry == NULL)
            pEntry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (pEntry == NULL || (pEntry->nSig != AfxSig_lwl && pEntry->nSig != AfxSig_wm))
            return FALSE;
        LRESULT lBrush = DispatchWndMsg(pEntry, message, wParam, lParam);
        if (lBrush == 0)
            return FALSE;
        *pResult = lBrush;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetExStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    LPTSTR pszBuf = rString.GetBuffer(nLen);
    int nGot = ::GetWindowTextA(m_hWnd, pszBuf, nLen + 1);
    rString.ReleaseBuffer(nGot);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD dwStyle = GetStyle();
    const bool bChild = (dwStyle & WS_CHILD) != 0;
    HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd
                      : bChild                ? ::GetParent(m_hWnd)
                                              : ::GetWindow(m_hWnd, GW_OWNER);
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (bChild) {
        // In the parent's client coordinates.
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter == NULL)
            hWndCenter = hWndParent;
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<POINT*>(&rcCenter), 2);
        ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<POINT*>(&rcDlg), 2);
    } else {
        // Not over a window the user cannot see.
        if (hWndCenter != NULL && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
            hWndCenter = NULL;
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        if (hWndCenter != NULL) {
            ::GetWindowRect(hWndCenter, &rcCenter);
            ::GetMonitorInfoA(::MonitorFromWindow(hWndCenter, MONITOR_DEFAULTTONEAREST), &mi);
            rcArea = mi.rcWork;
        } else {
            CWnd* pMainWnd = AfxGetMainWnd();
            HWND hWndMain = pMainWnd != NULL ? pMainWnd->m_hWnd : NULL;
            ::GetMonitorInfoA(::MonitorFromWindow(hWndMain, MONITOR_DEFAULTTOPRIMARY), &mi);
            rcArea = mi.rcWork;
            rcCenter = rcArea;
        }
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (x + rcDlg.Width() > rcArea.right)
        x = rcArea.right - rcDlg.Width();
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + rcDlg.Height() > rcArea.bottom)
        y = rcArea.bottom - rcDlg.Height();
    if (y < rcArea.top)
        y = rcArea.top;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The list and combo box messages the records carry, as the resource
// compiler writes them (the 16-bit numbers) and as they are now.
UINT DlgInitMessage(WORD wMsg)
{
    switch (wMsg) {
    case 0x0401:
    case LB_ADDSTRING:
        return LB_ADDSTRING;
    case 0x0403:
    case CB_ADDSTRING:
        return CB_ADDSTRING;
    default:
        return 0;
    }
}

// Records of control ID, message, text length and text, packed without
// alignment; a zero ID ends them, and so does the end of the data.
BOOL RunDlgInit(HWND hWnd, const BYTE* p, SIZE_T nSize)
{
    BOOL bAllTaken = TRUE;
    while (nSize >= 2) {
        WORD wID = 0;
        std::memcpy(&wID, p, sizeof(wID));
        p += 2;
        nSize -= 2;
        if (wID == 0)
            break;
        if (nSize < 6)
            return FALSE;
        WORD wMsg = 0;
        DWORD dwLength = 0;
        std::memcpy(&wMsg, p, sizeof(wMsg));
        std::memcpy(&dwLength, p + 2, sizeof(dwLength));
        p += 6;
        nSize -= 6;
        if (dwLength > nSize)
            return FALSE;
        const UINT nMsg = DlgInitMessage(wMsg);
        // The text need not end in a zero within its length.
        const CString strItem(reinterpret_cast<LPCSTR>(p),
                              static_cast<int>(strnlen(reinterpret_cast<LPCSTR>(p), dwLength)));
        p += dwLength;
        nSize -= dwLength;
        const LRESULT lResult =
            nMsg != 0 ? ::SendDlgItemMessageA(hWnd, wID, nMsg, 0, reinterpret_cast<LPARAM>(LPCSTR(strItem))) : -1;
        // LB_ERR and CB_ERR are -1, the out-of-memory answers -2.
        if (lResult < 0 || ::GetDlgItem(hWnd, wID) == NULL)
            bAllTaken = FALSE;
    }
    return bAllTaken;
}

}  // namespace

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(240));
    HRSRC hFound = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(240));
    if (hFound == NULL)
        return TRUE;
    HGLOBAL hData = ::LoadResource(hInst, hFound);
    const BYTE* p = hData != NULL ? static_cast<const BYTE*>(::LockResource(hData)) : NULL;
    if (p == NULL)
        return FALSE;
    return RunDlgInit(m_hWnd, p, ::SizeofResource(hInst, hFound));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    if (lpResource == NULL)
        return TRUE;
    // Data in memory end with their zero record; the caller vouches for it.
    return RunDlgInit(m_hWnd, static_cast<const BYTE*>(lpResource), static_cast<SIZE_T>(-1));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

// The default handlers of the message list pass the message on.
#define AFX_WM(msg, name, result, params, args) \
    result CWnd::name params                    \
    {                                           \
        return ResultAs<result>(Default());     \
    }
#define AFX_WM_OWN(msg, name, result, params, args)
#define AFX_WM_REFLECT(msg, name, result, params, args)
#include "win/MsgList.h"
#undef AFX_WM
#undef AFX_WM_OWN
#undef AFX_WM_REFLECT

void CWnd::OnNcDestroy()
{
    Default();
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != NULL && CurrentWndProc(hWnd) == &AfxWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    // The control has already been asked (OnWndMsg).
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        // A menu item names its menu where a control names its window.
        CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
        if (pMenu != NULL) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // The structure names the control by its identifier only, and a menu
    // item by its command only.
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FindOwnerDrawMenu(m_hWnd, lpMeasureItemStruct->itemID);
        if (pMenu != NULL) {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else {
        HWND hWndChild = ::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID));
        if (hWndChild != NULL && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox != NULL && ReflectLastMsg(pListBox->m_hWnd, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult = 0;
    if (pListBox != NULL && ReflectLastMsg(pListBox->m_hWnd, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    // Window scroll bars come without a control.
    if (pScrollBar != NULL && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    // Creation and destruction name the child; clicks carry a point instead.
    if ((message == WM_CREATE || message == WM_DESTROY) && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont != NULL ? pFont->GetSafeHandle() : NULL), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar) const
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    const int nPage = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
    const int nLimit = info.nMax - nPage;
    return nLimit > info.nMin ? nLimit : info.nMin;
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    if (lpwndpl == NULL)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* pRgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, pRgnUpdate != NULL ? static_cast<HRGN>(pRgnUpdate->m_hObject) : NULL,
                          flags);
}
