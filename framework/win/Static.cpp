// CStatic: creation and the members that need a buffer.
#include "win/Static.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() {}
CStatic::~CStatic() {}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}
