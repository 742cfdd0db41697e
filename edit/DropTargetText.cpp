#include "edit/DropTargetText.h"

#include "edit/EditEx.h"

#include <climits>

namespace {

WPARAM PointParam(CPoint point)
{
    return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(point.x, point.y)));
}

bool IsReadOnly(CWnd* pWnd)
{
    return (pWnd->GetStyle() & ES_READONLY) != 0;
}

// An edit control, wrapped by a CEdit or not.
bool IsEditControl(CWnd* pWnd)
{
    if (pWnd->IsKindOf(RUNTIME_CLASS(CEdit)))
        return true;
    char szClass[16] = "";
    ::GetClassNameA(pWnd->m_hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "Edit") == 0;
}

// What the window answers for the text at the point. A window that does not
// know the valid-data message answers 0 to it and so accepts any text.
DROPEFFECT AskWindow(CWnd* pWnd, const CString& strText, DWORD dwKeyState, CPoint point)
{
    const LPARAM lText = reinterpret_cast<LPARAM>(static_cast<LPCSTR>(strText));
    if (pWnd->SendMessage(WM_EDITEX_VALIDDATA, PointParam(point), lText) != 0)
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_SHIFT) != 0 ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

}  // namespace

COleDropTargetText::COleDropTargetText() {}

COleDropTargetText::~COleDropTargetText() {}

BOOL COleDropTargetText::ReadTextData(CString& strText, COleDataObject* pDataObject)
{
    strText.Empty();
    // The block is a copy of our own.
    HGLOBAL hData = pDataObject->GetGlobalData(CF_TEXT);
    if (hData == NULL)
        return FALSE;
    const BOOL bRead = AfxTextFromGlobal(hData, strText);
    ::GlobalFree(hData);
    return bRead;
}

DROPEFFECT COleDropTargetText::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (IsReadOnly(pWnd) || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    CString strText;
    if (!ReadTextData(strText, pDataObject))
        return DROPEFFECT_NONE;
    return AskWindow(pWnd, strText, dwKeyState, point);
}

DROPEFFECT COleDropTargetText::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!pDataObject->IsDataAvailable(CF_TEXT))
        return COleDropTarget::OnDragOver(pWnd, pDataObject, dwKeyState, point);
    CString strText;
    if (!ReadTextData(strText, pDataObject))
        return DROPEFFECT_NONE;
    return AskWindow(pWnd, strText, dwKeyState, point);
}

void COleDropTargetText::OnDragLeave(CWnd* pWnd)
{
    COleDropTarget::OnDragLeave(pWnd);
}

BOOL COleDropTargetText::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (IsReadOnly(pWnd) || !pDataObject->IsDataAvailable(CF_TEXT))
        return COleDropTarget::OnDrop(pWnd, pDataObject, dropEffect, point);
    CString strText;
    if (!ReadTextData(strText, pDataObject))
        return FALSE;

    if (pWnd->IsKindOf(RUNTIME_CLASS(CEditEx))) {
        // Only a text that was placed counts as dropped: a source that moves
        // must not lose text that went nowhere (a drop onto itself, a text
        // the mask refused).
        return pWnd->SendMessage(WM_EDITEX_SETDATA, PointParam(point),
                                 reinterpret_cast<LPARAM>(static_cast<LPCSTR>(strText))) != 0;
    }

    if (IsEditControl(pWnd)) {
        CString strWindow;
        pWnd->GetWindowText(strWindow);
        int nIndex = LOWORD(pWnd->SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
        if (nIndex > strWindow.GetLength())
            nIndex = strWindow.GetLength();
        strWindow.Insert(nIndex, strText);
        pWnd->SetWindowText(strWindow);
        // The control hears of the change as from itself (a reflected EN_CHANGE).
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(pWnd->m_hWnd));
        // Focus away and back, so that the control shows its caret anew.
        ::SetFocus(NULL);
        pWnd->SetFocus();
        pWnd->SendMessage(EM_SETSEL, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(nIndex));
        return TRUE;
    }

    pWnd->SetWindowText(strText);
    return TRUE;
}
