// The word-processor stand-in ("Word.Application"): documents of paragraphs
// (runs of text with their fonts, an alignment each) and tables (rows of
// cells), an insertion point at the end of the last paragraph, reached
// through exactly the members the export uses. Made visible, it saves each
// document as an XML document (the 2003 format) into the save folder.
#include "Office.h"
#include "Xml.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct CWdFont {
    std::wstring m_strName = L"Times New Roman";
    float m_fSize = 12;
    bool m_bBold = false;

    bool operator==(const CWdFont& other) const
    {
        return m_strName == other.m_strName && m_fSize == other.m_fSize && m_bBold == other.m_bBold;
    }
};

struct CWdRun {
    std::wstring m_strText;
    CWdFont m_font;
};

struct CWdParagraph {
    std::vector<CWdRun> m_runs;
    long m_nAlignment = 0;

    void Append(const std::wstring& strText, const CWdFont& font)
    {
        if (strText.empty())
            return;
        if (!m_runs.empty() && m_runs.back().m_font == font)
            m_runs.back().m_strText += strText;
        else
            m_runs.push_back({strText, font});
    }
    template <typename Change>
    void ForEachFont(Change change)
    {
        for (CWdRun& run : m_runs)
            change(run.m_font);
    }
};

struct CWdCell {
    CWdParagraph m_paragraph;
    CWdFont m_markFont;  // what text typed into the empty cell gets
};

struct CWdRow {
    std::vector<std::shared_ptr<CWdCell>> m_cells;
    long m_nAlignment = 0;
};

struct CWdTable {
    std::vector<std::shared_ptr<CWdRow>> m_rows;
};

// A paragraph or a table.
struct CWdBlock {
    std::shared_ptr<CWdParagraph> m_pParagraph;
    std::shared_ptr<CWdTable> m_pTable;
};

struct CWdDocument {
    std::vector<CWdBlock> m_blocks{{std::make_shared<CWdParagraph>(), nullptr}};
    CWdFont m_font;  // the insertion point's
    std::wstring m_strTemplate;
    std::wstring m_strPath;  // where it was saved, once it was

    // The paragraph of the insertion point: always the last block.
    CWdParagraph& Current() { return *m_blocks.back().m_pParagraph; }

    void TypeParagraph()
    {
        auto pParagraph = std::make_shared<CWdParagraph>();
        pParagraph->m_nAlignment = Current().m_nAlignment;
        m_blocks.push_back({pParagraph, nullptr});
    }
    // Text at the insertion point; a line break ends the paragraph.
    void TypeText(const std::wstring& strText)
    {
        size_t nStart = 0;
        for (size_t i = 0; i <= strText.size(); ++i) {
            if (i < strText.size() && strText[i] != L'\r' && strText[i] != L'\n')
                continue;
            Current().Append(strText.substr(nStart, i - nStart), m_font);
            if (i < strText.size()) {
                if (strText[i] == L'\r' && i + 1 < strText.size() && strText[i + 1] == L'\n')
                    ++i;
                TypeParagraph();
            }
            nStart = i + 1;
        }
    }
    // A table at the insertion point: in place of an empty paragraph (which
    // then follows the table), or after a paragraph that has text.
    void InsertTable(const std::shared_ptr<CWdTable>& pTable)
    {
        if (!Current().m_runs.empty())
            TypeParagraph();
        m_blocks.insert(m_blocks.end() - 1, {nullptr, pTable});
    }
};

struct CWdApp {
    std::vector<std::shared_ptr<CWdDocument>> m_documents;
};

// ---------------------------------------------------------------- saving

const int c_nTextWidth = 9355;  // twips between the margins of an A4 page

std::string RunXml(const CWdFont& font)
{
    const std::string strFace = XmlText(font.m_strName, true);
    const std::string strSize = std::to_string(std::lround(font.m_fSize * 2));
    return "<w:rPr><w:rFonts w:ascii=\"" + strFace + "\" w:h-ansi=\"" + strFace + "\" w:cs=\"" + strFace + "\"/>" +
           (font.m_bBold ? "<w:b/>" : "") + "<w:sz w:val=\"" + strSize + "\"/><w:sz-cs w:val=\"" + strSize +
           "\"/></w:rPr>";
}

