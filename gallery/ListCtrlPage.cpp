// The list controls page: a check list of the rights of a firm's staff over
// its documents, and a price list a user edits in place (with a masked
// editor for prices), reorders by dragging rows and columns, and marks with
// check boxes; the last change the list reported is shown under it.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include <afxwin.h>
#include <afxcmn.h>

#include "GalleryPage.h"
#include "WindowCapture.h"
#include "controls/CheckListCtrl.h"
#include "controls/DragDropListCtrl.h"
#include "edit/EditEx.h"

namespace {

enum {
    IDC_RIGHTS = 1601,
    IDC_PRICES,
};

const int kPriceColumn = 3;

// The price list: a price is edited in a field that takes digits only, and a
// price left empty is refused (the cell keeps its price).
class CPriceListCtrl : public CDragDropListCtrl {
public:
    CEditEx* OpenEditor(int nItem, int nSubItem) { return BeginEdit(nItem, nSubItem); }

protected:
    CEditEx* BeginEdit(int nItem, int nSubItem) override
    {
        CEditEx* pEdit = CDragDropListCtrl::BeginEdit(nItem, nSubItem);
        if (pEdit != NULL && nSubItem == kPriceColumn) {
            char szPadded[16];
            snprintf(szPadded, sizeof(szPadded), "%8s", static_cast<LPCSTR>(GetItemText(nItem, nSubItem)));
            pEdit->SetMask("#####.##");
            pEdit->SetData(szPadded, 0, false, false);
            pEdit->SetSel(0, -1);
        }
        return pEdit;
    }
    bool EndEdit(CEditEx* pEdit, CString& text) override
    {
        int nSubItem = 0, nItem = 0;
        GetSelSubItem(nItem, nSubItem);
        if (nSubItem != kPriceColumn)
            return CDragDropListCtrl::EndEdit(pEdit, text);
        CString strData;
        pEdit->GetData(strData, false);
        strData.Remove(' ');
        if (strData.GetLength() < 3)
            return false;
        const long nCents = atol(strData);
        text.Format("%ld.%02ld", nCents / 100, nCents % 100);
        return true;
    }
};

struct CRightsRow {
    const char* pszName;
    UINT nChecks;  // bit 0: view, 1: create, 2: change, 3: post, 4: print, 5: delete
};

const CRightsRow g_aRights[] = {
    {"Андреева Н. В.", 0x3F}, {"Соколов И. П.", 0x1F}, {"Крылова Е. А.", 0x13},
    {"Морозов Д. С.", 0x07},  {"Павлова О. Н.", 0x13}, {"Гусев А. В.", 0x11},
};

struct CPriceRow {
    const char* apszCells[5];
    bool bOnSale;
};

const CPriceRow g_aPrices[] = {
    {{"МС-0427", "Молоко пастеризованное 3,2 %, 1 л", "шт", "89.90", "240"}, true},
    {{"ХЛ-1102", "Хлеб «Бородинский», 400 г", "шт", "54.50", "118"}, true},
    {{"СР-0315", "Сыр «Российский» 50 %, весовой", "кг", "689.00", "36"}, true},
    {{"МЯ-2208", "Говядина, лопатка охлаждённая", "кг", "620.00", "14"}, false},
    {{"КР-0051", "Крупа гречневая ядрица, 900 г", "шт", "112.40", "75"}, true},
    {{"МС-0533", "Масло сливочное 82,5 %, 180 г", "шт", "199.00", "62"}, true},
    {{"ЧА-0712", "Чай чёрный листовой, 100 г", "шт", "145.00", "0"}, false},
};

const char* const g_apszPriceColumns[] = {"Артикул", "Наименование", "Ед.", "Цена, руб.", "Остаток"};

class CListCtrlPage : public CGalleryPage {
public:
    ~CListCtrlPage() override
    {
        // The lists go before the page that is their parent.
        m_rights.DestroyWindow();
        m_prices.DestroyWindow();
    }
    const char* GetTitle() const override { return "Списки с отметками"; }
    const char* GetSnapshotName() const override { return "lists"; }

    void OnEnter() override { m_prices.SetFocus(); }

