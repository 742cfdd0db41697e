// The calculator dialog: buttons and keys to the engine, the engine's texts to
// the controls.
#include "calc/CalculatorDlg.h"

#include "frame/Frame.h"
#include <afxres.h>

#include <cstring>

namespace {

// Modifier values of the key tables.
const WORD g_wModShift = 4;
const WORD g_wModCtrl = 8;

// One key binding: the modifiers that must be down (exactly), the virtual key
// and the button it presses.
struct CCalcKey {
    WORD wModifier;
    WORD wKey;
    WORD wButton;
};

// Row i is also button i of the dialog's list, icon i and tool-tip i.
// clang-format off
const CCalcKey g_aPrimaryKeys[CCalculatorDlg::nButtonCount] = {
    {0, VK_BACK, IDC_CALC_BACK},
    {0, VK_DELETE, IDC_CALC_DELOP},
    {0, 'C', IDC_CALC_CLEAR},
    {0, VK_ESCAPE, IDCANCEL},
    {g_wModCtrl, 'L', IDC_CALC_MC},
    {0, VK_NUMPAD7, IDC_CALC_NUM7},
    {0, VK_NUMPAD8, IDC_CALC_NUM8},
    {0, VK_NUMPAD9, IDC_CALC_NUM9},
    {0, VK_DIVIDE, IDC_CALC_DIV},
    {g_wModShift, '2', IDC_CALC_SQRT},
    {g_wModCtrl, 'R', IDC_CALC_MR},
    {0, VK_NUMPAD4, IDC_CALC_NUM4},
    {0, VK_NUMPAD5, IDC_CALC_NUM5},
    {0, VK_NUMPAD6, IDC_CALC_NUM6},
    {0, VK_MULTIPLY, IDC_CALC_MUL},
    {g_wModShift, '5', IDC_CALC_PROC},
    {g_wModCtrl, 'M', IDC_CALC_MS},
    {0, VK_NUMPAD1, IDC_CALC_NUM1},
    {0, VK_NUMPAD2, IDC_CALC_NUM2},
    {0, VK_NUMPAD3, IDC_CALC_NUM3},
    {0, VK_SUBTRACT, IDC_CALC_SUB},
    {0, 'R', IDC_CALC_SUBDIV},
    {g_wModCtrl, 'P', IDC_CALC_MADD},
    {0, VK_NUMPAD0, IDC_CALC_NUM0},
    {0, VK_F9, IDC_CALC_SIGN},
    {0, VK_DECIMAL, IDC_CALC_POINT},
    {0, VK_ADD, IDC_CALC_ADD},
    {0, VK_OEM_PLUS, IDC_CALC_EQ},
    {0, VK_RETURN, IDC_CALC_COPY},
};
// clang-format on

// The main keyboard's digits and signs, looked at only when the primary table
// has no match.
// clang-format off
const CCalcKey g_aSecondaryKeys[] = {
    {0, '7', IDC_CALC_NUM7},
    {0, '8', IDC_CALC_NUM8},
    {g_wModShift, '8', IDC_CALC_MUL},
    {0, '9', IDC_CALC_NUM9},
    {0, VK_OEM_2, IDC_CALC_DIV},
    {0, '4', IDC_CALC_NUM4},
    {0, '5', IDC_CALC_NUM5},
    {0, '6', IDC_CALC_NUM6},
    {0, '1', IDC_CALC_NUM1},
    {0, '2', IDC_CALC_NUM2},
    {0, '3', IDC_CALC_NUM3},
    {0, VK_OEM_MINUS, IDC_CALC_SUB},
    {0, '0', IDC_CALC_NUM0},
    {0, VK_OEM_PERIOD, IDC_CALC_POINT},
    {g_wModShift, VK_OEM_PLUS, IDC_CALC_ADD},
    {g_wModShift, 'C', IDC_CALC_CLEAR},
};
// clang-format on

// The row of the table with exactly this key and these modifiers, or -1.
int FindKey(const CCalcKey* pTable, int nCount, UINT nKey, WORD wModifier)
{
    for (int i = 0; i < nCount; ++i) {
        if (pTable[i].wKey == nKey && pTable[i].wModifier == wModifier)
            return i;
    }
    return -1;
}

bool IsDigitButton(UINT nID)
{
    return nID >= IDC_CALC_NUM0 && nID <= IDC_CALC_NUM9;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCalculatorDlg, CDialog)
    ON_COMMAND_RANGE(IDC_CALC_NUM0, IDC_CALC_NUM9, OnBtnNumClick)
    ON_COMMAND(IDC_CALC_POINT, OnButtonPoint)
    ON_COMMAND(IDC_CALC_SIGN, OnButtonSign)
    ON_COMMAND(IDC_CALC_BACK, OnButtonBack)
    ON_COMMAND(IDC_CALC_DELOP, OnButtonDelop)
    ON_COMMAND(IDC_CALC_CLEAR, OnButtonClearCalc)
    ON_COMMAND(IDC_CALC_ADD, OnButtonAdd)
    ON_COMMAND(IDC_CALC_SUB, OnButtonSub)
    ON_COMMAND(IDC_CALC_MUL, OnButtonMul)
    ON_COMMAND(IDC_CALC_DIV, OnButtonDiv)
    ON_COMMAND(IDC_CALC_EQ, OnButtonEq)
    ON_COMMAND(IDC_CALC_PROC, OnButtonProc)
    ON_COMMAND(IDC_CALC_SQRT, OnButtonSqrt)
    ON_COMMAND(IDC_CALC_SUBDIV, OnButtonSubdiv)
    ON_COMMAND(IDC_CALC_MC, OnButtonMc)
    ON_COMMAND(IDC_CALC_MR, OnButtonMr)
    ON_COMMAND(IDC_CALC_MS, OnButtonMs)
    ON_COMMAND(IDC_CALC_MADD, OnButtonMadd)
    ON_COMMAND(IDC_CALC_COPY, OnButtonCopy)
    ON_CONTROL(CBN_SELENDOK, IDC_CALC_PRECISION, OnSelendokPrecList)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CCalculatorDlg::CCalculatorDlg(const char* pszValue, int nPrecision, CWnd* pParent, bool bDropDown)
    : CDialog(IDD, pParent), m_pPressedBtn(NULL), m_nPrecision(nPrecision), m_bNewEntry(true), m_bDropDown(bDropDown),
      m_nLeft(0), m_nTop(0), m_engine(pszValue, nPrecision), m_bPositioned(false)
{
    // The engine keeps the precision within the list's 0 to 10.
    m_nPrecision = m_engine.GetPrecision();
    if (pParent != NULL && bDropDown && pParent->GetSafeHwnd() != NULL) {
        RECT rc;
        pParent->GetWindowRect(&rc);
        m_nLeft = rc.left;
        m_nTop = rc.bottom;
        m_bPositioned = true;
    }
    m_strValue = m_engine.GetValue();
}

CCalculatorDlg::~CCalculatorDlg()
{
    ReleaseButtons();
}

INT_PTR CCalculatorDlg::DoModal()
{
    CSetResourceHandle resources(GetExtkitInstance());
    return CDialog::DoModal();
}

void CCalculatorDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CALC_PRECISION, m_cbPrecision);
    DDX_Control(pDX, IDC_CALC_MEMORY, m_cbMemory);
    DDX_Control(pDX, IDC_CALC_RESULT, m_stResult);
    DDX_Control(pDX, IDC_CALC_OPERATION, m_stOperation);
    DDX_Control(pDX, IDC_CALC_VALUE, m_edValue);
    DDX_Text(pDX, IDC_CALC_VALUE, m_strValue);
}

