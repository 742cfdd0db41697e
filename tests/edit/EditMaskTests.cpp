// The mask model on its own: the mask language, the character check, placing,
// inserting and removing data, positions, the undo record, the drop answers
// and a host's overrides. The control logic over keys and commands is in
// EditKeysTests.cpp.
#include "edit/HeadlessEditSurface.h"
#include "edit/EditKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {
typedef std::pair<int, int> Range;

// The protected operations, reachable for the tests.
class CProbeMask : public CEditMask {
public:
    using CEditMask::FindLastFilledDataPos;
    using CEditMask::GetNextDataPos;
    using CEditMask::GetPrevDataPos;
    using CEditMask::IsCharValid;
    using CEditMask::IsMaskChar;
    using CEditMask::PullChar;
    using CEditMask::PushChar;
    using CEditMask::SetCursorPos;
    using CEditMask::UpdateDisplay;
};

class EditMaskModel : public ::testing::Test {
protected:
    // A fresh mask with the prompt set first.
    void Set(const char* pszMask, char chPrompt = '_')
    {
        m_mask.SetPromptChar(chPrompt);
        m_mask.SetMask(pszMask);
    }
    // SetData from position 0 (a fresh start).
    void Fill(const char* pszData) { m_mask.SetData(pszData, 0, false, false); }
    std::string Display() { return std::string(m_mask.GetRawData()); }
    std::string Shown() { return std::string(m_surface.GetEditText()); }
    std::string Data(bool bTrim)
    {
        CString str;
        m_mask.GetData(str, bTrim);
        return std::string(str);
    }
    Range Sel()
    {
        int nStart, nEnd;
        m_surface.GetEditSel(nStart, nEnd);
        return {nStart, nEnd};
    }

    CProbeMask m_mask;
    CHeadlessMaskedEdit m_edit{&m_mask};
    CHeadlessEditSurface& m_surface = m_edit.Surface();
};
}  // namespace

TEST_F(EditMaskModel, EscapesAreRemovedAndPositionsClassifiedByCharacter)
{
    const char* const aCases[][3] = {
        // mask, parsed, display
        {"\\##", "##", "__"},       // an escaped placeholder is still one
        {"\\\\#", "\\#", "\\_"},    // a doubled backslash leaves a literal one
        {"##\\", "##", "__"},       // a backslash at the end is dropped
        {"\\a\\-#", "a-#", "a-_"},  // escaped literals stay literals
    };
    for (const auto& c : aCases) {
        Set(c[0]);
        EXPECT_EQ(c[1], std::string(m_mask.GetMask())) << c[0];
        EXPECT_EQ(c[2], Display()) << c[0];
    }
    for (char ch : std::string("#&?ALU"))
        EXPECT_TRUE(m_mask.IsMaskChar(ch)) << ch;
    for (char ch : std::string("a9 \\-luX"))
        EXPECT_FALSE(m_mask.IsMaskChar(ch)) << ch;
}

TEST_F(EditMaskModel, SetMaskStartsFresh)
{
    Set("\\##");
    EXPECT_EQ(4, m_surface.GetEditLimit());  // the mask as given, escapes included, + 1
    Fill("12");
    Set("(###)");
    EXPECT_EQ("(___)", Shown());
    EXPECT_FALSE(m_surface.GetModify());
    EXPECT_FALSE(m_mask.CanUndo());

    // Back to no mask: the display is empty and the limit lifted.
    m_mask.SetMask("");
    EXPECT_EQ("", Shown());
    EXPECT_EQ((int)CHeadlessEditSurface::NoLimit, m_surface.GetEditLimit());
}

TEST_F(EditMaskModel, CharacterClassesAndCase)
{
    struct {
        DWORD m_dwStyle;
        int m_nPos;
        char m_ch;
        char m_chStored;  // 0: refused
    } const aCases[] = {
        {0, 0, '5', '5'},
        {0, 0, 'a', 0},
        {0, 0, 'ж', 0},
        {0, 1, 'ж', 'ж'},
        {0, 1, '1', 0},
        {0, 1, ' ', 0},
        {0, 2, '1', '1'},
        {0, 2, 'q', 'q'},
        {0, 2, '-', 0},
        {0, 3, '-', '-'},
        {0, 4, 'Ж', 'ж'},
        {0, 4, '7', 0},
        {0, 5, 'ё', 'Ё'},
        {0, 5, '_', 0},
        {0, 6, '-', 0},
        {0, -1, '1', 0},
        {0, 7, '1', 0},
        // The style folds first, whatever the position; then L keeps the
        // upper case and U the lower case.
        {ES_UPPERCASE, 4, 'q', 'Q'},
        {ES_UPPERCASE, 1, 'ж', 'Ж'},
        {ES_LOWERCASE, 5, 'Q', 'q'},
    };
    Set("#?A&LU-");
    for (const auto& c : aCases) {
        m_surface.SetStyle(c.m_dwStyle);
        char ch = c.m_ch;
        EXPECT_EQ(c.m_chStored != 0, m_mask.IsCharValid(c.m_nPos, ch)) << c.m_nPos << " " << c.m_ch;
        if (c.m_chStored != 0) {
            EXPECT_EQ(c.m_chStored, ch) << c.m_nPos << " " << c.m_ch;
        }
    }
}

