// extkit checksum [--algo sum8|sum16|sum32|crc16|crc32] [--poly HEX] [--start HEX] [--invert] FILE...
// extkit checksum --batch
// Prints "<value> <file>" per file, the value in upper-case hexadecimal of the
// algorithm's width; "-" is the standard input. A file that cannot be read is
// reported on stderr and the others are still done.
#include "Commands.h"
#include "Console.h"
#include "FileBlocks.h"

#include "checksum/CRC.h"
#include "checksum/CheckSum.h"

#include <cstdio>
#include <memory>

namespace {
struct CAlgorithm {
    const char* m_pszName;
    int m_nDigits;  // hexadecimal digits of the value
    bool m_bCrc;
};

const CAlgorithm g_aAlgorithms[] = {
    {"sum8", 2, false}, {"sum16", 4, false}, {"sum32", 8, false}, {"crc16", 4, true}, {"crc32", 8, true},
};

const char* const c_pszUsage =
    "Использование: extkit checksum [--algo sum8|sum16|sum32|crc16|crc32] [--poly HEX] [--start HEX]\n"
    "                               [--invert] ФАЙЛ...\n"
    "  --algo    алгоритм (по умолчанию crc32)\n"
    "  --poly    полином CRC: для crc32 в отражённом порядке битов (по умолчанию EDB88320),\n"
    "            для crc16 в прямом (по умолчанию 1021)\n"
    "  --start   начальное значение (по умолчанию все единицы)\n"
    "  --invert  вывести значение с обращёнными битами\n"
    "ФАЙЛ \"-\" - стандартный ввод. Выводится регистр так, как его возвращают классы\n"
    "библиотеки, без итогового обращения битов: CRC-32 строки \"123456789\" - 340BC6D9.\n"
    "Привычное значение CRC-32 (CBF43926, как у распространённых программ) даёт --invert.\n"
    "--batch: каждая строка ввода - АЛГОРИТМ<TAB>ПОЛИНОМ<TAB>НАЧАЛО<TAB>ТЕКСТ[<TAB>ПОВТОРЫ]\n"
    "(ПОЛИНОМ и НАЧАЛО могут быть пустыми; в ТЕКСТЕ \\t, \\n, \\\\ и \\xHH - табуляция,\n"
    "перевод строки, черта и байт HH; ТЕКСТ берётся ПОВТОРЫ раз, по умолчанию один);\n"
    "на строку выводится ЗНАЧЕНИЕ<TAB>ОБРАЩЁННОЕ, а для неверной строки - #invalid.\n";

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("checksum", strCp1251);
}

// Hexadecimal digits, with or without 0x in front. A value wider than 32 bits
// is held at 2 to the 32nd, which is too wide for every algorithm.
bool ParseHex(const std::string& str, unsigned long long& nValue)
{
    size_t i = 0;
    if (str.size() > 2 && str[0] == '0' && (str[1] == 'x' || str[1] == 'X'))
        i = 2;
    if (i == str.size())
        return false;
    unsigned long long n = 0;
    for (; i < str.size(); ++i) {
        const char ch = str[i];
        int nDigit;
        if (ch >= '0' && ch <= '9')
            nDigit = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            nDigit = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            nDigit = ch - 'A' + 10;
        else
            return false;
        n = (n << 4) | (unsigned long long)nDigit;
        if (n > 0xFFFFFFFFull)
            n = 0x100000000ull;
    }
    nValue = n;
    return true;
}

std::unique_ptr<COXCheckBase> MakeCheck(const std::string& strAlgo, unsigned long long nPoly, bool bPoly)
{
    if (strAlgo == "sum8")
        return std::unique_ptr<COXCheckBase>(new COXCheckSum8);
    if (strAlgo == "sum16")
        return std::unique_ptr<COXCheckBase>(new COXCheckSum16);
    if (strAlgo == "sum32")
        return std::unique_ptr<COXCheckBase>(new COXCheckSum32);
    if (strAlgo == "crc16")
        return std::unique_ptr<COXCheckBase>(bPoly ? new COXCRC16((WORD)nPoly) : new COXCRC16);
    return std::unique_ptr<COXCheckBase>(bPoly ? new COXCRC32((DWORD)nPoly) : new COXCRC32);
}

