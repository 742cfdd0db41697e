// extkit mask: the masked edit control without a window, to try a mask from
// the shell and to check its behaviour in bulk.
//   extkit mask MASK ACTION...
//   extkit mask --batch
// Each run is a fresh control with the mask set; the actions are played on it
// in order as a user's keys, clicks and commands, and the control's state is
// printed. See c_pszUsage for the actions and the formats.
#include "Commands.h"
#include "Console.h"

#include "edit/HeadlessEditSurface.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace
{
const char* const c_pszUsage =
    "Использование: extkit mask МАСКА ДЕЙСТВИЕ...\n"
    "               extkit mask --batch\n"
    "Маска: # цифра, & любой знак, ? буква, A буква или цифра, L строчная буква,\n"
    "U прописная буква, прочие знаки - постоянные; \\ перед знаком делает его обычным.\n"
    "В маске, знаке-заполнителе и тексте \\t - табуляция, \\n - перевод строки,\n"
    "\\\\ - обратная косая черта; другие сочетания с \\ - ошибка (маска \\## пишется \\\\##).\n"
    "Действия (по порядку, над одним полем):\n"
    "  type:ТЕКСТ        каждый знак - нажатие клавиши\n"
    "  key:ИМЯ, key:S-ИМЯ  клавиша (S- - с Shift): BACK DELETE HOME END LEFT RIGHT UP DOWN INSERT\n"
    "  sel:S:E           выделение, как EM_SETSEL (S = -1 только снимает выделение)\n"
    "  click:P           щелчок мышью, попавший в позицию P\n"
    "  setdata:P:I:K:ТЕКСТ  SetData(ТЕКСТ, P, вставка I, сохранять заполнитель K), I и K - 0 или 1\n"
    "  prompt:З          новый знак-заполнитель\n"
    "  undo, clear, copy, cut   отмена (Undo поля), очистка, копирование, вырезание\n"
    "  paste:ТЕКСТ       ТЕКСТ в буфер обмена, затем вставка\n"
    "Вывод - восемь строк: display= (строка поля), data= (данные без постоянных знаков),\n"
    "start=, end= (выделение), canundo= (0/1), beeps= (число звуковых сигналов),\n"
    "insert= (режим вставки 0/1), clipboard= (текст буфера обмена, пусто если нет);\n"
    "\\t, \\n и \\ пишутся так же, как во вводе. Заполнитель - пробел, стиль обычный.\n"
    "--batch: каждая строка ввода - поля через TAB: МАСКА, ЗАПОЛНИТЕЛЬ (один знак),\n"
    "СТИЛЬ (n обычный, u прописные, l строчные), ТОЛЬКО_ЧТЕНИЕ (0/1), затем действия;\n"
    "на строку выводится одна строка из тех же восьми значений через TAB.\n"
    "Маска без позиций ввода (пустая после снятия \\) - обычное поле ввода, которое здесь\n"
    "не моделируется: вывод #plain-edit. Строка с ошибкой даёт вывод #invalid и сообщение\n"
    "с номером строки в stderr; обработка продолжается. Код завершения: 0 - всё выполнено,\n"
    "1 - была строка #plain-edit или #invalid, 2 - неверный вызов.\n";

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("mask", strCp1251, c_pszUsage);
}

// A field of the input: the tool's escapes resolved, then UTF-8 to
// Windows-1251. False, with the reason, for an unknown escape, a text the code
// page cannot hold, or a zero byte (the control's strings end at one).
bool DecodeText(const std::string& strUtf8, std::string& str1251, std::string& strProblem)
{
    std::string strPlain;
    for (size_t i = 0; i < strUtf8.size(); ++i)
    {
        if (strUtf8[i] != '\\')
        {
            strPlain += strUtf8[i];
            continue;
        }
        const char chNext = i + 1 < strUtf8.size() ? strUtf8[i + 1] : 0;
        if (chNext == 't')
            strPlain += '\t';
        else if (chNext == 'n')
            strPlain += '\n';
        else if (chNext == '\\')
            strPlain += '\\';
        else
        {
            strProblem = "неизвестное сочетание с \\ (есть \\t, \\n, \\\\): " + Utf8ToCp1251(strUtf8);
            return false;
        }
        ++i;
    }
    if (!Utf8ToCp1251Strict(strPlain, str1251) || str1251.find('\0') != std::string::npos)
    {
        strProblem = "текст не записывается в кодовой странице 1251: " + Utf8ToCp1251(strUtf8);
        return false;
    }
    return true;
}