const char* ParagraphAlignment(long nAlignment)
{
    static const char* const s_apszNames[] = {"left",        "center",         "right", "both",
                                              "distribute",  "medium-kashida", "left",  "high-kashida",
                                              "low-kashida", "thai-distribute"};
    return nAlignment >= 0 && nAlignment <= 9 ? s_apszNames[nAlignment] : "left";
}

// pMarkFont: the paragraph mark's font, written for a table cell.
std::string ParagraphXml(const CWdParagraph& paragraph, const CWdFont* pMarkFont = nullptr)
{
    std::string strXml = "<w:p>";
    if (paragraph.m_nAlignment != 0 || pMarkFont != nullptr) {
        strXml += "<w:pPr>";
        if (paragraph.m_nAlignment != 0)
            strXml += std::string("<w:jc w:val=\"") + ParagraphAlignment(paragraph.m_nAlignment) + "\"/>";
        if (pMarkFont != nullptr)
            strXml += RunXml(*pMarkFont);
        strXml += "</w:pPr>";
    }
    for (const CWdRun& run : paragraph.m_runs) {
        strXml += "<w:r>" + RunXml(run.m_font);
        size_t nStart = 0;
        for (size_t nTab; (nTab = run.m_strText.find(L'\t', nStart)) != std::wstring::npos; nStart = nTab + 1) {
            if (nTab > nStart)
                strXml += "<w:t>" + XmlText(run.m_strText.substr(nStart, nTab - nStart)) + "</w:t>";
            strXml += "<w:tab/>";
        }
        if (nStart < run.m_strText.size())
            strXml += "<w:t>" + XmlText(run.m_strText.substr(nStart)) + "</w:t>";
        strXml += "</w:r>";
    }
    return strXml + "</w:p>\n";
}

const char* RowAlignment(long nAlignment)
{
    return nAlignment == 1 ? "center" : nAlignment == 2 ? "right" : "left";
}

std::string TableXml(const CWdTable& table)
{
    const size_t nColumns = table.m_rows.empty() ? 0 : table.m_rows.front()->m_cells.size();
    const long nFirstAlignment = table.m_rows.empty() ? 0 : table.m_rows.front()->m_nAlignment;
    std::string strXml = std::string("<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:jc w:val=\"") +
                         RowAlignment(nFirstAlignment) + "\"/><w:tblBorders>";
    for (const char* pszSide : {"top", "left", "bottom", "right", "insideH", "insideV"})
        strXml += std::string("<w:") + pszSide + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>";
    strXml += "</w:tblBorders></w:tblPr>\n<w:tblGrid>";
    const std::string strWidth = std::to_string(nColumns > 0 ? c_nTextWidth / static_cast<int>(nColumns) : 0);
    for (size_t i = 0; i < nColumns; ++i)
        strXml += "<w:gridCol w:w=\"" + strWidth + "\"/>";
    strXml += "</w:tblGrid>\n";
    for (const auto& pRow : table.m_rows) {
        strXml += "<w:tr>";
        if (pRow->m_nAlignment != nFirstAlignment)
            strXml += std::string("<w:trPr><w:jc w:val=\"") + RowAlignment(pRow->m_nAlignment) + "\"/></w:trPr>";
        for (const auto& pCell : pRow->m_cells)
            strXml += "<w:tc><w:tcPr><w:tcW w:w=\"0\" w:type=\"auto\"/></w:tcPr>" +
                      ParagraphXml(pCell->m_paragraph, &pCell->m_markFont) + "</w:tc>";
        strXml += "</w:tr>\n";
    }
    return strXml + "</w:tbl>\n";
}

