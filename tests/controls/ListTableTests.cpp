// The case tables of the check list (tests/data/checklist.txt) and the
// drag-and-drop list (tests/data/dragdrop.txt), each line played on a new
// list in a real window with the messages a user's clicks, drags and keys
// send (the pointer itself moving along with a drag).
#include "CaseTable.h"
#include "Input.h"
#include "ListTestWindow.h"
#include "WindowCapture.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::vector<std::string> Split(const std::string& str, char chSep)
{
    std::vector<std::string> parts(1);
    for (char ch : str) {
        if (ch == chSep)
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    return parts;
}

// "40,60*3" is 40, 60, 60, 60.
std::vector<int> Numbers(const std::string& str, int nBase = 10)
{
    std::vector<int> numbers;
    if (str.empty())
        return numbers;
    for (const std::string& strPart : Split(str, ',')) {
        const size_t nStar = strPart.find('*');
        const int nValue = static_cast<int>(strtol(strPart.c_str(), NULL, nBase));
        const int nRepeat = nStar == std::string::npos ? 1 : atoi(strPart.c_str() + nStar + 1);
        numbers.insert(numbers.end(), nRepeat, nValue);
    }
    return numbers;
}

UINT KeyByName(const std::string& strKey)
{
    static const std::pair<const char*, UINT> s_aKeys[] = {
        {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},   {"UP", VK_UP},         {"DOWN", VK_DOWN}, {"SPACE", VK_SPACE},
        {"INSERT", VK_INSERT}, {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"F2", VK_F2}};
    for (const auto& key : s_aKeys) {
        if (strKey == key.first)
            return key.second;
    }
    return strKey.size() == 1 ? static_cast<UINT>(strKey[0]) : 0;
}

// The window with the keyboard focus, or the list.
HWND KeyTarget(CListCtrl& list)
{
    HWND hFocus = ::GetFocus();
    return hFocus != NULL ? hFocus : list.m_hWnd;
}

// --- The check list: COLUMNS, MASKS, ACTIONS -> CURSOR, LAST, FOCUSED ROW, MASKS.
std::string RunCheckListLine(CListHost& host, const std::string& strLine)
{
    const std::vector<std::string> fields = Split(strLine, '\t');
    if (fields.size() < 2)
        return "bad line";
    CCheckListProbe list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 610, 330), &host, 100))
        return "no list";
    const size_t nColon = fields[0].find(':');
    const std::string strHow = fields[0].substr(0, nColon);
    const std::vector<int> widths = Numbers(fields[0].substr(nColon + 1));
    CStringArray titles;
    for (size_t i = 0; i < widths.size(); ++i)
        titles.Add(CString("К") + std::to_string(i).c_str());
    if (strHow == "titles")
        list.AddColumns(titles, false);
    for (size_t i = 0; i < widths.size(); ++i) {
        if (strHow == "each")
            list.AddColumn(titles[static_cast<int>(i)], static_cast<int>(i));
        list.SetColumnWidth(static_cast<int>(i), widths[i]);
    }
    CStringArray rows;
    CUIntArray masks;
    for (int nMask : Numbers(fields[1], 16)) {
        rows.Add(CString("Строка ") + std::to_string(rows.GetSize()).c_str());
        masks.Add(static_cast<UINT>(nMask));
    }
    list.AddRows(rows, masks);
    list.SetFocus();
    for (const std::string& strAction : Split(fields.size() > 2 ? fields[2] : "", ' ')) {
        const std::vector<std::string> parts = Split(strAction, ':');
        if (parts[0] == "click" && parts.size() == 3) {
            CRect rc;
            list.GetItemRect(atoi(parts[1].c_str()), &rc, LVIR_BOUNDS);
            support::ClickClient(list.m_hWnd, atoi(parts[2].c_str()), rc.CenterPoint().y);
        } else if (parts[0] == "key" && parts.size() == 2) {
            support::PressKey(list.m_hWnd, KeyByName(parts[1]));
        } else if (parts[0] == "scroll" && parts.size() == 2) {
            list.Scroll(CSize(atoi(parts[1].c_str()), 0));
        } else if (!strAction.empty()) {
            return "unknown action " + strAction;
        }
    }
    CUIntArray checks;
    checks.SetSize(list.GetItemCount());
    list.GetChecks(checks);
    char szMask[16];
    std::string strMasks;
    for (INT_PTR i = 0; i < checks.GetSize(); ++i) {
        snprintf(szMask, sizeof(szMask), "%s%X", i ? "," : "", checks[i]);
        strMasks += szMask;
    }
    return std::to_string(list.CurColumn()) + "\t" + std::to_string(list.LastColumn()) + "\t" +
           std::to_string(list.GetNextItem(-1, LVNI_FOCUSED)) + "\t" + strMasks;
}