// Windows-1251 text for the output: the three escapes, then UTF-8.
std::string EncodeText(const CString& str)
{
    std::string strOut;
    for (int i = 0; i < str.GetLength(); ++i)
    {
        const char ch = str[i];
        if (ch == '\t')
            strOut += "\\t";
        else if (ch == '\n')
            strOut += "\\n";
        else if (ch == '\\')
            strOut += "\\\\";
        else
            strOut += ch;
    }
    return Cp1251ToUtf8(strOut);
}

bool ParseFlag(const std::string& str, bool& bValue)
{
    if (str != "0" && str != "1")
        return false;
    bValue = str == "1";
    return true;
}

enum EAction { actType, actKey, actSel, actClick, actSetData, actPrompt, actUndo, actClear, actCopy, actCut, actPaste };

struct CAction
{
    EAction m_eAction;
    std::string m_strText;  // Windows-1251
    UINT m_nKey = 0;
    bool m_bShift = false;
    int m_nA = 0, m_nB = 0;
    bool m_bInsert = false, m_bKeepPrompt = false;
};

// Reads one action field; false with the reason when it is not one.
bool ParseAction(const std::string& strField, CAction& action, std::string& strProblem)
{
    const size_t nColon = strField.find(':');
    const std::string strName = strField.substr(0, nColon);
    const std::string strArg = nColon == std::string::npos ? std::string() : strField.substr(nColon + 1);
    const bool bHasArg = nColon != std::string::npos;
    strProblem = "неверное действие: " + Utf8ToCp1251(strField);

    static const struct
    {
        const char* m_pszName;
        EAction m_eAction;
    } s_aPlain[] = {{"undo", actUndo}, {"clear", actClear}, {"copy", actCopy}, {"cut", actCut}};
    for (const auto& plain : s_aPlain)
    {
        if (strName == plain.m_pszName)
        {
            action.m_eAction = plain.m_eAction;
            return !bHasArg;
        }
    }
    if (!bHasArg)
        return false;
    if (strName == "type" || strName == "paste")
    {
        action.m_eAction = strName == "type" ? actType : actPaste;
        return DecodeText(strArg, action.m_strText, strProblem);
    }
    if (strName == "prompt")
    {
        action.m_eAction = actPrompt;
        if (!DecodeText(strArg, action.m_strText, strProblem))
            return false;
        if (action.m_strText.size() != 1)
        {
            strProblem = "знак-заполнитель должен быть одним знаком: " + Utf8ToCp1251(strField);
            return false;
        }
        return true;
    }
    if (strName == "key")
    {
        static const struct
        {
            const char* m_pszName;
            UINT m_nKey;
        } s_aKeys[] = {{"BACK", VK_BACK}, {"DELETE", VK_DELETE}, {"HOME", VK_HOME},  {"END", VK_END},
                       {"LEFT", VK_LEFT}, {"RIGHT", VK_RIGHT},   {"UP", VK_UP},      {"DOWN", VK_DOWN},
                       {"INSERT", VK_INSERT}};
        action.m_eAction = actKey;
        std::string strKey = strArg;
        action.m_bShift = strKey.compare(0, 2, "S-") == 0;
        if (action.m_bShift)
            strKey.erase(0, 2);
        for (const auto& key : s_aKeys)
        {
            if (strKey == key.m_pszName)
            {
                action.m_nKey = key.m_nKey;
                return true;
            }
        }
        strProblem = "неизвестная клавиша: " + Utf8ToCp1251(strField);
        return false;
    }
    if (strName == "click")
    {
        action.m_eAction = actClick;
        return ParseInt(strArg, action.m_nA);
    }
    if (strName == "sel")
    {
        action.m_eAction = actSel;
        const size_t nSep = strArg.find(':');
        return nSep != std::string::npos && ParseInt(strArg.substr(0, nSep), action.m_nA) &&
               ParseInt(strArg.substr(nSep + 1), action.m_nB);
    }
    if (strName == "setdata")
    {
        // P:I:K:TEXT, the text itself may hold colons.
        action.m_eAction = actSetData;
        size_t aSep[3];
        size_t nFrom = 0;
        for (size_t& nSep : aSep)
        {
            nSep = strArg.find(':', nFrom);
            if (nSep == std::string::npos)
                return false;
            nFrom = nSep + 1;
        }
        return ParseInt(strArg.substr(0, aSep[0]), action.m_nA) &&
               ParseFlag(strArg.substr(aSep[0] + 1, aSep[1] - aSep[0] - 1), action.m_bInsert) &&
               ParseFlag(strArg.substr(aSep[1] + 1, aSep[2] - aSep[1] - 1), action.m_bKeepPrompt) &&
               DecodeText(strArg.substr(aSep[2] + 1), action.m_strText, strProblem);
    }
    return false;
}

