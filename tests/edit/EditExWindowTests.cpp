// The masked edit as a window among others: its colours as the parent asks
// for them, the pinned position, the accelerator table, dialog data exchange
// in a modal dialog, and its life without leaks.
#include "EditExTestUtil.h"

#include "Clipboard.h"
#include "EditExTestRes.h"
#include "Input.h"
#include "ModalDriver.h"

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

class EditExWindow : public EditExTest {};

COLORREF BrushColor(HBRUSH hBrush)
{
    LOGBRUSH lb = {};
    EXPECT_EQ(GetObjectA(hBrush, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    return lb.lbColor;
}

// What the parent hands the control for painting, as the control asks for it.
HBRUSH AskColours(HWND hParent, UINT nMsg, HDC hdc, HWND hEdit)
{
    return reinterpret_cast<HBRUSH>(
        SendMessageA(hParent, nMsg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hEdit)));
}

TEST_F(EditExWindow, EnabledControlPaintsWithItsTextAndBackgroundColours)
{
    CreateEdit();
    EXPECT_EQ(m_pEdit->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(m_pEdit->GetBkColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(m_pEdit->GetDisabledBkColor(), GetSysColor(COLOR_INACTIVEBORDER));
    m_pEdit->SetTextColor(RGB(0, 0, 128));
    m_pEdit->SetBkColor(RGB(255, 255, 204));
    m_pEdit->SetDisabledBkColor(RGB(210, 210, 210));
    HDC hdc = CreateCompatibleDC(NULL);
    SetTextColor(hdc, RGB(1, 2, 3));
    SetBkColor(hdc, RGB(4, 5, 6));
    HBRUSH hBrush = AskColours(m_pHost->m_hWnd, WM_CTLCOLOREDIT, hdc, Edit());
    ASSERT_NE(hBrush, nullptr);
    EXPECT_EQ(BrushColor(hBrush), RGB(255, 255, 204));
    EXPECT_EQ(GetTextColor(hdc), RGB(0, 0, 128));
    EXPECT_EQ(GetBkColor(hdc), RGB(255, 255, 204));
    DeleteDC(hdc);
}

TEST_F(EditExWindow, DisabledControlOnlyChangesTheBackground)
{
    CreateEdit();
    m_pEdit->SetTextColor(RGB(0, 0, 128));
    m_pEdit->SetDisabledBkColor(RGB(210, 210, 210));
    m_pEdit->EnableWindow(FALSE);
    HDC hdc = CreateCompatibleDC(NULL);
    SetTextColor(hdc, RGB(1, 2, 3));
    // A disabled edit control asks with the static-control message.
    HBRUSH hBrush = AskColours(m_pHost->m_hWnd, WM_CTLCOLORSTATIC, hdc, Edit());
    ASSERT_NE(hBrush, nullptr);
    EXPECT_EQ(BrushColor(hBrush), RGB(210, 210, 210));
    EXPECT_EQ(GetBkColor(hdc), RGB(210, 210, 210));
    EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3));
    DeleteDC(hdc);
}

TEST_F(EditExWindow, TheWindowShowsTheBackgroundColour)
{
    CreateEdit();
    m_pEdit->SetBkColor(RGB(255, 255, 153));
    m_pEdit->SetDisabledBkColor(RGB(192, 220, 192));
    RECT rcClient;
    m_pEdit->GetClientRect(&rcClient);
    const int x = rcClient.right - 4;
    const int y = (rcClient.top + rcClient.bottom) / 2;
    RedrawWindow(Edit(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC hdc = GetDC(Edit());
    EXPECT_EQ(GetPixel(hdc, x, y), RGB(255, 255, 153));
    ReleaseDC(Edit(), hdc);

    m_pEdit->EnableWindow(FALSE);
    RedrawWindow(Edit(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    hdc = GetDC(Edit());
    EXPECT_EQ(GetPixel(hdc, x, y), RGB(192, 220, 192));
    ReleaseDC(Edit(), hdc);
}

CRect RectInParent(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pWnd->GetParent()->ScreenToClient(&rc);
    return rc;
}

TEST_F(EditExWindow, APinnedControlStaysWhereItWasPut)
{
    CreateEdit();
    const CRect rcPinned(20, 50, 220, 74);
    m_pEdit->SetNewPos(rcPinned);
    m_pEdit->MoveWindow(0, 0, 50, 10);
    EXPECT_EQ(RectInParent(m_pEdit.get()), rcPinned);
    m_pEdit->SetWindowPos(NULL, 100, 5, 300, 40, SWP_NOZORDER);
    EXPECT_EQ(RectInParent(m_pEdit.get()), rcPinned);

    // Unpinned it goes where it is told.
    m_pEdit->SetNewPos(CRect());
    m_pEdit->MoveWindow(5, 6, 100, 20);
    EXPECT_EQ(RectInParent(m_pEdit.get()), CRect(5, 6, 105, 26));
}

MSG KeyDownMsg(HWND hWnd, UINT vk)
{
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = support::KeyLParam(vk, false, false);
    msg.time = GetTickCount();
    return msg;
}

// Offers a key to the windows from the control up to the host, as the
// framework's message loop does, with Ctrl held or not.
bool PreTranslateKey(HWND hWnd, HWND hTop, UINT vk, bool bCtrl)
{
    CHeldKeys keys(bCtrl);
    MSG msg = KeyDownMsg(hWnd, vk);
    return CWnd::WalkPreTranslateTree(hTop, &msg) != FALSE;
}

TEST_F(EditExWindow, ANewControlHasNoAcceleratorTableAndKeepsTheResourceHandle)
{
    const HINSTANCE hBefore = AfxGetResourceHandle();
    CreateEdit(0, "##.##");
    EXPECT_EQ(AfxGetResourceHandle(), hBefore);
    // This program has a table 1001; the control looked in the library's resources.
    EXPECT_NE(FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_EDIT_KEYS), RT_ACCELERATOR), nullptr);
    EXPECT_EQ(m_pEdit->GetAccelerator(), nullptr);
    SetSel(1, 1);
    EXPECT_FALSE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'Q', true));
    EXPECT_EQ(Sel(), Pos(1, 1));
}

TEST_F(EditExWindow, AHostTableTurnsKeysIntoTheControlsCommands)
{
    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
    SetSel(1, 1);
    EXPECT_FALSE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'Q', false));
    EXPECT_EQ(Sel(), Pos(1, 1));
    EXPECT_TRUE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'Q', true));
    EXPECT_EQ(Sel(), Pos(0, 5));

    ASSERT_TRUE(support::EmptyClipboardContents());
    EXPECT_TRUE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'C', true));
    std::string strClip;
    ASSERT_TRUE(support::GetClipboardText(&strClip));
    EXPECT_EQ(strClip, "1234");
}