BOOL CCalculatorDlg::OnInitDialog()
{
    // A new run starts from what the host left in m_strValue and m_nPrecision,
    // with nothing pending and an empty memory, as the controls show it.
    m_engine.Reset(m_strValue, m_nPrecision);
    m_nPrecision = m_engine.GetPrecision();
    m_strValue = m_engine.GetValue();
    m_bNewEntry = true;
    CDialog::OnInitDialog();

    if (m_bDropDown) {
        // SWP_FRAMECHANGED makes the frame lose the caption now, not at the
        // next resize.
        ModifyStyle(WS_CAPTION, WS_CHILD, SWP_NOZORDER | SWP_FRAMECHANGED);
        if (m_bPositioned) {
            const CRect rcAnchor(m_nLeft, m_nTop, m_nLeft, m_nTop);
            const CPoint pt = AfxGetDropDownPos(rcAnchor, CSize(0, 0), FALSE);
            SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            CenterWindow();
        }
    } else {
        CenterWindow();
    }

    if (!m_toolTip.Create(this)) {
        PostMessage(WM_CLOSE);
        return FALSE;
    }

    m_cbPrecision.SetCurSel(m_nPrecision);

    // The icons come as one strip and its mask; a missing picture leaves the
    // buttons blank but working.
    if (m_imageList.Create(16, 15, ILC_COLOR | ILC_MASK, 1, 1)) {
        CBitmap bmIcons;
        CBitmap bmMask;
        if (bmIcons.LoadBitmap(IDB_CALC_ICONS) && bmMask.LoadBitmap(IDB_CALC_ICONS_MASK))
            m_imageList.Add(&bmIcons, &bmMask);
    }

    for (int i = 0; i < nButtonCount; ++i) {
        const UINT nID = g_aPrimaryKeys[i].wButton;
        CButton* pButton = NULL;
        HWND hWndButton = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
        if (hWndButton != NULL) {
            pButton = new CButton;
            if (!pButton->Attach(hWndButton)) {
                delete pButton;
                pButton = NULL;
            }
        }
        if (pButton != NULL) {
            if (HICON hIcon = m_imageList.ExtractIcon(i))
                pButton->SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon));
            m_toolTip.AddTool(pButton, nID);
        }
        // A missing control keeps its row, so that row i stays button i.
        m_arrButtons.Add(pButton);
    }

    m_stResult.SetWindowText("");
    m_stOperation.SetWindowText("");
    m_toolTip.Activate(TRUE);
    return TRUE;
}

