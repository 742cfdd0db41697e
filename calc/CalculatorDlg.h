// The calculator dialog: a small modal calculator that a host opens with a
// value and a precision, centred or dropped down under a field, and whose
// result text it reads from m_strValue after IDOK. Every button and key goes
// to a CCalculatorEngine; the dialog shows the engine's texts.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "calc/CalcRes.h"
#include "calc/CalculatorEngine.h"
#include "frame/ExtkitApi.h"

class EXTKIT_API CCalculatorDlg : public CDialog {
public:
    enum { IDD = IDD_CALCULATOR };
    enum { nButtonCount = 29 };

    // pszValue: the initial value text, NULL for none. nPrecision: decimals
    // (0 to 10). pParent: the parent window, in drop-down mode also the window
    // under which the calculator drops down. bDropDown: no caption, placed
    // under pParent, and closed when the user switches to another application.
    CCalculatorDlg(const char* pszValue = NULL, int nPrecision = 2, CWnd* pParent = NULL, bool bDropDown = false);
    virtual ~CCalculatorDlg();

    CToolTipCtrl m_toolTip;
    CImageList m_imageList;
    CTypedPtrArray<CPtrArray, CButton*> m_arrButtons;  // in the order of the key table
    CButton* m_pPressedBtn;                            // shown pressed by a key that is down
    int m_nPrecision;
    bool m_bNewEntry;
    bool m_bDropDown;
    int m_nLeft, m_nTop;  // drop-down position: the parent's left and bottom edge
    CComboBox m_cbPrecision;
    CComboBox m_cbMemory;
    CStatic m_stResult;
    CStatic m_stOperation;
    CEdit m_edValue;
    CString m_strValue;  // the entry; the result after IDOK

    // Runs the dialog with this library's resources: IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The button of m_arrButtons with control ID nID, NULL if none.
    CButton* GetBtnFromList(UINT nID);
    CString GetOperValue(const char* pszValue, const char* pszAccum, char chOper);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnCancel();

    void OnBtnNumClick(UINT nID);
    void OnButtonPoint();
    void OnButtonSign();
    void OnButtonBack();
    void OnButtonDelop();
    void OnButtonClearCalc();
    void OnButtonAdd();
    void OnButtonSub();
    void OnButtonMul();
    void OnButtonDiv();
    void OnButtonEq();
    void OnButtonProc();
    void OnButtonSqrt();
    void OnButtonSubdiv();
    void OnButtonMc();
    void OnButtonMr();
    void OnButtonMs();
    void OnButtonMadd();
    void OnButtonCopy();
    void OnSelendokPrecList();
    void OnEditCopy();
    void OnEditCut();
    void OnEditUndo();
    void OnEditSelectAll();
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // Detaches and deletes the buttons and frees their icons and the list.
    void ReleaseButtons();
    // Shows the engine's accumulator, operation and entry.
    void ShowEngine();
    // The memory list's selection becomes the engine's.
    void TakeMemorySelection();
    // A refused key: the user hears it, nothing else happens.
    static void Refuse();

    CCalculatorEngine m_engine;
    bool m_bPositioned;  // m_nLeft and m_nTop came from a parent
};