TEST_F(EditExWindow, ANewTableReplacesTheOldOne)
{
    CreateEdit();
    m_pEdit->SetWindowText("Склад №3");
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_SELECT_KEYS));
    SetSel(0, 0);
    EXPECT_FALSE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'Q', true));
    EXPECT_TRUE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'A', true));
    EXPECT_EQ(Sel(), Pos(0, 8));

    // A table that is not there leaves the control without one.
    EXPECT_FALSE(m_pEdit->SetNewAccelerator(4242));
    SetSel(0, 0);
    EXPECT_FALSE(PreTranslateKey(Edit(), m_pHost->m_hWnd, 'A', true));
    EXPECT_EQ(Sel(), Pos(0, 0));
}

TEST_F(EditExWindow, CreateAndDestroyCyclesLeaveNothingBehind)
{
    for (int i = 0; i < 25; ++i) {
        CreateEdit(i % 2 ? ES_UPPERCASE : 0, "UU-####");
        m_pEdit->SetBkColor(RGB(i, 100, 200));
        m_pEdit->SetDisabledBkColor(RGB(200, 100, i));
        // New colours replace the brushes: two live, whatever was set before.
        EXPECT_EQ(m_pCounter->GetBalance()[support::GuiKind::Brush], 2);
        Type("ав12");
        HDC hdc = CreateCompatibleDC(NULL);
        AskColours(m_pHost->m_hWnd, WM_CTLCOLOREDIT, hdc, Edit());
        DeleteDC(hdc);
        EXPECT_EQ(Text(), "АВ-12  ");
        m_pEdit.reset();
    }
    EXPECT_EQ(m_pCounter->GetBalance()[support::GuiKind::Brush], 0);
    EXPECT_GE(m_pCounter->GetCreatedCount(), 100);
}