TEST_F(EditMaskModel, SetDataPlacesTextOrRefusesTheStart)
{
    Set("##.##");
    EXPECT_TRUE(m_mask.SetData("1234", 0, false, false));
    EXPECT_EQ("12.34", Display());  // the literal takes no character of the text
    EXPECT_EQ(Display(), Shown());
    EXPECT_TRUE(m_mask.SetData("9", 2, false, false));
    EXPECT_EQ("12.94", Display());  // a literal start moves to the next data position
    EXPECT_TRUE(m_mask.SetData("5", 0, false, false));
    EXPECT_EQ("5_.__", Display());  // position 0 replaces all data
    EXPECT_TRUE(m_mask.SetData("8", 1, true, false));
    EXPECT_TRUE(m_mask.SetData("9", 1, true, false));
    EXPECT_EQ("59.8_", Display());  // inserting shifts the data right

    Set("###", ' ');
    Fill("1a2");
    EXPECT_EQ("12 ", Display());  // the invalid character is dropped, the position waits
    Fill("12345");
    EXPECT_EQ("123", Display());  // excess text is ignored
    Set("UU");
    Fill("ab");
    EXPECT_EQ("AB", Display());  // stored as the check folded it

    // A prompt character in the text stands for an empty position, unless
    // the prompt characters are to be kept (then it is just invalid here).
    Set("###");
    Fill("1_3");
    EXPECT_EQ("1_3", Display());
    EXPECT_TRUE(m_mask.SetData("1_3", 0, false, true));
    EXPECT_EQ("13_", Display());

    // Refused: a start outside the mask, or with no data position from there on.
    Set("##-");
    Fill("12");
    EXPECT_FALSE(m_mask.SetData("3", -1, false, false));
    EXPECT_FALSE(m_mask.SetData("3", 3, false, false));
    EXPECT_FALSE(m_mask.SetData("3", 2, false, false));  // no data position after the literal
    EXPECT_EQ("12-", Display());

    // Without a mask the text is kept and shown, and the answer is false.
    m_mask.SetMask("");
    EXPECT_FALSE(m_mask.SetData("plain", 0, false, false));
    EXPECT_EQ("plain", Shown());
}

TEST_F(EditMaskModel, GetDataLeavesLiteralsOutAndBlanksEmptyPositions)
{
    Set("#-#-#");
    Fill("1_3");
    EXPECT_EQ("1 3", Data(false));
    Fill("12");
    EXPECT_EQ("12 ", Data(false));
    EXPECT_EQ("12", Data(true));

    // Only blanks are trimmed.
    Set("&&&", '*');
    Fill("a\t");
    EXPECT_EQ("a\t", Data(true));

    // Without a mask the data are the window text.
    m_mask.SetMask("");
    m_surface.SetEditText("as typed  ");
    EXPECT_EQ("as typed  ", Data(false));
    EXPECT_EQ("as typed", Data(true));
}

TEST_F(EditMaskModel, PushCharInsertsAtADataPosition)
{
    Set("#####");
    Fill("1_3");
    EXPECT_TRUE(m_mask.PushChar(0, 'x', false));
    EXPECT_EQ("x1_3_", Display());  // the empty position between moves too
    Set("##.##");
    Fill("1234");
    EXPECT_FALSE(m_mask.PushChar(0, 'y', false));  // full
    EXPECT_EQ("12.34", Display());

    // With update: shown, and the caret after the character.
    Set("#-#");
    EXPECT_TRUE(m_mask.PushChar(0, '1', true));
    EXPECT_EQ("1-_", Shown());
    EXPECT_EQ(Range(2, 2), Sel());
    EXPECT_TRUE(m_mask.PushChar(2, '2', true));
    EXPECT_EQ(Range(3, 3), Sel());  // no data position after: just after it

    // A literal or a place outside the mask takes nothing.
    Set("#-#");
    for (int nPos : {1, 3, -1})
        EXPECT_FALSE(m_mask.PushChar(nPos, '5', false)) << nPos;
    EXPECT_EQ("_-_", Display());
}