std::string DocumentXml(const CWdDocument& document)
{
    std::string strXml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                         "<?mso-application progid=\"Word.Document\"?>\n"
                         "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\""
                         " xml:space=\"preserve\">\n"
                         "<w:docPr><w:view w:val=\"print\"/>";
    if (!document.m_strTemplate.empty())
        strXml += "<w:attachedTemplate w:val=\"" + XmlText(document.m_strTemplate, true) + "\"/>";
    strXml += "</w:docPr>\n<w:body>\n";
    for (const CWdBlock& block : document.m_blocks)
        strXml += block.m_pTable != nullptr ? TableXml(*block.m_pTable) : ParagraphXml(*block.m_pParagraph);
    return strXml + "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1134\" w:right=\"850\""
                    " w:bottom=\"1134\" w:left=\"1701\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/>"
                    "</w:sectPr>\n</w:body>\n</w:wordDocument>\n";
}

// ---------------------------------------------------------------- objects

[[noreturn]] void OutOfRange()
{
    ThrowServerError(4608, L"Значение вне допустимого диапазона.");
}

[[noreturn]] void NoSuchMember()
{
    ThrowServerError(5941, L"Запрашиваемый элемент семейства не существует.");
}

// What a range or font stands for: the insertion point of a document (no row
// and no cell), a table row, or a table cell.
struct CWdTarget {
    std::shared_ptr<CWdDocument> m_pDocument;
    std::shared_ptr<CWdRow> m_pRow;
    std::shared_ptr<CWdCell> m_pCell;

    CWdFont GetFont() const
    {
        const CWdCell* pCell = m_pCell ? m_pCell.get() : m_pRow ? m_pRow->m_cells.front().get() : nullptr;
        if (pCell == nullptr)
            return m_pDocument->m_font;
        return pCell->m_paragraph.m_runs.empty() ? pCell->m_markFont : pCell->m_paragraph.m_runs.front().m_font;
    }
    template <typename Change>
    void ChangeFont(Change change) const
    {
        if (!m_pRow && !m_pCell)
            return change(m_pDocument->m_font);
        for (const auto& pCell : m_pCell ? std::vector<std::shared_ptr<CWdCell>>{m_pCell} : m_pRow->m_cells) {
            change(pCell->m_markFont);
            pCell->m_paragraph.ForEachFont(change);
        }
    }
};

class CWdFontObject : public CAutoObject {
public:
    explicit CWdFontObject(const CWdTarget& target) : CAutoObject("Font", Members()), m_target(target) {}

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {
            {"Name", 142, kindGet, ""},  {"Name", 142, kindPut, "s"}, {"Size", 141, kindGet, ""},
            {"Size", 141, kindPut, "f"}, {"Bold", 130, kindPut, "i"},
        };
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        if (member.m_kind == kindGet) {
            const CWdFont font = m_target.GetFont();
            return member.m_dispid == 142 ? Return(result, font.m_strName) : Return(result, font.m_fSize);
        }
        switch (member.m_dispid) {
        case 142: {
            const std::wstring strName = args.String(0);
            if (strName.empty())
                OutOfRange();
            return m_target.ChangeFont([&](CWdFont& font) { font.m_strName = strName; });
        }
        case 141: {
            const float fSize = args.Float(0);
            if (!(fSize >= 1 && fSize <= 1638))
                OutOfRange();
            return m_target.ChangeFont([&](CWdFont& font) { font.m_fSize = std::round(fSize * 2) / 2; });
        }
        default: {
            const bool bBold = args.Long(0) != 0;
            return m_target.ChangeFont([&](CWdFont& font) { font.m_bBold = bBold; });
        }
        }
    }

private:
    CWdTarget m_target;
};

