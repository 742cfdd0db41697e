// CListCtrlOut: the rows of a report-view list control as a table source.
// The column names and the first row are read when the object is made,
// through 256-character buffers (so at most 255 characters of each arrive);
// later rows are read whole as the walk reaches them. The end test asks the
// control for its item count on every call, so rows deleted during the walk
// shorten it; a control that was empty when the object was made is at its
// end for good.
#pragma once

#include <afxcmn.h>

#include "export/ListOut.h"

class EXTKIT_API CListCtrlOut : public CAbstractListOut {
public:
    // The control is not owned and must outlive this object.
    explicit CListCtrlOut(CListCtrl* pList);
    virtual ~CListCtrlOut();

    int GetColumnCount() override;
    // An index outside the columns raises CInvalidArgException.
    CString GetColName(int nCol) override;
    CString GetCellValue(int nCol) override;
    bool IsEOF() override;
    void MoveNext() override;

protected:
    CListCtrl* m_pList;
    CStringArray m_arrColNames;
    CStringArray m_arrRow;
    int m_nRow;  // the current item; -1 when the control had no rows at the start

private:
    CListCtrlOut(const CListCtrlOut&) = delete;
    CListCtrlOut& operator=(const CListCtrlOut&) = delete;
};
