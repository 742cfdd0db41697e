// The window object. A CWnd is bound to one window handle through the calling
// thread's permanent map (Attach, Create, SubclassWindow); a handle with no
// object gets a temporary one from FromHandle, deleted at idle time. A window
// created or subclassed through its object runs the common window procedure,
// which dispatches through the message map and passes the rest on to the
// original procedure. The object owns the window it is attached to and
// destroys it when the object goes while the window still exists.
#pragma once

#include "win/Platform.h"
#include "core/Object.h"
#include "core/Geometry.h"
#include "core/String.h"
#include "win/CmdTarget.h"

struct CCreateContext;
class CFont;
class CDC;
class CDataExchange;
class CListBox;
class CMenu;
class CScrollBar;
class CRgn;

// The common window procedure of windows created or subclassed by objects.
FRAMEWORK_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

class FRAMEWORK_API CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Handle maps (per thread).
    // The object attached to hWnd, created as a temporary one when there is
    // none; NULL for a null handle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The object attached to hWnd by Attach, Create or SubclassWindow, or NULL.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    // Deletes the temporary objects (their windows stay).
    static void PASCAL DeleteTempMap();

    // Takes a window to this object; FALSE for a null handle, when this object
    // already has one or when another object holds that window.
    BOOL Attach(HWND hWndNew);
    // Gives the window up without destroying it.
    HWND Detach();

    // Creation. The object takes the window before its first message.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    // Subclassing an existing window.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Puts the original procedure back and detaches; NULL when this object
    // has no subclassed window.
    HWND UnsubclassWindow();
    // Called before a window is subclassed (also during Create).
    virtual void PreSubclassWindow();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The original procedure: the one replaced by subclassing, else the
    // class's own default.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc with the message being handled.
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called by the parent with a notification about this control; TRUE when
    // the control's reflect entry handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers a child's notification to the child first.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The same with the message being handled.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    // Called after the window's last message; the place to delete a heap object.
    virtual void PostNcDestroy();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Fills the controls from dialog-init data (the RT_DLGINIT resource of that
    // name, found among the loaded modules, or records in memory): strings
    // added to list boxes and combo boxes. TRUE when every record was taken,
    // also when there is no such resource.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // Dialog data exchange: moves data between the members and the controls
    // (bSaveAndValidate: controls to members). FALSE when a value was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Offers the message to PreTranslateMessage of its window and then of each
    // parent up to hWndStop (included) or the top; TRUE when one took it.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Styles.
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
    // Removes then adds bits; with nFlags the frame is refreshed through
    // SetWindowPos. FALSE when nothing changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Relations.
    CWnd* GetParent() const;
    // The owner set by SetOwner, else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd != NULL ? pOwnerWnd->m_hWnd : NULL; }
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    // Text.
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
    {
        return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

    // State and placement.
    BOOL IsWindow() const { return m_hWnd != NULL && ::IsWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(m_hWnd, pWndInsertAfter != NULL ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy, nFlags);
    }
    // Centres a pop-up window over its owner (or pAlternateOwner) when that
    // is visible and not minimised, else in the work area of the main
    // window's monitor; a child window over its parent's client area. The
    // window is then moved wholly into the monitor's work area (the parent's
    // client area for a child), its left and top edges winning.
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    // The window that had the focus, as an object (temporary when needed).
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    // The mouse capture: SetCapture gives the window that had it (a
    // temporary object when needed), GetCapture the window of this thread
    // that has it, NULL for none; ::ReleaseCapture gives it up.
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    // The window under a screen point (NULL for none) and the desktop window.
    static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    // Only part of the client area; NULL means all of it.
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    // The window's own scroll bars (SB_HORZ, SB_VERT), in scroll units.
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    // The highest position the bar can reach: its range's maximum less the
    // page plus one; 0 when the window has no such scroll range.
    int GetScrollLimit(int nBar) const;

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL)
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // Scroll bars of the window itself: nBar SB_HORZ, SB_VERT or (to show)
    // SB_BOTH. Positions are in the window's own scroll units.
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow); }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    // Placement as the window would be restored; length is set by the call.
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    // Painting control: flags are the RDW_ ones.
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* pRgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }

    // The window keeps using the font: it must outlive the window or be
    // replaced first.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // The font set last (a temporary object when none holds it), NULL for the
    // system font.
    CFont* GetFont() const;

protected:
    WNDPROC m_pfnSuper;  // the procedure that AfxWndProc replaced, NULL when none
    HWND m_hWndOwner;    // set by SetOwner

    // The handlers of the message list (win/MsgList.h). Unless the list says
    // otherwise, each passes the message to the original procedure. The
    // handlers of notifications about a child offer them to the child first
    // (reflection). OnNcDestroy restores the original procedure, detaches and
    // calls PostNcDestroy; a derived handler must call it.
#define AFX_WM(message, name, result, params, args) result name params;
#define AFX_WM_OWN AFX_WM
#define AFX_WM_REFLECT(message, name, result, params, args)
#include "win/MsgList.h"
#undef AFX_WM
#undef AFX_WM_OWN
#undef AFX_WM_REFLECT

    DECLARE_MESSAGE_MAP()

private:
    // Subclasses the window being created by CreateEx before its first message.
    static LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);
    // Puts AfxWndProc in as the window procedure, keeping the old one.
    void HookWindowProc();
    // Calls a window-message entry for message (for a reflected one, the
    // message as the parent got it).
    LRESULT DispatchWndMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam);
};

// The handler type of each message of the list, which its map entry checks
// when the code compiles.
template <UINT nMessage>
struct AfxWmHandler;
#define AFX_WM(message, name, result, params, args) \
    template <>                                     \
    struct AfxWmHandler<message> {                  \
        typedef result(CWnd::*Type) params;         \
    };
#define AFX_WM_OWN AFX_WM
#define AFX_WM_REFLECT(message, name, result, params, args) \
    template <>                                             \
    struct AfxWmHandler<WM_REFLECT_BASE + message> {        \
        typedef result(CWnd::*Type) params;                 \
    };
#include "win/MsgList.h"
#undef AFX_WM
#undef AFX_WM_OWN
#undef AFX_WM_REFLECT

// The map entry of a listed message; ON_WM_SIZE() and the others are made of
// it by the build, one for each line of the list.
#define AFX_ON_WM(message, memberFxn) \
    {(message), 0, 0, 0, AfxSig_wm, AFX_MSG_CAST(AfxWmHandler<(message)>::Type, &ThisClass::memberFxn)},
#include "win/MsgMapMacros.h"
