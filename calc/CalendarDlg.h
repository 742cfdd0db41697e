// CCalendarDlg: a small modal date picker that drops down under a date field.
// It holds only a month calendar; one click selects a day, a second click on
// the selected day (or Enter) confirms it, and leaving the application cancels.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CCalendarDlg : public CDialog {
public:
    // pParent is the window the dialog drops down under; it must not be null
    // (a null parent throws the invalid-argument exception).
    explicit CCalendarDlg(CWnd* pParent);
    virtual ~CCalendarDlg();

    CRect m_rcParent;  // the parent's screen rectangle at construction
    CMonthCalCtrl m_ctlCalendar;
    // The starting day (now by default); after IDOK the chosen day at 00:00:00.
    COleDateTime m_date;
    // A font for the calendar, or null for the template's; the caller keeps
    // it alive while the dialog runs. The dialog is sized to fit it.
    CFont* m_pFont;
    BOOL m_bCenter;  // centred instead of placed under the parent

    // Runs the dialog with the library's own resources.
    virtual INT_PTR DoModal();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    // The arrow keys go to the calendar, not to the dialog navigation.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // Takes the calendar's day at 00:00:00 and ends with IDOK.
    virtual void OnOK();

    void OnSelectMonthCalendar(NMHDR* pNMHDR, LRESULT* pResult);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);

    DECLARE_MESSAGE_MAP()

private:
    // Sizes the calendar to its minimal size, widened by the caption height,
    // and the dialog around it, keeping their places.
    void FitToCalendar();
};
