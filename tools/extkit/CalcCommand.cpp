// extkit calc [--precision N] [--value TEXT] KEY...
// extkit calc --batch
// Runs the calculator engine on the keys and prints its state; in batch mode
// one run per input line. See c_pszUsage for the keys and the formats.
#include "Commands.h"
#include "Console.h"

#include "calc/CalculatorEngine.h"
#include "calc/NumberText.h"

#include <cstdio>

namespace {
const char* const c_pszUsage =
    "Использование: extkit calc [--precision N] [--value ТЕКСТ] КЛАВИША...\n"
    "               extkit calc --batch\n"
    "  --precision  знаков после точки, 0..10 (по умолчанию 2; вне диапазона - ближайшая граница)\n"
    "  --value      начальное значение, число (по умолчанию нет, то есть 0)\n"
    "Клавиши: 0..9 . neg back ce c + - * / = % sqrt 1/x mc mr ms m+ prec:N msel:I\n"
    "  neg - смена знака, back - забой, ce - сброс ввода, c - сброс всего,\n"
    "  prec:N - точность N, msel:I - выбрать ячейку памяти I (если она есть).\n"
    "Вывод - шесть строк: value=, accum=, oper= (ожидающая операция или пусто),\n"
    "memory= (ячейки через ;), selected= (номер выбранной или -1), refused= (число\n"
    "отвергнутых клавиш: цифр сверх пределов и корней из отрицательного).\n"
    "--batch: каждая строка ввода - ТОЧНОСТЬ<TAB>НАЧАЛЬНОЕ<TAB>КЛАВИШИ (НАЧАЛЬНОЕ может\n"
    "быть пустым, клавиши через пробел); на каждую строку выводится одна строка из тех же\n"
    "шести значений через TAB. Строка с ошибкой даёт строку \"error<TAB>сообщение\" и\n"
    "сообщение с номером строки в stderr; обработка продолжается, а код завершения тогда 1.\n";

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("calc", strCp1251);
}

// The engine reads as much of a text as makes a number, as the C library does;
// a user who typed a number is told when the text is something else.
bool IsWholeNumber(const std::string& str)
{
    const char* const pszBegin = str.c_str();
    const char* pszEnd = pszBegin;
    ReadCalcNumber(pszBegin, &pszEnd);
    if (pszEnd == pszBegin)
        return false;
    while (*pszEnd == ' ' || *pszEnd == '\t')
        ++pszEnd;
    return pszEnd == pszBegin + str.size();
}

// Applies one key; false for a key that is not one. nRefused counts the keys
// the engine refused.
bool ApplyKey(CCalculatorEngine& engine, const std::string& strKey, int& nRefused)
{
    if (strKey.size() == 1 && strKey[0] >= '0' && strKey[0] <= '9') {
        if (!engine.Digit(strKey[0]))
            ++nRefused;
        return true;
    }
    if (strKey == "sqrt") {
        if (!engine.Sqrt())
            ++nRefused;
        return true;
    }
    struct CKey {
        const char* m_pszName;
        void (CCalculatorEngine::*m_pfnKey)();
    };
    static const CKey s_aKeys[] = {
        {".", &CCalculatorEngine::Point},  {"neg", &CCalculatorEngine::Sign},    {"back", &CCalculatorEngine::Back},
        {"ce", &CCalculatorEngine::Delop}, {"c", &CCalculatorEngine::ClearCalc}, {"+", &CCalculatorEngine::Add},
        {"-", &CCalculatorEngine::Sub},    {"*", &CCalculatorEngine::Mul},       {"/", &CCalculatorEngine::Div},
        {"=", &CCalculatorEngine::Eq},     {"%", &CCalculatorEngine::Proc},      {"1/x", &CCalculatorEngine::Subdiv},
        {"mc", &CCalculatorEngine::Mc},    {"mr", &CCalculatorEngine::Mr},       {"ms", &CCalculatorEngine::Ms},
        {"m+", &CCalculatorEngine::Madd},
    };
    for (const CKey& key : s_aKeys) {
        if (strKey == key.m_pszName) {
            (engine.*key.m_pfnKey)();
            return true;
        }
    }
    int n = 0;
    if (strKey.compare(0, 5, "prec:") == 0 && ParseInt(strKey.substr(5), n)) {
        engine.SetPrecision(n);
        return true;
    }
    if (strKey.compare(0, 5, "msel:") == 0 && ParseInt(strKey.substr(5), n)) {
        engine.SelectMemory(n);
        return true;
    }
    return false;
}

// The six values: entry, accumulator, operation, memory, selection, refusals.
std::vector<std::string> StateValues(const CCalculatorEngine& engine, int nRefused)
{
    std::string strMemory;
    for (int i = 0; i < engine.GetMemoryCount(); ++i) {
        if (i > 0)
            strMemory += ';';
        strMemory += (LPCSTR)engine.GetMemoryItem(i);
    }
    const char chOper = engine.GetOper();
    return {(LPCSTR)engine.GetValue(),
            (LPCSTR)engine.GetAccum(),
            chOper ? std::string(1, chOper) : std::string(),
            strMemory,
            std::to_string(engine.GetMemorySel()),
            std::to_string(nRefused)};
}

