// The spreadsheet stand-in ("Excel.Application"): an application with
// workbooks of three sheets whose cells keep a value and a font, reached
// through exactly the members the export uses. Made visible, it saves each
// workbook as an XML spreadsheet (the 2003 format) into the save folder.
#include "Office.h"
#include "Xml.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>

namespace {

const int c_nMaxRow = 65536;
const int c_nMaxColumn = 256;
const long c_nStyleR1C1 = -4150;
const long c_nStyleA1 = 1;

struct CXlFont {
    std::wstring m_strName = L"Arial";
    float m_fSize = 10;
    bool m_bBold = false;

    bool operator==(const CXlFont& other) const
    {
        return m_strName == other.m_strName && m_fSize == other.m_fSize && m_bBold == other.m_bBold;
    }
};

struct CXlCell {
    enum EType { none, text, number, boolean } m_type = none;
    std::wstring m_strText;
    double m_dValue = 0;
    CXlFont m_font;
};

struct CXlSheet {
    std::wstring m_strName;
    std::map<std::pair<int, int>, CXlCell> m_cells;  // (row, column), from 1
};

struct CXlBook {
    std::vector<std::shared_ptr<CXlSheet>> m_sheets;
    std::wstring m_strPath;  // where it was saved, once it was
};

struct CXlApp {
    long m_nReferenceStyle = c_nStyleR1C1;
    std::vector<std::shared_ptr<CXlBook>> m_books;
};

struct CXlRect {
    int m_r1, m_c1, m_r2, m_c2;
};

// ---------------------------------------------------------------- addresses

bool ParseNumber(const std::wstring& str, size_t& i, int nMax, int& n)
{
    const size_t nStart = i;
    n = 0;
    while (i < str.size() && str[i] >= L'0' && str[i] <= L'9' && n <= nMax)
        n = n * 10 + (str[i++] - L'0');
    return i > nStart && n >= 1 && n <= nMax;
}

// One cell: "R3C2" (row-column) or "B3" (column letters, row).
bool ParseCell(const std::wstring& str, int& r, int& c)
{
    size_t i = 0;
    if (i < str.size() && (str[i] == L'R' || str[i] == L'r') && i + 1 < str.size() && str[i + 1] >= L'0' &&
        str[i + 1] <= L'9') {
        ++i;
        if (!ParseNumber(str, i, c_nMaxRow, r) || i >= str.size() || (str[i] != L'C' && str[i] != L'c'))
            return false;
        ++i;
        return ParseNumber(str, i, c_nMaxColumn, c) && i == str.size();
    }
    c = 0;
    while (i < str.size() && ((str[i] >= L'A' && str[i] <= L'Z') || (str[i] >= L'a' && str[i] <= L'z')) &&
           c <= c_nMaxColumn)
        c = c * 26 + (towupper(str[i++]) - L'A' + 1);
    return c >= 1 && c <= c_nMaxColumn && ParseNumber(str, i, c_nMaxRow, r) && i == str.size();
}

// "CELL" or "CELL:CELL".
bool ParseRange(const std::wstring& str, CXlRect& rect)
{
    const size_t nColon = str.find(L':');
    if (!ParseCell(str.substr(0, nColon), rect.m_r1, rect.m_c1))
        return false;
    rect.m_r2 = rect.m_r1;
    rect.m_c2 = rect.m_c1;
    return nColon == std::wstring::npos || ParseCell(str.substr(nColon + 1), rect.m_r2, rect.m_c2);
}

CXlRect Union(const CXlRect& a, const CXlRect& b)
{
    return {std::min(std::min(a.m_r1, a.m_r2), std::min(b.m_r1, b.m_r2)),
            std::min(std::min(a.m_c1, a.m_c2), std::min(b.m_c1, b.m_c2)),
            std::max(std::max(a.m_r1, a.m_r2), std::max(b.m_r1, b.m_r2)),
            std::max(std::max(a.m_c1, a.m_c2), std::max(b.m_c1, b.m_c2))};
}

// ---------------------------------------------------------------- saving

std::string FontXml(const CXlFont& font)
{
    return "<Font ss:FontName=\"" + XmlText(font.m_strName, true) + "\" x:CharSet=\"204\" ss:Size=\"" +
           XmlNumber(font.m_fSize) + "\"" + (font.m_bBold ? " ss:Bold=\"1\"" : "") + "/>";
}

std::string SpreadsheetXml(const CXlBook& book)
{
    // A style for every font other than the standard one.
    std::vector<CXlFont> styles;
    auto styleOf = [&](const CXlFont& font) {
        if (font == CXlFont())
            return 0;
        for (size_t i = 0; i < styles.size(); ++i) {
            if (styles[i] == font)
                return static_cast<int>(i) + 1;
        }
        styles.push_back(font);
        return static_cast<int>(styles.size());
    };
    std::string strSheets;
    for (const auto& pSheet : book.m_sheets) {
        strSheets += " <Worksheet ss:Name=\"" + XmlText(pSheet->m_strName, true) + "\">\n  <Table>\n";
        int nLastRow = 0, nLastColumn = 0;
        for (const auto& entry : pSheet->m_cells) {
            const int r = entry.first.first, c = entry.first.second;
            const CXlCell& cell = entry.second;
            if (cell.m_type == CXlCell::none && cell.m_font == CXlFont())
                continue;
            if (r != nLastRow) {
                if (nLastRow != 0)
                    strSheets += "   </Row>\n";
                strSheets += r == nLastRow + 1 ? "   <Row>\n" : "   <Row ss:Index=\"" + std::to_string(r) + "\">\n";
                nLastRow = r;
                nLastColumn = 0;
            }
            strSheets += "    <Cell";
            if (c != nLastColumn + 1)
                strSheets += " ss:Index=\"" + std::to_string(c) + "\"";
            nLastColumn = c;
            if (const int nStyle = styleOf(cell.m_font))
                strSheets += " ss:StyleID=\"s" + std::to_string(nStyle) + "\"";
            switch (cell.m_type) {
            case CXlCell::text:
                strSheets += "><Data ss:Type=\"String\">" + XmlText(cell.m_strText) + "</Data></Cell>\n";
                break;
            case CXlCell::number:
                strSheets += "><Data ss:Type=\"Number\">" + XmlNumber(cell.m_dValue) + "</Data></Cell>\n";
                break;
            case CXlCell::boolean:
                strSheets +=
                    std::string("><Data ss:Type=\"Boolean\">") + (cell.m_dValue != 0 ? "1" : "0") + "</Data></Cell>\n";
                break;
            case CXlCell::none:
                strSheets += "/>\n";
                break;
            }
        }
        if (nLastRow != 0)
            strSheets += "   </Row>\n";
        strSheets += "  </Table>\n </Worksheet>\n";
    }
    std::string strXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<?mso-application progid=\"Excel.Sheet\"?>\n"
                         "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
                         " xmlns:o=\"urn:schemas-microsoft-com:office:office\"\n"
                         " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"\n"
                         " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
                         " <Styles>\n  <Style ss:ID=\"Default\" ss:Name=\"Normal\">\n   " +
                         FontXml(CXlFont()) + "\n  </Style>\n";
    for (size_t i = 0; i < styles.size(); ++i)
        strXml += "  <Style ss:ID=\"s" + std::to_string(i + 1) + "\">\n   " + FontXml(styles[i]) + "\n  </Style>\n";
    return strXml + " </Styles>\n" + strSheets + "</Workbook>\n";
}

// ---------------------------------------------------------------- objects

// 1004, the spreadsheet's error for a member that could not do what was asked.
[[noreturn]] void Fail(const wchar_t* pszMember, const wchar_t* pszClass)
{
    ThrowServerError(1004, std::wstring(L"Метод ") + pszMember + L" из класса " + pszClass + L" завершён неверно");
}

class CXlFontObject : public CAutoObject {
public:
    CXlFontObject(std::shared_ptr<CXlSheet> pSheet, const CXlRect& rect)
        : CAutoObject("Font", Members()), m_pSheet(std::move(pSheet)), m_rect(rect)
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {
            {"Name", 110, kindGet, ""},  {"Name", 110, kindPut, "v"}, {"Size", 104, kindGet, ""},
            {"Size", 104, kindPut, "v"}, {"Bold", 96, kindPut, "v"},
        };
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        const auto itCell = m_pSheet->m_cells.find({m_rect.m_r1, m_rect.m_c1});
        const CXlFont font = itCell != m_pSheet->m_cells.end() ? itCell->second.m_font : CXlFont();
        switch (member.m_dispid * 2 + (member.m_kind == kindPut ? 1 : 0)) {
        case 110 * 2:
            return Return(result, font.m_strName);
        case 104 * 2:
            return Return(result, font.m_fSize);
        case 110 * 2 + 1: {
            const std::wstring strName = args.String(0);
            if (strName.empty())
                Fail(L"Name", L"Font");
            return ForEachCell([&](CXlCell& cell) { cell.m_font.m_strName = strName; });
        }
        case 104 * 2 + 1: {
            const float fSize = args.Float(0);
            if (!(fSize >= 1 && fSize <= 409))
                Fail(L"Size", L"Font");
            return ForEachCell([&](CXlCell& cell) { cell.m_font.m_fSize = fSize; });
        }
        default: {
            const bool bBold = args.Bool(0);
            return ForEachCell([&](CXlCell& cell) { cell.m_font.m_bBold = bBold; });
        }
        }
    }

private:
    template <typename Change>
    void ForEachCell(Change change)
    {
        for (int r = m_rect.m_r1; r <= m_rect.m_r2; ++r) {
            for (int c = m_rect.m_c1; c <= m_rect.m_c2; ++c)
                change(m_pSheet->m_cells[{r, c}]);
        }
    }

