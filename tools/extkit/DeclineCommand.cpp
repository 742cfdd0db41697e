// extkit decline: a Russian personal name in the grammatical cases.
//   extkit decline [--female] [--case C] [--parts P] FULL_NAME...
//   extkit decline [--female] [--case C] [--parts P] [--first F] [--middle M] [--last L]
//   extkit decline --batch
// With --case one line, the name in that case; without it six lines, the
// nominative to the prepositional. In batch mode each input line is
// GENDER<TAB>CASE<TAB>PARTS<TAB>FULL_NAME and gives one output line, written at
// once, so that a program can keep the tool running and ask line by line.
#include "Commands.h"
#include "Console.h"

#include "grammar/GrammarCase.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const c_pszUsage =
    "Использование:\n"
    "  extkit decline [--female] [--case ПАДЕЖ] [--parts ЧАСТИ] ФАМИЛИЯ ИМЯ ОТЧЕСТВО\n"
    "  extkit decline [--female] [--case ПАДЕЖ] [--parts ЧАСТИ] [--last Ф] [--first И] [--middle О]\n"
    "  extkit decline --batch\n"
    "  --female  женский род (по умолчанию мужской, --male)\n"
    "  --case    0-5 или nominative, genitive, dative, accusative, instrumental,\n"
    "            prepositional; без него выводятся все шесть падежей по строке\n"
    "  --parts   сумма частей: 1 имя, 2 отчество, 4 фамилия (по умолчанию 7)\n"
    "  Полное имя делится по запятым, если они есть, иначе по пробелам.\n"
    "  --batch   строки со стандартного ввода: РОД(m|f)<TAB>ПАДЕЖ(0-5)<TAB>ЧАСТИ(0-7)<TAB>ПОЛНОЕ ИМЯ;\n"
    "            на каждую строку одна строка результата, #uninitialised для пустого имени,\n"
    "            #unencodable для текста вне кодовой страницы 1251, #invalid для неверной строки\n";

const char* const c_apszCaseNames[] = {"nominative", "genitive",     "dative",
                                       "accusative", "instrumental", "prepositional"};

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("decline", strCp1251);
}

// One digit from 0 to nMax.
bool ParseDigit(const std::string& str, int nMax, int& nValue)
{
    if (str.size() != 1 || str[0] < '0' || str[0] > '0' + nMax)
        return false;
    nValue = str[0] - '0';
    return true;
}

bool ParseCase(const std::string& str, int& nCase)
{
    if (ParseDigit(str, 5, nCase))
        return true;
    for (int i = 0; i < 6; ++i) {
        if (str == c_apszCaseNames[i]) {
            nCase = i;
            return true;
        }
    }
    return false;
}

// The library's strings end at a zero byte, so a text holding one cannot be
// handed over whole; it is refused like a character the code page lacks.
bool ToLibraryText(const std::string& strUtf8, std::string& strCp1251)
{
    return Utf8ToCp1251Strict(strUtf8, strCp1251) && strCp1251.find('\0') == std::string::npos;
}

void WriteResultLine(const CString& strResult)
{
    WriteText(stdout, std::string(strResult.GetString(), (size_t)strResult.GetLength()) + "\n");
}

}  // namespace

