// Dialogs on real windows under the framework's modal loop, driven as a user
// would drive them: buttons, keys and typed text; dialog data exchange through
// real edit controls; and the standard control wrappers.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DialogTestRes.h"
#include "Input.h"
#include "ModalDriver.h"
#include "Wait.h"

namespace {

using support::CModalDriver;
using support::GetWindowString;
using support::PressDialogButton;

// Replaces an edit control's text by typing, as the user would.
void Retype(HWND hEdit, const char* pszText)
{
    SendMessageA(hEdit, EM_SETSEL, 0, -1);
    SendMessageA(hEdit, WM_CLEAR, 0, 0);
    support::TypeText(hEdit, pszText);
}

// A key press posted to the thread's queue, so that it goes through the
// modal loop like real input does.
void PostKey(HWND hWnd, UINT vk)
{
    PostMessageA(hWnd, WM_KEYDOWN, vk, support::KeyLParam(vk, false, false));
    PostMessageA(hWnd, WM_KEYUP, vk, support::KeyLParam(vk, true, false));
}

class CCardDlg : public CDialog {
public:
    explicit CCardDlg(CWnd* pParent = NULL) : CDialog(IDD_CARD, pParent) {}

    CString m_strName;
    int m_nCount = 0;
    double m_dPrice = 0.0;
    CEdit m_editName;

    std::vector<UINT> m_keysDown;  // WM_KEYDOWN seen by PreTranslateMessage
    bool m_bNameSubclassed = false;
    int m_nEndInInit = 0;  // ends the dialog from OnInitDialog when not 0

    BOOL OnInitDialog() override
    {
        BOOL bResult = CDialog::OnInitDialog();
        HWND hName = ::GetDlgItem(m_hWnd, IDC_NAME);
        m_bNameSubclassed = m_editName.m_hWnd == hName && CWnd::FromHandlePermanent(hName) == &m_editName;
        if (m_nEndInInit != 0)
            EndDialog(m_nEndInInit);
        return bResult;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            m_keysDown.push_back(static_cast<UINT>(pMsg->wParam));
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_editName);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDX_Text(pDX, IDC_PRICE, m_dPrice);
    }
};

