// extkit icon [--best WxH] FILE...
// extkit icon --batch [--dir DIR]
// Reads icon files as the library does before it hands an image to the
// system: every image must lie inside the file and its header's sizes must
// fit its bytes, or the whole file is refused.
#include "Commands.h"
#include "Console.h"
#include "FileBlocks.h"

#include "images/ImageFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const c_pszUsage = "Использование: extkit icon [--best ШxВ] ФАЙЛ...\n"
                               "               extkit icon --batch [--dir ПАПКА]\n"
                               "Проверяет файлы значков (.ico) так, как библиотека проверяет их перед тем, как\n"
                               "отдать изображение системе: каждое изображение должно лежать внутри файла, а\n"
                               "размеры в его заголовке - помещаться в его байты; иначе отвергается весь файл.\n"
                               "Файл точечного рисунка (.bmp) проверяется так же: выводится bitmap, ШxВ/БИТЫ и\n"
                               "bits= - где в файле начинаются точки.\n"
                               "Для каждого файла выводится строка ИМЯ: ok и изображения (ШxВ/ЦВЕТА, где ЦВЕТА -\n"
                               "битов на точку; png - картинка PNG, которую библиотека не использует), затем\n"
                               "номер изображения, ближайшего по размеру к ШxВ (по умолчанию 32x32), или\n"
                               "ИМЯ: отказ и причина.\n"
                               "--batch: каждая строка ввода - ФАЙЛ (в папке --dir) и правки через TAB:\n"
                               "  cut:N              оставить первые N байтов\n"
                               "  set:СМЕЩЕНИЕ:Б:ЧИСЛО  записать число в Б (1, 2 или 4) байтах с младшего\n"
                               "  best:ШxВ           размер, к которому ищется ближайшее изображение\n"
                               "на строку выводится ok<TAB>изображения через пробел<TAB>best=N или\n"
                               "refused<TAB>причина (too-short, not-an-icon, no-images, directory-cut,\n"
                               "image-outside, image-empty, bad-header, sizes-do-not-fit).\n";

int UsageError(const std::string& strCp1251)
{
    return ReportUsageError("icon", strCp1251);
}

const char* ErrorCode(EImageFileError eError)
{
    switch (eError) {
    case imageFileOk:
        return "ok";
    case imageFileTooShort:
        return "too-short";
    case imageFileWrongKind:
        return "not-an-icon";
    case imageFileNoImages:
        return "no-images";
    case imageFileDirectoryCut:
        return "directory-cut";
    case imageFileImageOutside:
        return "image-outside";
    case imageFileImageEmpty:
        return "image-empty";
    case imageFileBadHeader:
        return "bad-header";
    case imageFileSizesDoNotFit:
        return "sizes-do-not-fit";
    }
    return "?";
}

// "WxH" with both sides from 1 to 1024.
bool ParseSize(const std::string& str, int& cx, int& cy)
{
    const size_t nX = str.find('x');
    return nX != std::string::npos && ParseInt(str.substr(0, nX), cx) && ParseInt(str.substr(nX + 1), cy) && cx > 0 &&
           cy > 0 && cx <= 1024 && cy <= 1024;
}

bool ReadFile(const std::string& strName, std::vector<BYTE>& bytes)
{
    bytes.clear();
    return ReadFileBlocks(strName, [&](const unsigned char* p, size_t n) { bytes.insert(bytes.end(), p, p + n); }) ==
           fileBlocksDone;
}

// What the reader found: the images and the best one, or the reason. A
// bitmap file is read as CBitmapEx::Load reads it: the bits where its file
// header says.
std::string Describe(const std::vector<BYTE>& bytes, int cx, int cy, const char* pszSeparator)
{
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        CBitmapFile bitmap;
        const EImageFileError eError = bitmap.Parse(bytes.data(), bytes.size(), true);
        if (eError != imageFileOk)
            return std::string("refused") + pszSeparator + ErrorCode(eError);
        const CDibLayout& layout = bitmap.m_layout;
        return std::string("bitmap") + pszSeparator + std::to_string(layout.m_nWidth) + "x" +
               std::to_string(layout.m_nHeight) + "/" + std::to_string(layout.m_wBitCount) + pszSeparator +
               "bits=" + std::to_string(bitmap.m_dwBitsOffset);
    }
    CIconFile file;
    const EImageFileError eError = file.Parse(bytes.data(), bytes.size());
    if (eError != imageFileOk)
        return std::string("refused") + pszSeparator + ErrorCode(eError);
    std::string strOut = "ok";
    strOut += pszSeparator;
    for (size_t i = 0; i < file.GetImages().size(); ++i) {
        const CIconImage& image = file.GetImages()[i];
        if (i > 0)
            strOut += ' ';
        strOut += std::to_string(image.m_nWidth) + "x" + std::to_string(image.m_nHeight) + "/" +
                  (image.m_bPng ? std::string("png") : std::to_string(image.m_nColors));
    }
    return strOut + pszSeparator + "best=" + std::to_string(file.FindBestImage(cx, cy));
}