    int WriteExtraSnapshots(const char* pszStem) override
    {
        // The price of the cheese being edited, in its masked field.
        m_prices.SetFocus();
        m_prices.SetSelSubItem(2, kPriceColumn);
        CEditEx* pEdit = m_prices.OpenEditor(2, kPriceColumn);
        support::PumpPendingMessages(m_hWnd);
        const std::string strPath = std::string(pszStem) + "-editor.png";
        const bool bWritten = pEdit != NULL && support::CaptureWindowToPng(GetParent(m_hWnd), strPath.c_str());
        if (bWritten)
            printf("%s\n", strPath.c_str());
        else
            fprintf(stderr, "gallery: could not write %s\n", strPath.c_str());
        if (pEdit != NULL)
            m_prices.SendMessage(LVM_CANCELEDITLABEL);
        support::PumpPendingMessages(m_hWnd);
        return bWritten ? 0 : 1;
    }

protected:
    void OnCreate() override
    {
        CWnd* pPage = CWnd::FromHandle(m_hWnd);

        AddGroup("Права сотрудников на документы: щелчок по столбцу делает его текущим, второй щелчок или пробел "
                 "ставит и снимает отметку",
                 8, 6, 764, 200);
        m_rights.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(18, 26, 762, 196), pPage, IDC_RIGHTS);
        m_rights.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        CStringArray titles;
        for (const char* pszTitle :
             {"Сотрудник", "Просмотр", "Создание", "Изменение", "Проведение", "Печать", "Удаление"})
            titles.Add(pszTitle);
        m_rights.AddColumns(titles, true);
        CStringArray names;
        CUIntArray checks;
        for (const CRightsRow& row : g_aRights) {
            names.Add(row.pszName);
            checks.Add(row.nChecks);
        }
        m_rights.AddRows(names, checks);
        m_rights.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

        AddGroup("Прайс-лист: правка на месте, отметка «в продаже», строки и столбцы перетаскиваются мышью", 8, 212,
                 764, 292);
        m_prices.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(18, 232, 762, 428), pPage, IDC_PRICES);
        m_prices.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        m_prices.SetExtendedStyle(LVS_EX_GRIDLINES);
        m_prices.SetCheckedList();
        static const int s_anWidths[] = {96, 292, 44, 110, 80};
        static const int s_anFormats[] = {LVCFMT_LEFT, LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT, LVCFMT_RIGHT};
        for (int c = 0; c < 5; ++c)
            m_prices.InsertColumn(c, (std::string(g_apszPriceColumns[c]) + " ").c_str(), s_anFormats[c], s_anWidths[c]);
        CStringArray articles;
        CUIntArray onSale;
        for (const CPriceRow& row : g_aPrices) {
            articles.Add(row.apszCells[0]);
            onSale.Add(row.bOnSale ? 1 : 0);
        }
        m_prices.AddRows(&articles, &onSale);
        for (int r = 0; r < static_cast<int>(sizeof(g_aPrices) / sizeof(g_aPrices[0])); ++r) {
            for (int c = 1; c < 5; ++c)
                m_prices.SetItemText(r, c, g_aPrices[r].apszCells[c]);
        }
        m_prices.SetSelSubItem(2, kPriceColumn);
        m_prices.SetModify(false);

        AddLabel("Стрелки — текущая ячейка; буква или цифра — правка; Insert — новая строка; Delete — удалить; "
                 "Ctrl+Insert — копировать; пробел — отметка.",
                 18, 434, 744, 32);
        m_hStatus = AddLabel("Изменений пока нет.", 18, 470, 744);
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = 0;
        switch (nMsg) {
        case WM_NOTIFY:
            // The lists answer their own notifications, as a framework parent lets them.
            if (CWnd::ReflectLastMsg(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, nMsg, wParam, lParam, &lResult))
                return lResult;
            break;
        case WM_DRAWITEM:
            if (CWnd::ReflectLastMsg(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, nMsg, wParam, lParam,
                                     &lResult))
                return TRUE;
            break;
        case WM_ITEMLISTCTRLCHNG:
            ShowChange(*reinterpret_cast<const CItemListCtrlChng*>(lParam));
            return 0;
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    void ShowChange(const CItemListCtrlChng& change)
    {
        static const char* const s_apszOps[] = {"изменена ячейка", "добавлена строка", "удалена строка",
                                                "отмечена строка", "снята отметка со строки"};
        char szText[256];
        const std::string strArticle = static_cast<LPCSTR>(m_prices.GetItemText(change.nItem, 0));
        if (change.eOp == CItemListCtrlChng::opDelete)
            snprintf(szText, sizeof(szText), "Последнее изменение: %s %d.", s_apszOps[change.eOp], change.nItem + 1);
        else if (change.nSubItem >= 0)
            snprintf(szText, sizeof(szText), "Последнее изменение: %s «%s» в строке %d.", s_apszOps[change.eOp],
                     g_apszPriceColumns[change.nSubItem < 5 ? change.nSubItem : 0], change.nItem + 1);
        else
            snprintf(szText, sizeof(szText), "Последнее изменение: %s %d (%s).", s_apszOps[change.eOp],
                     change.nItem + 1, strArticle.c_str());
        SetWindowTextA(m_hStatus, szText);
    }

    CCheckListCtrl m_rights;
    CPriceListCtrl m_prices;
    HWND m_hStatus = nullptr;
};

}  // namespace

GALLERY_PAGE(60, CListCtrlPage);
