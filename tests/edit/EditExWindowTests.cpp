// The masked edit as a window among others: its colours as the parent asks
// for them and as the screen shows them, the pinned position, the accelerator
// table, dialog data exchange in a modal dialog, and its life without leaks.
#include "EditExTestUtil.h"

#include "Clipboard.h"
#include "EditExTestRes.h"
#include "Input.h"
#include "ModalDriver.h"

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

class EditExWindow : public EditExTest {
protected:
    // What the parent hands the control for painting, as the control asks for it.
    COLORREF AskBrushColour(UINT nMsg, HDC hdc)
    {
        const HBRUSH hBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(m_pHost->m_hWnd, nMsg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(Edit())));
        LOGBRUSH lb = {};
        EXPECT_EQ(GetObjectA(hBrush, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
        EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
        return lb.lbColor;
    }

    // Offers a key to the windows from the control up to the host, as the
    // framework's message loop does, with Ctrl held in the thread's keyboard
    // state or not.
    bool PreTranslateKey(UINT vk, bool bCtrl)
    {
        BYTE abSaved[256], abState[256];
        GetKeyboardState(abSaved);
        CopyMemory(abState, abSaved, sizeof(abState));
        abState[VK_CONTROL] = abState[VK_LCONTROL] = bCtrl ? 0x80 : 0;
        abState[VK_SHIFT] = abState[VK_LSHIFT] = 0;
        SetKeyboardState(abState);
        MSG msg = {Edit(), WM_KEYDOWN, vk, support::KeyLParam(vk, false, false), GetTickCount(), {0, 0}};
        const bool bTaken = CWnd::WalkPreTranslateTree(m_pHost->m_hWnd, &msg) != FALSE;
        SetKeyboardState(abSaved);
        return bTaken;
    }
};

TEST_F(EditExWindow, ColoursWhileEnabledAndDisabled)
{
    CreateEdit();
    EXPECT_EQ(m_pEdit->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(m_pEdit->GetBkColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(m_pEdit->GetDisabledBkColor(), GetSysColor(COLOR_INACTIVEBORDER));
    m_pEdit->SetTextColor(RGB(0, 0, 128));
    m_pEdit->SetBkColor(RGB(255, 255, 204));
    m_pEdit->SetDisabledBkColor(RGB(210, 210, 210));
    HDC hdc = CreateCompatibleDC(NULL);
    EXPECT_EQ(AskBrushColour(WM_CTLCOLOREDIT, hdc), RGB(255, 255, 204));
    EXPECT_EQ(GetTextColor(hdc), RGB(0, 0, 128));
    EXPECT_EQ(GetBkColor(hdc), RGB(255, 255, 204));

    // Disabled, it asks with the static-control message, and only the
    // background changes.
    m_pEdit->EnableWindow(FALSE);
    SetTextColor(hdc, RGB(1, 2, 3));
    EXPECT_EQ(AskBrushColour(WM_CTLCOLORSTATIC, hdc), RGB(210, 210, 210));
    EXPECT_EQ(GetBkColor(hdc), RGB(210, 210, 210));
    EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3));
    DeleteDC(hdc);
}

TEST_F(EditExWindow, TheWindowShowsTheBackgroundColour)
{
    CreateEdit();
    m_pEdit->SetBkColor(RGB(255, 255, 153));
    m_pEdit->SetDisabledBkColor(RGB(192, 220, 192));
    CRect rcClient;
    m_pEdit->GetClientRect(&rcClient);
    const auto pixel = [&] {
        RedrawWindow(Edit(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC hdc = GetDC(Edit());
        const COLORREF cr = GetPixel(hdc, rcClient.right - 4, rcClient.CenterPoint().y);
        ReleaseDC(Edit(), hdc);
        return cr;
    };
    EXPECT_EQ(pixel(), RGB(255, 255, 153));
    m_pEdit->EnableWindow(FALSE);
    EXPECT_EQ(pixel(), RGB(192, 220, 192));
}

TEST_F(EditExWindow, APinnedControlStaysWhereItWasPut)
{
    CreateEdit();
    const auto rectInParent = [&] {
        CRect rc;
        m_pEdit->GetWindowRect(&rc);
        m_pHost->ScreenToClient(&rc);
        return rc;
    };
    const CRect rcPinned(20, 50, 220, 74);
    m_pEdit->SetNewPos(rcPinned);
    m_pEdit->SetWindowPos(NULL, 100, 5, 300, 40, SWP_NOZORDER);
    EXPECT_EQ(rectInParent(), rcPinned);

    // Unpinned it goes where it is told.
    m_pEdit->SetNewPos(CRect());
    m_pEdit->MoveWindow(5, 6, 100, 20);
    EXPECT_EQ(rectInParent(), CRect(5, 6, 105, 26));
}

TEST_F(EditExWindow, AHostTableTurnsKeysIntoTheControlsCommandsUntilReplaced)
{
    // A new control looked for table 1001 in the library's resources, which
    // hold none (this program has one), and left the resource handle alone.
    const HINSTANCE hBefore = AfxGetResourceHandle();
    CreateEdit(0, "##.##");
    EXPECT_EQ(AfxGetResourceHandle(), hBefore);
    EXPECT_NE(FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_EDIT_KEYS), RT_ACCELERATOR), nullptr);
    EXPECT_EQ(m_pEdit->GetAccelerator(), nullptr);
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    SetSel(1, 1);
    EXPECT_FALSE(PreTranslateKey('Q', true));
    EXPECT_EQ(Sel(), Pos(1, 1));

    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
    EXPECT_FALSE(PreTranslateKey('Q', false));
    EXPECT_EQ(Sel(), Pos(1, 1));
    EXPECT_TRUE(PreTranslateKey('Q', true));
    EXPECT_EQ(Sel(), Pos(0, 5));
    ASSERT_TRUE(support::EmptyClipboardContents());
    EXPECT_TRUE(PreTranslateKey('C', true));
    std::string strClip;
    ASSERT_TRUE(support::GetClipboardText(&strClip));
    EXPECT_EQ(strClip, "1234");

    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_SELECT_KEYS));
    SetSel(0, 0);
    EXPECT_FALSE(PreTranslateKey('Q', true));
    EXPECT_TRUE(PreTranslateKey('A', true));
    EXPECT_EQ(Sel(), Pos(0, 5));
    // A table that is not there leaves the control without one.
    EXPECT_FALSE(m_pEdit->SetNewAccelerator(4242));
    SetSel(0, 0);
    EXPECT_FALSE(PreTranslateKey('A', true));
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
        AskBrushColour(WM_CTLCOLOREDIT, hdc);
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

TEST(EditExDialog, DataLoadIntoTheMasksAndComeBackUntrimmedWithoutLiterals)
{
    CMaskedCardDlg dlg;
    dlg.m_strPhone = "812";
    dlg.m_strCount = "1 3";  // a blank loads as a character the mask refuses
    std::string strPhone, strCount;
    support::CModalDriver driver([&](HWND hDlg) {
        strPhone = support::GetWindowString(GetDlgItem(hDlg, IDC_PHONE));
        strCount = support::GetWindowString(GetDlgItem(hDlg, IDC_COUNT));
        support::PressDialogButton(hDlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(strPhone, "+7 (812)    -  -  ");
    EXPECT_STREQ(dlg.m_strPhone, "812       ");
    EXPECT_STREQ(dlg.m_strPhoneRaw, "+7 (812)    -  -  ");
    EXPECT_EQ(strCount, "13 ");
    EXPECT_STREQ(dlg.m_strCount, "13 ");
    EXPECT_STREQ(dlg.m_strCountRaw, "13 ");
}

}  // namespace
}  // namespace edittest
