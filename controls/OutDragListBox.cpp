#include "controls/OutDragListBox.h"

#include <afxole.h>

#include "frame/Frame.h"

BEGIN_MESSAGE_MAP(COutDragListBox, CListBox)
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
END_MESSAGE_MAP()

COutDragListBox::COutDragListBox() : m_hAccel(NULL)
{
    CSetResourceHandle resources(GetExtkitInstance());
    m_hAccel = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(1001));
}

COutDragListBox::~COutDragListBox() {}

BOOL COutDragListBox::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CListBox::PreTranslateMessage(pMsg);
}

void COutDragListBox::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if ((nFlags & MK_LBUTTON) != 0 && !rcClient.PtInRect(point) && GetCount() > 0 && GetCurSel() >= 0) {
        CString strLine;
        GetText(GetCurSel(), strLine);
        CSharedFile file(GMEM_MOVEABLE, 4096);
        file.Write(static_cast<LPCSTR>(strLine), static_cast<UINT>(strLine.GetLength() + 1));
        COleDataSource source;
        source.CacheGlobalData(CF_TEXT, file.Detach());
        // Returns when the text was dropped or the drag cancelled.
        source.DoDragDrop(DROPEFFECT_COPY);
    }
    CListBox::OnMouseMove(nFlags, point);
}

void COutDragListBox::OnEditCopy()
{
    const int nSel = GetCurSel();
    if (GetCount() <= 0 || nSel < 0)
        return;
    const int nLen = GetTextLen(nSel);
    if (nLen <= 0)
        return;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(nLen) + 1);
    if (hText == NULL)
        return;
    if (char* pszText = static_cast<char*>(::GlobalLock(hText))) {
        // The list writes the line and its zero: the block has room for both.
        ::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nSel), reinterpret_cast<LPARAM>(pszText));
        ::GlobalUnlock(hText);
    }
    if (::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_TEXT, hText) != NULL)
            hText = NULL;
        ::CloseClipboard();
    }
    if (hText != NULL)
        ::GlobalFree(hText);
}

void COutDragListBox::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetCount() > 0);
}
