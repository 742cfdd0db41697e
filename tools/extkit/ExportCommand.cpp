// extkit export excel|word [--layout N] [--template FILE] [--group] [--title TEXT]
//                          [--font-title F] [--font-head F] [--font-cell F] TABLE.tsv
// Opens a tab-separated table in the spreadsheet or the word processor
// through the library's export functions, as a host program would. Windows
// only: the office applications are reached through automation.
#ifdef _WIN32
#    include "Commands.h"
#    include "Console.h"
#    include "FileBlocks.h"

#    include <afxdisp.h>

#    include "export/ExcelOut.h"
#    include "export/TsvListOut.h"
#    include "export/WordOut.h"

namespace {
const char* const c_pszUsage =
    "Использование: extkit export excel|word [ПАРАМЕТРЫ] ТАБЛИЦА.tsv\n"
    "Открывает таблицу в Excel или Word так же, как программа, вызывающая OutExel\n"
    "или OutToWord: приложение остаётся открытым с новой несохранённой книгой\n"
    "или документом. ТАБЛИЦА - текст UTF-8, поля через табуляцию: первая строка -\n"
    "имена столбцов, каждая следующая - строка данных (недостающие поля пусты).\n"
    "\"-\" - стандартный ввод.\n"
    "  --title ТЕКСТ       заголовок над таблицей\n"
    "  --font-title Ш      шрифт заголовка,\n"
    "  --font-head Ш       шрифт строки с именами столбцов,\n"
    "  --font-cell Ш       шрифт строк данных: Ш = ИМЯ:РАЗМЕР:ЖИРНЫЙ:ВЫРАВНИВАНИЕ,\n"
    "                      пустое или пропущенное поле оставляет своё по умолчанию\n"
    "                      (шрифт и размер документа, не жирный, выравнивание документа);\n"
    "                      ЖИРНЫЙ - 0 или 1, ВЫРАВНИВАНИЕ (только для Word) - 0 влево,\n"
    "                      1 по центру, 2 вправо, 3 по ширине\n"
    "  --group             (excel) группировка: пока не сделана, выгружается только заголовок\n"
    "  --layout N          (word) 0 - таблица, 1 - строки через табуляцию,\n"
    "                      2 - поле на строку: \"имя :<TAB>значение\"; другие числа\n"
    "                      библиотека отвергает\n"
    "  --template ФАЙЛ     (word) шаблон нового документа; путь лучше давать полный\n"
    "Ошибки приложения библиотека показывает в окне сообщения. Код завершения:\n"
    "0 - выгрузка выполнена, 1 - не выполнена или таблицу не прочитать, 2 - неверный вызов.\n";

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("export", strCp1251);
}

struct CExportRequest {
    bool m_bWord = false;
    std::string m_strFile;  // UTF-8, as given
    long m_nLayout = eTypeOutWordTable;
    std::string m_strTemplate, m_strTitle;  // Windows-1251
    bool m_bGroup = false;
    OutFont m_fonts[3];  // title, column names, cells
};

