// extkit checksum [--algo sum8|sum16|sum32|crc16|crc32] [--poly HEX] [--start HEX] [--invert] FILE...
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
    "Привычное значение CRC-32 (CBF43926, как у распространённых программ) даёт --invert.\n";

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

const char* FailureText(EFileBlocksResult eResult)
{
    switch (eResult) {
    case fileBlocksNotFound:
        return "нет такого файла: ";
    case fileBlocksAccessDenied:
        return "нет доступа к файлу: ";
    case fileBlocksIsDirectory:
        return "это папка, а не файл: ";
    default:
        return "ошибка чтения файла: ";
    }
}
}  // namespace

int ChecksumCommand(const std::vector<std::string>& args)
{
    std::string strAlgo = "crc32";
    unsigned long long nPoly = 0, nStart = 0;
    bool bPoly = false, bStart = false, bInvert = false;
    std::string strPoly, strStart;  // as given, for the messages
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
        if (strName == "--algo") {
            bool bKnown = false;
            for (const CAlgorithm& algo : g_aAlgorithms)
                bKnown = bKnown || strValue == algo.m_pszName;
            if (!bKnown)
                return UsageError("неизвестный алгоритм " + Utf8ToCp1251(strValue));
            strAlgo = strValue;
        } else if (strName == "--poly") {
            if (!ParseHex(strValue, nPoly))
                return UsageError("полином должен быть шестнадцатеричным числом: " + Utf8ToCp1251(strValue));
            bPoly = true;
            strPoly = strValue;
        } else {
            if (!ParseHex(strValue, nStart))
                return UsageError("начальное значение должно быть шестнадцатеричным числом: " + Utf8ToCp1251(strValue));
            bStart = true;
            strStart = strValue;
        }
    }

    const CAlgorithm* pAlgo = g_aAlgorithms;
    while (strAlgo != pAlgo->m_pszName)
        ++pAlgo;
    const int nBits = 4 * pAlgo->m_nDigits;
    const unsigned long long nMask = (1ull << nBits) - 1;
    const std::string strBits = " (" + std::to_string(nBits) + (nBits == 32 ? " бита): " : " бит): ");
    if (bPoly && !pAlgo->m_bCrc)
        return UsageError("полином задаётся только для crc16 и crc32");
    if (bPoly && (nPoly & ~nMask) != 0)
        return UsageError("полином шире алгоритма " + strAlgo + strBits + Utf8ToCp1251(strPoly));
    if (bStart && (nStart & ~nMask) != 0)
        return UsageError("начальное значение шире алгоритма " + strAlgo + strBits + Utf8ToCp1251(strStart));
    if (files.empty())
        return UsageError("не указаны файлы");

    int nStatus = 0;
    for (const std::string& strFile : files) {
        std::unique_ptr<COXCheckBase> pCheck = MakeCheck(strAlgo, nPoly, bPoly);
        if (bStart)
            pCheck->m_nValue = (DWORD)nStart;
        const FileBlockHandler onBlock = [&](const unsigned char* pData, size_t nLength) {
            pCheck->ChecksumBlock(pData, (DWORD)nLength);
        };
        const EFileBlocksResult eResult = strFile == "-" ? ReadStdinBlocks(onBlock) : ReadFileBlocks(strFile, onBlock);
        // Names are shown as given, but for their control characters.
        const std::string strName = EscapeControls(strFile);
        if (eResult != fileBlocksDone) {
            fflush(stdout);
            WriteUtf8(stderr, "extkit checksum: " + Cp1251ToUtf8(FailureText(eResult)) + strName + "\n");
            nStatus = 1;
            continue;
        }
        const unsigned long long nValue = (pCheck->m_nValue ^ (bInvert ? 0xFFFFFFFFu : 0u)) & nMask;
        char szValue[16];
        snprintf(szValue, sizeof(szValue), "%0*X ", pAlgo->m_nDigits, (unsigned)nValue);
        WriteUtf8(stdout, szValue + strName + "\n");
    }
    return nStatus;
}

EXTKIT_TOOL_COMMAND(10, "checksum", ChecksumCommand, "контрольные суммы и CRC файлов");
