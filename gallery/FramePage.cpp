// The frame page: the locale settings extkit.dll read when it was loaded, the
// checksums of a file, and the splitting of an argument line.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

#include <afx.h>
#include <afxcoll.h>

#include "GalleryPage.h"
#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include "frame/Frame.h"

namespace {

enum {
    IDC_LOCALE_LIST = 1001,
    IDC_FILE_EDIT,
    IDC_FILE_BROWSE,
    IDC_SUM_LIST,
    IDC_ARGS_EDIT,
    IDC_ARGS_LIST,
};

// A separator character as a reader would want to see it.
std::string DescribeChar(char ch)
{
    switch (static_cast<unsigned char>(ch)) {
    case 0:
        return "(нет)";
    case ' ':
        return "«  » (пробел)";
    case 0xA0:
        return "«  » (неразрывный пробел)";
    default:
        return std::string("«") + ch + "»";
    }
}

class CFramePage : public CGalleryPage {
public:
    const char* GetTitle() const override { return "Модуль"; }
    const char* GetSnapshotName() const override { return "frame"; }

protected:
    void OnCreate() override
    {
        AddGroup("Региональные настройки, прочитанные при загрузке extkit.dll", 8, 6, 764, 206);
        HWND hLocale = AddReportList(18, 26, 744, 152, IDC_LOCALE_LIST);
        AddColumn(hLocale, 0, "Настройка", 300);
        AddColumn(hLocale, 1, "Переменная", 190);
        AddColumn(hLocale, 2, "Значение", 230);
        FillLocale(hLocale);
        CString strAppPath;
        GetAppPath(strAppPath);
        const std::string strFolder = std::string("Папка профиля приложения (GetAppPath): ") +
                                      (strAppPath.IsEmpty() ? "(нет)" : static_cast<const char*>(strAppPath));
        AddLabel(strFolder.c_str(), 18, 186, 744);

        AddGroup("Контрольные суммы файла", 8, 220, 764, 162);
        AddLabel("Файл:", 18, 243, 40);
        m_hFileEdit = AddControl("EDIT", "", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, 60, 240, 600, 21, IDC_FILE_EDIT,
                                 WS_EX_CLIENTEDGE);
        AddControl("BUTTON", "Обзор…", BS_PUSHBUTTON | WS_TABSTOP, 668, 239, 94, 23, IDC_FILE_BROWSE);
        m_hSumList = AddReportList(18, 268, 744, 104, IDC_SUM_LIST);
        AddColumn(m_hSumList, 0, "Алгоритм", 200);
        AddColumn(m_hSumList, 1, "Полином", 160);
        AddColumn(m_hSumList, 2, "Начальное значение", 180);
        AddColumn(m_hSumList, 3, "Результат", 180);

        char szPath[MAX_PATH];
        HMODULE hExtkit = GetModuleHandleA("extkit.dll");
        if (hExtkit && GetModuleFileNameA(hExtkit, szPath, MAX_PATH))
            ShowChecksums(szPath);

        AddGroup("Разбор строки аргументов", 8, 390, 764, 128);
        AddLabel("Строка:", 18, 413, 50);
        m_hArgsEdit = AddControl("EDIT", "Иванов Пётр, ул. Садовая 5,, кв. 12", ES_AUTOHSCROLL | WS_TABSTOP, 70, 410,
                                 320, 21, IDC_ARGS_EDIT, WS_EX_CLIENTEDGE);
        AddLabel("Элементы (по запятым, если они есть, иначе по пробелам):", 400, 413, 362);
        // Whole rows only (five in this font), so that no element shows cut.
        m_hArgsList =
            AddControl("LISTBOX", "", WS_VSCROLL | LBS_NOSEL, 400, 432, 362, 80, IDC_ARGS_LIST, WS_EX_CLIENTEDGE);
        ShowArguments();
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND) {
            if (LOWORD(wParam) == IDC_FILE_BROWSE && HIWORD(wParam) == BN_CLICKED) {
                Browse();
                return 0;
            }
            if (LOWORD(wParam) == IDC_ARGS_EDIT && HIWORD(wParam) == EN_CHANGE) {
                ShowArguments();
                return 0;
            }
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    static void AddRow(HWND hList, const char* const* ppszCells, int nCells)
    {
        const int nRow = ListView_GetItemCount(hList);
        for (int i = 0; i < nCells; ++i)
            SetCell(hList, nRow, i, ppszCells[i]);
    }

    void FillLocale(HWND hList)
    {
        char szDecimals[16], szCurrency[16], szSymbol[32];
        snprintf(szDecimals, sizeof(szDecimals), "%d", g_nDecimalPrec);
        snprintf(szCurrency, sizeof(szCurrency), "%d", g_nCurrencyPrec);
        if (g_strCurrencySymbol[0])
            snprintf(szSymbol, sizeof(szSymbol), "«%s»", g_strCurrencySymbol);
        else
            snprintf(szSymbol, sizeof(szSymbol), "(нет)");
        const std::string rows[][3] = {
            {"Десятичный разделитель", "g_chDecimalSep", DescribeChar(g_chDecimalSep)},
            {"Разделитель групп разрядов", "g_chThousandSep", DescribeChar(g_chThousandSep)},
            {"Разделитель даты", "g_chDateSep", DescribeChar(g_chDateSep)},
            {"Разделитель групп разрядов (деньги)", "g_chThousandSepCur", DescribeChar(g_chThousandSepCur)},
            {"Десятичный разделитель (деньги)", "g_chDecimalSepCur", DescribeChar(g_chDecimalSepCur)},
            {"Знаков после запятой (деньги)", "g_nCurrencyPrec", szCurrency},
            {"Знаков после запятой (числа)", "g_nDecimalPrec", szDecimals},
            {"Символ валюты", "g_strCurrencySymbol", szSymbol},
        };
        for (const auto& row : rows) {
            const char* cells[] = {row[0].c_str(), row[1].c_str(), row[2].c_str()};
            AddRow(hList, cells, 3);
        }
    }

    void Browse()
    {
        char szPath[MAX_PATH] = "";
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = GetAncestor(m_hWnd, GA_ROOT);
        ofn.lpstrFilter = "Все файлы (*.*)\0*.*\0";
        ofn.lpstrFile = szPath;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrTitle = "Файл для контрольных сумм";
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (GetOpenFileNameA(&ofn))
            ShowChecksums(szPath);
    }

    void ShowChecksums(const char* pszPath)
    {
        SetWindowTextA(m_hFileEdit, pszPath);
        ListView_DeleteAllItems(m_hSumList);
        struct Row {
            const char* pszName;
            const char* pszPoly;
            COXCheckBase* pCheck;
            int nDigits;
        };
        COXCRC32 crc32(0xEDB88320);
        COXCRC16 crc16(0x1021);
        COXCheckSum32 sum32;
        COXCheckSum16 sum16;
        COXCheckSum8 sum8;
        const Row rows[] = {
            {"CRC-32", "EDB88320", &crc32, 8}, {"CRC-16", "1021", &crc16, 4},   {"Сумма, 32 бита", "—", &sum32, 8},
            {"Сумма, 16 бит", "—", &sum16, 4}, {"Сумма, 8 бит", "—", &sum8, 2},
        };
        for (const Row& row : rows) {
            char szStart[16], szValue[64];
            snprintf(szStart, sizeof(szStart), "%0*lX", row.nDigits,
                     static_cast<unsigned long>(0xFFFFFFFFu >> (32 - 4 * row.nDigits)));
            try {
                // The running value keeps its upper bits; the result is the class's width.
                const DWORD nMask = 0xFFFFFFFFu >> (32 - 4 * row.nDigits);
                const DWORD nValue = row.pCheck->ChecksumFile(CString(pszPath)) & nMask;
                snprintf(szValue, sizeof(szValue), "%0*lX", row.nDigits, static_cast<unsigned long>(nValue));
            } catch (CFileException* e) {
                char szError[256] = "";
                e->GetErrorMessage(szError, sizeof(szError));
                e->Delete();
                snprintf(szValue, sizeof(szValue), "ошибка: %s", szError);
            }
            const char* cells[] = {row.pszName, row.pszPoly, szStart, szValue};
            AddRow(m_hSumList, cells, 4);
        }
    }

    void ShowArguments()
    {
        char szText[512];
        GetWindowTextA(m_hArgsEdit, szText, sizeof(szText));
        SendMessageA(m_hArgsList, LB_RESETCONTENT, 0, 0);
        CStringArray items;
        if (!ParsingArguments(szText, items)) {
            SendMessageA(m_hArgsList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("(пустая строка)"));
            return;
        }
        for (INT_PTR i = 0; i < items.GetSize(); ++i) {
            std::string strLine = std::to_string(i + 1) + ": «" + static_cast<const char*>(items[i]) + "»";
            SendMessageA(m_hArgsList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strLine.c_str()));
        }
    }

    HWND m_hFileEdit = nullptr;
    HWND m_hSumList = nullptr;
    HWND m_hArgsEdit = nullptr;
    HWND m_hArgsList = nullptr;
};

}  // namespace

GALLERY_PAGE(10, CFramePage);
