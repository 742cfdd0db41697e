// Modal dialogs block the test thread; the driver must find them, read them
// and close them so that the modal call returns what the user chose.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Input.h"
#include "ModalDriver.h"

namespace {

TEST(ModalDriver, AnswersAMessageBoxWithNo)
{
    std::string strCaption;
    std::vector<std::string> texts;
    bool bPressed = false;
    support::CModalDriver driver([&](HWND hDlg) {
        strCaption = support::GetWindowString(hDlg);
        texts = support::GetStaticTexts(hDlg);
        bPressed = support::PressDialogButton(hDlg, IDNO);
    });
    const int nResult = MessageBoxA(nullptr, "Сохранить изменения?", "Документ", MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(nResult, IDNO);
    EXPECT_TRUE(bPressed);
    EXPECT_EQ(strCaption, "Документ");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Сохранить изменения?");
}

TEST(ModalDriver, MissingButtonIsReportedAndTheBoxStillCloses)
{
    bool bPressed = true;
    support::CModalDriver driver([&](HWND hDlg) { bPressed = support::PressDialogButton(hDlg, IDYES); }, 2000);
    const int nResult = MessageBoxA(nullptr, "Готово", "Сообщение", MB_OKCANCEL);
    EXPECT_FALSE(bPressed);
    // The action left the box open: the driver cancelled it and says so.
    EXPECT_FALSE(driver.Finish());
    EXPECT_TRUE(driver.WasFound());
    EXPECT_EQ(nResult, IDCANCEL);
}

TEST(ModalDriver, NoDialogMeansNotFound)
{
    support::CModalDriver driver([](HWND) {}, 300);
    EXPECT_FALSE(driver.Finish());
    EXPECT_FALSE(driver.WasFound());
}

// A dialog template in memory: a static, an edit (id 100), OK and Cancel.
class CTemplate {
public:
    CTemplate()
    {
        DLGTEMPLATE dlg = {};
        dlg.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        dlg.cdit = 4;
        dlg.cx = 160;
        dlg.cy = 70;
        Add(&dlg, sizeof(dlg));
        Word(0);                // no menu
        Word(0);                // standard class
        Text(L"Новый клиент");  // caption
        Word(8);
        Text(L"MS Shell Dlg");
        Item(SS_LEFT, 5, 5, 150, 10, 0xFFFF, 0x0082, L"Наименование:");
        Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 18, 150, 12, 100, 0x0081, L"");
        Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 50, 50, 50, 14, IDOK, 0x0080, L"OK");
        Item(BS_PUSHBUTTON | WS_TABSTOP, 105, 50, 50, 14, IDCANCEL, 0x0080, L"Отмена");
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_data.data()); }

private:
    void Align()
    {
        while (m_data.size() % 4)
            m_data.push_back(0);
    }
    void Add(const void* p, size_t n)
    {
        const BYTE* pb = static_cast<const BYTE*>(p);
        m_data.insert(m_data.end(), pb, pb + n);
    }
    void Word(WORD w) { Add(&w, sizeof(w)); }
    void Text(const wchar_t* psz) { Add(psz, (wcslen(psz) + 1) * sizeof(wchar_t)); }
    void Item(DWORD dwStyle, short x, short y, short cx, short cy, WORD wId, WORD wClass, const wchar_t* pszText)
    {
        Align();
        DLGITEMTEMPLATE item = {};
        item.style = dwStyle | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = wId;
        Add(&item, sizeof(item));
        Word(0xFFFF);
        Word(wClass);
        Text(pszText);
        Word(0);  // no creation data
    }

    std::vector<BYTE> m_data;
};

std::string g_strName;

INT_PTR CALLBACK NameProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
    if (nMsg == WM_INITDIALOG)
        return TRUE;
    if (nMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        char szName[64] = {};
        GetDlgItemTextA(hDlg, 100, szName, sizeof(szName));
        g_strName = szName;
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(ModalDriver, FillsAndConfirmsADialogBox)
{
    CTemplate dialog;
    std::string strCaption;
    std::vector<std::string> texts;
    support::CModalDriver driver([&](HWND hDlg) {
        strCaption = support::GetWindowString(hDlg);
        texts = support::GetStaticTexts(hDlg);
        support::TypeText(GetDlgItem(hDlg, 100), "ООО «Ромашка»");
        support::PressDialogButton(hDlg, IDOK);
    });
    g_strName.clear();
    const INT_PTR nResult = DialogBoxIndirectA(GetModuleHandleA(nullptr), dialog.Get(), nullptr, NameProc);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(strCaption, "Новый клиент");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Наименование:");
    EXPECT_EQ(g_strName, "ООО «Ромашка»");
}

}  // namespace