// What to compute: the algorithm and its polynomial and start, as given.
struct CChecksumChoice {
    std::string m_strAlgo = "crc32";
    unsigned long long m_nPoly = 0, m_nStart = 0;
    bool m_bPoly = false, m_bStart = false;
    std::string m_strPoly, m_strStart;  // as given, for the messages
    const CAlgorithm* m_pAlgo = nullptr;
    unsigned long long m_nMask = 0;

    // Checks the values against the algorithm; false with the reason.
    bool Check(std::string& strProblem)
    {
        m_pAlgo = nullptr;
        for (const CAlgorithm& algo : g_aAlgorithms)
            if (m_strAlgo == algo.m_pszName)
                m_pAlgo = &algo;
        if (m_pAlgo == nullptr) {
            strProblem = "неизвестный алгоритм " + Utf8ToCp1251(m_strAlgo);
            return false;
        }
        const int nBits = 4 * m_pAlgo->m_nDigits;
        m_nMask = (1ull << nBits) - 1;
        const std::string strBits = " (" + std::to_string(nBits) + (nBits == 32 ? " бита): " : " бит): ");
        if (m_bPoly && !m_pAlgo->m_bCrc)
            strProblem = "полином задаётся только для crc16 и crc32";
        else if (m_bPoly && (m_nPoly & ~m_nMask) != 0)
            strProblem = "полином шире алгоритма " + m_strAlgo + strBits + Utf8ToCp1251(m_strPoly);
        else if (m_bStart && (m_nStart & ~m_nMask) != 0)
            strProblem = "начальное значение шире алгоритма " + m_strAlgo + strBits + Utf8ToCp1251(m_strStart);
        else
            return true;
        return false;
    }
    bool SetPoly(const std::string& strValue, std::string& strProblem)
    {
        m_bPoly = true;
        m_strPoly = strValue;
        if (ParseHex(strValue, m_nPoly))
            return true;
        strProblem = "полином должен быть шестнадцатеричным числом: " + Utf8ToCp1251(strValue);
        return false;
    }
    bool SetStart(const std::string& strValue, std::string& strProblem)
    {
        m_bStart = true;
        m_strStart = strValue;
        if (ParseHex(strValue, m_nStart))
            return true;
        strProblem = "начальное значение должно быть шестнадцатеричным числом: " + Utf8ToCp1251(strValue);
        return false;
    }
    std::unique_ptr<COXCheckBase> Make() const
    {
        std::unique_ptr<COXCheckBase> pCheck = MakeCheck(m_strAlgo, m_nPoly, m_bPoly);
        if (m_bStart)
            pCheck->m_nValue = (DWORD)m_nStart;
        return pCheck;
    }
    // The value as the tool prints it.
    std::string Format(DWORD nValue) const
    {
        char szValue[16];
        snprintf(szValue, sizeof(szValue), "%0*X", m_pAlgo->m_nDigits, (unsigned)(nValue & m_nMask));
        return szValue;
    }
};

// The text of a batch line: \t, \n, \\ and \xHH resolved; false with the reason.
bool DecodeBatchText(const std::string& strText, std::string& strBytes, std::string& strProblem)
{
    strBytes.clear();
    for (size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] != '\\') {
            strBytes += strText[i];
            continue;
        }
        const char chNext = i + 1 < strText.size() ? strText[i + 1] : 0;
        unsigned long long nByte = 0;
        if (chNext == 't') {
            strBytes += '\t';
        } else if (chNext == 'n') {
            strBytes += '\n';
        } else if (chNext == '\\') {
            strBytes += '\\';
        } else if (chNext == 'x' && i + 3 < strText.size() && ParseHex(strText.substr(i + 2, 2), nByte)) {
            strBytes += (char)nByte;
            i += 2;
        } else {
            strProblem = "неизвестное сочетание с \\ (есть \\t, \\n, \\\\, \\xHH)";
            return false;
        }
        ++i;
    }
    return true;
}

}  // namespace