BOOL CCalculatorDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.RelayEvent(pMsg);

    if (pMsg->message == WM_KEYDOWN) {
        // A repeated key releases and presses the same button again: the
        // action comes once, on release.
        if (m_pPressedBtn != NULL) {
            m_pPressedBtn->SetState(FALSE);
            m_pPressedBtn = NULL;
        }
        WORD wModifier = 0;
        if (::GetKeyState(VK_CONTROL) < 0)
            wModifier |= g_wModCtrl;
        if (::GetKeyState(VK_SHIFT) < 0)
            wModifier |= g_wModShift;
        const UINT nKey = static_cast<UINT>(pMsg->wParam);
        CButton* pButton = NULL;
        const int nRow = FindKey(g_aPrimaryKeys, nButtonCount, nKey, wModifier);
        if (nRow >= 0) {
            if (nRow < m_arrButtons.GetSize())
                pButton = m_arrButtons[nRow];
        } else {
            const int nSecondary =
                FindKey(g_aSecondaryKeys, sizeof(g_aSecondaryKeys) / sizeof(g_aSecondaryKeys[0]), nKey, wModifier);
            if (nSecondary >= 0)
                pButton = GetBtnFromList(g_aSecondaryKeys[nSecondary].wButton);
        }
        if (pButton == NULL)
            return CDialog::PreTranslateMessage(pMsg);
        pButton->SetState(TRUE);
        m_pPressedBtn = pButton;
        return TRUE;
    }

    if (pMsg->message == WM_KEYUP && m_pPressedBtn != NULL) {
        CButton* pButton = m_pPressedBtn;
        m_pPressedBtn = NULL;
        pButton->SetState(FALSE);
        const UINT nID = static_cast<UINT>(pButton->GetDlgCtrlID());
        if (IsDigitButton(nID))
            OnBtnNumClick(nID);
        else
            PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->m_hWnd));
        return TRUE;
    }

    return CDialog::PreTranslateMessage(pMsg);
}

CButton* CCalculatorDlg::GetBtnFromList(UINT nID)
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i) {
        CButton* pButton = m_arrButtons[i];
        if (pButton != NULL && pButton->m_hWnd != NULL && static_cast<UINT>(pButton->GetDlgCtrlID()) == nID)
            return pButton;
    }
    return NULL;
}

CString CCalculatorDlg::GetOperValue(const char* pszValue, const char* pszAccum, char chOper)
{
    return m_engine.GetOperValue(pszValue, pszAccum, chOper);
}

void CCalculatorDlg::Refuse()
{
    ::MessageBeep(MB_ICONASTERISK);
}

void CCalculatorDlg::ShowEngine()
{
    m_stResult.SetWindowText(m_engine.GetAccum());
    const char szOper[2] = {m_engine.GetOper(), '\0'};
    m_stOperation.SetWindowText(szOper);
    m_strValue = m_engine.GetValue();
    m_edValue.SetWindowText(m_strValue);
    m_bNewEntry = m_engine.IsNewEntry();
    m_nPrecision = m_engine.GetPrecision();
}

void CCalculatorDlg::OnBtnNumClick(UINT nID)
{
    if (!IsDigitButton(nID))
        return;
    if (!m_engine.Digit(static_cast<char>('0' + (nID - IDC_CALC_NUM0))))
        Refuse();
    ShowEngine();
}

void CCalculatorDlg::OnButtonPoint()
{
    m_engine.Point();
    ShowEngine();
}

void CCalculatorDlg::OnButtonSign()
{
    m_engine.Sign();
    ShowEngine();
}

void CCalculatorDlg::OnButtonBack()
{
    m_engine.Back();
    ShowEngine();
}

void CCalculatorDlg::OnButtonDelop()
{
    m_engine.Delop();
    ShowEngine();
}

void CCalculatorDlg::OnButtonClearCalc()
{
    m_engine.ClearCalc();
    ShowEngine();
}

void CCalculatorDlg::OnButtonAdd()
{
    m_engine.Add();
    ShowEngine();
}

void CCalculatorDlg::OnButtonSub()
{
    m_engine.Sub();
    ShowEngine();
}

