// The document base.
#include "win/Document.h"

#include <initializer_list>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_bModified(FALSE) {}

CDocument::~CDocument() {}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != NULL ? lpszTitle : "";
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL)
{
    m_strPathName = lpszPathName != NULL ? lpszPathName : "";
    int nStart = -1;
    for (char ch : {'\\', '/', ':'}) {
        const int nAt = m_strPathName.ReverseFind(ch);
        if (nAt > nStart)
            nStart = nAt;
    }
    SetTitle(m_strPathName.Mid(nStart + 1));
}
