// The export page: a warehouse's stock list that goes to the spreadsheet or
// to the word processor (in its three layouts) with the press of a button,
// through CListCtrlOut, OutExel and OutToWord. The gallery runs where the
// office stand-in is registered (./run demo does it), so its snapshots also
// keep the documents the stand-in saved: NN-export-excel.xml and
// NN-export-word-*.xml beside the pictures.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include <afxdisp.h>

#include "GalleryPage.h"
#include "WindowCapture.h"
#include "export/ExcelOut.h"
#include "export/ListCtrlOut.h"
#include "export/WordOut.h"

namespace {

enum {
    IDC_GOODS = 1501,
    IDC_TITLE,
    IDC_TO_EXCEL,
    IDC_LAYOUT_TABLE,
    IDC_LAYOUT_TABS,
    IDC_LAYOUT_FIELDS,
    IDC_TO_WORD,
    IDC_LOG,
};

// clang-format off
const char* const g_aapszGoods[][6] = {
    {"00127", "Бумага офисная А4, 500 листов", "пач.", "120", "389.00", "46 680.00"},
    {"00342", "Ручка шариковая синяя", "шт.", "500", "18.50", "9 250.00"},
    {"01015", "Папка-регистратор 75 мм", "шт.", "64", "215.00", "13 760.00"},
    {"01128", "Степлер № 24/6", "шт.", "25", "340.00", "8 500.00"},
    {"01207", "Скобы для степлера № 24/6, 1000 шт.", "уп.", "200", "42.00", "8 400.00"},
    {"02044", "Картридж лазерный чёрный", "шт.", "12", "4 650.00", "55 800.00"},
    {"02310", "Калькулятор настольный, 12 разрядов", "шт.", "15", "890.00", "13 350.00"},
    {"03001", "Блок для записей 9х9 см", "шт.", "150", "76.00", "11 400.00"},
    {"03115", "Клей-карандаш 21 г", "шт.", "300", "54.00", "16 200.00"},
    {"04020", "Корректирующая лента 5 мм", "шт.", "80", "98.00", "7 840.00"},
};
const char* const g_apszColumns[] = {"Артикул", "Наименование", "Ед.", "Кол-во", "Цена, руб.", "Сумма, руб."};
const int g_anWidths[] = {64, 262, 44, 60, 90, 96};
const char* const g_apszLayouts[] = {"таблица", "через табуляцию", "поле на строке"};
const char* const g_apszLayoutFiles[] = {"word-table", "word-tabs", "word-fields"};
// clang-format on

// While a snapshot exports, a box that comes up (the stand-in not
// registered, an error) is noted and closed, so the pictures never wait for
// a person.
void CALLBACK CloseUnexpectedBox(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM) -> BOOL {
            char szClass[16] = "";
            GetClassNameA(hWnd, szClass, sizeof(szClass));
            if (strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd)) {
                char szText[512] = "";
                GetDlgItemTextA(hWnd, 0xFFFF, szText, sizeof(szText));
                fprintf(stderr, "gallery: a message box came up during the export: %s\n", szText);
                PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
            }
            return TRUE;
        },
        0);
}

class CExportPage : public CGalleryPage {
public:
    ~CExportPage() override { m_goods.Detach(); }

    const char* GetTitle() const override { return "Выгрузка таблиц"; }
    const char* GetSnapshotName() const override { return "export"; }