    std::shared_ptr<CXlSheet> m_pSheet;
    CXlRect m_rect;
};

class CXlRange : public CAutoObject {
public:
    CXlRange(std::shared_ptr<CXlSheet> pSheet, const CXlRect& rect)
        : CAutoObject("Range", Members()), m_pSheet(std::move(pSheet)), m_rect(rect)
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Font", 146, kindGet, ""}, {"Value", 6, kindPut, "v"}};
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        if (member.m_dispid == 146)
            return Return(result, new CXlFontObject(m_pSheet, m_rect));
        CXlCell value;
        const VARIANT& var = args.Get(0);
        switch (var.vt) {
        case VT_EMPTY:
            break;
        case VT_BOOL:
            value.m_type = CXlCell::boolean;
            value.m_dValue = var.boolVal != VARIANT_FALSE ? 1 : 0;
            break;
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
            value.m_type = CXlCell::number;
            value.m_dValue = var.vt == VT_I2   ? var.iVal
                             : var.vt == VT_I4 ? var.lVal
                             : var.vt == VT_R4 ? var.fltVal
                                               : var.dblVal;
            break;
        default:
            value.m_type = CXlCell::text;
            value.m_strText = args.String(0);
        }
        for (int r = m_rect.m_r1; r <= m_rect.m_r2; ++r) {
            for (int c = m_rect.m_c1; c <= m_rect.m_c2; ++c) {
                CXlCell& cell = m_pSheet->m_cells[{r, c}];
                cell.m_type = value.m_type;
                cell.m_strText = value.m_strText;
                cell.m_dValue = value.m_dValue;
            }
        }
    }