class CWdRange : public CAutoObject {
public:
    explicit CWdRange(const CWdTarget& target) : CAutoObject("Range", Members()), m_target(target) {}
    const CWdTarget& GetTarget() const { return m_target; }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"InsertAfter", 104, kindMethod, "s"}, {"Font", 5, kindGet, ""}};
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        if (member.m_dispid == 5)
            return Return(result, new CWdFontObject(m_target));
        const std::wstring strText = args.String(0);
        if (m_target.m_pCell) {
            CWdParagraph& paragraph = m_target.m_pCell->m_paragraph;
            paragraph.Append(strText,
                             paragraph.m_runs.empty() ? m_target.m_pCell->m_markFont : paragraph.m_runs.back().m_font);
        } else if (m_target.m_pRow) {
            ThrowServerError(4605, L"Этот метод или свойство недоступны для строки таблицы.");
        } else {
            m_target.m_pDocument->TypeText(strText);
        }
    }

private:
    CWdTarget m_target;
};

class CWdCellObject : public CAutoObject {
public:
    CWdCellObject(std::shared_ptr<CWdDocument> pDocument, std::shared_ptr<CWdCell> pCell)
        : CAutoObject("Cell", Members()), m_target{std::move(pDocument), nullptr, std::move(pCell)}
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Range", 0, kindGet, ""}};
        return s_members;
    }
    void Call(const CMember&, const CArgs&, VARIANT& result) override { Return(result, new CWdRange(m_target)); }

private:
    CWdTarget m_target;
};

class CWdCells : public CAutoObject {
public:
    CWdCells(std::shared_ptr<CWdDocument> pDocument, std::shared_ptr<CWdRow> pRow)
        : CAutoObject("Cells", Members()), m_pDocument(std::move(pDocument)), m_pRow(std::move(pRow))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Item", 0, kindMethod, "i"}};
        return s_members;
    }
    void Call(const CMember&, const CArgs& args, VARIANT& result) override
    {
        const long nIndex = args.Long(0);
        if (nIndex < 1 || nIndex > static_cast<long>(m_pRow->m_cells.size()))
            NoSuchMember();
        Return(result, new CWdCellObject(m_pDocument, m_pRow->m_cells[static_cast<size_t>(nIndex - 1)]));
    }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
    std::shared_ptr<CWdRow> m_pRow;
};

class CWdRowObject : public CAutoObject {
public:
    CWdRowObject(std::shared_ptr<CWdDocument> pDocument, std::shared_ptr<CWdRow> pRow)
        : CAutoObject("Row", Members()), m_target{std::move(pDocument), std::move(pRow), nullptr}
    {
    }
    const std::shared_ptr<CWdRow>& GetRow() const { return m_target.m_pRow; }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Range", 0, kindGet, ""}, {"Cells", 100, kindGet, ""}};
        return s_members;
    }
    void Call(const CMember& member, const CArgs&, VARIANT& result) override
    {
        if (member.m_dispid == 0)
            return Return(result, new CWdRange(m_target));
        Return(result, new CWdCells(m_target.m_pDocument, m_target.m_pRow));
    }

private:
    CWdTarget m_target;
};

class CWdRows : public CAutoObject {
public:
    CWdRows(std::shared_ptr<CWdDocument> pDocument, std::shared_ptr<CWdTable> pTable)
        : CAutoObject("Rows", Members()), m_pDocument(std::move(pDocument)), m_pTable(std::move(pTable))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {
            {"Item", 0, kindMethod, "i"}, {"Add", 100, kindMethod, "V"}, {"Alignment", 4, kindPut, "i"}};
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        auto& rows = m_pTable->m_rows;
        switch (member.m_dispid) {
        case 0: {
            const long nIndex = args.Long(0);
            if (nIndex < 1 || nIndex > static_cast<long>(rows.size()))
                NoSuchMember();
            return Return(result, new CWdRowObject(m_pDocument, rows[static_cast<size_t>(nIndex - 1)]));
        }
        case 100: {
            // Before the given row, or at the end; formatted as the row it follows.
            auto itBefore = rows.end();
            if (!args.IsMissing(0)) {
                auto* pBefore = dynamic_cast<CWdRowObject*>(args.Object(0));
                itBefore = pBefore != nullptr ? std::find(rows.begin(), rows.end(), pBefore->GetRow()) : rows.end();
                if (itBefore == rows.end())
                    NoSuchMember();
            }
            const CWdRow& model = **(itBefore == rows.begin() ? itBefore : itBefore - 1);
            auto pRow = std::make_shared<CWdRow>();
            pRow->m_nAlignment = model.m_nAlignment;
            for (const auto& pCell : model.m_cells) {
                pRow->m_cells.push_back(std::make_shared<CWdCell>());
                pRow->m_cells.back()->m_markFont = pCell->m_markFont;
                pRow->m_cells.back()->m_paragraph.m_nAlignment = pCell->m_paragraph.m_nAlignment;
            }
            rows.insert(itBefore, pRow);
            return Return(result, new CWdRowObject(m_pDocument, pRow));
        }
        default: {
            const long nAlignment = args.Long(0);
            if (nAlignment < 0 || nAlignment > 2)
                OutOfRange();
            for (const auto& pRow : rows)
                pRow->m_nAlignment = nAlignment;
        }
        }
    }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
    std::shared_ptr<CWdTable> m_pTable;
};