TEST_F(EditMaskModel, PullCharClosesTheGap)
{
    struct {
        const char* m_pszMask;
        int m_nFrom, m_nTo;
        const char* m_pszDisplay;
    } const aCases[] = {
        {"##.##", 4, 2, "12.4_"},                             // to a literal: from the data position after it
        {"##.##", 5, 3, "12.__"},                             // from the end: the tail is emptied
        {"##.##", 6, 0, "12.34"}, {"##.##", -1, 0, "12.34"},  // out of range
        {"##.##", 2, 3, "12.34"},                             // the ends the wrong way round
        {"#-#", 0, 1, "1-2"},                                 // the data position after the literal lies beyond
    };
    for (const auto& c : aCases) {
        Set(c.m_pszMask);
        Fill("1234");
        m_mask.PullChar(c.m_nFrom, c.m_nTo);
        EXPECT_EQ(c.m_pszDisplay, Display()) << c.m_pszMask << " " << c.m_nFrom << "," << c.m_nTo;
    }
}

TEST_F(EditMaskModel, DataPositions)
{
    Set("(###)");
    const int aNext[][2] = {{-1, 1}, {1, 2}, {3, -1}, {5, 5}, {9, 9}};  // at or past the end: unchanged
    for (const auto& n : aNext)
        EXPECT_EQ(n[1], m_mask.GetNextDataPos(n[0])) << n[0];
    const int aPrev[][2] = {{5, 3}, {9, 3}, {1, -1}, {0, -1}};
    for (const auto& p : aPrev)
        EXPECT_EQ(p[1], m_mask.GetPrevDataPos(p[0])) << p[0];
    m_mask.SetMask("");
    EXPECT_EQ(7, m_mask.GetNextDataPos(7));
    EXPECT_EQ(7, m_mask.GetPrevDataPos(7));
}

TEST_F(EditMaskModel, FindLastFilledDataPos)
{
    struct {
        const char* m_pszMask;
        const char* m_pszData;
        int m_nPos, m_nFound;
    } const aCases[] = {
        {"##.##", "1", 5, 1},
        {"##.##", "123", 5, 4},
        {"##.##", "", 3, 0},
        {"##.##", "12", 1, 1},  // inside the filled part: as asked
        {"##.##", "12", 2, 2},
        {"##.##", "12", 4, 2},
        // A full field: the place after the last character.
        {"##.##", "1234", 5, 5},
        {"##.##", "1234", 8, 5},
        {"##.##", "1234", 3, 3},
        {"##)", "1", 3, 3},  // a literal at the end that differs from the prompt
        {"(##", "", 0, 1},   // nothing filled: the first data position
        {"ab", "", 1, -1},   // and there is none
    };
    for (const auto& c : aCases) {
        Set(c.m_pszMask);
        Fill(c.m_pszData);
        EXPECT_EQ(c.m_nFound, m_mask.FindLastFilledDataPos(c.m_nPos)) << Display() << " " << c.m_nPos;
    }
    m_mask.SetMask("");
    EXPECT_EQ(0, m_mask.FindLastFilledDataPos(4));
}

TEST_F(EditMaskModel, SetCursorPos)
{
    Set("##.##");
    EXPECT_EQ(3, m_mask.SetCursorPos(1, 1, true));
    EXPECT_EQ(Range(3, 4), Sel());
    EXPECT_EQ(1, m_mask.SetCursorPos(3, -1, false));
    EXPECT_EQ(Range(1, 1), Sel());
    EXPECT_EQ(-1, m_mask.SetCursorPos(0, -1, false));
    EXPECT_EQ(Range(1, 1), Sel());  // nothing before: the caret stays

    // Past the last data position the caret goes just after pos, whether pos
    // is a data position or a literal.
    EXPECT_EQ(-1, m_mask.SetCursorPos(4, 1, false));
    EXPECT_EQ(Range(5, 5), Sel());
    Set("#-+");
    EXPECT_EQ(-1, m_mask.SetCursorPos(1, 1, false));
    EXPECT_EQ(Range(2, 2), Sel());
    EXPECT_EQ(-1, m_mask.SetCursorPos(0, 1, true));
    EXPECT_EQ(Range(1, 2), Sel());

    Set("ab");
    m_surface.SetEditSel(2, 2);
    EXPECT_EQ(-1, m_mask.SetCursorPos(-1, 1, false));
    EXPECT_EQ(Range(0, 0), Sel());
    m_mask.SetMask("");
    EXPECT_EQ(7, m_mask.SetCursorPos(7, 1, false));
}