TEST(Dialog, ACardIsCheckedWhenConfirmedAndLeftAsItWasWhenCancelled)
{
    CCardDlg dlg;
    dlg.m_strName = "Иванов И.И.";
    dlg.m_nCount = 42;
    dlg.m_dPrice = 0.1;
    const struct {
        int nID;
        const char* pszText;
        const char* pszMessage;
    } refusals[] = {
        {IDC_COUNT, "12x", "Введите целое число."},
        {IDC_COUNT, "", "Введите целое число."},
        {IDC_COUNT, "3000000000", "Введите целое число."},
        {IDC_PRICE, "1e999", "Введите число."},
        {IDC_PRICE, "1.2.3", "Введите число."},
    };
    std::string strShown;
    bool bVisible = false;
    // Per refusal: the box's one text, and whether the dialog stayed open
    // with the refused text selected for retyping.
    std::vector<std::string> seen;
    auto readShown = [&](HWND hDlg) {
        strShown.clear();
        for (int nID : {IDC_NAME, IDC_COUNT, IDC_PRICE})
            strShown += GetWindowString(GetDlgItem(hDlg, nID)) + "|";
    };
    CModalDriver driver([&](HWND hDlg) {
        bVisible = IsWindowVisible(hDlg) != FALSE;
        readShown(hDlg);
        Retype(GetDlgItem(hDlg, IDC_NAME), "Пётр Щукин-Ёлкин");
        for (const auto& refusal : refusals) {
            HWND hEdit = GetDlgItem(hDlg, refusal.nID);
            Retype(hEdit, refusal.pszText);
            std::vector<std::string> texts;
            CModalDriver box([&](HWND hBox) {
                texts = support::GetStaticTexts(hBox);
                PressDialogButton(hBox, IDOK);
            });
            PressDialogButton(hDlg, IDOK);
            box.Finish();
            const DWORD dwSel = MAKELONG(0, lstrlenA(refusal.pszText));
            bool bSelected = support::PollFor(
                5000, [&] { return static_cast<DWORD>(SendMessageA(hEdit, EM_GETSEL, 0, 0)) == dwSel; });
            seen.push_back((texts.size() == 1 ? texts[0] : "?") + (IsWindow(hDlg) ? "" : " closed") +
                           (bSelected ? "" : " unselected"));
            Retype(hEdit, "5");
        }
        Retype(GetDlgItem(hDlg, IDC_COUNT), " -17 ");
        Retype(GetDlgItem(hDlg, IDC_PRICE), "1234,75");
        EXPECT_TRUE(PressDialogButton(hDlg, IDOK));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_TRUE(bVisible);
    EXPECT_TRUE(dlg.m_bNameSubclassed);
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);  // the window is gone, and so is its member control's handle
    EXPECT_EQ(dlg.m_editName.m_hWnd, (HWND)NULL);
    EXPECT_EQ(strShown, "Иванов И.И.|42|0.1|");
    ASSERT_EQ(seen.size(), sizeof(refusals) / sizeof(refusals[0]));
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], refusals[i].pszMessage) << refusals[i].pszText;
    EXPECT_EQ(dlg.m_strName, "Пётр Щукин-Ёлкин");
    EXPECT_EQ(dlg.m_nCount, -17);
    EXPECT_DOUBLE_EQ(dlg.m_dPrice, 1234.75);

    // Reopened, it shows what was taken; changed and left with Escape, which
    // PreTranslateMessage saw on its way, it takes nothing.
    dlg.m_keysDown.clear();
    CModalDriver again([&](HWND hDlg) {
        readShown(hDlg);
        HWND hName = GetDlgItem(hDlg, IDC_NAME);
        Retype(hName, "Изменено");
        PostKey(hName, VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(again.Finish());
    EXPECT_TRUE(dlg.m_bNameSubclassed);
    EXPECT_EQ(strShown, "Пётр Щукин-Ёлкин|-17|1234.75|");
    EXPECT_EQ(dlg.m_strName, "Пётр Щукин-Ёлкин");
    ASSERT_FALSE(dlg.m_keysDown.empty());
    EXPECT_EQ(dlg.m_keysDown.back(), static_cast<UINT>(VK_ESCAPE));
}

// The dialog's own PreTranslateMessage can keep a key from the dialog
// keyboard handling: here Escape does not cancel.
class CKeepEscapeDlg : public CCardDlg {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
            ++m_nEscapes;
            return TRUE;
        }
        return CCardDlg::PreTranslateMessage(pMsg);
    }
    int m_nEscapes = 0;
};