    // Each export once, the documents the stand-in saved kept as
    // STEM-excel.xml and STEM-word-LAYOUT.xml, and the page with its log.
    int WriteExtraSnapshots(const char* pszStem) override
    {
        CLSID clsid;
        if (FAILED(CLSIDFromProgID(L"Excel.Application", &clsid)) ||
            FAILED(CLSIDFromProgID(L"Word.Application", &clsid))) {
            fprintf(stderr, "gallery: the office stand-in is not registered (officestandin /regserver)\n");
            return 1;
        }
        char szTemp[MAX_PATH], szFolder[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        snprintf(szFolder, sizeof(szFolder), "%sextkit-gallery-%lu", szTemp, GetCurrentProcessId());
        CreateDirectoryA(szFolder, nullptr);
        SetEnvironmentVariableA("EXTKIT_OFFICE_SAVE_DIR", szFolder);
        const UINT_PTR nTimer = SetTimer(nullptr, 0, 200, CloseUnexpectedBox);
        int nFailed = 0;
        nFailed += Keep(ToExcel(), szFolder, "Book1.xml", pszStem, "excel");
        for (int nLayout = 0; nLayout < 3; ++nLayout)
            nFailed += Keep(ToWord(nLayout), szFolder, "Document1.xml", pszStem, g_apszLayoutFiles[nLayout]);
        KillTimer(nullptr, nTimer);
        SetEnvironmentVariableA("EXTKIT_OFFICE_SAVE_DIR", nullptr);
        RemoveDirectoryA(szFolder);

        support::PumpPendingMessages(GetAncestor(m_hWnd, GA_ROOT));
        const std::string strPicture = std::string(pszStem) + "-exported.png";
        if (support::CaptureWindowToPng(GetAncestor(m_hWnd, GA_ROOT), strPicture.c_str()))
            printf("%s\n", strPicture.c_str());
        else
            ++nFailed;
        return nFailed;
    }

protected:
    void OnCreate() override
    {
        AddGroup("Остатки товаров на складе № 2", 8, 6, 764, 262);
        m_goods.Attach(AddReportList(18, 26, 744, 230, IDC_GOODS));
        for (int i = 0; i < 6; ++i)
            AddColumn(m_goods.GetSafeHwnd(), i, g_apszColumns[i], g_anWidths[i]);
        for (int nRow = 0; nRow < static_cast<int>(sizeof(g_aapszGoods) / sizeof(g_aapszGoods[0])); ++nRow) {
            for (int i = 0; i < 6; ++i)
                SetCell(m_goods.GetSafeHwnd(), nRow, i, g_aapszGoods[nRow][i]);
        }

        AddGroup("Выгрузка", 8, 274, 400, 230);
        AddLabel("Заголовок:", 18, 297, 70);
        m_hTitle = AddControl("EDIT", "Остатки товаров на складе № 2 на 14.11.2026", WS_TABSTOP | ES_AUTOHSCROLL, 90,
                              294, 308, 22, IDC_TITLE, WS_EX_CLIENTEDGE);
        AddLabel("Заголовок: Arial 14, полужирный, по центру;", 18, 324, 380);
        AddLabel("имена столбцов: Arial 10, полужирный; строки: размер 10.", 18, 342, 380);
        AddControl("BUTTON", "в Excel", WS_TABSTOP | BS_PUSHBUTTON, 18, 370, 110, 26, IDC_TO_EXCEL);
        AddLabel("Вид документа Word:", 18, 408, 160);
        for (int i = 0; i < 3; ++i)
            AddControl("BUTTON", g_apszLayouts[i], WS_TABSTOP | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 28,
                       428 + 20 * i, 200, 18, IDC_LAYOUT_TABLE + i);
        CheckRadioButton(m_hWnd, IDC_LAYOUT_TABLE, IDC_LAYOUT_FIELDS, IDC_LAYOUT_TABLE);
        AddControl("BUTTON", "в Word", WS_TABSTOP | BS_PUSHBUTTON, 250, 448, 110, 26, IDC_TO_WORD);

        AddGroup("Журнал выгрузки", 416, 274, 356, 230);
        m_hLog = AddReportList(426, 294, 336, 198, IDC_LOG);
        AddColumn(m_hLog, 0, "Куда", 70);
        AddColumn(m_hLog, 1, "Вид", 120);
        AddColumn(m_hLog, 2, "Строк", 56);
        AddColumn(m_hLog, 3, "Итог", 80);
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_TO_EXCEL:
                ToExcel();
                return 0;
            case IDC_TO_WORD:
                for (int i = 0; i < 3; ++i) {
                    if (IsDlgButtonChecked(m_hWnd, IDC_LAYOUT_TABLE + i) == BST_CHECKED)
                        ToWord(i);
                }
                return 0;
            }
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    // The list as a source, with the page's title and fonts.
    void Prepare(CListCtrlOut& source)
    {
        char szTitle[256] = "";
        GetWindowTextA(m_hTitle, szTitle, sizeof(szTitle));
        source.SetTitle(szTitle);
        source.SetFontTitle("Arial", 14, true, 1);
        source.SetFontColumnHead("Arial", 10, true, 1);
        source.SetFontCell(nullptr, 10, false, -1);
    }

    bool ToExcel()
    {
        AfxOleInit();
        CListCtrlOut source(&m_goods);
        Prepare(source);
        const bool bDone = OutExel(&source, false, nullptr);
        Log("Excel", "книга", bDone);
        return bDone;
    }

    bool ToWord(int nLayout)
    {
        AfxOleInit();
        CListCtrlOut source(&m_goods);
        Prepare(source);
        const bool bDone = OutToWord(&source, static_cast<eTypeOutWord>(nLayout), nullptr);
        Log("Word", g_apszLayouts[nLayout], bDone);
        return bDone;
    }

    void Log(const char* pszTarget, const char* pszLayout, bool bDone)
    {
        const int nRow = static_cast<int>(SendMessageA(m_hLog, LVM_GETITEMCOUNT, 0, 0));
        SetCell(m_hLog, nRow, 0, pszTarget);
        SetCell(m_hLog, nRow, 1, pszLayout);
        SetCell(m_hLog, nRow, 2, std::to_string(m_goods.GetItemCount()).c_str());
        SetCell(m_hLog, nRow, 3, bDone ? "выгружено" : "не выгружено");
    }

    // Moves the document the stand-in saved to STEM-NAME.xml.
    static int Keep(bool bDone, const char* pszFolder, const char* pszSaved, const char* pszStem, const char* pszName)
    {
        const std::string strFrom = std::string(pszFolder) + "\\" + pszSaved;
        const std::string strTo = std::string(pszStem) + "-" + pszName + ".xml";
        if (bDone && MoveFileExA(strFrom.c_str(), strTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            printf("%s\n", strTo.c_str());
            return 0;
        }
        fprintf(stderr, "gallery: the export to %s saved no document\n", pszName);
        DeleteFileA(strFrom.c_str());
        return 1;
    }

    CListCtrl m_goods;
    HWND m_hTitle = nullptr;
    HWND m_hLog = nullptr;
};

}  // namespace

GALLERY_PAGE(50, CExportPage);