TEST_F(EditMaskModel, UndoRecord)
{
    Set("###");
    Fill("1");
    EXPECT_TRUE(m_mask.Undo());
    EXPECT_EQ("___", Shown());
    EXPECT_TRUE(m_mask.Undo());  // undo of the undo
    EXPECT_EQ("1__", Display());

    // Two shows in a row leave nothing to undo.
    m_mask.UpdateDisplay();
    EXPECT_FALSE(m_mask.CanUndo());
    EXPECT_FALSE(m_mask.Undo());
    EXPECT_EQ("1__", Display());

    // The emptied buffer undoes to the empty display.
    m_mask.EmptyUndoBuffer();
    EXPECT_TRUE(m_mask.Undo());
    EXPECT_EQ("___", Display());

    Fill("12");
    m_mask.ClearData();
    EXPECT_EQ("___", Shown());
    EXPECT_TRUE(m_mask.Undo());
    EXPECT_EQ("12_", Display());
}

TEST_F(EditMaskModel, PromptCharChange)
{
    Set("##.##", ' ');
    Fill("1");
    m_mask.SetPromptChar('_');
    EXPECT_EQ("1_.__", Shown());
    m_mask.SetPromptChar(0);  // refused
    EXPECT_EQ('_', m_mask.GetPromptChar());
    EXPECT_EQ("1   ", Data(false));

    // The text of a plain edit is its own; only the character changes.
    m_mask.SetMask("");
    m_surface.SetEditText("plain");
    m_mask.SetPromptChar('*');
    EXPECT_EQ('*', m_mask.GetPromptChar());
    EXPECT_EQ("plain", Shown());
}

TEST_F(EditMaskModel, DropAnswers)
{
    Set("##.##");
    EXPECT_TRUE(m_mask.IsValidDropData("99", 2));       // over the literal
    EXPECT_TRUE(m_mask.IsValidDropData("9999999", 0));  // excess text is no reason
    EXPECT_FALSE(m_mask.IsValidDropData("1a", 0));
    EXPECT_FALSE(m_mask.IsValidDropData("1", -1));
    EXPECT_EQ(1, m_mask.ValidateDrop("1", 5));  // past the end
    EXPECT_EQ(1, m_mask.ValidateDrop(NULL, 0));

    Fill("1234");
    EXPECT_EQ(1, m_mask.DropText("9", 3));
    EXPECT_EQ("12.94", Display());  // later: overwrites from there
    EXPECT_EQ(0, m_mask.DropText("9", 5));
    EXPECT_EQ(0, m_mask.DropText(NULL, 0));

    // Without a mask: any text that fits the limit, inserted at the index.
    m_mask.SetMask("");
    EXPECT_TRUE(m_mask.IsValidDropData("anything", 9));
    m_surface.SetEditLimit(5);
    m_surface.SetEditText("abc");
    EXPECT_EQ(0, m_mask.ValidateDrop("12", 0));
    EXPECT_EQ(1, m_mask.ValidateDrop("123", 0));
    EXPECT_EQ(1, m_mask.DropText("XY", 1));
    EXPECT_EQ(1, m_mask.DropText("!", 99));
    EXPECT_EQ("aXYbc!", Shown());
}

TEST_F(EditMaskModel, DragTextAndMoveRemoval)
{
    Set("##.##");
    Fill("1_3");
    EXPECT_EQ("1 3 ", std::string(m_mask.GetDragText(0, 5)));
    EXPECT_EQ(" 3", std::string(m_mask.GetDragText(4, 1)));
    Fill("1234");
    m_mask.RemoveDraggedText(0, 2);
    EXPECT_EQ("34.__", Shown());
    EXPECT_EQ(Range(0, 0), Sel());

    // Without a mask the control keeps its text minus the dragged part.
    m_mask.SetMask("");
    m_surface.SetEditText("hello");
    EXPECT_EQ("el", std::string(m_mask.GetDragText(1, 3)));
    m_mask.RemoveDraggedText(3, 1);
    EXPECT_EQ("hlo", Shown());
    EXPECT_EQ(Range(1, 1), Sel());
    EXPECT_TRUE(m_surface.GetModify());
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
