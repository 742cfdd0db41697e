// COXMultiComboBox on a form: the calls of tests/data/multicombo.txt on a
// fresh combo box each, the drop-down list's size, bars and sideways steps,
// the grid it draws, the host's item data, rows freed with their items, and a
// hundred combo boxes made, dropped and destroyed.
#include "controls/MultiComboBox.h"

#include "CaseTable.h"
#include "Console.h"
#include "ControlsTestUtil.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const char* const kBranches[][3] = {
    {"044525225", "Центральное отделение", "Москва"},
    {"044030653", "Северо-Западное отделение", "Санкт-Петербург"},
    {"046577674", "Уральское отделение", "Екатеринбург"},
    {"045004641", "Сибирское отделение", "Новосибирск"},
    {"046015602", "Юго-Западное отделение", "Ростов-на-Дону"},
    {"042202603", "Волго-Вятское отделение", "Нижний Новгород"},
    {"044525225", "центральное отделение (доп. офис)", "москва"},
};

const DWORD kDropDownList = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

std::unique_ptr<COXMultiComboBox> MakeBranches(CWnd& host, int nRows, const CRect& rc = CRect(10, 10, 250, 200))
{
    std::unique_ptr<COXMultiComboBox> pCombo(new COXMultiComboBox);
    pCombo->Create(kDropDownList, rc, &host, 100);
    pCombo->SetColumnCount(3);
    for (int i = 0; i < nRows; ++i)
        pCombo->AddString(const_cast<const char**>(kBranches[i % 7]), 3);
    return pCombo;
}

// One call of the table on the combo box, and what it answers.
std::string RunCall(COXMultiComboBox& combo, const std::string& strCall)
{
    std::istringstream in(strCall);
    std::string strName, strText;
    int a = 0, b = 0;
    in >> strName;
    if (strName != "addtext" && strName != "widths" && strName != "count" && strName != "sel")
        in >> a;
    if (strName == "find" || strName == "exact" || strName == "select" || strName == "text" || strName == "width")
        in >> b;
    std::getline(in >> std::ws, strText);
    std::ostringstream out;
    if (strName == "find")
        out << combo.FindString(a, b, strText.c_str());
    else if (strName == "exact")
        out << combo.FindStringExact(a, b, strText.c_str());
    else if (strName == "select")
        out << combo.SelectString(a, b, strText.c_str());
    else if (strName == "cols")
        out << combo.SetColumnCount(a);
    else if (strName == "width")
        out << combo.SetColumnWidth(a, b);
    else if (strName == "master")
        out << combo.SetMasterColumn(a);
    else if (strName == "count")
        out << combo.GetCount();
    else if (strName == "addtext")
        out << combo.AddString(strText.c_str());
    else if (strName == "widths")
        for (int c = 0; c < combo.GetColumnCount(); ++c)
            out << (c ? " " : "") << combo.GetColumnWidth(c);
    if (strName == "text") {
        char buf[256] = "";
        CString strCell;
        const int nLen = combo.GetLBText(a, b, buf);
        combo.GetLBText(a, b, strCell);
        EXPECT_EQ(nLen, combo.GetLBTextLen(a, b));
        EXPECT_EQ(strCell, CString(nLen < 0 ? "" : buf));
        out << nLen << '\t' << buf;
    } else if (strName == "sel") {
        CString strShown;
        combo.GetWindowText(strShown);
        out << combo.GetCurSel() << '\t' << static_cast<LPCSTR>(strShown);
    } else if (strName == "add") {
        std::istringstream list(strText);
        std::string texts[4];
        const char* ppTexts[4] = {"", "", "", ""};
        for (int i = 0; i < 4 && std::getline(list, texts[i], '|'); ++i)
            ppTexts[i] = texts[i].c_str();
        out << combo.AddString(ppTexts, a);
    }
    return out.str();
}

