#include "edit/EditEx.h"

#include <afxole.h>

#include <cstring>

#include "frame/Frame.h"

IMPLEMENT_DYNAMIC(CEditEx, CEdit)

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_EDITEX_SETDATA, OnSetData)
    ON_MESSAGE(WM_EDITEX_VALIDDATA, OnValidData)
END_MESSAGE_MAP()

CEditEx::CEditEx()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_crBk(::GetSysColor(COLOR_WINDOW)),
      m_crDisabledBk(::GetSysColor(COLOR_INACTIVEBORDER)), m_hAccel(NULL), m_bDropTargetRegistered(false),
      m_bDragging(false), m_surface(this)
{
    SetSurface(&m_surface);
    m_brBk.CreateSolidBrush(m_crBk);
    m_brDisabledBk.CreateSolidBrush(m_crDisabledBk);
    CSetResourceHandle resources(GetExtkitInstance());
    SetNewAccelerator(1001);
}

CEditEx::~CEditEx()
{
    // The window is still there: the registration goes before the window does.
    if (m_bDropTargetRegistered)
        m_dropTarget.Revoke();
    m_brBk.DeleteObject();
    m_brDisabledBk.DeleteObject();
}

void CEditEx::SetBkColor(COLORREF crBk)
{
    m_brBk.DeleteObject();
    m_crBk = crBk;
    m_brBk.CreateSolidBrush(crBk);
}

void CEditEx::SetDisabledBkColor(COLORREF crBk)
{
    m_brDisabledBk.DeleteObject();
    m_crDisabledBk = crBk;
    m_brDisabledBk.CreateSolidBrush(crBk);
}

bool CEditEx::SetNewAccelerator(UINT nID)
{
    m_hAccel = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
    return m_hAccel != NULL;
}

void CEditEx::EnableDragDrop()
{
    if (m_bDropTargetRegistered || m_hWnd == NULL)
        return;
    // Stays unset when OLE refuses, so that no drag is started either.
    m_bDropTargetRegistered = m_dropTarget.Register(this) != FALSE;
}

BOOL CEditEx::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

int CEditEx::CanUndo()
{
    return CEditMask::CanUndo();
}

int CEditEx::Undo()
{
    return CEditMask::Undo();
}

void CEditEx::EmptyUndoBuffer()
{
    CEditMask::EmptyUndoBuffer();
}

int CEditEx::CharIndexFromPoint(WPARAM wPoint)
{
    const LPARAM lPoint = MAKELPARAM(LOWORD(wPoint), HIWORD(wPoint));
    return LOWORD(SendMessage(EM_CHARFROMPOS, 0, lPoint));
}

// --- Messages

HBRUSH CEditEx::CtlColor(CDC* pDC, UINT)
{
    if (IsWindowEnabled()) {
        pDC->SetTextColor(m_crText);
        pDC->SetBkColor(m_crBk);
        return static_cast<HBRUSH>(m_brBk.GetSafeHandle());
    }
    pDC->SetBkColor(m_crDisabledBk);
    return static_cast<HBRUSH>(m_brDisabledBk.GetSafeHandle());
}

void CEditEx::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bDragging = false;
    CEdit::OnLButtonDown(nFlags, point);
    PlaceCaretAfterClick();
}

void CEditEx::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragging = false;
    CEdit::OnLButtonUp(nFlags, point);
}

void CEditEx::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDropTargetRegistered && (nFlags & MK_LBUTTON) != 0 && !m_bDragging) {
        CRect rcClient;
        GetClientRect(&rcClient);
        int nStart = 0;
        int nEnd = 0;
        GetSel(nStart, nEnd);
        if (!rcClient.PtInRect(point) && nStart != nEnd) {
            m_bDragging = true;
            CString strText = GetDragText(nStart, nEnd);
            CSharedFile file(GMEM_MOVEABLE, 4096);
            file.Write(static_cast<LPCSTR>(strText), static_cast<UINT>(strText.GetLength() + 1));
            HGLOBAL hText = file.Detach();
            COleDataSource source;
            source.CacheGlobalData(CF_TEXT, hText);
            const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
            if ((effect & DROPEFFECT_MOVE) != 0)
                RemoveDraggedText(nStart, nEnd);
            // The drag is over: a drop from elsewhere must be taken again.
            m_bDragging = false;
        }
    }
    CEdit::OnMouseMove(nFlags, point);
}

void CEditEx::OnEditSelectAll()
{
    SetSel(0, -1, TRUE);
}

void CEditEx::OnEditCopy()
{
    if (HasMask())
        EditCopy();
    else
        SendMessage(WM_COPY);
}