// --- The drag-and-drop list: ROWS, COLUMNS, ACTIONS -> ROWS, COLUMNS, CELL, CHANGES.
// Row r holds "r" in the column captioned A and "rX" in the column captioned
// X; the rows come back as r, '*' after a selected one, '+' after a checked
// one, and all its cells in brackets when one is not what r and the caption
// make (a text lost or moved to another column or row).
std::string DescribeDragDrop(CDragDropProbe& list, CListHost& host)
{
    const int nColumns = list.GetColumnCount();
    std::vector<std::string> captions;
    std::string strColumns;
    int nLabelColumn = 0;
    for (int c = 0; c < nColumns; ++c) {
        char szCaption[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szCaption;
        column.cchTextMax = sizeof(szCaption);
        list.GetColumn(c, &column);
        captions.push_back(szCaption);
        strColumns += (c ? " " : "") + captions.back();
        if (captions.back() == "A")
            nLabelColumn = c;
    }
    std::string strRows;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        const std::string strLabel = static_cast<LPCSTR>(list.GetItemText(r, nLabelColumn));
        std::string strCells;
        bool bMatch = true;
        for (int c = 0; c < nColumns; ++c) {
            const std::string strCell = static_cast<LPCSTR>(list.GetItemText(r, c));
            bMatch = bMatch && strCell == strLabel + (c == nLabelColumn ? "" : captions[c]);
            strCells += (c ? "," : "") + strCell;
        }
        strRows += (r ? " " : "") + strLabel;
        if (list.GetItemState(r, LVIS_SELECTED))
            strRows += "*";
        if (list.GetCheck(r))
            strRows += "+";
        if (!bMatch)
            strRows += "[" + strCells + "]";
    }
    int nItem = 0, nSubItem = 0;
    std::string strCell =
        list.GetSelSubItem(nItem, nSubItem) ? std::to_string(nItem) + ":" + std::to_string(nSubItem) : "-";
    if (const int nScroll = list.GetScrollPos(SB_HORZ))
        strCell += " x=" + std::to_string(nScroll);
    std::string strChanges;
    for (const std::string& strChange : host.m_changes)
        strChanges += (strChanges.empty() ? "" : "; ") + strChange;
    return strRows + "\t" + strColumns + "\t" + strCell + "\t" + (strChanges.empty() ? "-" : strChanges);
}