void ApplyAction(CHeadlessMaskedEdit& edit, const CAction& action)
{
    CEditMask& model = edit.Model();
    switch (action.m_eAction)
    {
    case actType:
        edit.TypeText(action.m_strText.c_str());
        break;
    case actKey:
        edit.PressKey(action.m_nKey, action.m_bShift);
        break;
    case actSel:
        edit.Select(action.m_nA, action.m_nB);
        break;
    case actClick:
        edit.Click(action.m_nA);
        break;
    case actSetData:
        model.SetData(action.m_strText.c_str(), action.m_nA, action.m_bInsert, action.m_bKeepPrompt);
        break;
    case actPrompt:
        model.SetPromptChar(action.m_strText[0]);
        break;
    case actUndo:
        model.Undo();
        break;
    case actClear:
        model.ClearData();
        break;
    case actCopy:
        edit.Copy();
        break;
    case actCut:
        edit.Cut();
        break;
    case actPaste:
        edit.Surface().PutClipboardText(action.m_strText.c_str());
        edit.Paste();
        break;
    }
}

// One control: the mask (1251, escapes of the tool resolved), prompt and
// style, the actions; the eight values, or none for a plain edit.
bool RunControl(const std::string& strMask, char chPrompt, DWORD dwStyle, const std::vector<CAction>& actions,
                std::vector<std::string>& values)
{
    CHeadlessMaskedEdit edit;
    edit.Surface().SetStyle(dwStyle);
    edit.Model().SetPromptChar(chPrompt);
    edit.Model().SetMask(strMask.c_str());
    if (!edit.Model().HasMask())
        return false;
    for (const CAction& action : actions)
        ApplyAction(edit, action);

    CEditMask& model = edit.Model();
    CString strData, strClipboard;
    model.GetData(strData, false);
    edit.Surface().PeekClipboard(strClipboard);
    int nStart = 0, nEnd = 0;
    edit.Surface().GetEditSel(nStart, nEnd);
    values = {EncodeText(model.GetRawData()),
              EncodeText(strData),
              std::to_string(nStart),
              std::to_string(nEnd),
              model.CanUndo() ? "1" : "0",
              std::to_string(edit.Surface().GetBeepCount()),
              model.InsertMode() ? "1" : "0",
              EncodeText(strClipboard)};
    return true;
}