class CWdTableObject : public CAutoObject {
public:
    CWdTableObject(std::shared_ptr<CWdDocument> pDocument, std::shared_ptr<CWdTable> pTable)
        : CAutoObject("Table", Members()), m_pDocument(std::move(pDocument)), m_pTable(std::move(pTable))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Rows", 101, kindGet, ""}};
        return s_members;
    }
    void Call(const CMember&, const CArgs&, VARIANT& result) override
    {
        Return(result, new CWdRows(m_pDocument, m_pTable));
    }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
    std::shared_ptr<CWdTable> m_pTable;
};

class CWdTables : public CAutoObject {
public:
    explicit CWdTables(std::shared_ptr<CWdDocument> pDocument)
        : CAutoObject("Tables", Members()), m_pDocument(std::move(pDocument))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Add", 200, kindMethod, "diiVV"}};
        return s_members;
    }

    // The behaviour arguments are taken as given: the table has borders and
    // fits its contents either way.
    void Call(const CMember&, const CArgs& args, VARIANT& result) override
    {
        auto* pRange = dynamic_cast<CWdRange*>(args.Object(0));
        if (pRange == nullptr || pRange->GetTarget().m_pDocument != m_pDocument || pRange->GetTarget().m_pRow ||
            pRange->GetTarget().m_pCell)
            ThrowServerError(4605, L"Этот метод или свойство недоступны для этого диапазона.");
        const long nRows = args.Long(1), nColumns = args.Long(2);
        if (nRows < 1 || nRows > 32767 || nColumns < 1 || nColumns > 63)
            OutOfRange();
        auto pTable = std::make_shared<CWdTable>();
        for (long r = 0; r < nRows; ++r) {
            pTable->m_rows.push_back(std::make_shared<CWdRow>());
            for (long c = 0; c < nColumns; ++c) {
                pTable->m_rows.back()->m_cells.push_back(std::make_shared<CWdCell>());
                pTable->m_rows.back()->m_cells.back()->m_markFont = m_pDocument->m_font;
            }
        }
        m_pDocument->InsertTable(pTable);
        Return(result, new CWdTableObject(m_pDocument, pTable));
    }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
};

class CWdDocumentObject : public CAutoObject {
public:
    explicit CWdDocumentObject(std::shared_ptr<CWdDocument> pDocument)
        : CAutoObject("Document", Members()), m_pDocument(std::move(pDocument))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Tables", 6, kindGet, ""}};
        return s_members;
    }
    void Call(const CMember&, const CArgs&, VARIANT& result) override { Return(result, new CWdTables(m_pDocument)); }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
};

