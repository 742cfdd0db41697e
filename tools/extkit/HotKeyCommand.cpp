// extkit hotkey FILE [ACTION...]
// extkit hotkey --batch
// The hot-key table as hosts store it: shown, changed and written back from
// the shell, and checked in bulk.
#include "Commands.h"
#include "Console.h"

#include "menus/HotKeyArray.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const c_pszUsage = "Использование: extkit hotkey ФАЙЛ [ДЕЙСТВИЕ...]\n"
                               "               extkit hotkey --batch\n"
                               "Таблица горячих клавиш в том виде, в каком её сохраняют программы: число\n"
                               "записей (2 байта, от 0xFFFF - ещё 4), затем по 8 байтов на запись: флаги,\n"
                               "0, код клавиши (2 байта), команда (4 байта). Без действий выводится таблица\n"
                               "из ФАЙЛА; несуществующий ФАЙЛ - пустая таблица.\n"
                               "Действия (по порядку):\n"
                               "  add:КЛАВИША:ФЛАГИ:КОМАНДА   добавить запись\n"
                               "  fill:N:КЛАВИША:ФЛАГИ:КОМАНДА  добавить N одинаковых записей\n"
                               "  remove:КЛАВИША:ФЛАГИ        убрать первую запись с этой клавишей и флагами\n"
                               "  removecmd:КОМАНДА           убрать первую запись с этой командой\n"
                               "  find:КЛАВИША:ФЛАГИ          вывести команду (0 - нет такой записи)\n"
                               "  list                        вывести записи (Ctrl+Shift+F2=100 ...)\n"
                               "  store                       вывести сохранённый вид (шестнадцатеричные байты;\n"
                               "                              длинный - размер, начало и конец)\n"
                               "  load:БАЙТЫ                  загрузить таблицу из шестнадцатеричных байтов\n"
                               "  save                        записать таблицу в ФАЙЛ\n"
                               "КЛАВИША - код виртуальной клавиши числом или имя (A-Z, 0-9, F1-F24, INSERT,\n"
                               "DELETE, HOME, END, PRIOR, NEXT, LEFT, RIGHT, UP, DOWN, SPACE, RETURN, ESCAPE,\n"
                               "TAB, BACK). ФЛАГИ - сумма: 4 Shift, 8 Ctrl, 16 Alt.\n"
                               "--batch: каждая строка ввода - действия через TAB над пустой таблицей (без\n"
                               "save); на строку выводится строка из выводов действий через TAB. Загрузка,\n"
                               "которой не хватило байтов, выводит error:end-of-file и оставляет таблицу\n"
                               "прежней. Неверная строка даёт #invalid и сообщение в stderr.\n";

struct CKeyName {
    const char* m_pszName;
    WORD m_wKey;
};

// clang-format off
const CKeyName c_aKeyNames[] = {
    {"BACK", 0x08}, {"TAB", 0x09}, {"RETURN", 0x0D}, {"ESCAPE", 0x1B}, {"SPACE", 0x20}, {"PRIOR", 0x21},
    {"NEXT", 0x22}, {"END", 0x23}, {"HOME", 0x24}, {"LEFT", 0x25}, {"UP", 0x26}, {"RIGHT", 0x27}, {"DOWN", 0x28},
    {"INSERT", 0x2D}, {"DELETE", 0x2E},
};
// clang-format on

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("hotkey", strCp1251);
}

bool ParseKey(const std::string& str, WORD& wKey)
{
    int n = 0;
    if (ParseInt(str, n)) {
        if (n < 0 || n > 0xFFFF)
            return false;
        wKey = static_cast<WORD>(n);
        return true;
    }
    if (str.size() == 1 && ((str[0] >= 'A' && str[0] <= 'Z') || (str[0] >= '0' && str[0] <= '9'))) {
        wKey = static_cast<WORD>(str[0]);
        return true;
    }
    if (str.size() >= 2 && str[0] == 'F' && ParseInt(str.substr(1), n) && n >= 1 && n <= 24) {
        wKey = static_cast<WORD>(0x70 + n - 1);
        return true;
    }
    for (const CKeyName& name : c_aKeyNames) {
        if (str == name.m_pszName) {
            wKey = name.m_wKey;
            return true;
        }
    }
    return false;
}

std::string KeyName(WORD wKey)
{
    if ((wKey >= 'A' && wKey <= 'Z') || (wKey >= '0' && wKey <= '9'))
        return std::string(1, static_cast<char>(wKey));
    if (wKey >= 0x70 && wKey < 0x70 + 24)
        return "F" + std::to_string(wKey - 0x70 + 1);
    for (const CKeyName& name : c_aKeyNames) {
        if (name.m_wKey == wKey)
            return name.m_pszName;
    }
    return std::to_string(wKey);
}

