// extkit pages: how a printing tree lays its rows out over pages, to see
// before printing how many pages a tree takes and where each part goes.
//   extkit pages ROWS ROW_HEIGHT CHAR_WIDTH HORZRES VERTRES PRINTER_DPI SCREEN_DPI [PAGE]
//   extkit pages --batch
#include "Commands.h"
#include "Console.h"
#include "controls/TreeColorPrnPages.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const c_pszUsage =
    "Использование: extkit pages СТРОК ВЫСОТА_СТРОКИ ШИРИНА_ЗНАКА HORZRES VERTRES DPI_ПРИНТЕРА DPI_ЭКРАНА "
    "[СТРАНИЦА]\n"
    "               extkit pages --batch\n"
    "Раскладка дерева по страницам при печати: СТРОК - строк развёрнутого дерева,\n"
    "ВЫСОТА_СТРОКИ и ШИРИНА_ЗНАКА (средняя) - в точках экрана, HORZRES и VERTRES -\n"
    "размер страницы в точках принтера, DPI - разрешения принтера и экрана, СТРАНИЦА\n"
    "(с 1, по умолчанию 1) - страница, полосу которой показать. Пределы: строк до\n"
    "1000000, высота строки и ширина знака до 1000, размер страницы до 100000, DPI до\n"
    "10000.\n"
    "Вывод: rows= (строк дерева на странице), pages= (страниц), band= (с какой точки\n"
    "картинки дерева начинается полоса страницы и её высота), title= и pageline=\n"
    "(прямоугольники заголовка и строки \"Page n/m\": левый верхний правый нижний,\n"
    "в точках экрана).\n"
    "--batch: каждая строка ввода - те же восемь чисел через TAB; на строку выводится\n"
    "одна строка из тех же значений через TAB. Строка с ошибкой даёт вывод #invalid и\n"
    "сообщение с номером строки в stderr. Код завершения: 0 - всё выполнено, 1 - была\n"
    "строка с ошибкой, 2 - неверный вызов.\n";

const char* const c_apszNames[] = {"строк",   "высота строки", "ширина знака", "HORZRES",
                                   "VERTRES", "DPI принтера",  "DPI экрана",   "страница"};

// The eight numbers as the layout, or false with the reason (Windows-1251).
bool ParsePages(const std::vector<std::string>& fields, CTreeColorPrnPages& pages, int& nPage, std::string& strProblem)
{
    if (fields.size() != 7 && fields.size() != 8) {
        strProblem = "нужно семь или восемь чисел, а их " + std::to_string(fields.size());
        return false;
    }
    // Rows and the character width may be 0, the page too (it has no band);
    // sizes and resolutions may not. The largest values keep the tree's
    // picture (rows times row height) within what a count of pixels holds.
    static const int s_anLeast[8] = {0, 1, 0, 1, 1, 1, 1, 0};
    static const int s_anMost[8] = {1000000, 1000, 1000, 100000, 100000, 10000, 10000, 1000000};
    int anValues[8] = {0, 0, 0, 0, 0, 0, 0, 1};
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!ParseInt(fields[i], anValues[i]) || anValues[i] < s_anLeast[i] || anValues[i] > s_anMost[i]) {
            strProblem = std::string(c_apszNames[i]) + ": нужно целое число от " + std::to_string(s_anLeast[i]) +
                         " до " + std::to_string(s_anMost[i]) + ", а не " + Utf8ToCp1251(fields[i]);
            return false;
        }
    }
    pages.m_nItems = anValues[0];
    pages.m_nItemHeight = anValues[1];
    pages.m_nAveCharWidth = anValues[2];
    pages.m_nPrinterWidth = anValues[3];
    pages.m_nPrinterHeight = anValues[4];
    pages.m_nPrinterDpiX = pages.m_nPrinterDpiY = anValues[5];
    pages.m_nScreenDpiX = pages.m_nScreenDpiY = anValues[6];
    nPage = anValues[7];
    return true;
}

// The values in order: rows, pages, band top and height, title, page line.
std::vector<std::string> LayoutValues(const CTreeColorPrnPages& pages, int nPage)
{
    int nTop = 0, nHeight = 0;
    pages.GetBand(nPage, nTop, nHeight);
    std::vector<std::string> values = {std::to_string(pages.GetRowsPerPage()), std::to_string(pages.GetPageCount()),
                                       std::to_string(nTop) + "\t" + std::to_string(nHeight)};
    for (const CRect& rc : {pages.GetTitleRect(), pages.GetPageLineRect()}) {
        std::ostringstream out;
        out << rc.left << '\t' << rc.top << '\t' << rc.right << '\t' << rc.bottom;
        values.push_back(out.str());
    }
    return values;
}

}  // namespace

bool RunPagesBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem)
{
    std::vector<std::string> fields;
    std::istringstream in(strLineUtf8);
    for (std::string strField; std::getline(in, strField, '\t');)
        fields.push_back(strField);
    CTreeColorPrnPages pages;
    int nPage = 1;
    strOutUtf8 = "#invalid";
    if (!ParsePages(fields, pages, nPage, strProblem))
        return false;
    const std::vector<std::string> values = LayoutValues(pages, nPage);
    strOutUtf8.clear();
    for (size_t i = 0; i < values.size(); ++i)
        strOutUtf8 += (i ? "\t" : "") + values[i];
    return true;
}

int PagesCommand(const std::vector<std::string>& args)
{
    if (args.size() == 1 && args[0] == "--help") {
        WriteText(stdout, c_pszUsage);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--batch")
        return RunBatchLines("pages", RunPagesBatchLine);
    CTreeColorPrnPages pages;
    int nPage = 1;
    std::string strProblem;
    if (!ParsePages(args, pages, nPage, strProblem))
        return ReportUsageError("pages", strProblem);
    static const char* const s_apszKeys[] = {"rows", "pages", "band", "title", "pageline"};
    const std::vector<std::string> values = LayoutValues(pages, nPage);
    for (size_t i = 0; i < values.size(); ++i) {
        std::string strValue = values[i];
        for (char& ch : strValue)
            ch = ch == '\t' ? ' ' : ch;
        WriteText(stdout, std::string(s_apszKeys[i]) + "=" + strValue + "\n");
    }
    return 0;
}

EXTKIT_TOOL_COMMAND(60, "pages", PagesCommand, "раскладка печатаемого дерева по страницам");
