// The masked edit page: a client card whose fields each take one kind of
// data (phone, dates, passport, codes), a read-only and a disabled field in
// their own colours, and what GetData gives back for each field.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include <afxwin.h>

#include "GalleryPage.h"
#include "edit/EditEx.h"

namespace {

enum {
    IDC_FIRST_FIELD = 1201,
    IDC_DATA_LIST = 1250,
};

struct CFieldInfo {
    const char* pszLabel;
    const char* pszMask;
    const char* pszData;  // loaded as typed text; the mask decides what stays
    DWORD dwStyle;        // ES_UPPERCASE, ES_READONLY
    char chPrompt;
    bool bDisabled;
};

const CFieldInfo g_aFields[] = {
    {"Телефон:", "+7 (###) ###-##-##", "4957391825", 0, ' ', false},
    {"Дата рождения:", "##.##.####", "17041986", 0, ' ', false},
    {"Паспорт, серия и номер:", "## ## ######", "4510123456", 0, ' ', false},
    {"Дата выдачи паспорта:", "##.##.####", "0305", 0, '_', false},
    {"Код склада:", "UU-####", "мс0427", ES_UPPERCASE, ' ', false},
    {"Госномер автомобиля:", "U###UU ###", "а123вс777", ES_UPPERCASE, ' ', false},
    {"СНИЛС (только чтение):", "###-###-### ##", "11223344595", ES_READONLY, ' ', false},
    {"ИНН (поле недоступно):", "############", "770412345678", 0, ' ', true},
};

const int kFieldCount = static_cast<int>(sizeof(g_aFields) / sizeof(g_aFields[0]));

// The mask as the user would read it: what each kind of position takes.
std::string DescribeMask(const CFieldInfo& field)
{
    std::string strText = std::string("маска «") + field.pszMask + "»";
    if (field.dwStyle & ES_UPPERCASE)
        strText += ", буквы заглавные";
    if (field.chPrompt != ' ')
        strText += std::string(", пустые места «") + field.chPrompt + "»";
    return strText;
}

class CMaskEditPage : public CGalleryPage {
public:
    const char* GetTitle() const override { return "Маска ввода"; }
    const char* GetSnapshotName() const override { return "maskedit"; }

protected:
    void OnCreate() override
    {
        AddGroup("Карточка клиента: каждое поле принимает только свои символы", 8, 6, 764, 270);
        CWnd* pPage = CWnd::FromHandle(m_hWnd);
        for (int i = 0; i < kFieldCount; ++i) {
            const CFieldInfo& field = g_aFields[i];
            const int y = 26 + 30 * i;
            AddLabel(field.pszLabel, 18, y + 3, 196);
            std::unique_ptr<CEditEx>& pEdit = m_apEdits[i];
            pEdit.reset(new CEditEx);
            pEdit->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | field.dwStyle,
                          CRect(220, y, 420, y + 22), pPage, IDC_FIRST_FIELD + i);
            pEdit->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
            pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
            pEdit->SetMask(field.pszMask);
            pEdit->SetPromptChar(field.chPrompt);
            pEdit->SetData(field.pszData);
            AddLabel(DescribeMask(field).c_str(), 436, y + 3, 326);
        }
        // A field the user may only read stands out in its own colours; a
        // disabled one shows the control's colour for that state.
        CEditEx& readOnly = *m_apEdits[6];
        readOnly.SetBkColor(RGB(255, 248, 220));
        readOnly.SetTextColor(RGB(0, 0, 128));
        CEditEx& disabled = *m_apEdits[7];
        disabled.SetDisabledBkColor(RGB(214, 214, 214));
        disabled.EnableWindow(FALSE);

        AddGroup("Что возвращают поля: GetRawData (как на экране) и GetData (без постоянных символов)", 8, 282, 764,
                 222);
        m_hList = AddReportList(18, 300, 744, 150, IDC_DATA_LIST);
        AddColumn(m_hList, 0, "Поле", 180);
        AddColumn(m_hList, 1, "На экране", 180);
        AddColumn(m_hList, 2, "GetData", 170);
        AddColumn(m_hList, 3, "Без пробелов в конце", 190);
        AddLabel("# — цифра, ? — буква, A — буква или цифра, U и L — заглавная и строчная буква, & — любой символ.", 18,
                 456, 744);
        AddLabel("Прочие символы маски постоянные: их не стереть и не заменить.", 18, 476, 744);
        Update();
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        switch (nMsg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // The fields pick their own colours, as a framework parent lets them.
            LRESULT lResult = 0;
            if (CWnd::ReflectLastMsg(reinterpret_cast<HWND>(lParam), nMsg, wParam, lParam, &lResult))
                return lResult;
            break;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) >= IDC_FIRST_FIELD &&
                LOWORD(wParam) < IDC_FIRST_FIELD + kFieldCount) {
                Update();
                return 0;
            }
            break;
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    void Update()
    {
        if (m_hList == nullptr)
            return;
        for (int i = 0; i < kFieldCount; ++i) {
            if (!m_apEdits[i])
                continue;
            CEditEx& edit = *m_apEdits[i];
            CString strData, strTrimmed;
            edit.GetData(strData, false);
            edit.GetData(strTrimmed, true);
            std::string strLabel = g_aFields[i].pszLabel;
            strLabel.resize(strLabel.size() - 1);  // without the colon
            SetCell(m_hList, i, 0, strLabel.c_str());
            SetCell(m_hList, i, 1, (std::string("«") + static_cast<LPCSTR>(edit.GetRawData()) + "»").c_str());
            SetCell(m_hList, i, 2, (std::string("«") + static_cast<LPCSTR>(strData) + "»").c_str());
            SetCell(m_hList, i, 3, (std::string("«") + static_cast<LPCSTR>(strTrimmed) + "»").c_str());
        }
    }

    std::unique_ptr<CEditEx> m_apEdits[kFieldCount];
    HWND m_hList = nullptr;
};

}  // namespace

GALLERY_PAGE(20, CMaskEditPage);