// --- Dialog data exchange in a modal dialog

class CMaskedCardDlg : public CDialog {
public:
    CMaskedCardDlg() : CDialog(IDD_MASKED_CARD) {}

    CEditEx m_editPhone;
    CEditEx m_editCount;
    CString m_strPhone, m_strPhoneRaw;
    CString m_strCount, m_strCountRaw;

    BOOL OnInitDialog() override
    {
        // The masks come first, so that the data are loaded into them.
        m_editPhone.SubclassDlgItem(IDC_PHONE, this);
        m_editPhone.SetMask("+7 (###) ###-##-##");
        m_editCount.SubclassDlgItem(IDC_COUNT, this);
        m_editCount.SetMask("###");
        return CDialog::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PHONE, m_editPhone);
        DDX_Mask(pDX, m_editPhone, m_strPhone, m_strPhoneRaw);
        DDX_Control(pDX, IDC_COUNT, m_editCount);
        DDX_Mask(pDX, m_editCount, m_strCount, m_strCountRaw);
    }
};

class EditExDialog : public ::testing::Test {};

TEST_F(EditExDialog, DataLoadIntoTheMasksAndComeBackWithoutLiterals)
{
    CMaskedCardDlg dlg;
    dlg.m_strPhone = "4951234567";
    std::string strShown;
    support::CModalDriver driver([&](HWND hDlg) {
        strShown = support::GetWindowString(GetDlgItem(hDlg, IDC_PHONE));
        HWND hCount = GetDlgItem(hDlg, IDC_COUNT);
        // 1, then an empty position, then 3.
        support::PressKey(hCount, '1');
        SendMessageA(hCount, EM_SETSEL, 2, 2);
        support::PressKey(hCount, '3');
        support::PressDialogButton(hDlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(strShown, "+7 (495) 123-45-67");
    EXPECT_STREQ(dlg.m_strPhone, "4951234567");
    EXPECT_STREQ(dlg.m_strPhoneRaw, "+7 (495) 123-45-67");
    EXPECT_STREQ(dlg.m_strCount, "1 3");
    EXPECT_STREQ(dlg.m_strCountRaw, "1 3");
}

TEST_F(EditExDialog, AnEmptyPositionLoadsBackClosedUp)
{
    CMaskedCardDlg dlg;
    dlg.m_strCount = "1 3";
    dlg.m_strPhone = "812";
    std::string strCount, strPhone;
    support::CModalDriver driver([&](HWND hDlg) {
        strCount = support::GetWindowString(GetDlgItem(hDlg, IDC_COUNT));
        strPhone = support::GetWindowString(GetDlgItem(hDlg, IDC_PHONE));
        support::PressDialogButton(hDlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(strCount, "13 ");
    EXPECT_STREQ(dlg.m_strCount, "13 ");
    EXPECT_STREQ(dlg.m_strCountRaw, "13 ");
    // Saved untrimmed: a blank for every empty position.
    EXPECT_EQ(strPhone, "+7 (812)    -  -  ");
    EXPECT_STREQ(dlg.m_strPhone, "812       ");
}

TEST_F(EditExDialog, CancelKeepsTheMembers)
{
    CMaskedCardDlg dlg;
    dlg.m_strCount = "42";
    support::CModalDriver driver([&](HWND hDlg) {
        HWND hCount = GetDlgItem(hDlg, IDC_COUNT);
        SendMessageA(hCount, EM_SETSEL, 0, 0);
        support::PressKey(hCount, '9');
        support::PressDialogButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Finish());
    EXPECT_STREQ(dlg.m_strCount, "42");
    EXPECT_STREQ(dlg.m_strCountRaw, "");
}

}  // namespace
}  // namespace edittest
