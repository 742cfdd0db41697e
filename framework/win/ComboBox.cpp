// CComboBox: creation and the members that need a buffer.
#include "win/ComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox() {}
CComboBox::~CComboBox() {}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLen = GetLBTextLen(nIndex);
    if (nLen == CB_ERR || nLen < 0) {
        rString.Empty();
        return;
    }
    LPTSTR pszBuf = rString.GetBuffer(nLen);
    int nGot = static_cast<int>(
        ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pszBuf)));
    rString.ReleaseBuffer(nGot < 0 ? 0 : nGot);
}
