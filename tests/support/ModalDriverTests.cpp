// Modal dialogs block the test thread; the driver must find them, read them
// and close them so that the modal call returns what the user chose, and say
// so when it could not. (Dialogs with fields are driven in the window tests.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ModalDriver.h"

namespace {

TEST(ModalDriver, AnswersBoxesAndSaysWhenItCouldNot)
{
    // A message box: its caption and text read, answered with No.
    std::string strCaption;
    std::vector<std::string> texts;
    bool bPressed = false;
    support::CModalDriver box([&](HWND hDlg) {
        strCaption = support::GetWindowString(hDlg);
        texts = support::GetStaticTexts(hDlg);
        bPressed = support::PressDialogButton(hDlg, IDNO);
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Сохранить изменения?", "Документ", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(box.Finish());
    EXPECT_TRUE(bPressed);
    EXPECT_EQ(strCaption, "Документ");
    EXPECT_EQ(texts, std::vector<std::string>{"Сохранить изменения?"});

    // A button the box does not have: reported, and the box still closes,
    // cancelled by the driver, which says so.
    bPressed = true;
    support::CModalDriver missing([&](HWND hDlg) { bPressed = support::PressDialogButton(hDlg, IDYES); }, 2000);
    EXPECT_EQ(MessageBoxA(nullptr, "Готово", "Сообщение", MB_OKCANCEL), IDCANCEL);
    EXPECT_FALSE(bPressed);
    EXPECT_FALSE(missing.Finish());
    EXPECT_TRUE(missing.WasFound());

    // No dialog at all: not found.
    support::CModalDriver none([](HWND) {}, 300);
    EXPECT_FALSE(none.Finish());
    EXPECT_FALSE(none.WasFound());
}

}  // namespace
