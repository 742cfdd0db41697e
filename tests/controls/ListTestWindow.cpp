#include "ListTestWindow.h"

#include "Wait.h"

BEGIN_MESSAGE_MAP(CListHost, CWnd)
    ON_MESSAGE(WM_ITEMLISTCTRLCHNG, OnItemListCtrlChng)
END_MESSAGE_MAP()

CListHost::CListHost()
{
    CreateEx(0, NULL, "Список", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 400, NULL, NULL);
}

CListHost::~CListHost()
{
    DestroyWindow();
}

LRESULT CListHost::OnItemListCtrlChng(WPARAM wParam, LPARAM lParam)
{
    static const char* const s_apszOps[] = {"edit", "insert", "delete", "check", "uncheck"};
    const CItemListCtrlChng& change = *reinterpret_cast<const CItemListCtrlChng*>(lParam);
    if (change.hWndList != m_hWndList || static_cast<int>(wParam) != change.nItem)
        m_changes.push_back("wrong list or row");
    std::string strLine =
        std::string(s_apszOps[change.eOp]) + " " + std::to_string(change.nItem) + " " + std::to_string(change.nSubItem);
    if (change.eOp >= CItemListCtrlChng::opCheck) {
        const bool bChecked = ListView_GetCheckState(change.hWndList, change.nItem) != 0;
        strLine += bChecked ? " (1)" : " (0)";
    }
    m_changes.push_back(strLine);
    return 0;
}

CPoint CellPoint(CListCtrl& list, int nRow, int nColumn)
{
    CRect rc;
    list.GetSubItemRect(nRow, nColumn, LVIR_LABEL, rc);
    return rc.CenterPoint();
}

void BeginRowDrag(CListCtrl& list, int nRow)
{
    NMLISTVIEW info = {};
    info.hdr.hwndFrom = list.m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    info.hdr.code = LVN_BEGINDRAG;
    info.iItem = nRow;
    info.ptAction = CellPoint(list, nRow, 0);
    list.GetParent()->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

void PumpMessages()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
