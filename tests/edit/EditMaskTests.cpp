// The mask model and its control logic where a line of tests/data/mask.txt
// cannot reach them: trimmed data, a host's calls without a mask, the
// swallowed character and Ctrl, a clipboard that cannot be opened, the drop
// and drag answers, and a host's overrides.
#include "edit/HeadlessEditSurface.h"
#include "edit/EditKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {
typedef std::pair<int, int> Range;

class EditMask : public ::testing::Test {
protected:
    // A fresh mask with the prompt '_' and the data set from the start.
    void Set(const char* pszMask, const char* pszData = "")
    {
        Model().SetPromptChar('_');
        Model().SetMask(pszMask);
        Model().SetData(pszData, 0, false, false);
    }
    CEditMask& Model() { return m_edit.Model(); }
    CHeadlessEditSurface& Surface() { return m_edit.Surface(); }
    std::string Shown() { return std::string(Surface().GetEditText()); }
    std::string Data(bool bTrim)
    {
        CString str;
        Model().GetData(str, bTrim);
        return std::string(str);
    }
    Range Sel()
    {
        int nStart, nEnd;
        Surface().GetEditSel(nStart, nEnd);
        return {nStart, nEnd};
    }

    CHeadlessMaskedEdit m_edit;
};
}  // namespace

TEST_F(EditMask, TrimmedDataLoseTheirTrailingBlanksOnly)
{
    Set("&&&&&", " a\t  ");
    EXPECT_EQ(" a\t  ", Data(false));
    EXPECT_EQ(" a\t", Data(true));
}

TEST_F(EditMask, WithoutAMaskTheTextIsTheWindowsOwn)
{
    // The host's calls: the text is shown as given, and the data are the text.
    Model().SetMask("");
    EXPECT_FALSE(Model().SetData("as typed  "));
    EXPECT_EQ("as typed  ", Shown());
    EXPECT_EQ("as typed", Data(true));
    Model().SetPromptChar('*');
    Model().SetPromptChar(0);  // refused
    EXPECT_EQ('*', Model().GetPromptChar());
    EXPECT_EQ("as typed  ", Shown());
}

TEST_F(EditMask, AHandledKeySwallowsTheOneCharacterAfterIt)
{
    // A character that comes without its own key-down after a handled key
    // (Home sends none) belongs to that key.
    Set("###");
    EXPECT_TRUE(Model().HandleKeyDown(VK_HOME));
    EXPECT_TRUE(Model().HandleKeyDown(VK_UP));  // leaves the flag as it was
    EXPECT_TRUE(Model().HandleChar('1'));
    EXPECT_EQ("___", Shown());
    EXPECT_TRUE(Model().HandleChar('1'));
    EXPECT_EQ("1__", Shown());

    // Keys left to the edit control (Shift+Left) swallow too; a character
    // key's own key-down clears the flag.
    Surface().SetKeyDown(VK_SHIFT, true);
    EXPECT_FALSE(Model().HandleKeyDown(VK_LEFT));
    EXPECT_TRUE(Model().GetSwallowChar());
    Surface().SetKeyDown(VK_SHIFT, false);
    EXPECT_FALSE(Model().HandleKeyDown('2'));
    EXPECT_TRUE(Model().HandleChar('2'));
    EXPECT_EQ("12_", Shown());

    // With Ctrl held the character is the edit control's.
    Surface().SetKeyDown(VK_CONTROL, true);
    EXPECT_FALSE(Model().HandleChar('3'));
    EXPECT_EQ("12_", Shown());
}

TEST_F(EditMask, AClipboardThatCannotBeOpenedTakesAndGivesNothing)
{
    Set("##.##", "1234");
    Surface().PutClipboardText("9");
    Surface().SetClipboardOpens(false);
    m_edit.Select(0, 5);
    m_edit.Cut();  // what did not reach the clipboard stays in the field
    EXPECT_EQ("12.34", Shown());
    m_edit.Select(0, 0);
    m_edit.Paste();
    EXPECT_EQ("12.34", Shown());
    Surface().SetClipboardOpens(true);
    CString strClipboard;
    EXPECT_TRUE(Surface().PeekClipboard(strClipboard));
    EXPECT_EQ("9", std::string(strClipboard));
}

