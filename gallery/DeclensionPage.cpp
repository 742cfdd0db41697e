// The declension page: a full name and its gender, the name in all six cases
// in full and as surname with initials, as it reads in documents, and a few
// well-known names with different endings.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include <afx.h>

#include "GalleryPage.h"
#include "grammar/GrammarCase.h"

namespace {

enum {
    IDC_NAME_EDIT = 1101,
    IDC_MALE,
    IDC_FEMALE,
    IDC_CASES_LIST,
    IDC_SAMPLES_LIST,
};

struct CCaseInfo {
    EGrammarCase eCase;
    const char* pszName;
    const char* pszQuestion;
};

const CCaseInfo g_aCases[] = {
    {gcNominative, "Именительный", "кто?"},   {gcGenitive, "Родительный", "кого?"},
    {gcDative, "Дательный", "кому?"},         {gcAccusative, "Винительный", "кого?"},
    {gcInstrumental, "Творительный", "кем?"}, {gcPrepositional, "Предложный", "о ком?"},
};

struct CSample {
    const char* pszName;
    bool bMale;
};

const CSample g_aSamples[] = {
    {"Толстой Лев Николаевич", true},     {"Достоевский Фёдор Михайлович", true}, {"Гоголь Николай Васильевич", true},
    {"Шевченко Тарас Григорьевич", true}, {"Пастернак Борис Леонидович", true},   {"Цветаева Марина Ивановна", false},
    {"Ахматова Анна Андреевна", false},   {"Толстая Софья Андреевна", false},
};

// A part as an initial: its first letter, capital, and a dot.
std::string Initial(const CString& strPart)
{
    if (strPart.IsEmpty())
        return std::string();
    return std::string(1, AfxCharUpper(strPart[0])) + ".";
}

class CDeclensionPage : public CGalleryPage {
public:
    const char* GetTitle() const override { return "Склонение ФИО"; }
    const char* GetSnapshotName() const override { return "declension"; }

protected:
    void OnCreate() override
    {
        AddGroup("Полное имя", 8, 6, 764, 68);
        AddLabel("Фамилия, имя, отчество:", 18, 28, 150);
        m_hNameEdit = AddControl("EDIT", "Кузнецов Андрей Викторович", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, 170, 25,
                                 360, 21, IDC_NAME_EDIT, WS_EX_CLIENTEDGE);
        AddLabel("Пол:", 548, 28, 34);
        m_hMale =
            AddControl("BUTTON", "мужской", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 584, 26, 84, 20, IDC_MALE);
        m_hFemale = AddControl("BUTTON", "женский", BS_AUTORADIOBUTTON, 672, 26, 90, 20, IDC_FEMALE);
        SendMessageA(m_hMale, BM_SETCHECK, BST_CHECKED, 0);
        AddLabel("Части разделяются пробелами, а если есть запятые, то только запятыми. "
                 "Инициалы не склоняются.",
                 18, 52, 744);

        AddGroup("Падежи", 8, 80, 764, 158);
        m_hCases = AddReportList(18, 98, 744, 132, IDC_CASES_LIST);
        AddColumn(m_hCases, 0, "Падеж", 110);
        AddColumn(m_hCases, 1, "Вопрос", 64);
        AddColumn(m_hCases, 2, "Полностью", 340);
        AddColumn(m_hCases, 3, "Фамилия и инициалы", 206);

        AddGroup("В документах", 8, 244, 764, 88);
        for (int i = 0; i < 4; ++i)
            m_ahDocument[i] = AddLabel("", 18, 262 + 17 * i, 744);

        AddGroup("Разные окончания", 8, 338, 764, 176);
        m_hSamples = AddReportList(18, 356, 744, 150, IDC_SAMPLES_LIST);
        AddColumn(m_hSamples, 0, "Полное имя", 230);
        AddColumn(m_hSamples, 1, "Кому (дательный)", 245);
        AddColumn(m_hSamples, 2, "Кем (творительный)", 245);
        FillSamples();
        Update();
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMAND) {
            const int nID = LOWORD(wParam);
            if ((nID == IDC_NAME_EDIT && HIWORD(wParam) == EN_CHANGE) ||
                ((nID == IDC_MALE || nID == IDC_FEMALE) && HIWORD(wParam) == BN_CLICKED)) {
                Update();
                return 0;
            }
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    void Update()
    {
        char szName[256] = "";
        GetWindowTextA(m_hNameEdit, szName, sizeof(szName));
        const bool bMale = SendMessageA(m_hFemale, BM_GETCHECK, 0, 0) != BST_CHECKED;
        CGrammarCase_S full(szName, bMale);
        // Surname with the initials of the other two parts, which the rules leave alone.
        const std::string strFirst = Initial(full.m_FirstName.m_strName);
        const std::string strMiddle = Initial(full.m_MiddleName.m_strName);
        CGrammarCase_S brief(strFirst.c_str(), strMiddle.c_str(), "", bMale);
        brief.m_LastName = full.m_LastName;

        CString astrFull[6], astrBrief[6];
        for (int i = 0; i < 6; ++i) {
            const CCaseInfo& info = g_aCases[i];
            if (full.GetGrammarCase(astrFull[i], info.eCase, GC_ALLPARTS) != 0)
                astrFull[i] = "(введите имя)";
            if (brief.GetGrammarCase(astrBrief[i], info.eCase, GC_ALLPARTS) != 0)
                astrBrief[i] = "";
            SetCell(m_hCases, i, 0, info.pszName);
            SetCell(m_hCases, i, 1, info.pszQuestion);
            SetCell(m_hCases, i, 2, astrFull[i]);
            SetCell(m_hCases, i, 3, astrBrief[i]);
        }

        const bool bEmpty = !full.IsInitialized();
        const std::string astrLines[4] = {
            "Приказ о предоставлении отпуска " + std::string(bEmpty ? "…" : astrFull[gcDative].GetString()) +
                " с 1 июля 2024 г.",
            "Выдать " + std::string(bEmpty ? "…" : astrBrief[gcDative].GetString()) +
                " аванс на командировочные расходы в сумме 15 000,00 руб.",
            "Доверенность подписана " + std::string(bEmpty ? "…" : astrBrief[gcInstrumental].GetString()) +
                ", главным бухгалтером.",
            "Сведения о " + std::string(bEmpty ? "…" : astrFull[gcPrepositional].GetString()) +
                " внесены в личную карточку работника.",
        };
        for (int i = 0; i < 4; ++i)
            SetWindowTextA(m_ahDocument[i], astrLines[i].c_str());
    }

    void FillSamples()
    {
        for (int i = 0; i < static_cast<int>(sizeof(g_aSamples) / sizeof(g_aSamples[0])); ++i) {
            CGrammarCase_S grammar(g_aSamples[i].pszName, g_aSamples[i].bMale);
            CString strDative, strInstrumental;
            grammar.GetGrammarCase(strDative, gcDative, GC_ALLPARTS);
            grammar.GetGrammarCase(strInstrumental, gcInstrumental, GC_ALLPARTS);
            SetCell(m_hSamples, i, 0, g_aSamples[i].pszName);
            SetCell(m_hSamples, i, 1, strDative);
            SetCell(m_hSamples, i, 2, strInstrumental);
        }
    }

    HWND m_hNameEdit = nullptr;
    HWND m_hMale = nullptr;
    HWND m_hFemale = nullptr;
    HWND m_hCases = nullptr;
    HWND m_hSamples = nullptr;
    HWND m_ahDocument[4] = {};
};

}  // namespace

GALLERY_PAGE(40, CDeclensionPage);
