// The edit commands of the masked edit on a real window and the real
// clipboard: copy, cut and paste leave the literals out and respect the mask,
// select all, and the command-UI states.
#include "EditExTestUtil.h"

#include "Clipboard.h"

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

std::string ClipboardText()
{
    std::string strText;
    return support::GetClipboardText(&strText) ? strText : "<no text>";
}

class EditExClipboard : public EditExTest {
protected:
    void SetUp() override
    {
        EditExTest::SetUp();
        ASSERT_TRUE(support::EmptyClipboardContents());
    }
};

TEST_F(EditExClipboard, CopyAndCutLeaveTheLiteralsOut)
{
    CreateEdit(0, "+7 (###) ###-##-##");
    ASSERT_TRUE(m_pEdit->SetData("4951234567"));
    SetSel(0, -1);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "4951234567");
    SetSel(5, 11);  // "95) 12"
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "9512");
    EXPECT_EQ(Text(), "+7 (495) 123-45-67");

    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    SetSel(0, 4);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ClipboardText(), "123");
    EXPECT_EQ(Text(), "4 .  ");
    EXPECT_EQ(Sel(), Pos(0, 0));
}

TEST_F(EditExClipboard, PasteInsertsAtTheCaretAndDropsWhatTheMaskRefuses)
{
    CreateEdit(0, "##.##.####");
    ASSERT_TRUE(support::SetClipboardText("15x03"));
    SetSel(0, 0);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "15.03.    ");
    EXPECT_EQ(Sel(), Pos(0, 0));

    // Nothing on the clipboard: nothing changes.
    ASSERT_TRUE(support::EmptyClipboardContents());
    SetSel(6, 6);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "15.03.    ");
}

TEST_F(EditExClipboard, WithoutAMaskTheCommandsAreTheEditControlsOwn)
{
    CreateEdit();
    m_pEdit->SetWindowText("Иванов-Петров");
    SetSel(0, 6);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ClipboardText(), "Иванов");
    SetSel(7, 7);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "-ПетровИванов");
    SetSel(1, 7);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "Петров");

    // Select all, and undo as the edit control keeps it.
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Sel(), Pos(0, 13));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), "-Петров");
}

// Records what an update handler decided.
class CRecordingCmdUI : public CCmdUI {
public:
    explicit CRecordingCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        m_nEnabled = bOn ? 1 : 0;
    }
    int m_nEnabled = -1;  // -1: not called
};

int UpdateState(CCmdTarget* pTarget, UINT nID)
{
    CRecordingCmdUI ui(nID);
    EXPECT_TRUE(ui.DoUpdate(pTarget, FALSE));
    return ui.m_nEnabled;
}

TEST_F(EditExClipboard, CommandStatesFollowTextSelectionAndClipboard)
{
    CreateEdit();
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_COPY), 0);
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_PASTE), 0);
    m_pEdit->SetWindowText("Склад");
    SetSel(2, 2);
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_COPY), 1);
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_CUT), 0);
    SetSel(0, 2);
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_CUT), 1);
    ASSERT_TRUE(support::SetClipboardText("12"));
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_PASTE), 1);

    // An empty masked field still shows text to copy: its literals and prompts.
    ASSERT_TRUE(m_pEdit->SetMask("##.##"));
    EXPECT_EQ(UpdateState(m_pEdit.get(), ID_EDIT_COPY), 1);
}

}  // namespace
}  // namespace edittest
