// Command targets and message maps: the tables that tie a window message, a
// command or a control notification to a member function, looked up in the
// object's own class first and then in its base classes.
#pragma once

#include "core/Object.h"
#include "core/Geometry.h"

#include <cstring>

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;

typedef void (CCmdTarget::*AFX_PMSG)(void);

// How an entry's member function is called: what it takes and what it returns.
enum AfxSig {
    AfxSig_end = 0,
    // Commands and notifications (CCmdTarget::OnCmdMsg).
    AfxSigCmd_v,      // void ()
    AfxSigCmd_RANGE,  // void (UINT nID)
    AfxSigCmdUI,      // void (CCmdUI*)
    AfxSigNotify_v,   // void (NMHDR*, LRESULT*)
    // Window messages (CWnd::OnWndMsg).
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)
    AfxSig_v_v_v,     // void ()
    AfxSig_i_p_v,     // int (LPCREATESTRUCT)
    AfxSig_v_u_ii,    // void (UINT, int, int)       OnSize
    AfxSig_v_ii,      // void (int, int)             OnMove
    AfxSig_v_W_v,     // void (CWnd*)                OnSetFocus, OnKillFocus
    AfxSig_v_uuu_v,   // void (UINT, UINT, UINT)     keys and characters
    AfxSig_v_up_v,    // void (UINT, CPoint)         mouse buttons and moves
    AfxSig_v_up_t,    // void (UINT_PTR)             OnTimer
    AfxSig_v_Wp_v,    // void (CWnd*, CPoint)        OnContextMenu
    AfxSig_b_Wuu_v,   // BOOL (CWnd*, UINT, UINT)    OnSetCursor
    AfxSig_u_v_v,     // UINT ()                     OnGetDlgCode
    AfxSig_v_uWb_v,   // void (UINT, CWnd*, BOOL)    OnActivate
    AfxSig_b_D_v,     // BOOL (CDC*)                 OnEraseBkgnd
    AfxSig_h_DWu,     // HBRUSH (CDC*, CWnd*, UINT)  OnCtlColor
    AfxSig_h_Du,      // HBRUSH (CDC*, UINT)         CtlColor (reflected)
    AfxSig_v_pos_v,   // void (WINDOWPOS*)           OnWindowPosChanging
    AfxSig_v_bh_v,    // void (BOOL, DWORD)          OnActivateApp
};

// Command codes passed to OnCmdMsg besides the control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Notifications that a parent reflects to the child control they concern are
// looked up in the child's map under the message code plus this base.
#define WM_REFLECT_BASE 0xBC00

// One map entry for all the WM_CTLCOLOR... messages, under the code the
// 16-bit system used for them; the handler gets the CTLCOLOR_ kind.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // the window message
    UINT nCode;     // the control or notification code (commands)
    UINT nID;       // the control or command identifier, 0 for window messages
    UINT nLastID;   // the last identifier of a range
    UINT_PTR nSig;  // an AfxSig
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// What a WM_NOTIFY handler is called with (OnCmdMsg's pExtra).
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP()                            \
protected:                                               \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                       \
    {                                                                            \
        typedef theClass ThisClass;                                              \
        typedef baseClass TheBaseClass;                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                          \
        {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}                                      \
    };                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                            \
    }

// Converts between member-function pointer types of the same size; the map
// stores every handler as AFX_PMSG and the dispatcher converts it back to the
// signature its entry names.
template <class TTo, class TFrom>
inline TTo AfxMsgCast(TFrom pfn)
{
    static_assert(sizeof(TTo) == sizeof(TFrom), "member pointers of one class hierarchy");
    TTo pfnTo;
    std::memcpy(&pfnTo, &pfn, sizeof(pfnTo));
    return pfnTo;
}

// The static_cast checks the handler's signature at compile time before the
// entry stores it as a plain member pointer.
#define AFX_MSG_CAST(type, memberFxn) (AfxMsgCast<AFX_PMSG>(static_cast<type>(memberFxn)))

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, AFX_MSG_CAST(void (CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                      \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
     AFX_MSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                     \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v,         \
     AFX_MSG_CAST(void (CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                          \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI,          \
     AFX_MSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                          \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v,      \
     AFX_MSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                  \
    {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v,  \
     AFX_MSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                           \
    {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v,   \
     AFX_MSG_CAST(void (CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_MESSAGE(message, memberFxn) \
    {(message), 0, 0, 0, AfxSig_lwl, AFX_MSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},

// Window messages; the entries are in CWnd terms and need Wnd.h.
#define AFX_WM_ENTRY(message, sig, type, memberFxn) \
    {(message), 0, 0, 0, (sig), AFX_MSG_CAST(type, &ThisClass::memberFxn)},

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_i_p_v, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_v_v_v, void (CWnd::*)(void), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_v_v_v, void (CWnd::*)(void), OnNcDestroy)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_v_v_v, void (CWnd::*)(void), OnPaint)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_v_u_ii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_v_W_v, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_v_W_v, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_v_uuu_v, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AfxSig_v_uuu_v, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig_v_uuu_v, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() \
    AFX_WM_ENTRY(WM_SYSKEYDOWN, AfxSig_v_uuu_v, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_LBUTTONDOWN() \
    AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_v_up_v, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_v_up_v, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_v_up_v, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() \
    AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_v_up_v, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_v_up_v, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_v_up_v, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_v_up_t, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_CONTEXTMENU() \
    AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_v_Wp_v, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_SETCURSOR() \
    AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_b_Wuu_v, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_u_v_v, UINT (CWnd::*)(void), OnGetDlgCode)
#define ON_WM_ACTIVATE() \
    AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_v_uWb_v, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_b_D_v, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_v_pos_v, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_ACTIVATEAPP() \
    AFX_WM_ENTRY(WM_ACTIVATEAPP, AfxSig_v_bh_v, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_CTLCOLOR() \
    AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig_h_DWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
// In a control's map: the control picks its own colours; a NULL brush leaves
// the choice to the parent.
#define ON_WM_CTLCOLOR_REFLECT(memberFxn) \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_h_Du, HBRUSH (CWnd::*)(CDC*, UINT), memberFxn)

class FRAMEWORK_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Routes a command, a control notification or an update request to this
    // object's handler. nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is
    // the CCmdUI) or MAKELONG(notification code, WM_NOTIFY) (pExtra is an
    // AFX_NOTIFY); any other value is a WM_COMMAND control notification code.
    // With pHandlerInfo the handler is only reported, not called. TRUE when a
    // handler was found.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry of the map chain for that message, code and identifier
    // (identifier ranges included), or NULL.
    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                           UINT nID);

    DECLARE_MESSAGE_MAP()

protected:
    // Calls a command-family entry; FALSE when its signature is not one.
    static BOOL PASCAL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry,
                                      void* pExtra);
};

// The state of one user-interface item (a menu item, a toolbar button, a
// control) being brought up to date by its ON_UPDATE_COMMAND_UI handler.
class FRAMEWORK_API CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;
    UINT m_nIndex;
    UINT m_nIndexMax;
    HMENU m_hMenu;    // the menu holding the item, or NULL
    CWnd* m_pOther;   // the control standing for the item, or NULL

    BOOL m_bEnableChanged;   // a handler called Enable
    BOOL m_bContinueRouting; // a handler asked the routing to go on

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (buttons only).
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update the item. When nobody enabled it and pTarget has
    // no command handler for it either, bDisableIfNoHndler disables it.
    // TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
