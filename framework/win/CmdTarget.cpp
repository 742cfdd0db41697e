// Command targets, message-map look-up and command-user-interface updates.
#include "win/CmdTarget.h"
#include "win/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}

CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP messageMap = {NULL, &_messageEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry) {
            if (pEntry->nMessage == nMsg && pEntry->nCode == nCode && nID >= pEntry->nID && nID <= pEntry->nLastID)
                return pEntry;
        }
    }
    return NULL;
}

BOOL PASCAL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry,
                                       void* pExtra)
{
    switch (pEntry->nSig) {
    case AfxSigCmd_v:
        (pTarget->*pEntry->pfn)();
        return TRUE;
    case AfxSigCmd_RANGE:
        (pTarget->*AfxMsgCast<void (CCmdTarget::*)(UINT)>(pEntry->pfn))(nID);
        return TRUE;
    case AfxSigCmdUI: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        // The handler may hand the item on to the next target.
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*AfxMsgCast<void (CCmdTarget::*)(CCmdUI*)>(pEntry->pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSigCmd_EX:
        return (pTarget->*AfxMsgCast<BOOL (CCmdTarget::*)(UINT)>(pEntry->pfn))(nID);
    case AfxSigCmd_b:
        return (pTarget->*AfxMsgCast<BOOL (CCmdTarget::*)()>(pEntry->pfn))();
    case AfxSigNotify_v: {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        (pTarget->*AfxMsgCast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    case AfxSigNotify_b: {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        return (pTarget->*AfxMsgCast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(pNotify->pNMHDR,
                                                                                           pNotify->pResult);
    }
    case AfxSigNotify_RANGE: {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        (pTarget->*AfxMsgCast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pEntry->pfn))(nID, pNotify->pNMHDR,
                                                                                          pNotify->pResult);
        return TRUE;
    }
    case AfxSigNotify_EX: {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        return (pTarget->*AfxMsgCast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pEntry->pfn))(nID, pNotify->pNMHDR,
                                                                                                 pNotify->pResult);
    }
    default:
        return FALSE;
    }
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = WM_COMMAND;
    UINT nEntryCode = static_cast<UINT>(nCode);
    if (nCode != static_cast<int>(CN_UPDATE_COMMAND_UI) && HIWORD(nCode) != 0) {
        // MAKELONG(code, message): a notification, or a reflected one.
        nMsg = HIWORD(nCode);
        nEntryCode = LOWORD(nCode);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), nMsg, nEntryCode, nID);
    if (pEntry == NULL)
        return FALSE;
    if (pHandlerInfo != NULL) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = pEntry->pfn;
        return TRUE;
    }
    return DispatchCmdMsg(this, nID, nCode, pEntry, pExtra);
}

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_nIndexMax(0), m_hMenu(NULL), m_pOther(NULL), m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu != NULL) {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL && m_pOther->GetSafeHwnd() != NULL) {
        // A control losing its ability to take the focus must not keep it.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != NULL)
                ::SendMessage(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu != NULL) {
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL && m_pOther->GetSafeHwnd() != NULL) {
        // Only buttons know a check state.
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_hMenu != NULL) {
        ::CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, bOn ? m_nIndex : m_nIndex + 1, MF_BYPOSITION);
        if (!bOn)
            ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (lpszText == NULL)
        lpszText = "";
    if (m_hMenu != NULL) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPSTR>(lpszText);
        ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
    } else if (m_pOther != NULL && m_pOther->GetSafeHwnd() != NULL) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == NULL)
        return FALSE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info))
            Enable(FALSE);
    }
    return bResult;
}
