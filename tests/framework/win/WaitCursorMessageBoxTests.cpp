// The hourglass of long operations, and the application's message box as a
// user sees and answers it.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "ModalDriver.h"

namespace {

HCURSOR WaitCursor()
{
    return LoadCursor(nullptr, IDC_WAIT);
}

struct CSeenBox {
    std::string m_strCaption, m_strText;
    HICON m_hIcon = nullptr;
};

// Runs show() while a driver reads the box and presses nButton.
template <typename Show>
int AnswerBox(int nButton, CSeenBox& seen, Show show)
{
    support::CModalDriver driver([&](HWND hBox) {
        seen.m_strCaption = support::GetWindowString(hBox);
        const std::vector<std::string> texts = support::GetStaticTexts(hBox);
        seen.m_strText = texts.empty() ? "" : texts[0];
        EnumChildWindows(
            hBox,
            [](HWND hChild, LPARAM lParam) -> BOOL {
                if ((GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    *reinterpret_cast<HICON*>(lParam) =
                        reinterpret_cast<HICON>(SendMessageA(hChild, STM_GETICON, 0, 0));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen.m_hIcon));
        support::PressDialogButton(hBox, nButton);
    });
    const int nResult = show();
    EXPECT_TRUE(driver.Finish());
    return nResult;
}

class CBoxApp : public CWinApp {
public:
    CBoxApp() : CWinApp("Склад") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override
    {
        m_strLastPrompt = lpszPrompt;
        return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    }
    CString m_strLastPrompt;
};

}  // namespace

TEST(WaitCursor, ShowsTheHourglassWhileAnyWaitLastsThenTheCursorBefore)
{
    HCURSOR hArrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(hArrow);
    {
        CWaitCursor outer;
        EXPECT_EQ(WaitCursor(), GetCursor());
        {
            CWaitCursor inner;
            SetCursor(hArrow);  // a box changed it
            inner.Restore();
            EXPECT_EQ(WaitCursor(), GetCursor());
        }
        EXPECT_EQ(WaitCursor(), GetCursor()) << "the outer wait goes on";
    }
    EXPECT_EQ(hArrow, GetCursor());

    // With an application object the count is the application's.
    CWinApp app;
    {
        CWaitCursor wait;
        EXPECT_EQ(1, app.m_nWaitCursorCount);
        EXPECT_EQ(WaitCursor(), GetCursor());
    }
    EXPECT_EQ(0, app.m_nWaitCursorCount);
    EXPECT_EQ(hArrow, GetCursor());
}

TEST(AfxMessageBox, CarriesTheProgramsNameTheTextAndTheUsualIconAndGivesTheAnswer)
{
    CSeenBox seen;
    EXPECT_EQ(IDOK, AnswerBox(IDOK, seen, [] { return AfxMessageBox("Документ сохранён"); }));
    EXPECT_EQ("framework_win_tests", seen.m_strCaption) << "no application: the program's name";
    EXPECT_EQ("Документ сохранён", seen.m_strText);
    EXPECT_EQ(LoadIcon(nullptr, IDI_EXCLAMATION), seen.m_hIcon);

    CBoxApp app;
    EXPECT_EQ(IDNO, AnswerBox(IDNO, seen, [] { return AfxMessageBox("Удалить накладную?", MB_YESNO); }));
    EXPECT_EQ("Склад", seen.m_strCaption);
    EXPECT_EQ(LoadIcon(nullptr, IDI_QUESTION), seen.m_hIcon);
    EXPECT_EQ(CString("Удалить накладную?"), app.m_strLastPrompt) << "the application shows it";

    EXPECT_EQ(IDCANCEL, AnswerBox(IDCANCEL, seen, [] { return AfxMessageBox("Стоп", MB_OKCANCEL | MB_ICONSTOP); }));
    EXPECT_EQ(LoadIcon(nullptr, IDI_HAND), seen.m_hIcon) << "an icon asked for is kept";

    // The box ends with the hourglass back while a wait goes on.
    CWaitCursor wait;
    AnswerBox(IDOK, seen, [] { return AfxMessageBox("Идёт выгрузка"); });
    EXPECT_EQ(WaitCursor(), GetCursor());
}