std::string RunDragDropLine(CListHost& host, const std::string& strLine)
{
    const std::vector<std::string> fields = Split(strLine, '\t');
    if (fields.size() < 2)
        return "bad line";
    host.m_changes.clear();
    CDragDropProbe list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 410, 330), &host, 100))
        return "no list";
    host.m_hWndList = list.m_hWnd;
    const std::vector<int> widths = Numbers(fields[1]);
    for (size_t c = 0; c < widths.size(); ++c)
        list.InsertColumn(static_cast<int>(c), std::string(1, static_cast<char>('A' + c)).c_str(), LVCFMT_LEFT,
                          widths[c]);
    const int nRows = atoi(fields[0].c_str());
    for (int r = 0; r < nRows; ++r) {
        list.InsertItem(r, std::to_string(r).c_str());
        for (size_t c = 1; c < widths.size(); ++c)
            list.SetItemText(r, static_cast<int>(c), (std::to_string(r) + static_cast<char>('A' + c)).c_str());
    }
    list.SetFocus();
    for (const std::string& strAction : Split(fields.size() > 2 ? fields[2] : "", ' ')) {
        const std::vector<std::string> parts = Split(strAction, ':');
        const int a = parts.size() > 1 ? atoi(parts[1].c_str()) : 0;
        const int b = parts.size() > 2 ? atoi(parts[2].c_str()) : 0;
        if (parts[0] == "checked") {
            list.SetCheckedList();
        } else if (parts[0] == "check") {
            list.SetCheck(a);
        } else if (parts[0] == "sel") {
            // Several rows, as a host that allows it lets the user select them.
            list.ModifyStyle(LVS_SINGLESEL, 0);
            list.SetItemState(-1, 0, LVIS_SELECTED);
            for (int nRow : Numbers(parts[1]))
                list.SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
        } else if (parts[0] == "cell") {
            list.SetSelSubItem(a, b);
        } else if (parts[0] == "drag" || parts[0] == "dragout" || parts[0] == "dragnone") {
            // From the first selected row: onto row a and released there, or
            // then on to height b and released there, or straight out above
            // the list and released there.
            POSITION pos = list.GetFirstSelectedItemPosition();
            const int nFrom = pos != NULL ? list.GetNextSelectedItem(pos) : 0;
            const bool bNone = parts[0] == "dragnone", bOut = parts[0] == "dragout";
            const std::vector<int> path = Numbers(parts.size() > 1 ? parts[1] : "");
            const int y = bNone ? -20 : CellPoint(list, path[0], 0).y;
            MouseDrag(list, nFrom, y, true, bNone ? 0 : 8);
            if (!list.IsDragging())
                return "no drag";
            for (size_t i = 1; i < path.size(); ++i)
                MouseDrag(list, -1, CellPoint(list, path[i], 0).y, true);
            MouseDrag(list, -1, bOut ? b : (bNone ? y : CellPoint(list, path.back(), 0).y));
        } else if (parts[0] == "hdrag") {
            HWND hHeader = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
            ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a, 5));
            ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(a, 5));
            ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b, 5));
            ::SendMessageA(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(b, 5));
        } else if (parts[0] == "key") {
            support::PressKey(KeyTarget(list), KeyByName(parts[1]));
        } else if (parts[0] == "del") {
            // Delete, with the question answered OK or CANCEL.
            std::string strAsked = "not asked";
            support::CModalDriver driver([&](HWND hDlg) {
                const std::vector<std::string> texts = support::GetStaticTexts(hDlg);
                strAsked = !texts.empty() && texts.back() == "Удалить текущую запись?" ? "asked" : "asked otherwise";
                support::PressDialogButton(hDlg, parts[1] == "OK" ? IDOK : IDCANCEL);
            });
            support::PressKey(list.m_hWnd, VK_DELETE);
            driver.Finish();
            host.m_changes.push_back(strAsked);
        } else if (parts[0] == "type") {
            support::TypeText(KeyTarget(list), parts[1].c_str());
        } else if (parts[0] == "click") {
            const CPoint pt = CellPoint(list, a, b);
            support::ClickClient(list.m_hWnd, pt.x, pt.y);
        } else if (parts[0] == "dblclick") {
            const CPoint pt = CellPoint(list, a, 0);
            support::ClickClient(list.m_hWnd, pt.x, pt.y);
            list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        } else if (!strAction.empty()) {
            return "unknown action " + strAction;
        }
        support::PumpPendingMessages(list.m_hWnd);
    }
    return DescribeDragDrop(list, host);
}

}  // namespace

TEST(CheckListTable, EveryCaseOnARealList)
{
    CListHost host;
    ASSERT_TRUE(host.m_hWnd != NULL);
    support::CheckCaseTable(
        "checklist.txt", [&](const std::string& strLine) { return RunCheckListLine(host, strLine); }, true);
}

TEST(DragDropTable, EveryCaseOnARealList)
{
    CListHost host;
    ASSERT_TRUE(host.m_hWnd != NULL);
    support::CheckCaseTable(
        "dragdrop.txt", [&](const std::string& strLine) { return RunDragDropLine(host, strLine); }, true);
}
