// The calculator and calendar page: an invoice form whose amount field drops
// the calculator down under itself and takes its result, and whose date field
// drops the calendar down and takes the chosen day. Its extra snapshots show
// both drop-downs open over the form.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include <afxwin.h>

#include "GalleryPage.h"
#include "WindowCapture.h"
#include "calc/CalcRes.h"
#include "calc/CalculatorDlg.h"
#include "calc/CalendarDlg.h"
#include "calc/MonthCalCtrlEx.h"
#include "edit/EditEx.h"

namespace {

enum {
    IDC_AMOUNT = 1301,
    IDC_AMOUNT_CALC,
    IDC_VAT,
    IDC_VAT_CALC,
    IDC_DATE,
    IDC_DATE_PICK,
    IDC_DUE,
    IDC_DUE_PICK,
    IDC_LOG,
    IDC_MONTH,
};

// What a snapshot does while a drop-down runs modally: the page posts these
// steps to the dialog, then takes the picture and closes it.
struct CSnapshotJob {
    std::string strPath;
    HWND hMain = nullptr;
    const UINT* pnCommands = nullptr;  // button commands to post first, 0-terminated
    int nTicks = 0;
    bool bWritten = false;
};
CSnapshotJob* g_pJob = nullptr;

// The modal dialog of this thread that is up now, if any.
HWND FindOpenDialog()
{
    struct CSearch {
        HWND hFound = nullptr;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            char szClass[16] = "";
            GetClassNameA(hWnd, szClass, sizeof(szClass));
            if (strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd)) {
                reinterpret_cast<CSearch*>(lParam)->hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

void CALLBACK SnapshotTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    CSnapshotJob* pJob = g_pJob;
    HWND hDlg = FindOpenDialog();
    if (pJob == nullptr || ++pJob->nTicks > 200) {
        // Nothing came up in time: give up rather than wait for ever.
        KillTimer(nullptr, nTimer);
        if (hDlg)
            PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (hDlg == nullptr)
        return;
    if (pJob->pnCommands != nullptr) {
        // The buttons' commands, as clicks would send them; the picture is
        // taken at a later tick, when the dialog has shown their result.
        for (const UINT* pnCommand = pJob->pnCommands; *pnCommand != 0; ++pnCommand)
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(*pnCommand, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, *pnCommand)));
        pJob->pnCommands = nullptr;
        return;
    }
    KillTimer(nullptr, nTimer);
    RedrawWindow(pJob->hMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // What the paints posted is drawn too: the month calendar's picture strip.
    support::PumpPendingMessages(nullptr);
    RECT rcMain, rcDlg, rcBoth;
    GetWindowRect(pJob->hMain, &rcMain);
    GetWindowRect(hDlg, &rcDlg);
    UnionRect(&rcBoth, &rcMain, &rcDlg);
    pJob->bWritten = support::CaptureScreenToPng(rcBoth, pJob->strPath.c_str()) != FALSE;
    PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
}

class CCalcPage : public CGalleryPage {
public:
    ~CCalcPage() override
    {
        // The calendar goes before the font it writes with.
        m_month.DestroyWindow();
        if (m_hMonthFont != nullptr)
            DeleteObject(m_hMonthFont);
    }

    const char* GetTitle() const override { return "Калькулятор"; }
    const char* GetSnapshotName() const override { return "calc"; }

    int WriteExtraSnapshots(const char* pszStem) override
    {
        int nFailed = 0;
        static const UINT s_anCalcSteps[] = {IDC_CALC_MUL, IDC_CALC_NUM1, IDC_CALC_POINT, IDC_CALC_NUM2, 0};
        nFailed +=
            Snapshot(std::string(pszStem) + "-calculator.png", s_anCalcSteps, [this] { PickAmount(IDC_AMOUNT); });
        nFailed += Snapshot(std::string(pszStem) + "-calendar.png", nullptr, [this] { PickDate(IDC_DATE); });
        return nFailed;
    }

protected:
    void OnCreate() override
    {
        CWnd* pPage = CWnd::FromHandle(m_hWnd);
        AddGroup("Счёт на оплату № 1287", 8, 6, 764, 196);

        AddLabel("Сумма без НДС, руб.:", 18, 33, 180);
        m_amount.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, CRect(200, 30, 340, 52), pPage,
                        IDC_AMOUNT);
        AddButton("…", 344, 30, IDC_AMOUNT_CALC);
        AddLabel("НДС 20%, руб.:", 18, 63, 180);
        m_vat.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, CRect(200, 60, 340, 82), pPage,
                     IDC_VAT);
        AddButton("…", 344, 60, IDC_VAT_CALC);

        AddLabel("Дата счёта:", 400, 33, 120);
        m_date.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(520, 30, 640, 52), pPage, IDC_DATE);
        AddButton("…", 644, 30, IDC_DATE_PICK);
        AddLabel("Оплатить до:", 400, 63, 120);
        m_due.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(520, 60, 640, 82), pPage, IDC_DUE);
        AddButton("…", 644, 60, IDC_DUE_PICK);

        for (CEditEx* pEdit : {&m_amount, &m_vat, &m_date, &m_due}) {
            pEdit->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
            pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        }
        m_amount.SetWindowText("48250.00");
        m_vat.SetWindowText("9650.00");
        m_date.SetMask("##.##.####");
        m_date.SetPromptChar('_');
        m_date.SetData("14112026");
        m_due.SetMask("##.##.####");
        m_due.SetPromptChar('_');
        m_due.SetData("14122026");

        AddLabel("Кнопка «…» у суммы открывает калькулятор прямо под полем. Enter или кнопка с галочкой", 18, 100, 744);
        AddLabel("возвращают результат в поле, Esc и переход в другое приложение закрывают без изменений.", 18, 118,
                 744);
        AddLabel("Кнопка «…» у даты открывает календарь на дне из поля: щелчок выбирает день, второй щелчок", 18, 144,
                 744);
        AddLabel("по выбранному дню или Enter подтверждают выбор.", 18, 162, 744);

        AddGroup("Что выбрано", 8, 208, 436, 296);
        m_hLog = AddReportList(18, 228, 416, 264, IDC_LOG);
        AddColumn(m_hLog, 0, "Поле", 110);
        AddColumn(m_hLog, 1, "Было", 100);
        AddColumn(m_hLog, 2, "Стало", 100);
        AddColumn(m_hLog, 3, "Итог", 80);

        // The month calendar for a host's own forms, with its picture in the
        // strip at the right edge.
        AddGroup("Календарь с картинкой на правой полосе", 452, 208, 320, 296);
        m_month.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | MCS_WEEKNUMBERS, CPoint(464, 232), pPage, IDC_MONTH);
        // It has the font a form's dialog template gives it, the one the
        // drop-down calendar has. The page's Tahoma has no glyph for the
        // narrow no-break space of the system's month-and-year title
        // ("ноябрь 2026 г."), and in that larger font the control's bold
        // "today" line is longer than the room it leaves for it.
        HDC hdc = GetDC(m_hWnd);
        m_hMonthFont = CreateFontA(-MulDiv(8, GetDeviceCaps(hdc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                   FF_DONTCARE, "MS Sans Serif");
        ReleaseDC(m_hWnd, hdc);
        m_month.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hMonthFont), FALSE);
        // The control draws its picture over its right edge: the host leaves
        // it room beside the days.
        CRect rcMin;
        m_month.GetMinReqRect(&rcMin);
        m_month.SetWindowPos(nullptr, 0, 0, rcMin.Width() + GetSystemMetrics(SM_CXICON), rcMin.Height(),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_month.SetCurSel(COleDateTime(2026, 11, 14, 0, 0, 0));
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_AMOUNT_CALC:
                PickAmount(IDC_AMOUNT);
                return 0;
            case IDC_VAT_CALC:
                PickAmount(IDC_VAT);
                return 0;
            case IDC_DATE_PICK:
                PickDate(IDC_DATE);
                return 0;
            case IDC_DUE_PICK:
                PickDate(IDC_DUE);
                return 0;
            }
        }
        if (nMsg == WM_CTLCOLOREDIT || nMsg == WM_CTLCOLORSTATIC) {
            // The fields pick their own colours, as a framework parent lets them.
            LRESULT lResult = 0;
            if (CWnd::ReflectLastMsg(reinterpret_cast<HWND>(lParam), nMsg, wParam, lParam, &lResult))
                return lResult;
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    void AddButton(const char* pszText, int x, int y, int nID)
    {
        AddControl("BUTTON", pszText, WS_TABSTOP | BS_PUSHBUTTON, x, y, 26, 22, nID);
    }

    CEditEx& Field(int nID)
    {
        switch (nID) {
        case IDC_VAT:
            return m_vat;
        case IDC_DATE:
            return m_date;
        case IDC_DUE:
            return m_due;
        default:
            return m_amount;
        }
    }

    static const char* FieldName(int nID)
    {
        switch (nID) {
        case IDC_VAT:
            return "НДС";
        case IDC_DATE:
            return "Дата счёта";
        case IDC_DUE:
            return "Оплатить до";
        default:
            return "Сумма без НДС";
        }
    }

    void Log(int nID, const CString& strBefore, const CString& strAfter, INT_PTR nResult)
    {
        const int nRow = static_cast<int>(SendMessageA(m_hLog, LVM_GETITEMCOUNT, 0, 0));
        SetCell(m_hLog, nRow, 0, FieldName(nID));
        SetCell(m_hLog, nRow, 1, strBefore);
        SetCell(m_hLog, nRow, 2, strAfter);
        SetCell(m_hLog, nRow, 3, nResult == IDOK ? "IDOK" : "IDCANCEL");
    }

    // The calculator drops down under the field and starts from its text.
    void PickAmount(int nID)
    {
        CEditEx& field = Field(nID);
        CString strBefore;
        field.GetWindowText(strBefore);
        CCalculatorDlg dlg(strBefore, 2, &field, true);
        const INT_PTR nResult = dlg.DoModal();
        if (nResult == IDOK)
            field.SetWindowText(dlg.m_strValue);
        CString strAfter;
        field.GetWindowText(strAfter);
        Log(nID, strBefore, strAfter, nResult);
    }

    // The calendar drops down under the field on the field's day.
    void PickDate(int nID)
    {
        CEditEx& field = Field(nID);
        CString strBefore = field.GetRawData();
        CString strData;
        field.GetData(strData, false);
        CCalendarDlg dlg(&field);
        int nDay = 0, nMonth = 0, nYear = 0;
        if (sscanf(strData, "%2d%2d%4d", &nDay, &nMonth, &nYear) == 3) {
            COleDateTime date(nYear, nMonth, nDay, 0, 0, 0);
            if (date.GetStatus() == COleDateTime::valid)
                dlg.m_date = date;
        }
        const INT_PTR nResult = dlg.DoModal();
        if (nResult == IDOK) {
            char szData[16];
            snprintf(szData, sizeof(szData), "%02d%02d%04d", dlg.m_date.GetDay(), dlg.m_date.GetMonth(),
                     dlg.m_date.GetYear());
            field.SetData(szData);
        }
        Log(nID, strBefore, field.GetRawData(), nResult);
    }

    template <typename TOpen>
    int Snapshot(const std::string& strPath, const UINT* pnCommands, TOpen open)
    {
        CSnapshotJob job;
        job.strPath = strPath;
        job.hMain = GetAncestor(m_hWnd, GA_ROOT);
        job.pnCommands = pnCommands;
        g_pJob = &job;
        const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, SnapshotTimer);
        open();
        KillTimer(nullptr, nTimer);
        g_pJob = nullptr;
        if (job.bWritten) {
            printf("%s\n", strPath.c_str());
            return 0;
        }
        fprintf(stderr, "gallery: could not write %s\n", strPath.c_str());
        return 1;
    }

    CEditEx m_amount, m_vat, m_date, m_due;
    CMonthCalCtrlEx m_month;
    HWND m_hLog = nullptr;
    HFONT m_hMonthFont = nullptr;
};

}  // namespace

GALLERY_PAGE(30, CCalcPage);