void CEditEx::OnEditPaste()
{
    if (HasMask())
        EditPaste();
    else
        SendMessage(WM_PASTE);
}

void CEditEx::OnEditUndo()
{
    SendMessage(EM_UNDO);
}

void CEditEx::OnEditCut()
{
    if (HasMask())
        EditCut();
    else
        SendMessage(WM_CUT);
}

void CEditEx::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetWindowTextLength() > 0);
}

void CEditEx::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    pCmdUI->Enable(GetWindowTextLength() > 0 && nStart != nEnd);
}

void CEditEx::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CClipboard::IsTextAvailable());
}

void CEditEx::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!HandleChar(nChar))
        CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CEditEx::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_bDragging = false;
    if (!HandleKeyDown(nChar))
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CEditEx::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    PlaceCaretAfterClick();
}

void CEditEx::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (!m_rcPinned.IsRectEmpty()) {
        lpwndpos->x = m_rcPinned.left;
        lpwndpos->y = m_rcPinned.top;
        lpwndpos->cx = m_rcPinned.Width();
        lpwndpos->cy = m_rcPinned.Height();
    }
    CEdit::OnWindowPosChanging(lpwndpos);
}

LRESULT CEditEx::OnSetData(WPARAM wParam, LPARAM lParam)
{
    LPCSTR pszText = reinterpret_cast<LPCSTR>(lParam);
    // A drag of our own text onto ourselves places nothing.
    if (m_bDragging || pszText == NULL)
        return 0;
    const int nIndex = CharIndexFromPoint(wParam);
    m_bDragging = false;
    return DropText(pszText, nIndex);
}

LRESULT CEditEx::OnValidData(WPARAM wParam, LPARAM lParam)
{
    LPCSTR pszText = reinterpret_cast<LPCSTR>(lParam);
    if (pszText == NULL)
        return 1;
    return ValidateDrop(pszText, CharIndexFromPoint(wParam));
}

// --- The mask model's view of the window

DWORD CEditEx::CWindowSurface::GetEditStyle()
{
    return m_pEdit->m_hWnd != NULL ? m_pEdit->GetStyle() : 0;
}

CString CEditEx::CWindowSurface::GetEditText()
{
    CString strText;
    if (m_pEdit->m_hWnd != NULL)
        m_pEdit->GetWindowText(strText);
    return strText;
}

void CEditEx::CWindowSurface::SetEditText(LPCSTR pszText)
{
    m_pEdit->SetWindowText(pszText);
}

void CEditEx::CWindowSurface::SetEditModify(bool bModified)
{
    m_pEdit->SendMessage(EM_SETMODIFY, bModified ? TRUE : FALSE);
}

void CEditEx::CWindowSurface::GetEditSel(int& nStart, int& nEnd)
{
    nStart = nEnd = 0;
    if (m_pEdit->m_hWnd != NULL)
        m_pEdit->GetSel(nStart, nEnd);
}

void CEditEx::CWindowSurface::SetEditSel(int nStart, int nEnd, bool bNoScroll)
{
    m_pEdit->SetSel(nStart, nEnd, bNoScroll ? TRUE : FALSE);
}

void CEditEx::CWindowSurface::SetEditLimit(int nMax)
{
    // 0 gives a single-line control its largest limit.
    m_pEdit->LimitText(nMax > 0 ? nMax : 0);
}

int CEditEx::CWindowSurface::GetEditLimit()
{
    return static_cast<int>(m_pEdit->GetLimitText());
}

void CEditEx::CWindowSurface::Beep()
{
    ::MessageBeep(MB_ICONEXCLAMATION);
}

bool CEditEx::CWindowSurface::IsEditKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

bool CEditEx::CWindowSurface::IsClipboardTextAvailable()
{
    return CClipboard::IsTextAvailable() != FALSE;
}

bool CEditEx::CWindowSurface::GetClipboardText(CString& strText)
{
    CClipboard clipboard(m_pEdit->m_hWnd);
    return clipboard.GetText(strText) != FALSE;
}

bool CEditEx::CWindowSurface::PutClipboardText(LPCSTR pszText)
{
    CClipboard clipboard(m_pEdit->m_hWnd);
    return clipboard.SetText(pszText) != FALSE;
}

// --- Dialog data exchange

void AFXAPI DDX_Mask(CDataExchange* pDX, CEditEx& ctrl, CString& data, CString& raw)
{
    if (pDX->m_bSaveAndValidate) {
        raw = ctrl.GetRawData();
        ctrl.GetData(data, false);
    } else {
        ctrl.SetData(data, 0, false, true);
    }
}