class CWdParagraphs : public CAutoObject {
public:
    explicit CWdParagraphs(std::shared_ptr<CWdDocument> pDocument)
        : CAutoObject("Paragraphs", Members()), m_pDocument(std::move(pDocument))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Alignment", 101, kindGet, ""},
                                                       {"Alignment", 101, kindPut, "i"}};
        return s_members;
    }
    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        if (member.m_kind == kindGet)
            return Return(result, m_pDocument->Current().m_nAlignment);
        const long nAlignment = args.Long(0);
        if (nAlignment < 0 || nAlignment > 9 || nAlignment == 6)
            OutOfRange();
        m_pDocument->Current().m_nAlignment = nAlignment;
    }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
};

class CWdSelection : public CAutoObject {
public:
    explicit CWdSelection(std::shared_ptr<CWdDocument> pDocument)
        : CAutoObject("Selection", Members()), m_pDocument(std::move(pDocument))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {
            {"Font", 5, kindGet, ""},           {"Paragraphs", 59, kindGet, ""},        {"Range", 400, kindGet, ""},
            {"TypeText", 507, kindMethod, "s"}, {"TypeParagraph", 512, kindMethod, ""},
        };
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        switch (member.m_dispid) {
        case 5:
            return Return(result, new CWdFontObject({m_pDocument, nullptr, nullptr}));
        case 59:
            return Return(result, new CWdParagraphs(m_pDocument));
        case 400:
            return Return(result, new CWdRange({m_pDocument, nullptr, nullptr}));
        case 507:
            return m_pDocument->TypeText(args.String(0));
        default:
            return m_pDocument->TypeParagraph();
        }
    }

private:
    std::shared_ptr<CWdDocument> m_pDocument;
};

class CWdDocuments : public CAutoObject {
public:
    explicit CWdDocuments(std::shared_ptr<CWdApp> pApp) : CAutoObject("Documents", Members()), m_pApp(std::move(pApp))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Add", 14, kindMethod, "VVVV"}};
        return s_members;
    }

    // Template, NewTemplate, DocumentType, Visible: a template must exist;
    // the others change nothing here.
    void Call(const CMember&, const CArgs& args, VARIANT& result) override
    {
        auto pDocument = std::make_shared<CWdDocument>();
        if (!args.IsMissing(0))
            pDocument->m_strTemplate = args.String(0);
        if (!pDocument->m_strTemplate.empty() &&
            ::GetFileAttributesW(pDocument->m_strTemplate.c_str()) == INVALID_FILE_ATTRIBUTES)
            ThrowServerError(5151, L"Не удаётся открыть шаблон " + pDocument->m_strTemplate + L".");
        m_pApp->m_documents.push_back(pDocument);
        Return(result, new CWdDocumentObject(pDocument));
    }

private:
    std::shared_ptr<CWdApp> m_pApp;
};

class CWdApplication : public CAutoObject {
public:
    CWdApplication() : CAutoObject("Application", Members()), m_pApp(std::make_shared<CWdApp>()) {}

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {
            {"Visible", 23, kindPut, "b"}, {"Documents", 6, kindGet, ""}, {"Selection", 5, kindGet, ""}};
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        switch (member.m_dispid) {
        case 23:
            if (args.Bool(0))
                Save();
            return;
        case 6:
            return Return(result, new CWdDocuments(m_pApp));
        default:
            if (m_pApp->m_documents.empty())
                ThrowServerError(4248, L"Команда недоступна, так как нет открытых документов.");
            return Return(result, new CWdSelection(m_pApp->m_documents.back()));
        }
    }

private:
    void Save()
    {
        const std::wstring strFolder = GetSaveFolder();
        if (strFolder.empty())
            return;
        for (const auto& pDocument : m_pApp->m_documents) {
            if (pDocument->m_strPath.empty())
                pDocument->m_strPath = NextFreeFile(strFolder, L"Document");
            if (!WriteFileUtf8(pDocument->m_strPath, DocumentXml(*pDocument)))
                ThrowServerError(5096, L"Не удаётся сохранить документ в " + pDocument->m_strPath + L".");
        }
    }

    std::shared_ptr<CWdApp> m_pApp;
};

}  // namespace

CAutoObject* CreateWordApplication()
{
    return new CWdApplication;
}
