// OutToWord: a table into a new document, typed at the insertion point or
// filled into a table, through the word processor's automation interface.
#include "export/WordOut.h"
#include "export/OfficeOut.h"
#include "export/WordApi.h"

namespace {

// The document's own face and size, the fallback of every font record.
struct CDocumentFont {
    CString m_strFace;
    float m_fSize = 0;

    // The face, then the boldness (always), then the size.
    void Apply(CWordFont& font, const OutFont& record) const
    {
        font.SetName(record.strName.IsEmpty() ? m_strFace : record.strName);
        font.SetBold(record.bBold ? 1 : 0);
        font.SetSize(record.fSize > 0 ? record.fSize : m_fSize);
    }
};

OutFont ReadFont(const CAbstractListOut& list, void (CAbstractListOut::*pfnGet)(CString&, float&, bool&, LONG&) const)
{
    OutFont font;
    (list.*pfnGet)(font.strName, font.fSize, font.bBold, font.nAlign);
    return font;
}

class CWordWriter {
public:
    CWordWriter(CAbstractListOut* pList, CWordApplication& app, CWordDocument& document)
        : m_pList(pList), m_document(document), m_selection(app.GetSelection())
    {
    }

    // The title paragraph in the title record's font and alignment; the
    // paragraphs after it keep the document's own alignment.
    void WriteTitle()
    {
        const OutFont record = ReadFont(*m_pList, &CAbstractListOut::GetFontTitle);
        m_font.AttachDispatch(m_selection.GetFont());
        m_documentFont.m_strFace = m_font.GetName();
        m_documentFont.m_fSize = m_font.GetSize();
        m_documentFont.Apply(m_font, record);
        {
            CWordParagraphs paragraphs(m_selection.GetParagraphs());
            m_nAlignment = paragraphs.GetAlignment();
            paragraphs.SetAlignment(Alignment(record));
        }
        m_selection.TypeText(m_pList->GetTitle());
        m_selection.TypeParagraph();
        CWordParagraphs paragraphs(m_selection.GetParagraphs());
        paragraphs.SetAlignment(m_nAlignment);
    }

    void WriteTable(int nColumns)
    {
        const OutFont head = ReadFont(*m_pList, &CAbstractListOut::GetFontColumnHead);
        CWordTables tables(m_document.GetTables());
        COleVariant varBehavior(static_cast<short>(0)), varAutoFit(static_cast<short>(1));
        LPDISPATCH lpTable;
        {
            CWordRange range(m_selection.GetRange());
            lpTable = tables.Add(range.m_lpDispatch, 1, nColumns, &varBehavior, &varAutoFit);
        }
        CWordTable table(lpTable);
        CWordRows rows(table.GetRows());
        rows.SetAlignment(Alignment(head));
        WriteTableRow(CWordRow(rows.Item(1)), head, nColumns, [&](int i) { return m_pList->GetColName(i); });

        const OutFont cell = ReadFont(*m_pList, &CAbstractListOut::GetFontCell);
        rows.SetAlignment(Alignment(cell));
        while (!m_pList->IsEOF()) {
            COleVariant varMissing(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
            WriteTableRow(CWordRow(rows.Add(&varMissing)), cell, nColumns,
                          [&](int i) { return m_pList->GetCellValue(i); });
            m_pList->MoveNext();
        }
    }

    void WriteTabs(int nColumns)
    {
        m_documentFont.Apply(m_font, ReadFont(*m_pList, &CAbstractListOut::GetFontColumnHead));
        TypeFields(nColumns, [&](int i) { return m_pList->GetColName(i); });
        m_documentFont.Apply(m_font, ReadFont(*m_pList, &CAbstractListOut::GetFontCell));
        while (!m_pList->IsEOF()) {
            m_selection.TypeParagraph();
            TypeFields(nColumns, [&](int i) { return m_pList->GetCellValue(i); });
            m_pList->MoveNext();
        }
    }

    // The separator is typed in the column-name font.
    void WriteFields(int nColumns)
    {
        while (!m_pList->IsEOF()) {
            for (int i = 0; i < nColumns; ++i) {
                m_documentFont.Apply(m_font, ReadFont(*m_pList, &CAbstractListOut::GetFontColumnHead));
                m_selection.TypeText(m_pList->GetColName(i));
                m_selection.TypeText(" :\t");
                m_documentFont.Apply(m_font, ReadFont(*m_pList, &CAbstractListOut::GetFontCell));
                m_selection.TypeText(m_pList->GetCellValue(i));
                m_selection.TypeParagraph();
            }
            m_selection.TypeParagraph();
            m_selection.TypeParagraph();
            m_pList->MoveNext();
        }
    }

private:
    // A record's alignment, or the document's when the record leaves it open.
    long Alignment(const OutFont& record) const { return record.nAlign >= 0 ? record.nAlign : m_nAlignment; }

    // The row's font, then its cells' texts.
    template <typename Text>
    void WriteTableRow(CWordRow row, const OutFont& record, int nColumns, Text text)
    {
        {
            CWordRange range(row.GetRange());
            CWordFont font(range.GetFont());
            m_documentFont.Apply(font, record);
        }
        CWordCells cells(row.GetCells());
        for (int i = 0; i < nColumns; ++i) {
            CWordCell cell(cells.Item(i + 1));
            CWordRange range(cell.GetRange());
            range.InsertAfter(text(i));
        }
    }

    // The fields of one line, split by tabs.
    template <typename Text>
    void TypeFields(int nColumns, Text text)
    {
        for (int i = 0; i < nColumns; ++i) {
            if (i > 0)
                m_selection.TypeText("\t");
            m_selection.TypeText(text(i));
        }
    }

    CAbstractListOut* m_pList;
    CWordDocument& m_document;
    CWordSelection m_selection;
    CWordFont m_font;  // the selection's
    CDocumentFont m_documentFont;
    long m_nAlignment = 0;  // the document's own
};

}  // namespace

bool OutToWord(CAbstractListOut* pList, eTypeOutWord eType, const char* pszTemplate)
{
    CWordApplication app;
    if (!StartOfficeApplication(app, "Word.Application", "Couldn't CreateDispatch on Word"))
        return false;
    return RunAutomation([&] {
        app.SetVisible(FALSE);
        CWaitCursor wait;
        CWordDocuments documents(app.GetDocuments());
        const COleVariant varMissing(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
        COleVariant varTemplate =
            pszTemplate != nullptr && *pszTemplate != '\0' ? COleVariant(pszTemplate) : varMissing;
        COleVariant varNewTemplate(varMissing), varDocumentType(varMissing), varVisible(varMissing);
        CWordDocument document(documents.Add(&varTemplate, &varNewTemplate, &varDocumentType, &varVisible));

        CWordWriter writer(pList, app, document);
        writer.WriteTitle();
        const int nColumns = pList->GetColumnCount();
        switch (eType) {
        case eTypeOutWordTable:
            writer.WriteTable(nColumns);
            break;
        case eTypeOutWordTabs:
            writer.WriteTabs(nColumns);
            break;
        case eTypeOutWordFields:
            writer.WriteFields(nColumns);
            break;
        default:
            return false;
        }
        app.SetVisible(TRUE);
        return true;
    });
}
