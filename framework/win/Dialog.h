// Dialogs from templates. DoModal runs the dialog with the framework's own
// modal loop, so that the dialog and its controls see every message in
// PreTranslateMessage before the dialog keyboard handling does.
#pragma once

#include "win/Platform.h"
#include "core/String.h"
#include "win/Wnd.h"

// The dialog procedure of framework dialogs: attaches the CDialog passed as
// the creation parameter at WM_INITDIALOG and calls its OnInitDialog.
FRAMEWORK_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

class FRAMEWORK_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual ~CDialog();

    // Uses a template in memory instead of a resource, and dialog-init data in
    // memory when given; both must outlive DoModal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);

    // Shows the dialog modally with the parent (or the application's main
    // window) disabled; returns what EndDialog was given, -1 when the dialog
    // could not be created.
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult; the window goes when DoModal returns.
    void EndDialog(int nResult);

    // Called at WM_INITDIALOG: fills the controls from the dialog-init data
    // (the resource named as the template, or the data given with an
    // in-memory template), then loads the members into the controls. When
    // either fails the dialog ends at once with -1. TRUE lets the system put
    // the focus on the first control.
    virtual BOOL OnInitDialog();

    LPCTSTR m_lpszTemplateName;  // a resource name or MAKEINTRESOURCE of the ID
    UINT m_nIDHelp;              // the template ID, 0 for a named template
    CWnd* m_pParentWnd;

protected:
    // IDOK: takes the values from the controls and ends with IDOK when they
    // are acceptable.
    virtual void OnOK();
    // IDCANCEL (also Escape and the close box): ends with IDCANCEL.
    virtual void OnCancel();

    LPCDLGTEMPLATE m_lpDialogTemplate;
    void* m_lpDialogInit;

    DECLARE_MESSAGE_MAP()

private:
    CString m_strTemplateName;  // keeps a named template's name alive
    BOOL m_bInModalLoop;
    int m_nModalResult;
};