// Reads the options; 0 when the request is complete, else the exit status.
int ParseRequest(const std::vector<std::string>& args, CExportRequest& request)
{
    std::vector<std::string> words;
    bool bOptions = true, bLayout = false, bTemplate = false;
    static const char* const s_apszFonts[] = {"--font-title", "--font-head", "--font-cell"};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!bOptions || arg.compare(0, 2, "--") != 0) {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptions = false;
            continue;
        }
        if (arg == "--help") {
            WriteText(stdout, c_pszUsage);
            return -1;
        }
        if (arg == "--group") {
            request.m_bGroup = true;
            continue;
        }
        if (i + 1 >= args.size())
            return UsageError("после " + Utf8ToCp1251(arg) + " нужно значение");
        const std::string& value = args[++i];
        std::string strValue, strProblem;
        if (!Utf8ToCp1251Strict(value, strValue))
            return UsageError(Utf8ToCp1251(arg) +
                              ": текст не записывается в кодовой странице 1251: " + Utf8ToCp1251(value));
        if (arg == "--title") {
            request.m_strTitle = strValue;
        } else if (arg == "--template") {
            request.m_strTemplate = strValue;
            bTemplate = true;
        } else if (arg == "--layout") {
            int nLayout = 0;
            if (!ParseInt(value, nLayout))
                return UsageError("--layout: нужно целое число, а не " + strValue);
            request.m_nLayout = nLayout;
            bLayout = true;
        } else {
            size_t nFont = 0;
            while (nFont < 3 && arg != s_apszFonts[nFont])
                ++nFont;
            if (nFont == 3)
                return UsageError("неизвестный параметр " + Utf8ToCp1251(arg));
            if (!ParseOutFont(strValue, request.m_fonts[nFont], strProblem))
                return UsageError(arg + ": " + strProblem);
        }
    }
    if (words.size() != 2)
        return UsageError(words.size() < 2 ? "нужны приложение (excel или word) и файл таблицы"
                                           : "лишний параметр " + Utf8ToCp1251(words[2]));
    if (words[0] != "excel" && words[0] != "word")
        return UsageError("приложение - excel или word, а не " + Utf8ToCp1251(words[0]));
    request.m_bWord = words[0] == "word";
    request.m_strFile = words[1];
    if (request.m_bWord && request.m_bGroup)
        return UsageError("--group - только для excel");
    if (!request.m_bWord && (bLayout || bTemplate))
        return UsageError(std::string(bLayout ? "--layout" : "--template") + " - только для word");
    return 0;
}

// The table in the library's code page; false after telling why not.
bool ReadTable(const std::string& strFile, CTsvTable& table)
{
    std::string strText;
    const FileBlockHandler onBlock = [&](const unsigned char* p, size_t n) {
        strText.append(reinterpret_cast<const char*>(p), n);
    };
    const EFileBlocksResult eResult = strFile == "-" ? ReadStdinBlocks(onBlock) : ReadFileBlocks(strFile, onBlock);
    if (eResult != fileBlocksDone) {
        WriteUtf8(stderr,
                  "extkit export: " + Cp1251ToUtf8(FileBlocksFailureText(eResult)) + EscapeControls(strFile) + "\n");
        return false;
    }
    std::string strProblem;
    bool bRead = ParseTsv(strText, table, strProblem);
    for (size_t i = 0; bRead && i <= table.m_rows.size(); ++i) {
        for (std::string& strField : i == 0 ? table.m_names : table.m_rows[i - 1]) {
            std::string strCp1251;
            if (!Utf8ToCp1251Strict(strField, strCp1251)) {
                strProblem = "строка " + std::to_string(i + 1) +
                             ": текст не записывается в кодовой странице 1251: " + Utf8ToCp1251(strField);
                bRead = false;
                break;
            }
            strField = strCp1251;
        }
    }
    if (!bRead)
        ReportError("export", strProblem);
    return bRead;
}

}  // namespace

int ExportCommand(const std::vector<std::string>& args)
{
    CExportRequest request;
    const int nStatus = ParseRequest(args, request);
    if (nStatus != 0)
        return nStatus < 0 ? 0 : nStatus;
    CTsvTable table;
    if (!ReadTable(request.m_strFile, table))
        return 1;
    if (!AfxOleInit()) {
        ReportError("export", "не удаётся запустить OLE");
        return 1;
    }
    CTsvListOut source(table);
    source.SetTitle(request.m_strTitle.c_str());
    source.m_fontTitle = request.m_fonts[0];
    source.m_fontColumnHead = request.m_fonts[1];
    source.m_fontCell = request.m_fonts[2];
    const bool bDone = request.m_bWord ? OutToWord(&source, static_cast<eTypeOutWord>(request.m_nLayout),
                                                   request.m_strTemplate.c_str())
                                       : OutExel(&source, request.m_bGroup, nullptr);
    if (!bDone) {
        ReportError("export", "выгрузка не выполнена");
        return 1;
    }
    return 0;
}

EXTKIT_TOOL_COMMAND(60, "export", ExportCommand, "таблица из файла в Excel или Word (только Windows)");
#endif