private:
    std::shared_ptr<CXlSheet> m_pSheet;
    CXlRect m_rect;
};

class CXlWorksheet : public CAutoObject {
public:
    explicit CXlWorksheet(std::shared_ptr<CXlSheet> pSheet)
        : CAutoObject("Worksheet", Members()), m_pSheet(std::move(pSheet))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Range", 197, kindGet, "vV"}};
        return s_members;
    }

    void Call(const CMember&, const CArgs& args, VARIANT& result) override
    {
        CXlRect rect, rectLast;
        if (!ParseRange(args.String(0), rect))
            Fail(L"Range", L"_Worksheet");
        if (!args.IsMissing(1)) {
            if (!ParseRange(args.String(1), rectLast))
                Fail(L"Range", L"_Worksheet");
            rect = Union(rect, rectLast);
        }
        Return(result, new CXlRange(m_pSheet, Union(rect, rect)));
    }

private:
    std::shared_ptr<CXlSheet> m_pSheet;
};

class CXlSheets : public CAutoObject {
public:
    explicit CXlSheets(std::shared_ptr<CXlBook> pBook) : CAutoObject("Sheets", Members()), m_pBook(std::move(pBook)) {}

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Item", 170, kindGet, "v"}};
        return s_members;
    }

    void Call(const CMember&, const CArgs& args, VARIANT& result) override
    {
        const VARIANT& varIndex = args.Get(0);
        if (varIndex.vt == VT_BSTR) {
            for (const auto& pSheet : m_pBook->m_sheets) {
                if (::lstrcmpiW(pSheet->m_strName.c_str(), varIndex.bstrVal) == 0)
                    return Return(result, new CXlWorksheet(pSheet));
            }
            throw CAutoError{DISP_E_BADINDEX, false, L""};
        }
        const long nIndex = args.Long(0);
        if (nIndex < 1 || nIndex > static_cast<long>(m_pBook->m_sheets.size()))
            throw CAutoError{DISP_E_BADINDEX, false, L""};
        Return(result, new CXlWorksheet(m_pBook->m_sheets[static_cast<size_t>(nIndex - 1)]));
    }