TEST_F(EditMask, DropAnswers)
{
    Set("##.##");
    EXPECT_TRUE(Model().IsValidDropData("99", 2));       // over the literal
    EXPECT_TRUE(Model().IsValidDropData("9999999", 0));  // excess text is no reason
    EXPECT_FALSE(Model().IsValidDropData("1a", 0));
    EXPECT_FALSE(Model().IsValidDropData("1", -1));
    EXPECT_EQ(0, Model().ValidateDrop("1", 4));
    EXPECT_EQ(1, Model().ValidateDrop("1", 5));  // past the end
    EXPECT_EQ(1, Model().ValidateDrop(NULL, 0));

    Set("##.##", "1234");
    EXPECT_EQ(1, Model().DropText("9", 3));
    EXPECT_EQ("12.94", Shown());  // later: overwrites from there
    EXPECT_EQ(0, Model().DropText("9", 5));
    EXPECT_EQ(0, Model().DropText(NULL, 0));

    // Without a mask: any text that fits the limit, inserted at the index.
    Model().SetMask("");
    EXPECT_TRUE(Model().IsValidDropData("anything", 9));
    Surface().SetEditLimit(5);
    Surface().SetEditText("abc");
    EXPECT_EQ(0, Model().ValidateDrop("12", 0));
    EXPECT_EQ(1, Model().ValidateDrop("123", 0));
    EXPECT_EQ(1, Model().DropText("XY", 1));
    EXPECT_EQ(1, Model().DropText("!", 99));
    EXPECT_EQ("aXYbc!", Shown());
}

TEST_F(EditMask, DragTextAndMoveRemoval)
{
    // The range may come either way round.
    Set("##.##", "1_3");
    EXPECT_EQ(" 3", std::string(Model().GetDragText(4, 1)));
    Model().RemoveDraggedText(4, 1);
    EXPECT_EQ("1_.__", Shown());
    EXPECT_EQ(Range(1, 1), Sel());

    // Without a mask the control keeps its text minus the dragged part.
    Model().SetMask("");
    Surface().SetEditText("hello");
    EXPECT_EQ("el", std::string(Model().GetDragText(1, 3)));
    Model().RemoveDraggedText(3, 1);
    EXPECT_EQ("hlo", Shown());
    EXPECT_EQ(Range(1, 1), Sel());
    EXPECT_TRUE(Surface().GetModify());
}

namespace {
// A host's mask with one more placeholder, H for a hexadecimal digit, and a
// rule of its own: no digit 0 anywhere.
class CHexMask : public CEditMask {
protected:
    bool IsMaskChar(char ch) override { return ch == 'H' || CEditMask::IsMaskChar(ch); }
    bool IsCharValid(int nPos, char& ch) override
    {
        if (ch == '0')
            return false;
        if (nPos < 0 || nPos >= GetMask().GetLength() || GetMask()[nPos] != 'H')
            return CEditMask::IsCharValid(nPos, ch);
        ch = AfxCharUpper(ch);
        return (ch >= '1' && ch <= '9') || (ch >= 'A' && ch <= 'F');
    }
};
}  // namespace

TEST(EditMaskOverride, OverridesAreUsedByDisplayTypingDataAndDrops)
{
    CHexMask mask;
    CHeadlessMaskedEdit edit(&mask);
    mask.SetPromptChar('_');
    mask.SetMask("HH-#");
    EXPECT_EQ("__-_", std::string(mask.GetRawData()));
    int nStart, nEnd;
    edit.Surface().GetEditSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);  // H is the first data position
    mask.SetData("a0b1", 0, false, false);
    EXPECT_EQ("AB-1", std::string(mask.GetRawData()));
    mask.ClearData();
    edit.Select(0, 0);
    edit.TypeText("fg02");
    EXPECT_EQ("F2-_", std::string(mask.GetRawData()));
    EXPECT_EQ(2, edit.Surface().GetBeepCount());  // g is no hex digit, 0 is refused
    CString strData;
    mask.GetData(strData, true);
    EXPECT_EQ("F2", std::string(strData));
    EXPECT_EQ(1, mask.ValidateDrop("zz", 0));
    EXPECT_EQ(0, mask.ValidateDrop("ab", 0));
    EXPECT_EQ(1, mask.ValidateDrop("0", 3));
}