TEST(Dialog, KeysTakenBeforeTheDialogAndDialogsThatNeverShow)
{
    CKeepEscapeDlg dlg;
    // Escape first, then Enter: only if Escape was kept does the default button end it.
    CModalDriver driver([&](HWND hDlg) {
        PostKey(GetDlgItem(hDlg, IDC_NAME), VK_ESCAPE);
        PostKey(GetDlgItem(hDlg, IDC_NAME), VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(dlg.m_nEscapes, 1);

    // EndDialog from OnInitDialog: the result, and no window left.
    dlg.m_nEndInInit = 77;
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
    // A missing template fails at once.
    CDialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
    CDialog named("NO_SUCH_DIALOG");
    EXPECT_EQ(named.DoModal(), -1);
}

// Centres itself as it starts.
class CCenteredDlg : public CDialog {
public:
    explicit CCenteredDlg(CWnd* pParent) : CDialog("DLGSIMPLE", pParent) {}
    BOOL OnInitDialog() override
    {
        BOOL bResult = CDialog::OnInitDialog();
        CenterWindow();
        return bResult;
    }
};

TEST(Dialog, ParentIsDisabledTheListsStartFilledAndTheDialogIsCentred)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "Владелец", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500, 400, NULL, NULL));
    CCenteredDlg dlg(&parent);
    bool bParentEnabled = true;
    HWND hOwner = NULL;
    std::vector<std::string> items;
    CRect rcDlg;
    CModalDriver driver([&](HWND hDlg) {
        bParentEnabled = IsWindowEnabled(parent.m_hWnd) != FALSE;
        hOwner = GetWindow(hDlg, GW_OWNER);
        for (int i = 0; i < 2; ++i) {
            char sz[32] = "";
            SendDlgItemMessageA(hDlg, IDC_COUNT, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sz));
            items.push_back(sz);
        }
        char sz[32] = "";
        SendDlgItemMessageA(hDlg, IDC_PRICE, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(sz));
        items.push_back(sz + std::string("/") +
                        std::to_string(SendDlgItemMessageA(hDlg, IDC_PRICE, LB_GETCOUNT, 0, 0)));
        GetWindowRect(hDlg, &rcDlg);
        PostKey(GetDlgItem(hDlg, IDOK), VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_FALSE(bParentEnabled);
    EXPECT_EQ(hOwner, parent.m_hWnd);
    EXPECT_TRUE(parent.IsWindowEnabled());
    EXPECT_EQ(items, (std::vector<std::string>{"pcs", "pack", "bulk/1"}));
    CRect rcParent;
    parent.GetWindowRect(&rcParent);
    EXPECT_LE(std::abs(rcDlg.CenterPoint().x - rcParent.CenterPoint().x), 1);
    EXPECT_LE(std::abs(rcDlg.CenterPoint().y - rcParent.CenterPoint().y), 1);

    // A hidden owner does not count: the middle of the work area, and a
    // window that would stick out of it is pulled in, top-left first.
    parent.ShowWindow(SW_HIDE);
    CModalDriver again([&](HWND hDlg) {
        GetWindowRect(hDlg, &rcDlg);
        PostKey(GetDlgItem(hDlg, IDOK), VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(again.Finish());
    CRect rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    EXPECT_LE(std::abs(rcDlg.CenterPoint().x - rcWork.CenterPoint().x), 1);
    EXPECT_LE(std::abs(rcDlg.CenterPoint().y - rcWork.CenterPoint().y), 1);
    parent.DestroyWindow();
}

// Data exchange outside dialogs: a plain window with edit controls.
class CDdxHost : public CWnd {
public:
    UINT m_uValue = 0;
    long m_lValue = 0;
    CEdit m_editU;
    bool m_bWithControl = false;

    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_bWithControl)
            DDX_Control(pDX, 10, m_editU);
        DDX_Text(pDX, 10, m_uValue);
        DDX_Text(pDX, 11, m_lValue);
    }
};

TEST(DataExchange, APlainWindowExchangesUnsignedAndLongValuesWithItsEdits)
{
    CDdxHost host;
    CEdit editU, editL;
    ASSERT_TRUE(host.CreateEx(0, NULL, "DDX", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, NULL, NULL));
    ASSERT_TRUE(editU.Create(WS_VISIBLE | WS_BORDER, CRect(5, 5, 150, 25), &host, 10));
    ASSERT_TRUE(editL.Create(WS_VISIBLE | WS_BORDER, CRect(5, 30, 150, 50), &host, 11));
    host.m_uValue = 4000000000u;
    host.m_lValue = -2000000000L;
    ASSERT_TRUE(host.UpdateData(FALSE));
    CString strU, strL;
    editU.GetWindowText(strU);
    editL.GetWindowText(strL);
    EXPECT_EQ(strU + "|" + strL, "4000000000|-2000000000");
    editU.SetWindowText("  77");
    editL.SetWindowText("+15");
    ASSERT_TRUE(host.UpdateData(TRUE));
    EXPECT_EQ(host.m_uValue, 77u);
    EXPECT_EQ(host.m_lValue, 15L);

    // Negative (even zero) or too big for an unsigned: refused with a message, the value kept.
    for (const char* pszText : {"-1", "-0", "4294967296"}) {
        editU.SetWindowText(pszText);
        std::vector<std::string> texts;
        CModalDriver box([&](HWND hBox) {
            texts = support::GetStaticTexts(hBox);
            PressDialogButton(hBox, IDOK);
        });
        EXPECT_FALSE(host.UpdateData(TRUE));
        EXPECT_TRUE(box.Finish());
        EXPECT_EQ(texts, std::vector<std::string>{"Введите целое неотрицательное число."}) << pszText;
        EXPECT_EQ(host.m_uValue, 77u);
    }

    // A control held by another object fails the exchange quietly; once free,
    // it is subclassed into the member, once.
    host.m_bWithControl = true;
    EXPECT_FALSE(host.UpdateData(FALSE));
    EXPECT_EQ(host.m_editU.m_hWnd, (HWND)NULL);
    editU.UnsubclassWindow();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(host.UpdateData(FALSE));
        EXPECT_EQ(host.m_editU.m_hWnd, GetDlgItem(host.m_hWnd, 10));
        EXPECT_EQ(CWnd::FromHandlePermanent(host.m_editU.m_hWnd), &host.m_editU);
    }
    host.DestroyWindow();
}

CString Text(CWnd& wnd)
{
    CString str;
    wnd.GetWindowText(str);
    return str;
}

// The wrappers whose members do more than pass one message on: out-parameters,
// text fetched into strings, packed results.
TEST(Controls, TheStandardControlWrappersReadBackWhatTheControlsShow)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "Controls", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL));
    CEdit edit, multi;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(5, 5, 200, 25), &parent, 100));
    EXPECT_EQ(CWnd::FromHandlePermanent(edit.m_hWnd), &edit);
    edit.SetWindowText("абвгд");
    edit.SetSel(1, 3);
    edit.EmptyUndoBuffer();
    edit.ReplaceSel("Я", TRUE);
    EXPECT_EQ(Text(edit), "аЯгд");
    EXPECT_TRUE(edit.CanUndo() && edit.Undo());
    EXPECT_EQ(Text(edit), "абвгд");
    edit.LimitText(3);
    edit.SetWindowText("");
    support::TypeText(edit.m_hWnd, "12345");
    EXPECT_TRUE(edit.SetReadOnly());
    support::TypeText(edit.m_hWnd, "9");
    EXPECT_EQ(Text(edit), "123");
    ASSERT_TRUE(multi.Create(WS_VISIBLE | ES_MULTILINE, CRect(5, 30, 300, 100), &parent, 101));
    multi.SetWindowText("первая\r\nвторая строка\r\nтретья");
    EXPECT_EQ(multi.LineIndex(multi.LineFromChar(9) + 1), 23);
    char szLine[32] = {};
    int nGot = multi.GetLine(1, szLine, sizeof(szLine) - 1);
    EXPECT_EQ(std::string(szLine, nGot), "вторая строка");
    EXPECT_EQ(multi.GetLine(1, szLine, 1), 0);  // too small a buffer for even the size word

    CListBox list;
    CComboBox combo;
    ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(5, 105, 200, 250), &parent, 103));
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(205, 5, 390, 150), &parent, 104));
    for (const char* psz : {"Москва", "Омск"}) {
        list.AddString(psz);
        combo.AddString(psz);
    }
    EXPECT_EQ(list.InsertString(1, "Минск"), 1);
    CString str;
    list.GetText(2, str);
    EXPECT_EQ(str, "Омск");
    list.GetText(7, str);
    EXPECT_TRUE(str.IsEmpty());
    combo.GetLBText(1, str);
    EXPECT_EQ(str, "Омск");
    combo.GetLBText(9, str);
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_EQ(combo.SelectString(-1, "Ом"), 1);
    EXPECT_EQ(Text(combo), "Омск");
    parent.DestroyWindow();
}

}  // namespace