int DeclineCommand(const std::vector<std::string>& args)
{
    bool bMale = true, bBatch = false, bParts = false;
    int nCase = -1, nParts = 7;
    std::string astrPart[3];  // first, middle, last (UTF-8)
    bool abPart[3] = {false, false, false};
    const char* const apszPartOption[3] = {"--first", "--middle", "--last"};
    std::vector<std::string> words;

    bool bOptions = true;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!bOptions || arg.size() < 2 || arg[0] != '-' || arg[1] != '-') {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptions = false;
            continue;
        }
        if (arg == "--help") {
            WriteText(stdout, c_pszUsage);
            return 0;
        }
        if (arg == "--female" || arg == "--male") {
            bMale = arg == "--male";
            continue;
        }
        if (arg == "--batch") {
            bBatch = true;
            continue;
        }
        // --name VALUE or --name=VALUE
        std::string strName = arg, strValue;
        const size_t nEq = arg.find('=');
        if (nEq != std::string::npos) {
            strName = arg.substr(0, nEq);
            strValue = arg.substr(nEq + 1);
        }
        int nPart = -1;
        for (int k = 0; k < 3; ++k)
            if (strName == apszPartOption[k])
                nPart = k;
        if (strName != "--case" && strName != "--parts" && nPart < 0) {
            std::string strOption;
            if (!Utf8ToCp1251Strict(arg, strOption))
                strOption = Utf8ToCp1251(arg);
            return UsageError("неизвестный параметр " + strOption);
        }
        if (nEq == std::string::npos) {
            if (i + 1 >= args.size())
                return UsageError("нет значения у параметра " + strName);
            strValue = args[++i];
        }
        if (strName == "--case") {
            if (!ParseCase(strValue, nCase))
                return UsageError("падеж должен быть числом от 0 до 5 или названием падежа");
        } else if (strName == "--parts") {
            if (!ParseDigit(strValue, 7, nParts))
                return UsageError("части должны быть числом от 0 до 7");
            bParts = true;
        } else {
            astrPart[nPart] = strValue;
            abPart[nPart] = true;
        }
    }

    const bool bSeparateParts = abPart[0] || abPart[1] || abPart[2];
    if (bBatch) {
        if (!words.empty() || bSeparateParts || nCase >= 0 || bParts || !bMale)
            return UsageError("--batch берёт всё со стандартного ввода, без других параметров");
        return RunBatchLines("decline", RunDeclineBatchLine);
    }
    if (bSeparateParts && !words.empty())
        return UsageError("полное имя и --first/--middle/--last вместе не задаются");
    if (!bSeparateParts && words.empty())
        return UsageError("не задано имя");

    CGrammarCase_S grammar;
    if (bSeparateParts) {
        std::string astr1251[3];
        for (int k = 0; k < 3; ++k) {
            if (!ToLibraryText(astrPart[k], astr1251[k])) {
                ReportError("decline",
                            std::string("значение ") + apszPartOption[k] + " не записывается в кодовой странице 1251");
                return 2;
            }
        }
        grammar.Init(astr1251[0].c_str(), astr1251[1].c_str(), astr1251[2].c_str(), bMale);
    } else {
        // Several words are one name, as if quoted together.
        std::string strFull;
        for (size_t k = 0; k < words.size(); ++k)
            strFull += (k ? " " : "") + words[k];
        std::string str1251;
        if (!ToLibraryText(strFull, str1251)) {
            ReportError("decline", "имя не записывается в кодовой странице 1251: " + Utf8ToCp1251(strFull));
            return 2;
        }
        grammar.Init(str1251.c_str(), bMale);
    }

    const int nFirst = nCase >= 0 ? nCase : 0, nLast = nCase >= 0 ? nCase : 5;
    for (int n = nFirst; n <= nLast; ++n) {
        CString strResult;
        if (grammar.GetGrammarCase(strResult, (EGrammarCase)n, (unsigned)nParts) == 2) {
            ReportError("decline", "имя пустое");
            return 1;
        }
        WriteResultLine(strResult);
    }
    return 0;
}

EXTKIT_TOOL_COMMAND(20, "decline", DeclineCommand, "склонение фамилии, имени и отчества по падежам");

bool RunDeclineBatchLine(const std::string& strLine, std::string& strOutUtf8, std::string& strProblem)
{
    size_t aTabs[3];
    size_t nFrom = 0;
    int nTabs = 0;
    for (; nTabs < 3; ++nTabs) {
        aTabs[nTabs] = strLine.find('\t', nFrom);
        if (aTabs[nTabs] == std::string::npos)
            break;
        nFrom = aTabs[nTabs] + 1;
    }
    strOutUtf8 = "#invalid";
    int nCase = 0, nParts = 0;
    std::string strName;
    if (nTabs < 3 || strLine.find('\t', nFrom) != std::string::npos) {
        strProblem = "нужно ровно четыре поля через табуляцию";
        return false;
    }
    const std::string strGender = strLine.substr(0, aTabs[0]);
    if (strGender != "m" && strGender != "f") {
        strProblem = "род должен быть m или f";
        return false;
    }
    if (!ParseDigit(strLine.substr(aTabs[0] + 1, aTabs[1] - aTabs[0] - 1), 5, nCase)) {
        strProblem = "падеж должен быть числом от 0 до 5";
        return false;
    }
    if (!ParseDigit(strLine.substr(aTabs[1] + 1, aTabs[2] - aTabs[1] - 1), 7, nParts)) {
        strProblem = "части должны быть числом от 0 до 7";
        return false;
    }
    if (!ToLibraryText(strLine.substr(aTabs[2] + 1), strName)) {
        strProblem = "имя не записывается в кодовой странице 1251";
        strOutUtf8 = "#unencodable";
        return false;
    }
    CGrammarCase_S grammar;
    grammar.Init(strName.c_str(), strGender == "m");
    CString strResult;
    if (grammar.GetGrammarCase(strResult, (EGrammarCase)nCase, (unsigned)nParts) == 2)
        strOutUtf8 = "#uninitialised";
    else
        strOutUtf8 = Cp1251ToUtf8(std::string(strResult.GetString(), (size_t)strResult.GetLength()));
    return true;
}
