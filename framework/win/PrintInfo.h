// CPrintInfo: what a print job tells the object that prints it, page by page.
// The host runs the job: it calls OnPrepareDC and OnPrint of the printing
// object once per page with m_nCurPage set, from GetFromPage to GetToPage
// while m_bContinuePrinting holds. OnBeginPrinting may set the page count
// with SetMaxPage once it knows the document's length.
//
// This framework has no print dialog: a job prints its whole page range, so
// the pages printed are those from the minimum to the maximum page.
#pragma once

#include "win/Platform.h"
#include "core/Geometry.h"
#include "core/String.h"

struct CPrintInfo {
    CPrintInfo()
        : m_bDocObject(FALSE), m_bPreview(FALSE), m_bDirect(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1),
          m_nNumPreviewPages(1), m_lpUserData(NULL), m_nJobNumber(-1), m_nMinPage(1), m_nMaxPage(0xFFFF)
    {
    }

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    // 0xFFFF until the printing object knows the document's length.
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nMinPage; }
    UINT GetToPage() const { return m_nMaxPage; }
    // Page numbers are not offset by earlier documents of the same job.
    UINT GetOffsetPage() const { return 0; }

    BOOL m_bDocObject;         // printed as part of a compound document
    BOOL m_bPreview;           // shown on the screen instead of printed
    BOOL m_bDirect;            // printed without asking the user first
    BOOL m_bContinuePrinting;  // cleared by the printing object to stop early
    UINT m_nCurPage;           // the page being prepared or printed, from 1
    UINT m_nNumPreviewPages;   // pages shown side by side in a preview
    CString m_strPageDesc;     // how a preview names a page ("Page %u")
    LPVOID m_lpUserData;       // the printing object's own, untouched here
    CRect m_rectDraw;          // the usable area of the current page
    int m_nJobNumber;          // the spooler's job, -1 before it starts

private:
    UINT m_nMinPage;
    UINT m_nMaxPage;
};
