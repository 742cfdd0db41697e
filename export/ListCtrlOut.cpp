// CListCtrlOut: reading a report-view list control.
#include "export/ListCtrlOut.h"

namespace {
// The buffer of the first reads, in characters with the terminating zero.
const int c_nFirstReadChars = 256;

// The text a read left: the control may answer with a buffer of its own, and
// a control converting from Unicode may fill ours to the brim without the
// zero (Wine's do), so the end of ours is made sure of.
const char* FirstReadText(const char* pszAnswer, char (&szBuffer)[c_nFirstReadChars])
{
    if (pszAnswer == nullptr)
        return "";
    szBuffer[c_nFirstReadChars - 1] = '\0';
    return pszAnswer;
}
}  // namespace

CListCtrlOut::CListCtrlOut(CListCtrl* pList) : m_pList(pList), m_nRow(-1)
{
    char szText[c_nFirstReadChars];
    CHeaderCtrl* pHeader = m_pList->GetHeaderCtrl();
    const int nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    for (int i = 0; i < nColumns; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = szText;
        item.cchTextMax = c_nFirstReadChars;
        szText[0] = '\0';
        pHeader->GetItem(i, &item);
        m_arrColNames.Add(FirstReadText(item.pszText, szText));
    }
    if (m_pList->GetItemCount() < 1)
        return;
    for (int i = 0; i < m_arrColNames.GetSize(); ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = 0;
        item.iSubItem = i;
        item.pszText = szText;
        item.cchTextMax = c_nFirstReadChars;
        szText[0] = '\0';
        m_pList->GetItem(&item);
        m_arrRow.Add(FirstReadText(item.pszText, szText));
    }
    m_nRow = 0;
}

CListCtrlOut::~CListCtrlOut() {}

int CListCtrlOut::GetColumnCount()
{
    return static_cast<int>(m_arrColNames.GetSize());
}

CString CListCtrlOut::GetColName(int nCol)
{
    return m_arrColNames.GetAt(nCol);
}

CString CListCtrlOut::GetCellValue(int nCol)
{
    return m_arrRow.GetAt(nCol);
}

bool CListCtrlOut::IsEOF()
{
    return m_nRow == -1 || m_nRow >= m_pList->GetItemCount();
}

void CListCtrlOut::MoveNext()
{
    if (IsEOF())
        return;
    ++m_nRow;
    if (IsEOF())
        return;
    for (int i = 0; i < GetColumnCount(); ++i)
        m_arrRow.SetAt(i, m_pList->GetItemText(m_nRow, i));
}
