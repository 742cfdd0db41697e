// Modal dialogs and the framework dialog procedure.
#include "win/Dialog.h"
#include "win/ModuleState.h"
#include "win/WinApp.h"

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM, LPARAM lParam)
{
    if (nMsg != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (pDlg == NULL)
        return TRUE;
    // From here on the dialog's messages go through AfxWndProc and the
    // message map first; this procedure stays as the original one.
    if (CWnd::FromHandlePermanent(hWnd) != pDlg && !pDlg->SubclassWindow(hWnd))
        return TRUE;
    return pDlg->OnInitDialog();
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_lpDialogTemplate(NULL), m_lpDialogInit(NULL),
      m_bInModalLoop(FALSE), m_nModalResult(-1)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd),
      m_lpDialogTemplate(NULL), m_lpDialogInit(NULL), m_bInModalLoop(FALSE), m_nModalResult(-1)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(pParentWnd), m_lpDialogTemplate(NULL), m_lpDialogInit(NULL),
      m_bInModalLoop(FALSE), m_nModalResult(-1)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_lpszTemplateName = lpszTemplateName;
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    } else if (lpszTemplateName != NULL) {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
}

CDialog::~CDialog() {}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    if (lpDialogTemplate == NULL)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != NULL)
        return -1;
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    HGLOBAL hResource = NULL;
    if (lpTemplate == NULL) {
        if (m_lpszTemplateName == NULL)
            return -1;
        hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hFound = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
        if (hFound == NULL)
            return -1;
        hResource = ::LoadResource(hInst, hFound);
        lpTemplate = hResource != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hResource)) : NULL;
        if (lpTemplate == NULL)
            return -1;
    }

    // The window that must not take input meanwhile: the parent's top-level
    // window, else the application's main window.
    HWND hWndParent = m_pParentWnd != NULL ? m_pParentWnd->m_hWnd : NULL;
    if (hWndParent == NULL) {
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd != NULL)
            hWndParent = pApp->m_pMainWnd->m_hWnd;
    }
    if (hWndParent != NULL && ::IsWindow(hWndParent))
        hWndParent = ::GetAncestor(hWndParent, GA_ROOT);
    else
        hWndParent = NULL;
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_bInModalLoop = TRUE;
    HWND hWnd =
        ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndParent, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    // EndDialog from OnInitDialog ends the dialog before it is ever shown.
    if (hWnd != NULL && m_bInModalLoop && ::IsWindow(hWnd)) {
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
        MSG msg;
        while (m_bInModalLoop && ::IsWindow(hWnd)) {
            BOOL bGot = ::GetMessageA(&msg, NULL, 0, 0);
            if (bGot == -1)
                break;
            if (bGot == 0) {
                // The application is quitting: the outer loop must see it too.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (CWnd::WalkPreTranslateTree(hWnd, &msg))
                continue;
            if (::IsDialogMessageA(hWnd, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    m_bInModalLoop = FALSE;

    // The parent takes the activation back before the dialog goes, so that
    // the system does not activate some other application.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && hWnd != NULL && ::GetActiveWindow() == hWnd)
        ::SetActiveWindow(hWndParent);
    if (m_hWnd != NULL) {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    } else if (hWnd != NULL && ::IsWindow(hWnd)) {
        ::DestroyWindow(hWnd);
    }
    if (hResource != NULL)
        ::FreeResource(hResource);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bInModalLoop) {
        m_bInModalLoop = FALSE;
        // Called from a sent message the loop may be waiting in GetMessage.
        if (m_hWnd != NULL)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CDialog::OnInitDialog()
{
    const BOOL bDlgInit =
        m_lpDialogTemplate != NULL ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit || !UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
