// The table source of the exports: a forward-only row cursor (column count,
// column names, the cells of the current row, end test, advance) with the
// export's title and three font records (title, column-name row, data rows).
// The host derives a source from CAbstractListOut, or uses CListCtrlOut over a
// report-view list, sets the title and fonts, and passes it to OutExel or
// OutToWord, which read it once from its current row to its end.
//
// The cursor protocol every consumer follows: GetColumnCount() once, before
// any row (call it n); GetColName(i) for i = 0..n-1; then while !IsEOF():
// GetCellValue(i) for i = 0..n-1, then MoveNext(). A new source stands on its
// first row, or reports IsEOF() at once; there is no rewind.
//
// Texts are Windows-1251.
#pragma once

#include <afx.h>

#include "frame/ExtkitApi.h"

// How one kind of row is written.
struct EXTKIT_API OutFont {
    OutFont();

    CString strName;  // face; empty keeps the face the sheet or document has
    float fSize;      // points; 0 or less keeps the size the sheet or document has
    bool bBold;       // always applied
    LONG nAlign;      // word processor's paragraph and table-row alignment; negative keeps the document's
};

class EXTKIT_API CAbstractListOut {
public:
    // The title empty, the three records at the defaults: no face, size 0,
    // not bold, alignment -1.
    CAbstractListOut();
    // Copy the three records and the title.
    CAbstractListOut(const CAbstractListOut& src);
    CAbstractListOut& operator=(const CAbstractListOut& src);
    virtual ~CAbstractListOut();

    virtual int GetColumnCount() = 0;
    // nCol from 0 to GetColumnCount() - 1.
    virtual CString GetColName(int nCol) = 0;
    // The text of column nCol in the current row.
    virtual CString GetCellValue(int nCol) = 0;
    // True when there is no current row.
    virtual bool IsEOF() = 0;
    virtual void MoveNext() = 0;

    // A null pointer stores an empty title.
    void SetTitle(const char* pszTitle);
    // Valid while the object lives and the title is not changed; never null.
    const char* GetTitle() const;

    // A null name stores an empty name.
    void SetFontTitle(const char* pszName, float fSize, bool bBold, LONG nAlign);
    void SetFontColumnHead(const char* pszName, float fSize, bool bBold, LONG nAlign);
    void SetFontCell(const char* pszName, float fSize, bool bBold, LONG nAlign);
    void GetFontTitle(CString& strName, float& fSize, bool& bBold, LONG& nAlign) const;
    void GetFontColumnHead(CString& strName, float& fSize, bool& bBold, LONG& nAlign) const;
    void GetFontCell(CString& strName, float& fSize, bool& bBold, LONG& nAlign) const;

    OutFont m_fontTitle;
    OutFont m_fontColumnHead;
    OutFont m_fontCell;
    CString m_strTitle;
};
