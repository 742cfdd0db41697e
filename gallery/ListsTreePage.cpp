// The lists and tree page: settlement accounts dragged out of a list into a
// masked account field, the bank branch picked in a multi-column combo box,
// an organisation chart with coloured and bold departments and a preview of
// its first printed page, each group in a frame of its own kind. Its extra
// snapshots show the combo box dropped down and the printed page itself.
#include <windows.h>

#include <string>

#include <afxole.h>
#include <afxwin.h>

#include "GalleryPage.h"
#include "WindowCapture.h"
#include "controls/GroupBoxCtrl.h"
#include "controls/MultiComboBox.h"
#include "controls/OutDragListBox.h"
#include "controls/TreeColorPrnCtrl.h"
#include "edit/EditEx.h"

namespace {

enum {
    IDC_ACCOUNTS = 1401,
    IDC_ACCOUNT_FIELD,
    IDC_COPY,
    IDC_BRANCHES,
    IDC_BRANCH_TEXT,
    IDC_ORG_TREE,
    IDC_PREVIEW,
    IDC_FRAME,
};

const char* const g_apszAccounts[] = {
    "40702810400000012345", "40702810938000004567", "40817810099910004312",
    "40702810755020103390", "40802810600000078110", "40702810012340000087",
};

const char* const g_aBranches[][3] = {
    {"044525225", "Центральное отделение", "Москва"},
    {"044030653", "Северо-Западное отделение", "Санкт-Петербург"},
    {"046577674", "Уральское отделение", "Екатеринбург"},
    {"045004641", "Сибирское отделение", "Новосибирск"},
    {"046015602", "Юго-Западное отделение", "Ростов-на-Дону"},
    {"042202603", "Волго-Вятское отделение", "Нижний Новгород"},
    {"049205603", "Отделение «Банк Татарстан»", "Казань"},
    {"040349602", "Краснодарское отделение", "Краснодар"},
    {"043601607", "Поволжское отделение", "Самара"},
    {"040813608", "Дальневосточное отделение", "Хабаровск"},
};

// The chart: each department's depth, name, and look (0 plain, 1 bold,
// 2 coloured, 3 both).
struct CDepartment {
    int nDepth;
    const char* pszName;
    int nLook;
};

const CDepartment g_aChart[] = {
    {0, "АО «Уралтехснаб»", 1},
    {1, "Дирекция", 1},
    {2, "Генеральный директор Волков С. А.", 0},
    {2, "Финансовый директор Исаева Н. В.", 2},
    {1, "Бухгалтерия", 3},
    {2, "Расчётный отдел", 0},
    {2, "Отдел учёта основных средств", 0},
    {2, "Касса", 2},
    {1, "Коммерческая служба", 1},
    {2, "Отдел продаж, Екатеринбург", 0},
    {2, "Отдел продаж, Челябинск", 0},
    {2, "Отдел закупок", 2},
    {1, "Склад № 3 (Пермь)", 3},
    {1, "Юридический отдел", 0},
};

const COLORREF kDepartmentColour = RGB(160, 0, 40);

// A 24-bit picture: a picture control shows it as it is, where a 32-bit
// one would be taken as having an alpha channel.
HBITMAP MakePicture(int cx, int cy)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    return CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
}

class CListsTreePage : public CGalleryPage {
public:
    const char* GetTitle() const override { return "Списки и дерево"; }
    const char* GetSnapshotName() const override { return "liststree"; }

