// Dialog data exchange and CWnd::UpdateData.
#include "win/DataExchange.h"
#include "win/WinApp.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        // The user has already been told; the caller only learns it failed.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        Fail();
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        pDX->Fail();
}

namespace {

// Only sets a differing text, so that loading unchanged values does not
// flicker or move the caret.
void SetCtrlText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    CString strOld;
    int nLen = ::GetWindowTextLengthA(hWndCtrl);
    LPTSTR pszBuf = strOld.GetBuffer(nLen);
    int nGot = ::GetWindowTextA(hWndCtrl, pszBuf, nLen + 1);
    strOld.ReleaseBuffer(nGot);
    if (strOld != lpszNew)
        ::SetWindowTextA(hWndCtrl, lpszNew);
}

CString GetCtrlText(HWND hWndCtrl)
{
    CString strText;
    int nLen = ::GetWindowTextLengthA(hWndCtrl);
    LPTSTR pszBuf = strText.GetBuffer(nLen);
    int nGot = ::GetWindowTextA(hWndCtrl, pszBuf, nLen + 1);
    strText.ReleaseBuffer(nGot);
    return strText;
}

// Tells the user the value cannot be taken and fails the exchange.
[[noreturn]] void FailNumber(CDataExchange* pDX, LPCTSTR lpszPrompt)
{
    CWinApp* pApp = AfxGetApp();
    ::MessageBoxA(pDX->m_pDlgWnd->m_hWnd, lpszPrompt, pApp != NULL ? pApp->m_pszAppName : NULL,
                  MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// A whole signed number in [llMin, llMax], blanks around allowed.
bool ParseSigned(const CString& strText, long long llMin, long long llMax, long long& llValue)
{
    CString str(strText);
    str.Trim();
    if (str.IsEmpty())
        return false;
    char* pEnd = NULL;
    errno = 0;
    long long ll = std::strtoll(str, &pEnd, 10);
    if (errno != 0 || *pEnd != '\0' || ll < llMin || ll > llMax)
        return false;
    llValue = ll;
    return true;
}

const char g_szIntPrompt[] = "Введите целое число.";
const char g_szUIntPrompt[] = "Введите целое неотрицательное число.";
const char g_szRealPrompt[] = "Введите число.";

template <typename TInt>
void ExchangeInteger(CDataExchange* pDX, int nIDC, TInt& value, long long llMin, long long llMax, LPCTSTR lpszFormat,
                     LPCTSTR lpszPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long ll = 0;
        CString strText = GetCtrlText(hWndCtrl);
        // strtoll would take "-1" for an unsigned value as a wrapped number.
        if ((llMin == 0 && strText.Find('-') >= 0) || !ParseSigned(strText, llMin, llMax, ll))
            FailNumber(pDX, lpszPrompt);
        value = static_cast<TInt>(ll);
    } else {
        CString str;
        str.Format(lpszFormat, value);
        SetCtrlText(hWndCtrl, str);
    }
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetCtrlText(hWndCtrl);
    else
        SetCtrlText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, "%d", g_szIntPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, "%u", g_szUIntPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, "%ld", g_szIntPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString str = GetCtrlText(hWndCtrl);
        str.Trim();
        // Russian users type a decimal comma.
        str.Replace(',', '.');
        char* pEnd = NULL;
        errno = 0;
        double d = str.IsEmpty() ? 0.0 : std::strtod(str, &pEnd);
        if (str.IsEmpty() || *pEnd != '\0' || errno == ERANGE || !std::isfinite(d))
            FailNumber(pDX, g_szRealPrompt);
        value = d;
    } else {
        CString str;
        str.Format("%.*g", DBL_DIG, value);
        SetCtrlText(hWndCtrl, str);
    }
}
