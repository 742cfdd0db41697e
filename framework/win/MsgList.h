// The window messages that message maps can name with an ON_WM_... entry: one
// line per message, and everything else comes from this list.
//
//   AFX_WM(WM_X, OnX, result, (parameters), (arguments))
//       CWnd declares OnX; its default handler passes the message to the
//       original window procedure (Default()). The map entry is ON_WM_X().
//   AFX_WM_OWN(...)
//       The same, but CWnd's handler is written by hand in Wnd.cpp.
//   AFX_WM_REFLECT(WM_X, Handler, result, (parameters), (arguments))
//       A notification the parent reflects to the control it concerns; the
//       control's map entry is ON_WM_X_REFLECT() and names Handler, which
//       CWnd does not declare.
//
// The arguments are built from `message`, `wParam` and `lParam` (and `point`,
// the signed client or screen point in lParam). The build turns the names
// into the ON_WM_... macros (framework/CMakeLists.txt); this file is read
// several times and has no include guard.
//
// clang-format off

AFX_WM(WM_CREATE, OnCreate, int, (LPCREATESTRUCT lpCreateStruct), (reinterpret_cast<LPCREATESTRUCT>(lParam)))
AFX_WM(WM_NCCREATE, OnNcCreate, BOOL, (LPCREATESTRUCT lpCreateStruct), (reinterpret_cast<LPCREATESTRUCT>(lParam)))
AFX_WM(WM_DESTROY, OnDestroy, void, (), ())
AFX_WM_OWN(WM_NCDESTROY, OnNcDestroy, void, (), ())
AFX_WM(WM_CLOSE, OnClose, void, (), ())
AFX_WM(WM_PAINT, OnPaint, void, (), ())
AFX_WM(WM_NCPAINT, OnNcPaint, void, (), ())
AFX_WM(WM_ERASEBKGND, OnEraseBkgnd, BOOL, (CDC* pDC), (CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
AFX_WM(WM_SIZE, OnSize, void, (UINT nType, int cx, int cy), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_SIZING, OnSizing, void, (UINT fwSide, LPRECT pRect), (static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam)))
AFX_WM(WM_MOVE, OnMove, void, (int x, int y), (point.x, point.y))
AFX_WM(WM_SHOWWINDOW, OnShowWindow, void, (BOOL bShow, UINT nStatus), (static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))
AFX_WM(WM_ENABLE, OnEnable, void, (BOOL bEnable), (static_cast<BOOL>(wParam)))
AFX_WM(WM_WINDOWPOSCHANGING, OnWindowPosChanging, void, (WINDOWPOS* lpwndpos), (reinterpret_cast<WINDOWPOS*>(lParam)))
AFX_WM(WM_WINDOWPOSCHANGED, OnWindowPosChanged, void, (WINDOWPOS* lpwndpos), (reinterpret_cast<WINDOWPOS*>(lParam)))
AFX_WM(WM_GETMINMAXINFO, OnGetMinMaxInfo, void, (MINMAXINFO* lpMMI), (reinterpret_cast<MINMAXINFO*>(lParam)))
AFX_WM(WM_ENTERSIZEMOVE, OnEnterSizeMove, void, (), ())
AFX_WM(WM_EXITSIZEMOVE, OnExitSizeMove, void, (), ())
AFX_WM(WM_STYLECHANGED, OnStyleChanged, void, (int nStyleType, LPSTYLESTRUCT lpStyleStruct), (static_cast<int>(wParam), reinterpret_cast<LPSTYLESTRUCT>(lParam)))
AFX_WM(WM_NCCALCSIZE, OnNcCalcSize, void, (BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp), (static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)))
AFX_WM(WM_NCHITTEST, OnNcHitTest, LRESULT, (CPoint point), (point))
AFX_WM(WM_SETFOCUS, OnSetFocus, void, (CWnd* pOldWnd), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
AFX_WM(WM_KILLFOCUS, OnKillFocus, void, (CWnd* pNewWnd), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
AFX_WM(WM_ACTIVATE, OnActivate, void, (UINT nState, CWnd* pWndOther, BOOL bMinimized), (LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0))
AFX_WM(WM_ACTIVATEAPP, OnActivateApp, void, (BOOL bActive, DWORD dwThreadID), (static_cast<BOOL>(wParam), static_cast<DWORD>(lParam)))
AFX_WM(WM_MOUSEACTIVATE, OnMouseActivate, int, (CWnd* pDesktopWnd, UINT nHitTest, UINT message), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_CANCELMODE, OnCancelMode, void, (), ())
AFX_WM(WM_CAPTURECHANGED, OnCaptureChanged, void, (CWnd* pWnd), (CWnd::FromHandle(reinterpret_cast<HWND>(lParam))))
AFX_WM(WM_SETTINGCHANGE, OnSettingChange, void, (UINT uFlags, LPCTSTR lpszSection), (static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam)))
AFX_WM(WM_SYSCOLORCHANGE, OnSysColorChange, void, (), ())
AFX_WM(WM_GETDLGCODE, OnGetDlgCode, UINT, (), ())

// The keyboard.
AFX_WM(WM_KEYDOWN, OnKeyDown, void, (UINT nChar, UINT nRepCnt, UINT nFlags), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_KEYUP, OnKeyUp, void, (UINT nChar, UINT nRepCnt, UINT nFlags), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_CHAR, OnChar, void, (UINT nChar, UINT nRepCnt, UINT nFlags), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_SYSKEYDOWN, OnSysKeyDown, void, (UINT nChar, UINT nRepCnt, UINT nFlags), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_SYSKEYUP, OnSysKeyUp, void, (UINT nChar, UINT nRepCnt, UINT nFlags), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_SYSCHAR, OnSysChar, void, (UINT nChar, UINT nRepCnt, UINT nFlags), (static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_SYSCOMMAND, OnSysCommand, void, (UINT nID, LPARAM lParam), (static_cast<UINT>(wParam), lParam))

// The mouse.
AFX_WM(WM_MOUSEMOVE, OnMouseMove, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_LBUTTONDOWN, OnLButtonDown, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_LBUTTONUP, OnLButtonUp, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_LBUTTONDBLCLK, OnLButtonDblClk, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_RBUTTONDOWN, OnRButtonDown, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_RBUTTONUP, OnRButtonUp, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_RBUTTONDBLCLK, OnRButtonDblClk, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_MBUTTONDOWN, OnMButtonDown, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_MBUTTONUP, OnMButtonUp, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_MBUTTONDBLCLK, OnMButtonDblClk, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_MOUSEWHEEL, OnMouseWheel, BOOL, (UINT nFlags, short zDelta, CPoint pt), (LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point))
AFX_WM(WM_MOUSEHOVER, OnMouseHover, void, (UINT nFlags, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_MOUSELEAVE, OnMouseLeave, void, (), ())
AFX_WM(WM_NCMOUSEMOVE, OnNcMouseMove, void, (UINT nHitTest, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_NCLBUTTONDOWN, OnNcLButtonDown, void, (UINT nHitTest, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_NCLBUTTONUP, OnNcLButtonUp, void, (UINT nHitTest, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk, void, (UINT nHitTest, CPoint point), (static_cast<UINT>(wParam), point))
AFX_WM(WM_SETCURSOR, OnSetCursor, BOOL, (CWnd* pWnd, UINT nHitTest, UINT message), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
AFX_WM(WM_CONTEXTMENU, OnContextMenu, void, (CWnd* pWnd, CPoint pos), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), point))
AFX_WM(WM_TIMER, OnTimer, void, (UINT_PTR nIDEvent), (static_cast<UINT_PTR>(wParam)))

// Menus.
AFX_WM(WM_INITMENU, OnInitMenu, void, (CMenu* pMenu), (CMenu::FromHandle(reinterpret_cast<HMENU>(wParam))))
AFX_WM(WM_INITMENUPOPUP, OnInitMenuPopup, void, (CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu), (CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam) != 0))
AFX_WM(WM_MENUSELECT, OnMenuSelect, void, (UINT nItemID, UINT nFlags, HMENU hSysMenu), (LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)))
AFX_WM(WM_ENTERMENULOOP, OnEnterMenuLoop, void, (BOOL bIsTrackPopupMenu), (static_cast<BOOL>(wParam)))
AFX_WM(WM_EXITMENULOOP, OnExitMenuLoop, void, (BOOL bIsTrackPopupMenu), (static_cast<BOOL>(wParam)))

// Notifications about child controls. The parent's own handlers offer them to
// the control first, which answers through its reflect entries.
AFX_WM_OWN(WM_CTLCOLOR, OnCtlColor, HBRUSH, (CDC* pDC, CWnd* pWnd, UINT nCtlColor), (CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX))
AFX_WM_OWN(WM_DRAWITEM, OnDrawItem, void, (int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct), (static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
AFX_WM_OWN(WM_MEASUREITEM, OnMeasureItem, void, (int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct), (static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
AFX_WM_OWN(WM_COMPAREITEM, OnCompareItem, int, (int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct), (static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)))
AFX_WM_OWN(WM_DELETEITEM, OnDeleteItem, void, (int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct), (static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)))
AFX_WM_OWN(WM_CHARTOITEM, OnCharToItem, int, (UINT nChar, CListBox* pListBox, UINT nIndex), (LOWORD(wParam), AfxListBoxFromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)))
AFX_WM_OWN(WM_VKEYTOITEM, OnVKeyToItem, int, (UINT nKey, CListBox* pListBox, UINT nIndex), (LOWORD(wParam), AfxListBoxFromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)))
AFX_WM_OWN(WM_HSCROLL, OnHScroll, void, (UINT nSBCode, UINT nPos, CScrollBar* pScrollBar), (LOWORD(wParam), HIWORD(wParam), AfxScrollBarFromHandle(reinterpret_cast<HWND>(lParam))))
AFX_WM_OWN(WM_VSCROLL, OnVScroll, void, (UINT nSBCode, UINT nPos, CScrollBar* pScrollBar), (LOWORD(wParam), HIWORD(wParam), AfxScrollBarFromHandle(reinterpret_cast<HWND>(lParam))))
AFX_WM_OWN(WM_PARENTNOTIFY, OnParentNotify, void, (UINT message, LPARAM lParam), (LOWORD(wParam), lParam))

// What a control answers for its parent. A null brush from CtlColor leaves the
// colours to the parent; the others are always taken as handled.
AFX_WM_REFLECT(WM_CTLCOLOR, CtlColor, HBRUSH, (CDC* pDC, UINT nCtlColor), (CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX))
AFX_WM_REFLECT(WM_DRAWITEM, DrawItem, void, (LPDRAWITEMSTRUCT lpDrawItemStruct), (reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
AFX_WM_REFLECT(WM_MEASUREITEM, MeasureItem, void, (LPMEASUREITEMSTRUCT lpMeasureItemStruct), (reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
AFX_WM_REFLECT(WM_COMPAREITEM, CompareItem, int, (LPCOMPAREITEMSTRUCT lpCompareItemStruct), (reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)))
AFX_WM_REFLECT(WM_DELETEITEM, DeleteItem, void, (LPDELETEITEMSTRUCT lpDeleteItemStruct), (reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)))
AFX_WM_REFLECT(WM_CHARTOITEM, CharToItem, int, (UINT nKey, UINT nIndex), (LOWORD(wParam), HIWORD(wParam)))
AFX_WM_REFLECT(WM_VKEYTOITEM, VKeyToItem, int, (UINT nKey, UINT nIndex), (LOWORD(wParam), HIWORD(wParam)))
AFX_WM_REFLECT(WM_HSCROLL, HScroll, void, (UINT nSBCode, UINT nPos), (LOWORD(wParam), HIWORD(wParam)))
AFX_WM_REFLECT(WM_VSCROLL, VScroll, void, (UINT nSBCode, UINT nPos), (LOWORD(wParam), HIWORD(wParam)))
AFX_WM_REFLECT(WM_PARENTNOTIFY, ParentNotify, void, (UINT message, LPARAM lParam), (LOWORD(wParam), lParam))

// clang-format on
