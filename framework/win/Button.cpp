// CButton: creation and the members that need a buffer.
#include "win/Button.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::CButton() {}
CButton::~CButton() {}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