std::string Hex(const BYTE* p, size_t n)
{
    static const char c_szDigits[] = "0123456789ABCDEF";
    std::string str;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0)
            str += ' ';
        str += c_szDigits[p[i] >> 4];
        str += c_szDigits[p[i] & 15];
    }
    return str;
}

bool ParseHexBytes(const std::string& str, std::vector<BYTE>& bytes)
{
    bytes.clear();
    int nHalf = -1;
    for (char ch : str) {
        int nDigit;
        if (ch >= '0' && ch <= '9')
            nDigit = ch - '0';
        else if (ch >= 'A' && ch <= 'F')
            nDigit = ch - 'A' + 10;
        else if (ch >= 'a' && ch <= 'f')
            nDigit = ch - 'a' + 10;
        else if (ch == ' ' && nHalf < 0)
            continue;
        else
            return false;
        if (nHalf < 0) {
            nHalf = nDigit;
        } else {
            bytes.push_back(static_cast<BYTE>(nHalf * 16 + nDigit));
            nHalf = -1;
        }
    }
    return nHalf < 0;
}

const char* ArchiveCause(int nCause)
{
    switch (nCause) {
    case CArchiveException::endOfFile:
        return "end-of-file";
    case CArchiveException::badIndex:
        return "bad-index";
    default:
        return "archive";
    }
}

std::string StoredForm(CHotKeyArray& table)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        table.Serialize(ar);
        ar.Close();
    }
    const size_t nSize = static_cast<size_t>(file.GetLength());
    std::vector<BYTE> bytes(nSize);
    file.SeekToBegin();
    if (nSize > 0)
        file.Read(bytes.data(), static_cast<UINT>(nSize));
    if (nSize <= 64)
        return Hex(bytes.data(), nSize);
    return std::to_string(nSize) + " bytes: " + Hex(bytes.data(), 16) + " ... " + Hex(bytes.data() + nSize - 8, 8);
}

// Loads the table from the bytes: "loaded N", or the archive error (the
// table then stays as it was).
std::string Load(CHotKeyArray& table, const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    try {
        CArchive ar(&file, CArchive::load);
        table.Serialize(ar);
        return "loaded " + std::to_string(table.GetSize());
    } catch (CArchiveException* e) {
        const std::string str = std::string("error:") + ArchiveCause(e->m_cause);
        e->Delete();
        return str;
    }
}

std::string List(const CHotKeyArray& table)
{
    std::string str;
    for (INT_PTR i = 0; i < table.GetSize(); ++i) {
        const ACCEL_DW_CMD& entry = table.GetAt(i);
        if (i > 0)
            str += ' ';
        if (entry.fVirt & HOTKEY_CONTROL)
            str += "Ctrl+";
        if (entry.fVirt & HOTKEY_ALT)
            str += "Alt+";
        if (entry.fVirt & HOTKEY_SHIFT)
            str += "Shift+";
        // Flags beyond the three modifiers are kept and shown as a number.
        if (entry.fVirt & ~(HOTKEY_CONTROL | HOTKEY_ALT | HOTKEY_SHIFT))
            str += "(" + std::to_string(entry.fVirt) + ")+";
        str += KeyName(entry.wKey) + "=" + std::to_string(entry.dwCmd);
    }
    return str.empty() ? "(empty)" : str;
}

bool ParseNumber(const std::string& str, DWORD dwMax, DWORD& dwValue)
{
    unsigned long long n = 0;
    if (str.empty() || str.size() > 10)
        return false;
    for (char ch : str) {
        if (ch < '0' || ch > '9')
            return false;
        n = n * 10 + static_cast<unsigned>(ch - '0');
    }
    if (n > dwMax)
        return false;
    dwValue = static_cast<DWORD>(n);
    return true;
}