// One batch line: the output line, or false with the reason.
bool RunBatchLine(const std::string& strLine, std::string& strOut, std::string& strProblem)
{
    std::vector<std::string> fields(1);
    for (char ch : strLine)
    {
        if (ch == '\t')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    if (fields.size() < 4)
    {
        strProblem = "нужно не меньше четырёх полей через TAB: маска, заполнитель, стиль, только чтение";
        return false;
    }
    std::string strMask, strPrompt;
    if (!DecodeText(fields[0], strMask, strProblem) || !DecodeText(fields[1], strPrompt, strProblem))
        return false;
    if (strPrompt.size() != 1)
    {
        strProblem = "заполнитель должен быть одним знаком";
        return false;
    }
    DWORD dwStyle = 0;
    if (fields[2] == "u")
        dwStyle = ES_UPPERCASE;
    else if (fields[2] == "l")
        dwStyle = ES_LOWERCASE;
    else if (fields[2] != "n")
    {
        strProblem = "стиль должен быть n, u или l";
        return false;
    }
    bool bReadOnly = false;
    if (!ParseFlag(fields[3], bReadOnly))
    {
        strProblem = "только чтение должно быть 0 или 1";
        return false;
    }
    if (bReadOnly)
        dwStyle |= ES_READONLY;
    std::vector<CAction> actions(fields.size() - 4);
    for (size_t i = 4; i < fields.size(); ++i)
    {
        if (!ParseAction(fields[i], actions[i - 4], strProblem))
            return false;
    }
    std::vector<std::string> values;
    if (!RunControl(strMask, strPrompt[0], dwStyle, actions, values))
    {
        strOut = "#plain-edit";
        return true;
    }
    strOut.clear();
    for (size_t i = 0; i < values.size(); ++i)
        strOut += (i ? "\t" : "") + values[i];
    return true;
}

int RunBatch()
{
#ifdef _WIN32
    // The bytes as they are: no line-end translation, no end at Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    int nStatus = 0;
    unsigned long nLine = 0;
    std::string strLine;
    while (ReadLine(stdin, strLine))
    {
        ++nLine;
        std::string strOut, strProblem;
        if (RunBatchLine(strLine, strOut, strProblem))
        {
            if (strOut == "#plain-edit")
                nStatus = 1;
            WriteUtf8(stdout, strOut + "\n");
        }
        else
        {
            nStatus = 1;
            WriteUtf8(stdout, "#invalid\n");
            fflush(stdout);
            WriteText(stderr, "extkit mask: строка " + std::to_string(nLine) + ": " + strProblem + "\n");
        }
        fflush(stdout);
    }
    return nStatus;
}
}  // namespace

int MaskCommand(const std::vector<std::string>& args)
{
    bool bBatch = false, bOptions = true;
    std::vector<std::string> words;
    for (const std::string& arg : args)
    {
        if (bOptions && arg == "--")
            bOptions = false;
        else if (bOptions && arg == "--help")
        {
            WriteText(stdout, c_pszUsage);
            return 0;
        }
        else if (bOptions && arg == "--batch")
            bBatch = true;
        else if (bOptions && arg.compare(0, 2, "--") == 0)
            return UsageError("неизвестный параметр " + Utf8ToCp1251(arg));
        else
            words.push_back(arg);
    }
    if (bBatch)
    {
        if (!words.empty())
            return UsageError("--batch берёт всё со стандартного ввода, без маски и действий");
        return RunBatch();
    }
    if (words.empty())
        return UsageError("не задана маска");

    std::string strMask, strProblem;
    if (!DecodeText(words[0], strMask, strProblem))
        return UsageError(strProblem);
    std::vector<CAction> actions(words.size() - 1);
    for (size_t i = 1; i < words.size(); ++i)
    {
        if (!ParseAction(words[i], actions[i - 1], strProblem))
            return UsageError(strProblem);
    }
    std::vector<std::string> values;
    if (!RunControl(strMask, ' ', 0, actions, values))
    {
        WriteUtf8(stdout, "#plain-edit\n");
        WriteText(stderr, "extkit mask: в маске нет позиций ввода, это обычное поле ввода\n");
        return 1;
    }
    static const char* const s_apszNames[] = {"display=", "data=",   "start=",  "end=",
                                              "canundo=", "beeps=", "insert=", "clipboard="};
    for (size_t i = 0; i < values.size(); ++i)
        WriteUtf8(stdout, s_apszNames[i] + values[i] + "\n");
    return 0;
}
