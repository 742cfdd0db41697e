// extkit mask: the masked edit control without a window, to try a mask from
// the shell and to check its behaviour in bulk.
//   extkit mask MASK ACTION...
//   extkit mask --batch
// Each run is a fresh control with the mask set; the actions are played on it
// in order as a user's keys, clicks and commands, and the control's state is
// printed. See c_pszUsage for the actions and the formats.
#include "Commands.h"
#include "Console.h"

#include "edit/MaskScript.h"
#ifdef _WIN32
#    include "edit/WindowMaskTarget.h"
#endif

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#    include <fcntl.h>
#    include <io.h>
#endif

namespace {
const char* const c_pszUsage =
    "Использование: extkit mask МАСКА ДЕЙСТВИЕ...\n"
    "               extkit mask --batch [--window]\n"
    "Маска: # цифра, & любой знак, ? буква, A буква или цифра, L строчная буква,\n"
    "U прописная буква, прочие знаки - постоянные. Обратная косая черта в маске\n"
    "пропадает, а знак после неё остаётся каким был: \\# - всё та же позиция для\n"
    "цифры; только две черты подряд дают постоянный знак \\.\n"
    "В маске, знаке-заполнителе и тексте \\t - табуляция, \\n - перевод строки,\n"
    "\\\\ - обратная косая черта; другие сочетания с \\ - ошибка. Поэтому черта маски\n"
    "пишется \\\\ (маска \\# - \\\\#), а постоянная черта - \\\\\\\\.\n"
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
    "--window (в Windows): то же на настоящем поле CEditEx в окне: клавиши и щелчки\n"
    "приходят сообщениями, как от клавиатуры и мыши, буфер обмена - настоящий.\n"
    "Пустая маска (в том числе пустая после снятия \\) - обычное поле ввода, которое здесь\n"
    "не моделируется: вывод #plain-edit; маска из одних постоянных знаков - поле, в которое\n"
    "ничего не вводится. Строка с ошибкой даёт вывод #invalid и сообщение\n"
    "с номером строки в stderr; обработка продолжается. Код завершения: 0 - всё выполнено,\n"
    "1 - была строка #plain-edit или #invalid, 2 - неверный вызов.\n";

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("mask", strCp1251);
}

// UTF-8 input as Windows-1251, or false with the reason.
bool ToCp1251(const std::string& strUtf8, std::string& str1251, std::string& strProblem)
{
    if (Utf8ToCp1251Strict(strUtf8, str1251))
        return true;
    strProblem = "текст не записывается в кодовой странице 1251: " + Utf8ToCp1251(strUtf8);
    return false;
}

}  // namespace

bool RunMaskBatchLineOn(CMaskScriptTarget& target, const std::string& strLineUtf8, std::string& strOutUtf8,
                        std::string& strProblem)
{
    std::string strLine;
    CMaskScript script;
    strOutUtf8 = "#invalid";
    if (!ToCp1251(strLineUtf8, strLine, strProblem) || !script.ParseLine(strLine, strProblem))
        return false;
    CMaskState state;
    if (script.Play(target, state) == CMaskScript::plainEdit)
        strOutUtf8 = "#plain-edit";
    else
        strOutUtf8 = Cp1251ToUtf8(state.Line());
    return true;
}

bool RunMaskBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem)
{
    CHeadlessMaskTarget target;
    return RunMaskBatchLineOn(target, strLineUtf8, strOutUtf8, strProblem);
}

namespace {
int RunBatch(CMaskScriptTarget& target)
{
#ifdef _WIN32
    // The bytes as they are: no line-end translation, no end at Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    int nStatus = 0;
    unsigned long nLine = 0;
    std::string strLine;
    while (ReadLine(stdin, strLine)) {
        ++nLine;
        std::string strOut, strProblem;
        if (RunMaskBatchLineOn(target, strLine, strOut, strProblem)) {
            if (strOut == "#plain-edit")
                nStatus = 1;
            WriteUtf8(stdout, strOut + "\n");
        } else {
            nStatus = 1;
            WriteUtf8(stdout, "#invalid\n");
            fflush(stdout);
            ReportError("mask", "строка " + std::to_string(nLine) + ": " + strProblem);
        }
        fflush(stdout);
    }
    return nStatus;
}
}  // namespace

int MaskCommand(const std::vector<std::string>& args)
{
    bool bBatch = false, bWindow = false, bOptions = true;
    std::vector<std::string> words;
    for (const std::string& arg : args) {
        if (bOptions && arg == "--")
            bOptions = false;
#ifdef _WIN32
        else if (bOptions && arg == "--window")
            bWindow = true;
#endif
        else if (bOptions && arg == "--help") {
            WriteText(stdout, c_pszUsage);
            return 0;
        } else if (bOptions && arg == "--batch")
            bBatch = true;
        else if (bOptions && arg.compare(0, 2, "--") == 0)
            return UsageError("неизвестный параметр " + Utf8ToCp1251(arg));
        else
            words.push_back(arg);
    }
    if (bBatch) {
        if (!words.empty())
            return UsageError("--batch берёт всё со стандартного ввода, без маски и действий");
#ifdef _WIN32
        if (bWindow) {
            CWindowMaskTarget window;
            if (!window.IsReady()) {
                ReportError("mask", "не удалось создать окно");
                return 1;
            }
            return RunBatch(window);
        }
#endif
        CHeadlessMaskTarget target;
        return RunBatch(target);
    }
    if (bWindow)
        return UsageError("--window только вместе с --batch");
    if (words.empty())
        return UsageError("не задана маска");

    CMaskScript script;
    std::string str1251, strProblem;
    if (!ToCp1251(words[0], str1251, strProblem) || !CMaskScript::DecodeField(str1251, script.m_strMask, strProblem))
        return UsageError(strProblem);
    script.m_actions.resize(words.size() - 1);
    for (size_t i = 1; i < words.size(); ++i) {
        if (!ToCp1251(words[i], str1251, strProblem) ||
            !CMaskScript::ParseAction(str1251, script.m_actions[i - 1], strProblem))
            return UsageError(strProblem);
    }
    CHeadlessMaskTarget target;
    CMaskState state;
    if (script.Play(target, state) == CMaskScript::plainEdit) {
        WriteUtf8(stdout, "#plain-edit\n");
        ReportError("mask", "маска пуста, это обычное поле ввода");
        return 1;
    }
    const std::vector<std::string> values = state.Values();
    for (size_t i = 0; i < values.size(); ++i)
        WriteText(stdout, std::string(CMaskState::s_apszNames[i]) + "=" + values[i] + "\n");
    return 0;
}

EXTKIT_TOOL_COMMAND(40, "mask", MaskCommand, "поле ввода по маске: клавиши, щелчки и команды по порядку");