// One edit of a batch line; false with the reason.
bool ApplyEdit(const std::string& strEdit, std::vector<BYTE>& bytes, int& cx, int& cy, std::string& strProblem)
{
    std::vector<std::string> parts(1);
    for (char ch : strEdit) {
        if (ch == ':')
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    int n = 0, nOffset = 0, nWidth = 0;
    if (parts[0] == "cut" && parts.size() == 2 && ParseInt(parts[1], n) && n >= 0) {
        if (static_cast<size_t>(n) < bytes.size())
            bytes.resize(static_cast<size_t>(n));
        return true;
    }
    if (parts[0] == "best" && parts.size() == 2 && ParseSize(parts[1], cx, cy))
        return true;
    if (parts[0] == "set" && parts.size() == 4 && ParseInt(parts[1], nOffset) && nOffset >= 0 &&
        ParseInt(parts[2], nWidth) && (nWidth == 1 || nWidth == 2 || nWidth == 4)) {
        // The value may need all 32 bits.
        unsigned long long nValue = 0;
        for (char ch : parts[3]) {
            if (ch < '0' || ch > '9' || nValue > 0xFFFFFFFFull) {
                strProblem = "число должно быть десятичным, до 4294967295: " + Utf8ToCp1251(parts[3]);
                return false;
            }
            nValue = nValue * 10 + static_cast<unsigned>(ch - '0');
        }
        if (parts[3].empty() || nValue > 0xFFFFFFFFull || static_cast<size_t>(nOffset) + nWidth > bytes.size()) {
            strProblem = "правка вне файла или неверное число: " + Utf8ToCp1251(strEdit);
            return false;
        }
        for (int i = 0; i < nWidth; ++i)
            bytes[static_cast<size_t>(nOffset + i)] = static_cast<BYTE>(nValue >> (8 * i));
        return true;
    }
    strProblem = "неизвестная правка: " + Utf8ToCp1251(strEdit);
    return false;
}

}  // namespace

int IconCommand(const std::vector<std::string>& args)
{
    int cx = 32, cy = 32;
    bool bBatch = false;
    std::string strDir = ".";
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            WriteText(stdout, c_pszUsage);
            return 0;
        }
        if (arg == "--batch") {
            bBatch = true;
        } else if (arg == "--best" || arg == "--dir") {
            if (i + 1 >= args.size())
                return UsageError("нет значения у параметра " + arg);
            if (arg == "--dir")
                strDir = args[++i];
            else if (!ParseSize(args[++i], cx, cy))
                return UsageError("размер пишется ШxВ, от 1 до 1024: " + Utf8ToCp1251(args[i]));
        } else if (!arg.empty() && arg[0] == '-') {
            return UsageError("неизвестный параметр " + Utf8ToCp1251(arg));
        } else {
            files.push_back(arg);
        }
    }
    if (bBatch) {
        if (!files.empty())
            return UsageError("--batch берёт строки со стандартного ввода, без файлов");
        return RunBatchLines("icon", [&](const std::string& strLine, std::string& strOut, std::string& strProblem) {
            return RunIconBatchLine(strLine, strDir, strOut, strProblem);
        });
    }
    if (files.empty())
        return UsageError("не указаны файлы");
    int nStatus = 0;
    std::vector<BYTE> bytes;
    for (const std::string& strFile : files) {
        const std::string strName = EscapeControls(strFile);
        if (!ReadFile(strFile, bytes)) {
            fflush(stdout);
            WriteUtf8(stderr, "extkit icon: " + Cp1251ToUtf8("не удалось прочитать файл ") + strName + "\n");
            nStatus = 1;
            continue;
        }
        const std::string strResult = Describe(bytes, cx, cy, " ");
        if (strResult.compare(0, 7, "refused") == 0)
            nStatus = 1;
        WriteUtf8(stdout, strName + ": " + strResult + "\n");
    }
    return nStatus;
}

EXTKIT_TOOL_COMMAND(60, "icon", IconCommand, "проверка файлов значков (.ico)");

bool RunIconBatchLine(const std::string& strLine, const std::string& strDir, std::string& strOutUtf8,
                      std::string& strProblem)
{
    strOutUtf8 = "#invalid";
    std::vector<std::string> fields(1);
    for (char ch : strLine) {
        if (ch == '\t')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    // Names from the folder only: a line cannot reach elsewhere.
    if (fields[0].empty() || fields[0].find_first_of("/\\:") != std::string::npos || fields[0] == ".." ||
        fields[0] == ".") {
        strProblem = "нужно имя файла в папке --dir: " + Utf8ToCp1251(fields[0]);
        return false;
    }
    std::vector<BYTE> bytes;
    if (!ReadFile(strDir + "/" + fields[0], bytes)) {
        strProblem = "не удалось прочитать файл " + Utf8ToCp1251(fields[0]);
        return false;
    }
    int cx = 32, cy = 32;
    for (size_t i = 1; i < fields.size(); ++i) {
        if (!ApplyEdit(fields[i], bytes, cx, cy, strProblem))
            return false;
    }
    strOutUtf8 = Describe(bytes, cx, cy, "\t");
    return true;
}
