// Command targets and message maps: the tables that tie a window message, a
// command or a control notification to a member function, looked up in the
// object's own class first and then in its base classes.
#pragma once

#include "win/Platform.h"
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
    AfxSigCmd_v,         // void ()
    AfxSigCmd_RANGE,     // void (UINT nID)
    AfxSigCmdUI,         // void (CCmdUI*)
    AfxSigNotify_v,      // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,      // BOOL (NMHDR*, LRESULT*)     reflected, the parent may still see it
    AfxSigNotify_RANGE,  // void (UINT nID, NMHDR*, LRESULT*)
    AfxSigNotify_EX,     // BOOL (UINT nID, NMHDR*, LRESULT*)
    AfxSigCmd_b,         // BOOL ()                     reflected, the parent may still see it
    AfxSigCmd_EX,        // BOOL (UINT nID)
    // Window messages (CWnd::OnWndMsg).
    AfxSig_lwl,  // LRESULT (WPARAM, LPARAM)    ON_MESSAGE
    AfxSig_wm,   // a message of the message list (win/MsgList.h), cracked as it says
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
#    define WM_CTLCOLOR 0x0019
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

#define BEGIN_MESSAGE_MAP(theClass, baseClass)             \
    const AFX_MSGMAP* theClass::GetMessageMap() const      \
    {                                                      \
        return GetThisMessageMap();                        \
    }                                                      \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    {                                                      \
        typedef theClass ThisClass;                        \
        typedef baseClass TheBaseClass;                    \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    {                                                                                             \
        0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0                                                       \
    }                                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
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

#define ON_COMMAND(id, memberFxn)         \
    {WM_COMMAND, CN_COMMAND,  (WORD)(id), \
     (WORD)(id), AfxSigCmd_v, AFX_MSG_CAST(void(CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)   \
    {WM_COMMAND,     CN_COMMAND,      (WORD)(id), \
     (WORD)(idLast), AfxSigCmd_RANGE, AFX_MSG_CAST(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)    \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), \
     (WORD)(id), AfxSigCmd_v,         AFX_MSG_CAST(void(CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)        \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), \
     (WORD)(id), AfxSigCmdUI,          AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn)     \
    {                                             \
        WM_NOTIFY,      (WORD)(int)(wNotifyCode), \
        (WORD)(id),     (WORD)(id),               \
        AfxSigNotify_v, AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY,                 \
     (WORD)(int)(wNotifyCode),                    \
     0,                                           \
     0,                                           \
     AfxSigNotify_v,                              \
     AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND,                 \
     (WORD)(wNotifyCode),                          \
     0,                                            \
     0,                                            \
     AfxSigCmd_v,                                  \
     AFX_MSG_CAST(void(CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)       \
    {WM_COMMAND, CN_COMMAND,   (WORD)(id), \
     (WORD)(id), AfxSigCmd_EX, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND,     CN_UPDATE_COMMAND_UI, (WORD)(id),    \
     (WORD)(idLast), AfxSigCmdUI,          AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND,     (WORD)(wNotifyCode), (WORD)(id),        \
     (WORD)(idLast), AfxSigCmd_RANGE,     AFX_MSG_CAST(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY,          (WORD)(int)(wNotifyCode),          \
     (WORD)(id),         (WORD)(idLast),                    \
     AfxSigNotify_RANGE, AFX_MSG_CAST(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
// An _EX handler answers whether it handled the notification; FALSE passes
// it on to the next entry or target.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY,       (WORD)(int)(wNotifyCode),  \
     (WORD)(id),      (WORD)(id),                \
     AfxSigNotify_EX, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY,       (WORD)(int)(wNotifyCode),                \
     (WORD)(id),      (WORD)(idLast),                          \
     AfxSigNotify_EX, AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
// A reflected _EX handler that answers FALSE lets the parent handle the
// notification too.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY,                    \
     (WORD)(int)(wNotifyCode),                       \
     0,                                              \
     0,                                              \
     AfxSigNotify_b,                                 \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND,                    \
     (WORD)(wNotifyCode),                             \
     0,                                               \
     0,                                               \
     AfxSigCmd_b,                                     \
     AFX_MSG_CAST(BOOL(CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_MESSAGE(message, memberFxn) \
    {(message), 0, 0, 0, AfxSig_lwl, AFX_MSG_CAST(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},

// The ON_WM_... entries come with the message list (win/Wnd.h).

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
    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);

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
    HMENU m_hMenu;   // the menu holding the item, or NULL
    CWnd* m_pOther;  // the control standing for the item, or NULL

    BOOL m_bEnableChanged;    // a handler called Enable
    BOOL m_bContinueRouting;  // a handler asked the routing to go on

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