// Plays one action; its output (if any) goes to outputs. pszFile: where save
// writes, null where saving is not allowed.
bool RunAction(CHotKeyArray& table, const std::string& strAction, const char* pszFile,
               std::vector<std::string>& outputs, std::string& strProblem)
{
    std::vector<std::string> parts(1);
    for (char ch : strAction) {
        if (ch == ':')
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    const std::string& strName = parts[0];
    WORD wKey = 0;
    DWORD dwFlags = 0, dwCmd = 0, dwCount = 0;
    if (strName == "add" && parts.size() == 4 && ParseKey(parts[1], wKey) && ParseNumber(parts[2], 0xFF, dwFlags) &&
        ParseNumber(parts[3], 0xFFFFFFFF, dwCmd)) {
        table.AddKey(wKey, static_cast<BYTE>(dwFlags), dwCmd);
    } else if (strName == "fill" && parts.size() == 5 && ParseNumber(parts[1], 1000000, dwCount) &&
               ParseKey(parts[2], wKey) && ParseNumber(parts[3], 0xFF, dwFlags) &&
               ParseNumber(parts[4], 0xFFFFFFFF, dwCmd)) {
        for (DWORD i = 0; i < dwCount; ++i)
            table.AddKey(wKey, static_cast<BYTE>(dwFlags), dwCmd);
    } else if (strName == "remove" && parts.size() == 3 && ParseKey(parts[1], wKey) &&
               ParseNumber(parts[2], 0xFF, dwFlags)) {
        table.RemoveKey(wKey, static_cast<BYTE>(dwFlags));
    } else if (strName == "removecmd" && parts.size() == 2 && ParseNumber(parts[1], 0xFFFFFFFF, dwCmd)) {
        table.RemoveCmd(dwCmd);
    } else if (strName == "find" && parts.size() == 3 && ParseKey(parts[1], wKey) &&
               ParseNumber(parts[2], 0xFF, dwFlags)) {
        outputs.push_back(std::to_string(table.FindCommand(wKey, static_cast<BYTE>(dwFlags))));
    } else if (strAction == "list") {
        outputs.push_back(List(table));
    } else if (strAction == "store") {
        outputs.push_back(StoredForm(table));
    } else if (strName == "load" && parts.size() == 2) {
        std::vector<BYTE> bytes;
        if (!ParseHexBytes(parts[1], bytes)) {
            strProblem = "байты пишутся шестнадцатеричными парами: " + Utf8ToCp1251(parts[1]);
            return false;
        }
        outputs.push_back(Load(table, bytes));
    } else if (strAction == "save" && pszFile != NULL) {
        CFile file;
        CFileException error;
        if (!file.Open(pszFile, CFile::modeCreate | CFile::modeWrite, &error)) {
            strProblem = "не удалось записать файл";
            return false;
        }
        CArchive ar(&file, CArchive::store);
        table.Serialize(ar);
        ar.Close();
        file.Close();
    } else {
        strProblem = "неизвестное или неполное действие: " + Utf8ToCp1251(strAction);
        return false;
    }
    return true;
}

std::string Join(const std::vector<std::string>& outputs)
{
    std::string str;
    for (size_t i = 0; i < outputs.size(); ++i)
        str += (i > 0 ? "\t" : "") + outputs[i];
    return str;
}

}  // namespace

int HotKeyCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return UsageError("не указан файл");
    if (args[0] == "--help" || args[0] == "-h") {
        WriteText(stdout, c_pszUsage);
        return 0;
    }
    if (args[0] == "--batch") {
        if (args.size() > 1)
            return UsageError("--batch берёт строки со стандартного ввода, без файла и действий");
        return RunBatchLines("hotkey", RunHotKeyBatchLine);
    }
    const std::string& strFile = args[0];
    CHotKeyArray table;
    CFile file;
    if (file.Open(strFile.c_str(), CFile::modeRead)) {
        std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
        if (!bytes.empty())
            file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        const std::string strLoaded = Load(table, bytes);
        if (strLoaded.compare(0, 6, "loaded") != 0) {
            ReportError("hotkey", "файл не читается как таблица горячих клавиш (" + strLoaded + ")");
            return 1;
        }
    }
    std::vector<std::string> outputs;
    std::string strProblem;
    for (size_t i = 1; i < args.size(); ++i) {
        if (!RunAction(table, args[i], strFile.c_str(), outputs, strProblem)) {
            WriteUtf8(stdout, Join(outputs) + (outputs.empty() ? "" : "\n"));
            return UsageError(strProblem);
        }
    }
    if (args.size() == 1)
        outputs.push_back(List(table));
    for (const std::string& strOut : outputs)
        WriteUtf8(stdout, strOut + "\n");
    return 0;
}

EXTKIT_TOOL_COMMAND(70, "hotkey", HotKeyCommand, "таблица горячих клавиш: просмотр и правка");

bool RunHotKeyBatchLine(const std::string& strLine, std::string& strOutUtf8, std::string& strProblem)
{
    strOutUtf8 = "#invalid";
    CHotKeyArray table;
    std::vector<std::string> outputs;
    std::string strAction;
    for (size_t i = 0; i <= strLine.size(); ++i) {
        if (i < strLine.size() && strLine[i] != '\t') {
            strAction += strLine[i];
            continue;
        }
        if (!RunAction(table, strAction, NULL, outputs, strProblem))
            return false;
        strAction.clear();
    }
    strOutUtf8 = Join(outputs);
    return true;
}