    int WriteExtraSnapshots(const char* pszStem) override
    {
        int nFailed = 0;
        // The branches' list dropped down over the page.
        m_branches.ShowDropDown(TRUE);
        support::PumpPendingMessages(m_hWnd);
        RECT rcMain;
        GetWindowRect(GetAncestor(m_hWnd, GA_ROOT), &rcMain);
        nFailed += Written(support::CaptureScreenToPng(rcMain, (std::string(pszStem) + "-combo.png").c_str()),
                           std::string(pszStem) + "-combo.png");
        m_branches.ShowDropDown(FALSE);
        support::PumpPendingMessages(m_hWnd);
        // The printed page at full size, in a window of its own.
        nFailed += WritePrintedPage(std::string(pszStem) + "-print.png");
        return nFailed;
    }

protected:
    void OnCreate() override
    {
        AfxOleInit();
        CWnd* pPage = CWnd::FromHandle(m_hWnd);
        // The frames first, so that they lie beneath what they surround.
        m_frames[0].Create(SS_SUNKEN, 0, CRect(10, 24, 386, 236), pPage, IDC_FRAME);
        m_frames[1].Create(0, 0, CRect(12, 272, 384, 498), pPage, IDC_FRAME + 1);
        m_frames[2].Create(0, WS_EX_DLGMODALFRAME, CRect(400, 24, 772, 498), pPage, IDC_FRAME + 2);

        AddLabel("Счета контрагентов: перетащите строку в поле", 12, 6, 372);
        m_accounts.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY,
                          CRect(22, 36, 186, 176), pPage, IDC_ACCOUNTS);
        m_accounts.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        for (const char* pszAccount : g_apszAccounts)
            m_accounts.AddString(pszAccount);
        m_accounts.SetCurSel(2);
        AddLabel("Расчётный счёт:", 196, 38, 176);
        m_account.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, CRect(196, 58, 376, 80), pPage,
                         IDC_ACCOUNT_FIELD);
        m_account.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
        m_account.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        m_account.SetMask("##### ### # #### #######");
        m_account.EnableDragDrop();
        // What a drop of the selected line leaves there.
        m_account.SetData(g_apszAccounts[2]);
        AddLabel("Поле с маской принимает текст, брошенный на него.", 196, 88, 180, 48);
        AddControl("BUTTON", "Копировать", WS_TABSTOP | BS_PUSHBUTTON, 196, 146, 110, 24, IDC_COPY);
        AddLabel("Кнопка отдаёт списку команду «Копировать» (строка — в буфер обмена).", 22, 186, 354, 32);

        AddLabel("Банк получателя: БИК, отделение, город", 12, 254, 372);
        m_branches.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                              CBS_HASSTRINGS,
                          CRect(22, 284, 372, 484), pPage, IDC_BRANCHES);
        m_branches.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        m_branches.SetColumnCount(3);
        m_branches.SetColumnWidth(0, 80);
        m_branches.SetColumnWidth(1, 210);
        m_branches.SetColumnWidth(2, 130);
        for (const auto& branch : g_aBranches)
            m_branches.AddString(const_cast<const char**>(branch), 3);
        m_branches.SetCurSel(2);
        m_hBranchText = AddLabel("", 22, 318, 350, 64);
        AddLabel("В раскрытом списке видны все три колонки с сеткой; список шире поля и прокручивается "
                 "вбок. Поиск по колонке различает регистр.",
                 22, 392, 350, 96);
        ShowBranch();

        AddLabel("Структура предприятия и страница 1 при печати", 402, 6, 370);
        m_chart.CreateEx(0,
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS |
                             TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                         CRect(410, 34, 762, 282), pPage, IDC_ORG_TREE);
        m_chart.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        FillChart();
        m_chart.m_strTitle = "АО «Уралтехснаб»: структура на 1 октября 2024 г.";
        m_hPreview = AddControl("STATIC", "", SS_BITMAP | SS_SUNKEN, 410, 290, 352, 200, IDC_PREVIEW);
        MakePreview();
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        switch (nMsg) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_COMPAREITEM:
        case WM_DELETEITEM: {
            // Owner-drawn controls draw and measure themselves, as under a
            // framework parent.
            LRESULT lResult = 0;
            if (CWnd::ReflectLastMsg(OwnerDrawnChild(nMsg, wParam, lParam), nMsg, wParam, lParam, &lResult))
                return lResult;
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_COPY) {
                m_accounts.SendMessage(WM_COMMAND, ID_EDIT_COPY);
                return 0;
            }
            if (LOWORD(wParam) == IDC_BRANCHES && HIWORD(wParam) == CBN_SELCHANGE) {
                ShowBranch();
                return 0;
            }
            break;
        case WM_DESTROY:
            DeleteObject(m_hPreviewBitmap);
            m_hPreviewBitmap = NULL;
            break;
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    HWND OwnerDrawnChild(UINT nMsg, WPARAM wParam, LPARAM lParam) const
    {
        switch (nMsg) {
        case WM_DRAWITEM:
            return reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
        case WM_COMPAREITEM:
            return reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
        case WM_DELETEITEM:
            return reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
        default:
            return GetDlgItem(m_hWnd, static_cast<int>(wParam));
        }
    }

    void ShowBranch()
    {
        const int nSel = m_branches.GetCurSel();
        CString strBic, strName, strCity;
        m_branches.GetLBText(nSel, 0, strBic);
        m_branches.GetLBText(nSel, 1, strName);
        m_branches.GetLBText(nSel, 2, strCity);
        const std::string strText = std::string("Выбрано: ") + static_cast<LPCSTR>(strName) + "\nБИК " +
                                    static_cast<LPCSTR>(strBic) + ", г. " + static_cast<LPCSTR>(strCity);
        SetWindowTextA(m_hBranchText, strText.c_str());
    }

    void FillChart()
    {
        LOGFONT lfItalic = {};
        GetObjectA(m_hFont, sizeof(lfItalic), &lfItalic);
        lfItalic.lfItalic = TRUE;
        HTREEITEM ahParents[4] = {TVI_ROOT, NULL, NULL, NULL};
        for (const CDepartment& department : g_aChart) {
            HTREEITEM hItem = m_chart.InsertItem(department.pszName, ahParents[department.nDepth]);
            ahParents[department.nDepth + 1] = hItem;
            if (department.nLook & 1)
                m_chart.setItemBold(hItem, TRUE);
            if (department.nLook & 2)
                m_chart.setItemColor(hItem, kDepartmentColour);
            if (department.nDepth == 2 && (department.nLook & 2))
                m_chart.setItemFont(hItem, lfItalic);
        }
        for (HTREEITEM hItem = m_chart.GetRootItem(); hItem != NULL; hItem = m_chart.GetNextVisibleItem(hItem))
            m_chart.Expand(hItem, TVE_EXPAND);
        m_chart.SelectItem(m_chart.GetRootItem());
    }

    // Page 1 as the chart prints it, on a white page of the screen's size
    // (left selected in no context).
    bool PrintFirstPage(CDC& dc, CBitmap& page, CSize& size)
    {
        CClientDC dcScreen(NULL);
        size = CSize(dcScreen.GetDeviceCaps(HORZRES), dcScreen.GetDeviceCaps(VERTRES));
        if (!dc.CreateCompatibleDC(&dcScreen) || !page.Attach(MakePicture(size.cx, size.cy)))
            return false;
        CBitmap* pOld = dc.SelectObject(&page);
        dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
        CPrintInfo info;
        m_chart.OnBeginPrinting(&dc, &info);
        const int nSaved = dc.SaveDC();
        m_chart.OnPrepareDC(&dc, &info);
        m_chart.OnPrint(&dc, &info);
        dc.RestoreDC(nSaved);
        m_chart.OnEndPrinting(&dc, &info);
        dc.SelectObject(pOld);
        return true;
    }

    // The page scaled into the preview, on a grey desk with a shadow.
    void MakePreview()
    {
        CDC dcPage;
        CBitmap page;
        CSize size;
        if (!PrintFirstPage(dcPage, page, size))
            return;
        RECT rc;
        GetClientRect(m_hPreview, &rc);
        const int cx = rc.right - 2, cy = rc.bottom - 2;
        CClientDC dcScreen(NULL);
        CDC dcPreview;
        dcPreview.CreateCompatibleDC(&dcScreen);
        HBITMAP hPreview = MakePicture(cx, cy);
        HGDIOBJ hOld = SelectObject(dcPreview.m_hDC, hPreview);
        dcPreview.FillSolidRect(0, 0, cx, cy, RGB(128, 128, 128));
        const int nPageHeight = cy - 16;
        const int nPageWidth = MulDiv(nPageHeight, size.cx, size.cy);
        const int x = (cx - nPageWidth) / 2, y = 6;
        dcPreview.FillSolidRect(x + 4, y + 4, nPageWidth, nPageHeight, RGB(64, 64, 64));
        dcPreview.SetStretchBltMode(HALFTONE);
        CBitmap* pOldPage = dcPage.SelectObject(&page);
        dcPreview.StretchBlt(x, y, nPageWidth, nPageHeight, &dcPage, 0, 0, size.cx, size.cy, SRCCOPY);
        dcPage.SelectObject(pOldPage);
        SelectObject(dcPreview.m_hDC, hOld);
        m_hPreviewBitmap = hPreview;
        SendMessageA(m_hPreview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hPreview));
    }

    int WritePrintedPage(const std::string& strPath)
    {
        CDC dcPage;
        CBitmap page;
        CSize size;
        if (!PrintFirstPage(dcPage, page, size))
            return Written(false, strPath);
        // A bordered popup of the page's size shows it where a picture can be taken.
        HWND hShow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_BITMAP,
                                     0, 0, size.cx, size.cy, m_hWnd, NULL, GetModuleHandleA(NULL), NULL);
        SendMessageA(hShow, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(page.m_hObject));
        support::PumpPendingMessages(hShow);
        const BOOL bWritten = support::CaptureWindowToPng(hShow, strPath.c_str());
        DestroyWindow(hShow);
        return Written(bWritten != FALSE, strPath);
    }

    static int Written(bool bWritten, const std::string& strPath)
    {
        if (bWritten) {
            printf("%s\n", strPath.c_str());
            return 0;
        }
        fprintf(stderr, "gallery: could not write %s\n", strPath.c_str());
        return 1;
    }

    CGroupBoxCtrl m_frames[3];
    COutDragListBox m_accounts;
    CEditEx m_account;
    COXMultiComboBox m_branches;
    CTreeColorPrnCtrl m_chart;
    HWND m_hBranchText = NULL;
    HWND m_hPreview = NULL;
    HBITMAP m_hPreviewBitmap = NULL;
};

}  // namespace

GALLERY_PAGE(55, CListsTreePage);
