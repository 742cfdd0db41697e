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

void MouseDrag(CListCtrl& list, int nFrom, int y, bool bHold, int nStep)
{
    const CPoint ptFrom = CellPoint(list, nFrom >= 0 ? nFrom : 0, 0);
    if (nFrom >= 0)
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
    else
        nStep = 0;
    // The moves the system makes up (on a change of capture, say) are where the pointer is.
    const auto move = [&](int yMove) {
        CPoint pt(ptFrom.x, yMove);
        list.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptFrom.x, yMove));
    };
    nStep = y > ptFrom.y ? nStep : -nStep;
    for (int yMove = ptFrom.y + nStep; nStep != 0 && (y - yMove) * nStep > 0; yMove += nStep)
        move(yMove);
    move(y);
    if (!bHold)
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptFrom.x, y));
}
