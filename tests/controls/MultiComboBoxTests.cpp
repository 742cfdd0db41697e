// COXMultiComboBox on a form: the calls of tests/data/multicombo.txt on a
// fresh combo box each, the drop-down list's size, bars and sideways steps,
// the grid it draws, the host's item data, rows freed with their items, and a
// hundred combo boxes made, dropped and destroyed.
#include "controls/MultiComboBox.h"

#include "CaseTable.h"
#include "ControlsTestUtil.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

using controls_test::ToAnsi;
using controls_test::ToUtf8;

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
    std::string strName;
    in >> strName;
    const auto number = [&in] {
        int n = 0;
        in >> n;
        return n;
    };
    const auto rest = [&in] {
        std::string str;
        std::getline(in, str);
        return str.empty() ? str : str.substr(1);
    };
    std::ostringstream out;
    if (strName == "find" || strName == "exact" || strName == "select") {
        const int nStart = number(), nColumn = number();
        const std::string strText = rest();
        out << (strName == "find"    ? combo.FindString(nStart, nColumn, strText.c_str())
                : strName == "exact" ? combo.FindStringExact(nStart, nColumn, strText.c_str())
                                     : combo.SelectString(nStart, nColumn, strText.c_str()));
    } else if (strName == "text") {
        const int nRow = number(), nColumn = number();
        char buf[256] = "";
        const int nLen = combo.GetLBText(nRow, nColumn, buf);
        CString strText;
        combo.GetLBText(nRow, nColumn, strText);
        EXPECT_EQ(nLen, combo.GetLBTextLen(nRow, nColumn));
        EXPECT_EQ(strText, CString(nLen < 0 ? "" : buf));
        out << nLen << '\t' << buf;
    } else if (strName == "cols") {
        out << combo.SetColumnCount(number());
    } else if (strName == "width") {
        const int nColumn = number();
        out << combo.SetColumnWidth(nColumn, number());
    } else if (strName == "master") {
        out << combo.SetMasterColumn(number());
    } else if (strName == "widths") {
        for (int c = 0; c < combo.GetColumnCount(); ++c)
            out << (c ? " " : "") << combo.GetColumnWidth(c);
    } else if (strName == "count") {
        out << combo.GetCount();
    } else if (strName == "sel") {
        CString strShown;
        combo.GetWindowText(strShown);
        out << combo.GetCurSel() << '\t' << static_cast<LPCSTR>(strShown);
    } else if (strName == "add") {
        const int nCount = number();
        std::vector<std::string> texts;
        std::istringstream list(rest());
        for (std::string str; std::getline(list, str, '|');)
            texts.push_back(str);
        std::vector<const char*> ptrs;
        for (const std::string& str : texts)
            ptrs.push_back(str.c_str());
        ptrs.resize(4, "");
        out << combo.AddString(ptrs.data(), nCount);
    } else if (strName == "addtext") {
        out << combo.AddString(rest().c_str());
    } else {
        out << "unknown call " << strName;
    }
    return out.str();
}

class ComboSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pCounter = controls_test::MakeCounter();
        m_pHost.reset(new controls_test::CHostWnd("Банк получателя", 520, 420));
    }
    void TearDown() override
    {
        m_pCombo.reset();
        m_pHost.reset();
        CWnd::DeleteTempMap();
        EXPECT_NO_GUI_LEAKS(*m_pCounter);
    }
    // Drops the list down and lets it paint; its window.
    HWND Drop()
    {
        m_pCombo->ShowDropDown(TRUE);
        support::PumpPendingMessages(m_pHost->m_hWnd);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(m_pCombo->m_hWnd, &info);
        support::PumpPendingMessages(info.hwndList);
        return info.hwndList;
    }

    std::unique_ptr<support::CGuiObjectCounter> m_pCounter;
    std::unique_ptr<CWnd> m_pHost;
    std::unique_ptr<COXMultiComboBox> m_pCombo;
};

}  // namespace

TEST_F(ComboSession, TheTableOfCalls)
{
    support::CheckCaseTable("multicombo.txt", [this](const std::string& strLine) {
        m_pCombo = MakeBranches(*m_pHost, 7);
        std::string strAnsi = ToAnsi(strLine), strOut;
        for (size_t nAt = 0; nAt != std::string::npos;) {
            const size_t nEnd = strAnsi.find(" ; ", nAt);
            strOut += (nAt ? "\t" : "") + RunCall(*m_pCombo, strAnsi.substr(nAt, nEnd - nAt));
            nAt = nEnd == std::string::npos ? nEnd : nEnd + 3;
        }
        return ToUtf8(strOut);
    });
}