int ChecksumCommand(const std::vector<std::string>& args)
{
    CChecksumChoice choice;
    bool bInvert = false, bBatch = false;
    std::string strProblem;
    std::vector<std::string> files;

    bool bOptions = true;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!bOptions || arg.empty() || arg[0] != '-' || arg == "-") {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptions = false;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            WriteText(stdout, c_pszUsage);
            return 0;
        }
        if (arg == "--invert") {
            bInvert = true;
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
        if (strName != "--algo" && strName != "--poly" && strName != "--start")
            return UsageError("неизвестный параметр " + Utf8ToCp1251(arg));
        if (nEq == std::string::npos) {
            if (i + 1 >= args.size())
                return UsageError("нет значения у параметра " + strName);
            strValue = args[++i];
        }
        if (strName == "--algo")
            choice.m_strAlgo = strValue;
        else if (strName == "--poly" ? !choice.SetPoly(strValue, strProblem) : !choice.SetStart(strValue, strProblem))
            return UsageError(strProblem);
    }
    if (bBatch) {
        if (!files.empty() || bInvert || choice.m_bPoly || choice.m_bStart || choice.m_strAlgo != "crc32")
            return UsageError("--batch берёт всё со стандартного ввода, без параметров и файлов");
        return RunBatchLines("checksum", RunChecksumBatchLine);
    }

    if (!choice.Check(strProblem))
        return UsageError(strProblem);
    if (files.empty())
        return UsageError("не указаны файлы");

    int nStatus = 0;
    for (const std::string& strFile : files) {
        std::unique_ptr<COXCheckBase> pCheck = choice.Make();
        const FileBlockHandler onBlock = [&](const unsigned char* pData, size_t nLength) {
            pCheck->ChecksumBlock(pData, (DWORD)nLength);
        };
        const EFileBlocksResult eResult = strFile == "-" ? ReadStdinBlocks(onBlock) : ReadFileBlocks(strFile, onBlock);
        // Names are shown as given, but for their control characters.
        const std::string strName = EscapeControls(strFile);
        if (eResult != fileBlocksDone) {
            fflush(stdout);
            WriteUtf8(stderr, "extkit checksum: " + Cp1251ToUtf8(FileBlocksFailureText(eResult)) + strName + "\n");
            nStatus = 1;
            continue;
        }
        WriteUtf8(stdout, choice.Format(pCheck->m_nValue ^ (bInvert ? 0xFFFFFFFFu : 0u)) + " " + strName + "\n");
    }
    return nStatus;
}

EXTKIT_TOOL_COMMAND(10, "checksum", ChecksumCommand, "контрольные суммы и CRC файлов");

bool RunChecksumBatchLine(const std::string& strLine, std::string& strOutUtf8, std::string& strProblem)
{
    std::vector<std::string> fields(1);
    for (char ch : strLine) {
        if (ch == '\t')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    strOutUtf8 = "#invalid";
    CChecksumChoice choice;
    std::string strBytes;
    int nRepeat = 1;
    if (fields.size() < 4 || fields.size() > 5) {
        strProblem = "нужно четыре или пять полей через табуляцию";
        return false;
    }
    choice.m_strAlgo = fields[0];
    if ((!fields[1].empty() && !choice.SetPoly(fields[1], strProblem)) ||
        (!fields[2].empty() && !choice.SetStart(fields[2], strProblem)) || !choice.Check(strProblem) ||
        !DecodeBatchText(fields[3], strBytes, strProblem))
        return false;
    // The repeats make the long inputs that the fast paths take; 64 MB at most.
    if (fields.size() == 5 && (!ParseInt(fields[4], nRepeat) || nRepeat < 0 ||
                               (long long)nRepeat * (long long)strBytes.size() > (64ll << 20))) {
        strProblem = "повторы - число от 0, всего не больше 64 МБ: " + Utf8ToCp1251(fields[4]);
        return false;
    }
    // An empty text stays empty however often it is repeated.
    std::string strData;
    if (!strBytes.empty()) {
        strData.reserve(strBytes.size() * (size_t)nRepeat);
        for (int i = 0; i < nRepeat; ++i)
            strData += strBytes;
    }
    std::unique_ptr<COXCheckBase> pCheck = choice.Make();
    pCheck->ChecksumBlock(reinterpret_cast<const BYTE*>(strData.data()), (DWORD)strData.size());
    strOutUtf8 = choice.Format(pCheck->m_nValue) + "\t" + choice.Format(~pCheck->m_nValue);
    return true;
}
