#include "edit/HeadlessEditSurface.h"
#include "edit/EditKeys.h"

CHeadlessEditSurface::CHeadlessEditSurface()
    : m_nAnchor(0), m_nCaret(0), m_dwStyle(0), m_nLimit(DefaultLimit), m_bModified(false), m_nBeeps(0), m_bShift(false),
      m_bControl(false), m_bClipboardOpens(true), m_bClipboardHasText(false)
{
}

void CHeadlessEditSurface::SetEditText(LPCSTR pszText)
{
    m_strText = pszText != NULL ? pszText : "";
    m_nAnchor = m_nCaret = 0;
    m_bModified = false;
}

int CHeadlessEditSurface::ClampPos(int nPos) const
{
    // The control reads the position unsigned: a negative one lies past the end.
    if (nPos < 0 || nPos > m_strText.GetLength())
        return m_strText.GetLength();
    return nPos;
}

void CHeadlessEditSurface::GetEditSel(int& nStart, int& nEnd)
{
    nStart = m_nAnchor < m_nCaret ? m_nAnchor : m_nCaret;
    nEnd = m_nAnchor < m_nCaret ? m_nCaret : m_nAnchor;
}

void CHeadlessEditSurface::SetEditSel(int nStart, int nEnd, bool bNoScroll)
{
    if (nStart == -1) {
        m_nAnchor = m_nCaret;
        return;
    }
    m_nAnchor = ClampPos(nStart);
    m_nCaret = ClampPos(nEnd);
}

bool CHeadlessEditSurface::IsEditKeyDown(int nVirtKey)
{
    if (nVirtKey == VK_SHIFT)
        return m_bShift;
    if (nVirtKey == VK_CONTROL)
        return m_bControl;
    return false;
}

void CHeadlessEditSurface::SetKeyDown(int nVirtKey, bool bDown)
{
    if (nVirtKey == VK_SHIFT)
        m_bShift = bDown;
    else if (nVirtKey == VK_CONTROL)
        m_bControl = bDown;
}

bool CHeadlessEditSurface::GetClipboardText(CString& strText)
{
    if (!IsClipboardTextAvailable())
        return false;
    strText = m_strClipboard;
    return true;
}

bool CHeadlessEditSurface::PutClipboardText(LPCSTR pszText)
{
    if (!m_bClipboardOpens)
        return false;
    m_strClipboard = pszText != NULL ? pszText : "";
    m_bClipboardHasText = true;
    return true;
}

bool CHeadlessEditSurface::PeekClipboard(CString& strText) const
{
    strText = m_bClipboardHasText ? m_strClipboard : CString();
    return m_bClipboardHasText;
}

void CHeadlessEditSurface::DefaultKeyDown(UINT nVirtKey)
{
    int nCaret = m_nCaret;
    switch (nVirtKey) {
    case VK_LEFT:
    case VK_UP:
        if (nCaret > 0)
            --nCaret;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (nCaret < m_strText.GetLength())
            ++nCaret;
        break;
    case VK_HOME:
        nCaret = 0;
        break;
    case VK_END:
        nCaret = m_strText.GetLength();
        break;
    default:
        return;
    }
    m_nCaret = nCaret;
    if (!m_bShift)
        m_nAnchor = nCaret;
}

// ---------------------------------------------------------------- driver

CHeadlessMaskedEdit::CHeadlessMaskedEdit(CEditMask* pModel) : m_pModel(pModel != NULL ? pModel : &m_model)
{
    m_pModel->SetSurface(&m_surface);
}

UINT CHeadlessMaskedEdit::CharKey(char ch)
{
    if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))
        return (UINT)(BYTE)ch;
    if (ch >= 'a' && ch <= 'z')
        return (UINT)(ch - 'a' + 'A');
    if (ch == ' ')
        return 0x20;  // VK_SPACE
    // Punctuation and the letters of the national layout come from the OEM
    // keys; which one does not matter to the logic, only that it is none of
    // the keys it handles.
    return 0xDE;  // VK_OEM_7
}

void CHeadlessMaskedEdit::PressKey(UINT nVirtKey, bool bShift)
{
    m_surface.SetKeyDown(VK_SHIFT, bShift);
    if (!m_pModel->HandleKeyDown(nVirtKey))
        m_surface.DefaultKeyDown(nVirtKey);
    if (nVirtKey == VK_BACK)
        m_pModel->HandleChar(8);
    m_surface.SetKeyDown(VK_SHIFT, false);
}

void CHeadlessMaskedEdit::TypeChar(char ch)
{
    const UINT nKey = CharKey(ch);
    if (!m_pModel->HandleKeyDown(nKey))
        m_surface.DefaultKeyDown(nKey);
    m_pModel->HandleChar((UINT)(BYTE)ch);
}

void CHeadlessMaskedEdit::TypeText(LPCSTR pszText)
{
    for (const char* p = pszText; p != NULL && *p != 0; ++p)
        TypeChar(*p);
}

void CHeadlessMaskedEdit::Click(int nPos)
{
    const int nLength = m_surface.GetEditText().GetLength();
    if (nPos < 0)
        nPos = 0;
    if (nPos > nLength)
        nPos = nLength;
    m_surface.SetEditSel(nPos, nPos);
    m_pModel->PlaceCaretAfterClick();
}

void CHeadlessMaskedEdit::Copy()
{
    if (m_pModel->HasMask())
        m_pModel->EditCopy();
}

void CHeadlessMaskedEdit::Cut()
{
    if (m_pModel->HasMask())
        m_pModel->EditCut();
}

void CHeadlessMaskedEdit::Paste()
{
    if (m_pModel->HasMask())
        m_pModel->EditPaste();
}