void CCalculatorDlg::OnButtonMul()
{
    m_engine.Mul();
    ShowEngine();
}

void CCalculatorDlg::OnButtonDiv()
{
    m_engine.Div();
    ShowEngine();
}

void CCalculatorDlg::OnButtonEq()
{
    m_engine.Eq();
    ShowEngine();
}

void CCalculatorDlg::OnButtonProc()
{
    m_engine.Proc();
    ShowEngine();
}

void CCalculatorDlg::OnButtonSqrt()
{
    if (!m_engine.Sqrt())
        Refuse();
    ShowEngine();
}

void CCalculatorDlg::OnButtonSubdiv()
{
    m_engine.Subdiv();
    ShowEngine();
}

void CCalculatorDlg::TakeMemorySelection()
{
    const int nSel = m_cbMemory.GetCurSel();
    if (nSel != CB_ERR)
        m_engine.SelectMemory(nSel);
}

void CCalculatorDlg::OnButtonMc()
{
    m_engine.Mc();
    m_cbMemory.ResetContent();
    ShowEngine();
}

void CCalculatorDlg::OnButtonMr()
{
    TakeMemorySelection();
    m_engine.Mr();
    ShowEngine();
}

void CCalculatorDlg::OnButtonMs()
{
    TakeMemorySelection();
    const int nBefore = m_engine.GetMemoryCount();
    m_engine.Ms();
    if (m_engine.GetMemoryCount() > nBefore) {
        const int nIndex = m_cbMemory.AddString(m_engine.GetMemoryItem(m_engine.GetMemoryCount() - 1));
        m_cbMemory.SetCurSel(nIndex);
    }
    ShowEngine();
}

void CCalculatorDlg::OnButtonMadd()
{
    TakeMemorySelection();
    const int nBefore = m_engine.GetMemoryCount();
    const bool bHasEntry = !m_engine.GetValue().IsEmpty();
    m_engine.Madd();
    if (m_engine.GetMemoryCount() > nBefore) {
        const int nIndex = m_cbMemory.AddString(m_engine.GetMemoryItem(m_engine.GetMemoryCount() - 1));
        m_cbMemory.SetCurSel(nIndex);
    } else if (nBefore > 0 && bHasEntry) {
        // The sum takes the selected item's place.
        const int nSel = m_engine.GetMemorySel();
        m_cbMemory.InsertString(nSel, m_engine.GetMemoryItem(nSel));
        m_cbMemory.DeleteString(static_cast<UINT>(nSel + 1));
        m_cbMemory.SetCurSel(nSel);
    }
    ShowEngine();
}

void CCalculatorDlg::OnButtonCopy()
{
    OnButtonEq();
    CDialog::OnOK();
    ReleaseButtons();
}

void CCalculatorDlg::OnCancel()
{
    CDialog::OnCancel();
    ReleaseButtons();
}

void CCalculatorDlg::OnSelendokPrecList()
{
    const int nSel = m_cbPrecision.GetCurSel();
    if (nSel == CB_ERR)
        return;
    m_engine.SetPrecision(nSel);
    m_nPrecision = m_engine.GetPrecision();
}

void CCalculatorDlg::OnEditCopy()
{
    m_edValue.SendMessage(WM_COPY);
}

void CCalculatorDlg::OnEditCut()
{
    m_edValue.SendMessage(WM_CUT);
}

void CCalculatorDlg::OnEditUndo()
{
    m_edValue.SendMessage(EM_UNDO);
}

void CCalculatorDlg::OnEditSelectAll()
{
    m_edValue.SetSel(0, -1);
}

void CCalculatorDlg::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CCalculatorDlg::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CDialog::OnActivateApp(bActive, dwThreadID);
    if (!bActive && m_bDropDown)
        EndDialog(IDCANCEL);
}

void CCalculatorDlg::OnDestroy()
{
    ReleaseButtons();
    // Dropped down, the dialog is a child window, so the tool-tip's owner is
    // the top-level window above it and the tool-tip would outlive the dialog:
    // a second run could not create it again.
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.DestroyWindow();
    CWnd::OnDestroy();
}

void CCalculatorDlg::ReleaseButtons()
{
    m_pPressedBtn = NULL;
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i) {
        CButton* pButton = m_arrButtons[i];
        if (pButton == NULL)
            continue;
        // The button does not own the icon it shows.
        if (pButton->m_hWnd != NULL && ::IsWindow(pButton->m_hWnd)) {
            HICON hIcon = reinterpret_cast<HICON>(pButton->SendMessage(BM_SETIMAGE, IMAGE_ICON, 0));
            if (hIcon != NULL)
                ::DestroyIcon(hIcon);
        }
        pButton->Detach();
        delete pButton;
    }
    m_arrButtons.RemoveAll();
    m_imageList.DeleteImageList();
}