TEST_F(ComboSession, ShortListFitsItsRowsLongOneScrollsByWholeRows)
{
    // Three branches in 270 pixels: no bars, the list as tall as its rows.
    m_pCombo = MakeBranches(*m_pHost, 3, CRect(10, 10, 280, 200));
    m_pCombo->SetColumnWidth(0, 80);
    m_pCombo->SetColumnWidth(1, 100);
    m_pCombo->SetColumnWidth(2, 60);
    HWND hList = Drop();
    CRect rcList;
    GetWindowRect(hList, &rcList);
    const int h = m_pCombo->GetItemHeight(0), by = GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(rcList.Height(), 3 * h + 2 * by);
    EXPECT_EQ(GetWindowLongA(hList, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

    // The dotted grid: column 0's right border alternates dark and light.
    const int x = 80 - 1, y = h / 2;
    const COLORREF a = controls_test::ScreenPixel(hList, x, y), b = controls_test::ScreenPixel(hList, x, y + 1);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a == RGB(0, 0, 0) || b == RGB(0, 0, 0));
    m_pCombo->ShowDropDown(FALSE);

    // Forty rows in a 190-pixel drop: a vertical bar and whole rows.
    m_pCombo = MakeBranches(*m_pHost, 40);
    hList = Drop();
    GetWindowRect(hList, &rcList);
    CRect rcDropped;
    m_pCombo->GetDroppedControlRect(&rcDropped);
    EXPECT_NE(GetWindowLongA(hList, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_LE(rcList.Height(), rcDropped.Height());
    EXPECT_EQ((rcList.Height() - 2 * by) % h, 0);
    m_pCombo->ShowDropDown(FALSE);
}

TEST_F(ComboSession, WideColumnsScrollSidewaysByCharactersAndPages)
{
    m_pCombo = MakeBranches(*m_pHost, 5);
    m_pCombo->SetColumnWidth(1, 260);
    m_pCombo->SetColumnWidth(2, 160);
    HWND hList = Drop();
    ASSERT_NE(GetWindowLongA(hList, GWL_STYLE) & WS_HSCROLL, 0);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(hList, SB_HORZ, &si);
    EXPECT_EQ(si.nMax, 60 + 260 + 160);
    EXPECT_EQ(si.nPos, 0);
    CRect rcClient;
    GetClientRect(hList, &rcClient);
    TEXTMETRICA tm = {};
    HDC hdc = GetDC(hList);
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(SendMessageA(hList, WM_GETFONT, 0, 0)));
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, hOld);
    ReleaseDC(hList, hdc);

    const auto scroll = [&](WPARAM wParam) {
        SendMessageA(hList, WM_HSCROLL, wParam, 0);
        return GetScrollPos(hList, SB_HORZ);
    };
    EXPECT_EQ(scroll(SB_LINERIGHT), tm.tmAveCharWidth);
    EXPECT_EQ(scroll(SB_PAGERIGHT), tm.tmAveCharWidth + rcClient.Width() * 2 / 3);
    EXPECT_EQ(scroll(SB_LINELEFT), rcClient.Width() * 2 / 3);
    EXPECT_EQ(scroll(MAKEWPARAM(SB_THUMBPOSITION, 100)), 100);
    EXPECT_EQ(scroll(SB_PAGELEFT), 100 - rcClient.Width() * 2 / 3 < 0 ? 0 : 100 - rcClient.Width() * 2 / 3);
    m_pCombo->ShowDropDown(FALSE);
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
    m_pCombo = MakeBranches(form, 3);
    EXPECT_EQ(m_pCombo->GetItemData(1), 0u);
    EXPECT_EQ(m_pCombo->SetItemData(1, 4401), TRUE);
    EXPECT_EQ(m_pCombo->GetItemData(1), 4401u);
    EXPECT_EQ(static_cast<int>(m_pCombo->SendMessage(CB_GETITEMDATA, 7, 0)), CB_ERR);
    EXPECT_EQ(static_cast<int>(m_pCombo->SendMessage(CB_SETITEMDATA, 7, 5)), CB_ERR);
    // A new master column keeps the host's data with its row, and the form
    // hears of no deletion meanwhile.
    m_pCombo->SetMasterColumn(2);
    EXPECT_TRUE(form.m_deleted.empty());
    EXPECT_EQ(m_pCombo->GetItemData(m_pCombo->FindStringExact(-1, 2, "Санкт-Петербург")), 4401u);
    m_pCombo->DeleteString(m_pCombo->FindStringExact(-1, 2, "Санкт-Петербург"));
    ASSERT_EQ(form.m_deleted.size(), 1u);
    EXPECT_EQ(form.m_deleted[0], 4401u);
    m_pCombo.reset();
    EXPECT_EQ(form.m_deleted.size(), 3u);

    // Rows of some 700 bytes, 2000 at a time, added and taken away 20 times
    // by each way out: were they kept, 80 MB would stay.
    m_pCombo = MakeBranches(form, 0);
    const std::string strLong(700, 'x');
    const char* apszRow[3] = {"044525225", strLong.c_str(), "Москва"};
    SIZE_T nBefore = 0;
    for (int nRound = 0; nRound < 20; ++nRound) {
        if (nRound % 4 == 3) {
            m_pCombo = MakeBranches(form, 0);
        }
        for (int i = 0; i < 2000; ++i)
            m_pCombo->AddString(apszRow, 3);
        if (nRound == 0)
            nBefore = controls_test::PrivateBytes();
        if (nRound % 4 == 1) {
            while (m_pCombo->GetCount() > 0)
                m_pCombo->DeleteString(0);
        } else if (nRound % 4 != 3) {
            m_pCombo->ResetContent();
        }
    }
    EXPECT_LT(controls_test::PrivateBytes(), nBefore + 8 * 1024 * 1024);
}

TEST_F(ComboSession, AHundredCombosFilledDroppedAndDestroyed)
{
    for (int i = 0; i < 100; ++i) {
        m_pCombo = MakeBranches(*m_pHost, 12);
        m_pCombo->SetCurSel(i % 12);
        Drop();
        m_pCombo->ShowDropDown(FALSE);
        m_pCombo.reset();
    }
}
