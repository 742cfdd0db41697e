// The month calendar control: each member sends the control's own message.
// Dates pass as SYSTEMTIME or as COleDateTime; the control works in whole days,
// so the dates read back carry the time 00:00:00.
#pragma once

#include "win/Platform.h"
#include "core/DateTime.h"
#include "win/Wnd.h"

class FRAMEWORK_API CMonthCalCtrl : public CWnd {
    DECLARE_DYNAMIC(CMonthCalCtrl)
public:
    CMonthCalCtrl();
    virtual ~CMonthCalCtrl();

    // A child control with the given rectangle.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // A child control at pt, as small as it can be drawn in.
    virtual BOOL Create(DWORD dwStyle, const POINT& pt, CWnd* pParentWnd, UINT nID);

    // The smallest rectangle showing one whole month, at (0, 0).
    BOOL GetMinReqRect(RECT* pRect) const;
    // Shrinks or grows the control to that rectangle, keeping its position.
    BOOL SizeMinReq(BOOL bRepaint = TRUE);

    // The selected day (the first one of a range selection).
    BOOL GetCurSel(COleDateTime& refDateTime) const;
    BOOL GetCurSel(LPSYSTEMTIME pDateTime) const;
    // FALSE when the control refuses the day (an invalid date, one outside
    // its range) and keeps its selection.
    BOOL SetCurSel(const COleDateTime& refDateTime);
    BOOL SetCurSel(const LPSYSTEMTIME pDateTime);

    // The day the control marks as today.
    BOOL GetToday(COleDateTime& refDateTime) const;
    BOOL GetToday(LPSYSTEMTIME pDateTime) const;
    void SetToday(const COleDateTime& refDateTime);
    void SetToday(const LPSYSTEMTIME pDateTime);

    // The first and last day shown (GMR_VISIBLE: whole months only;
    // GMR_DAYSTATE: with the days of the neighbouring months); answers the
    // number of months.
    int GetMonthRange(COleDateTime& refMinRange, COleDateTime& refMaxRange, DWORD dwFlags) const;

    // What lies under pMCHitTest->pt (client coordinates): an MCHT_ code, with
    // the day in pMCHitTest->st on a date. The caller sets cbSize.
    DWORD HitTest(PMCHITTESTINFO pMCHitTest)
    {
        return static_cast<DWORD>(SendMessage(MCM_HITTEST, 0, reinterpret_cast<LPARAM>(pMCHitTest)));
    }
};