class ComboSession : public controls_test::CFormSession<COXMultiComboBox> {
protected:
    // Drops the list down and lets it paint; its window.
    HWND Drop()
    {
        m_pControl->ShowDropDown(TRUE);
        support::PumpPendingMessages(m_pHost->m_hWnd);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(m_pControl->m_hWnd, &info);
        support::PumpPendingMessages(info.hwndList);
        return info.hwndList;
    }
};

}  // namespace

TEST_F(ComboSession, TheTableOfCalls)
{
    support::CheckCaseTable("multicombo.txt", [this](const std::string& strLine) {
        m_pControl = MakeBranches(*m_pHost, 7);
        std::string strAnsi = Utf8ToCp1251(strLine), strOut;
        for (size_t nAt = 0; nAt != std::string::npos;) {
            const size_t nEnd = strAnsi.find(" ; ", nAt);
            strOut += (nAt ? "\t" : "") + RunCall(*m_pControl, strAnsi.substr(nAt, nEnd - nAt));
            nAt = nEnd == std::string::npos ? nEnd : nEnd + 3;
        }
        return Cp1251ToUtf8(strOut);
    });
}

TEST_F(ComboSession, ShortListFitsItsRowsLongOneScrollsByWholeRows)
{
    // Three branches in 270 pixels: no bars, the list as tall as its rows.
    m_pControl = MakeBranches(*m_pHost, 3, CRect(10, 10, 280, 200));
    m_pControl->SetColumnWidth(-1, 80);
    HWND hList = Drop();
    CRect rcList;
    GetWindowRect(hList, &rcList);
    const int h = m_pControl->GetItemHeight(0), by = GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(rcList.Height(), 3 * h + 2 * by);
    EXPECT_EQ(GetWindowLongA(hList, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

    // The dotted grid: column 0's right border alternates dark and light.
    const int x = 80 - 1, y = h / 2;
    const COLORREF a = controls_test::ScreenPixel(hList, x, y), b = controls_test::ScreenPixel(hList, x, y + 1);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a == RGB(0, 0, 0) || b == RGB(0, 0, 0));
    m_pControl->ShowDropDown(FALSE);

    // Forty rows in a 190-pixel drop: a vertical bar and whole rows.
    m_pControl = MakeBranches(*m_pHost, 40);
    hList = Drop();
    GetWindowRect(hList, &rcList);
    CRect rcDropped;
    m_pControl->GetDroppedControlRect(&rcDropped);
    EXPECT_NE(GetWindowLongA(hList, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_LE(rcList.Height(), rcDropped.Height());
    EXPECT_EQ((rcList.Height() - 2 * by) % h, 0);
    m_pControl->ShowDropDown(FALSE);
}

TEST_F(ComboSession, WideColumnsScrollSidewaysByCharactersAndPages)
{
    m_pControl = MakeBranches(*m_pHost, 5);
    m_pControl->SetColumnWidth(1, 260);
    m_pControl->SetColumnWidth(2, 160);
    HWND hList = Drop();
    ASSERT_NE(GetWindowLongA(hList, GWL_STYLE) & WS_HSCROLL, 0);
    int nMin = 0, nMax = 0;
    GetScrollRange(hList, SB_HORZ, &nMin, &nMax);
    EXPECT_EQ(nMax, 60 + 260 + 160);
    EXPECT_EQ(GetScrollPos(hList, SB_HORZ), 0);
    CRect rcClient;
    GetClientRect(hList, &rcClient);
    CClientDC dc(CWnd::FromHandle(hList));
    CFont* pOld = dc.SelectObject(CWnd::FromHandle(hList)->GetFont());
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);

    const auto scroll = [&](WPARAM wParam) {
        SendMessageA(hList, WM_HSCROLL, wParam, 0);
        return GetScrollPos(hList, SB_HORZ);
    };
    EXPECT_EQ(scroll(SB_LINERIGHT), tm.tmAveCharWidth);
    EXPECT_EQ(scroll(SB_PAGERIGHT), tm.tmAveCharWidth + rcClient.Width() * 2 / 3);
    EXPECT_EQ(scroll(SB_LINELEFT), rcClient.Width() * 2 / 3);
    EXPECT_EQ(scroll(MAKEWPARAM(SB_THUMBPOSITION, 100)), 100);
    EXPECT_EQ(scroll(SB_PAGELEFT), 100 - rcClient.Width() * 2 / 3 < 0 ? 0 : 100 - rcClient.Width() * 2 / 3);
    m_pControl->ShowDropDown(FALSE);
}

namespace {

// A form that hears of deleted items, as a host would.
class CDeleteWatcher : public controls_test::CHostWnd {
public:
    CDeleteWatcher() : controls_test::CHostWnd("Банк получателя", 300, 200) {}
    std::vector<ULONG_PTR> m_deleted;

protected:
    void OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) { m_deleted.push_back(lpDeleteItemStruct->itemData); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDeleteWatcher, controls_test::CHostWnd)
    ON_WM_DELETEITEM()
END_MESSAGE_MAP()

}  // namespace

TEST_F(ComboSession, ItemDataAreTheHostsAndRowsGoWithTheirItems)
{
    CDeleteWatcher form;
    m_pControl = MakeBranches(form, 3);
    EXPECT_EQ(m_pControl->GetItemData(1), 0u);
    EXPECT_EQ(m_pControl->SetItemData(1, 4401), TRUE);
    EXPECT_EQ(m_pControl->GetItemData(1), 4401u);
    EXPECT_EQ(static_cast<int>(m_pControl->SendMessage(CB_GETITEMDATA, 7, 0)), CB_ERR);
    EXPECT_EQ(static_cast<int>(m_pControl->SendMessage(CB_SETITEMDATA, 7, 5)), CB_ERR);
    // A new master column keeps the host's data with its row, and the form
    // hears of no deletion meanwhile.
    m_pControl->SetMasterColumn(2);
    EXPECT_TRUE(form.m_deleted.empty());
    EXPECT_EQ(m_pControl->GetItemData(m_pControl->FindStringExact(-1, 2, "Санкт-Петербург")), 4401u);
    m_pControl->DeleteString(m_pControl->FindStringExact(-1, 2, "Санкт-Петербург"));
    ASSERT_EQ(form.m_deleted.size(), 1u);
    EXPECT_EQ(form.m_deleted[0], 4401u);
    m_pControl.reset();
    EXPECT_EQ(form.m_deleted.size(), 3u);

    // 2000 rows of 700 bytes added and taken away 21 times, each way out in
    // turn (a new combo box destroys the last): kept rows would stay as 28 MB.
    const std::string strLong(700, 'x');
    const char* apszRow[3] = {"044525225", strLong.c_str(), "Москва"};
    SIZE_T nBefore = 0;
    for (int nRound = 0; nRound < 21; ++nRound) {
        if (nRound % 3 == 0)
            m_pControl = MakeBranches(form, 0);
        for (int i = 0; i < 2000; ++i)
            m_pControl->AddString(apszRow, 3);
        nBefore = nRound == 0 ? controls_test::PrivateBytes() : nBefore;
        if (nRound % 3 == 1)
            while (m_pControl->DeleteString(0) > 0) {
            }
        else if (nRound % 3 == 2)
            m_pControl->ResetContent();
    }
    EXPECT_LT(controls_test::PrivateBytes(), nBefore + 8 * 1024 * 1024);
}

TEST_F(ComboSession, AHundredCombosFilledDroppedAndDestroyed)
{
    for (int i = 0; i < 100; ++i) {
        m_pControl = MakeBranches(*m_pHost, 12);
        m_pControl->SetCurSel(i % 12);
        Drop();
        m_pControl->ShowDropDown(FALSE);
        m_pControl.reset();
    }
}