private:
    std::shared_ptr<CXlBook> m_pBook;
};

class CXlWorkbook : public CAutoObject {
public:
    explicit CXlWorkbook(std::shared_ptr<CXlBook> pBook) : CAutoObject("Workbook", Members()), m_pBook(std::move(pBook))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Sheets", 485, kindGet, ""}};
        return s_members;
    }

    void Call(const CMember&, const CArgs&, VARIANT& result) override { Return(result, new CXlSheets(m_pBook)); }

private:
    std::shared_ptr<CXlBook> m_pBook;
};

class CXlWorkbooks : public CAutoObject {
public:
    explicit CXlWorkbooks(std::shared_ptr<CXlApp> pApp) : CAutoObject("Workbooks", Members()), m_pApp(std::move(pApp))
    {
    }

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {{"Add", 181, kindMethod, "V"}};
        return s_members;
    }

    // A workbook of three empty sheets; the stand-in has no templates.
    void Call(const CMember&, const CArgs& args, VARIANT& result) override
    {
        if (!args.IsMissing(0))
            Fail(L"Add", L"Workbooks");
        auto pBook = std::make_shared<CXlBook>();
        for (int i = 1; i <= 3; ++i) {
            pBook->m_sheets.push_back(std::make_shared<CXlSheet>());
            pBook->m_sheets.back()->m_strName = L"Лист" + std::to_wstring(i);
        }
        m_pApp->m_books.push_back(pBook);
        Return(result, new CXlWorkbook(pBook));
    }

private:
    std::shared_ptr<CXlApp> m_pApp;
};

class CXlApplication : public CAutoObject {
public:
    CXlApplication() : CAutoObject("Application", Members()), m_pApp(std::make_shared<CXlApp>()) {}

protected:
    static const std::vector<CMember>& Members()
    {
        static const std::vector<CMember> s_members = {
            {"Visible", 558, kindPut, "b"},
            {"ReferenceStyle", 380, kindGet, ""},
            {"ReferenceStyle", 380, kindPut, "i"},
            {"Workbooks", 572, kindGet, ""},
        };
        return s_members;
    }

    void Call(const CMember& member, const CArgs& args, VARIANT& result) override
    {
        switch (member.m_dispid) {
        case 558:
            if (args.Bool(0))
                Save();
            return;
        case 380:
            if (member.m_kind == kindGet)
                return Return(result, m_pApp->m_nReferenceStyle);
            if (args.Long(0) != c_nStyleA1 && args.Long(0) != c_nStyleR1C1)
                ThrowServerError(1004, L"Не удаётся установить свойство ReferenceStyle класса Application");
            m_pApp->m_nReferenceStyle = args.Long(0);
            return;
        default:
            return Return(result, new CXlWorkbooks(m_pApp));
        }
    }

private:
    // What the user would see, into the save folder when one is named.
    void Save()
    {
        const std::wstring strFolder = GetSaveFolder();
        if (strFolder.empty())
            return;
        for (const auto& pBook : m_pApp->m_books) {
            if (pBook->m_strPath.empty())
                pBook->m_strPath = NextFreeFile(strFolder, L"Book");
            if (!WriteFileUtf8(pBook->m_strPath, SpreadsheetXml(*pBook)))
                ThrowServerError(1004, L"Не удаётся сохранить книгу в " + pBook->m_strPath);
        }
    }

    std::shared_ptr<CXlApp> m_pApp;
};

}  // namespace

CAutoObject* CreateExcelApplication()
{
    return new CXlApplication;
}
