// Dialog data exchange: the DDX_ functions move a value between a member and a
// control in the direction the CDataExchange gives, and refuse a bad value by
// telling the user and failing the whole exchange.
#pragma once

#include "win/Platform.h"
#include "core/Exception.h"
#include "core/String.h"
#include "win/Wnd.h"

class FRAMEWORK_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;          // the window holding the controls

    // The control nIDC, remembered as the one to put the focus back on when
    // the exchange fails. A missing control fails the exchange.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text is also selected on failure.
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control and throws CUserException.
    [[noreturn]] void Fail();

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Subclasses control nIDC into rControl the first time (rControl has no window yet).
FRAMEWORK_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

FRAMEWORK_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FRAMEWORK_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FRAMEWORK_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
FRAMEWORK_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
FRAMEWORK_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