// One batch line: "PRECISION\tINITIAL\tKEYS"; the result line, or false with
// the reason.
bool RunBatchLine(const std::string& strLine, std::string& strOut)
{
    std::vector<std::string> fields(1);
    for (char ch : strLine) {
        if (ch == '\t')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    int nPrecision = 0;
    strOut.clear();
    if (fields.size() > 3)
        strOut = "больше трёх полей";
    else if (!ParseInt(fields[0], nPrecision))
        strOut = "точность не число: " + Utf8ToCp1251(fields[0]);
    const std::string strInitial = fields.size() > 1 ? Utf8ToCp1251(fields[1]) : std::string();
    if (strOut.empty() && !strInitial.empty() && !IsWholeNumber(strInitial))
        strOut = "начальное значение не число: " + strInitial;
    if (!strOut.empty())
        return false;
    CCalculatorEngine engine(strInitial.empty() ? NULL : strInitial.c_str(), nPrecision);
    int nRefused = 0;
    if (fields.size() > 2) {
        std::string strKey;
        const std::string& strKeys = fields[2];
        for (size_t i = 0; i <= strKeys.size(); ++i) {
            if (i < strKeys.size() && strKeys[i] != ' ') {
                strKey += strKeys[i];
                continue;
            }
            if (!strKey.empty() && !ApplyKey(engine, strKey, nRefused)) {
                strOut = "неизвестная клавиша: " + Utf8ToCp1251(strKey);
                return false;
            }
            strKey.clear();
        }
    }
    const std::vector<std::string> values = StateValues(engine, nRefused);
    for (size_t i = 0; i < values.size(); ++i)
        strOut += (i ? "\t" : "") + values[i];
    return true;
}

}  // namespace

bool RunCalcBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem)
{
    std::string strOut;
    if (RunBatchLine(strLineUtf8, strOut)) {
        strOutUtf8 = Cp1251ToUtf8(strOut);
        return true;
    }
    // The reason quotes the input: in the data stream, as in the message,
    // without its control characters.
    strProblem = strOut;
    strOutUtf8 = "error\t" + EscapeControls(Cp1251ToUtf8(strOut));
    return false;
}

int CalcCommand(const std::vector<std::string>& args)
{
    int nPrecision = 2;
    std::string strValue;
    bool bValue = false, bPrecision = false, bBatch = false, bOptions = true;
    std::vector<std::string> keys;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptions && arg == "--") {
            bOptions = false;
            continue;
        }
        if (!bOptions || arg.compare(0, 2, "--") != 0) {
            keys.push_back(arg);
            continue;
        }
        if (arg == "--help") {
            WriteText(stdout, c_pszUsage);
            return 0;
        }
        if (arg == "--batch") {
            bBatch = true;
            continue;
        }
        // --name VALUE or --name=VALUE
        std::string strName = arg, strArg;
        const size_t nEq = arg.find('=');
        if (nEq != std::string::npos) {
            strName = arg.substr(0, nEq);
            strArg = arg.substr(nEq + 1);
        }
        if (strName != "--precision" && strName != "--value")
            return UsageError("неизвестный параметр " + Utf8ToCp1251(arg));
        if (nEq == std::string::npos) {
            if (i + 1 >= args.size())
                return UsageError("нет значения у параметра " + strName);
            strArg = args[++i];
        }
        if (strName == "--precision") {
            if (!ParseInt(strArg, nPrecision))
                return UsageError("точность должна быть целым числом: " + Utf8ToCp1251(strArg));
            bPrecision = true;
        } else {
            strValue = Utf8ToCp1251(strArg);
            if (!IsWholeNumber(strValue))
                return UsageError("начальное значение должно быть числом: " + strValue);
            bValue = true;
        }
    }
    if (bBatch) {
        if (!keys.empty() || bValue || bPrecision)
            return UsageError("--batch берёт всё со стандартного ввода, без клавиш и параметров");
        return RunBatchLines("calc", RunCalcBatchLine);
    }

    CCalculatorEngine engine(bValue ? strValue.c_str() : NULL, nPrecision);
    int nRefused = 0;
    for (const std::string& strKey : keys)
        if (!ApplyKey(engine, strKey, nRefused))
            return UsageError("неизвестная клавиша " + Utf8ToCp1251(strKey));

    static const char* const s_apszNames[] = {"value=", "accum=", "oper=", "memory=", "selected=", "refused="};
    const std::vector<std::string> values = StateValues(engine, nRefused);
    for (size_t i = 0; i < values.size(); ++i)
        WriteText(stdout, s_apszNames[i] + values[i] + "\n");
    return 0;
}

EXTKIT_TOOL_COMMAND(30, "calc", CalcCommand, "калькулятор: клавиши по порядку, итог и память");
