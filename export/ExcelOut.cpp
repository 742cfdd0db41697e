// OutExel: a table into a new workbook, cell by cell, through the
// spreadsheet's automation interface.
#include "export/ExcelOut.h"
#include "export/ExcelApi.h"
#include "export/OfficeOut.h"

namespace {

// Writes the sheet's rows in row-column addresses ("R1C1"), with the face and
// size the sheet had in its title cell as the fallback of every font record.
class CSheetWriter {
public:
    explicit CSheetWriter(LPDISPATCH lpSheet) : m_sheet(lpSheet) {}

    // The title cell: reads the sheet's own face and size, then writes.
    void WriteTitle(const OutFont& font, const char* pszTitle)
    {
        CExcelRange range(Range(1, 1, 1));
        CExcelFont rangeFont(range.GetFont());
        m_varFace = rangeFont.GetName();
        m_varSize = rangeFont.GetSize();
        ApplyFont(rangeFont, font);
        range.SetValue(COleVariant(pszTitle));
    }

    // Row r: the font over columns 1 to nColumns, then each cell's text.
    template <typename Text>
    void WriteRow(int r, int nColumns, const OutFont& font, Text text)
    {
        // A table without columns has no cells to address in its rows.
        if (nColumns < 1)
            return;
        {
            CExcelRange range(Range(r, 1, nColumns));
            CExcelFont rangeFont(range.GetFont());
            ApplyFont(rangeFont, font);
        }
        for (int i = 0; i < nColumns; ++i) {
            CExcelRange cell(Range(r, i + 1, i + 1));
            cell.SetValue(COleVariant(text(i)));
        }
    }

private:
    // Columns c1 to c2 of row r; a single cell is a range of one address twice.
    LPDISPATCH Range(int r, int c1, int c2)
    {
        CString strFirst, strLast;
        strFirst.Format("R%dC%d", r, c1);
        strLast.Format("R%dC%d", r, c2);
        return m_sheet.GetRange(COleVariant(strFirst), COleVariant(strLast));
    }

    // The face, then the boldness (always), then the size; a face or size
    // the record leaves open is the sheet's own.
    void ApplyFont(CExcelFont& rangeFont, const OutFont& font)
    {
        rangeFont.SetName(font.strName.IsEmpty() ? m_varFace : COleVariant(font.strName));
        rangeFont.SetBold(COleVariant(static_cast<long>(font.bBold ? 1 : 0)));
        rangeFont.SetSize(font.fSize > 0 ? COleVariant(font.fSize) : m_varSize);
    }

    CExcelWorksheet m_sheet;
    COleVariant m_varFace;
    COleVariant m_varSize;
};

OutFont ReadFont(const CAbstractListOut& list, void (CAbstractListOut::*pfnGet)(CString&, float&, bool&, LONG&) const)
{
    OutFont font;
    (list.*pfnGet)(font.strName, font.fSize, font.bBold, font.nAlign);
    return font;
}

}  // namespace

bool OutExel(CAbstractListOut* pList, bool bGroup, const char* pszParam)
{
    CExcelApplication app;
    if (!StartOfficeApplication(app, "Excel.Application", "Couldn't CreateDispatch on Excel"))
        return false;
    return RunAutomation([&] {
        app.SetVisible(FALSE);
        // Row-column addresses are what the export writes.
        const long nReferenceStyle = app.GetReferenceStyle();
        app.SetReferenceStyle(1);
        {
            CWaitCursor wait;
            CExcelWorkbooks workbooks(app.GetWorkbooks());
            CExcelWorkbook workbook(workbooks.Add(COleVariant(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR)));
            CExcelSheets sheets(workbook.GetSheets());
            CSheetWriter sheet(sheets.GetItem(COleVariant(static_cast<short>(1))));

            sheet.WriteTitle(ReadFont(*pList, &CAbstractListOut::GetFontTitle), pList->GetTitle());
            int r = 2;
            if (bGroup) {
                AfxMessageBox("Группировка Находится в разработке!", MB_OK | MB_SETFOREGROUND);
            } else {
                const int nColumns = pList->GetColumnCount();
                sheet.WriteRow(r++, nColumns, ReadFont(*pList, &CAbstractListOut::GetFontColumnHead),
                               [&](int i) { return pList->GetColName(i); });
                while (!pList->IsEOF()) {
                    sheet.WriteRow(r++, nColumns, ReadFont(*pList, &CAbstractListOut::GetFontCell),
                                   [&](int i) { return pList->GetCellValue(i); });
                    pList->MoveNext();
                }
            }
        }
        app.SetReferenceStyle(nReferenceStyle);
        app.SetVisible(TRUE);
        return true;
    });
}
