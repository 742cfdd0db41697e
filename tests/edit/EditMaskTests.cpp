// The mask model on its own: the mask language, the display, the character
// check, placing, inserting and removing data, positions, the undo record and
// the drop answers. The control logic over keys and commands is in
// EditKeysTests.cpp.
#include "edit/HeadlessEditSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The protected operations, reachable for the tests.
class CProbeMask : public CEditMask
{
public:
    using CEditMask::ConvertMaskToDisplayStr;
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

class EditMaskModel : public ::testing::Test
{
protected:
    // A fresh mask with the prompt set first.
    void Set(const char* pszMask, char chPrompt = '_')
    {
        m_mask.SetPromptChar(chPrompt);
        m_mask.SetMask(pszMask);
    }
    // The display after SetData from position 0 (a fresh start).
    void Fill(const char* pszData) { m_mask.SetData(pszData, 0, false, false); }
    std::string Display() { return std::string(m_mask.GetRawData()); }
    std::string Shown() { return std::string(m_surface.GetEditText()); }
    std::string Data(bool bTrim)
    {
        CString str;
        m_mask.GetData(str, bTrim);
        return std::string(str);
    }
    std::pair<int, int> Sel()
    {
        int nStart, nEnd;
        m_surface.GetEditSel(nStart, nEnd);
        return {nStart, nEnd};
    }

    CProbeMask m_mask;
    CHeadlessMaskedEdit m_edit{&m_mask};
    CHeadlessEditSurface& m_surface = m_edit.Surface();
};

typedef std::pair<int, int> Range;
}  // namespace

TEST_F(EditMaskModel, PhoneMaskDisplayAndData)
{
    Set("(###) ###-##-##", ' ');
    EXPECT_EQ("(   )    -  -  ", Display());
    EXPECT_EQ(Display(), Shown());
    EXPECT_EQ("", Data(true));
    EXPECT_EQ(std::string(10, ' '), Data(false));
    EXPECT_TRUE(m_mask.SetData("4951234567"));
    EXPECT_EQ("(495) 123-45-67", Display());
    EXPECT_EQ("4951234567", Data(true));
}

TEST_F(EditMaskModel, EscapesAreRemovedAndPositionsClassifiedByCharacter)
{
    struct
    {
        const char* m_pszMask;
        const char* m_pszParsed;
        const char* m_pszDisplay;
    } const aCases[] = {
        {"\\##", "##", "__"},        // an escaped placeholder is still one
        {"\\\\#", "\\#", "\\_"},     // a doubled backslash leaves a literal one
        {"##\\", "##", "__"},        // a backslash at the end is dropped
        {"\\a\\-#", "a-#", "a-_"},   // escaped literals stay literals
        {"x\\", "x", "x"},
    };
    for (const auto& c : aCases)
    {
        Set(c.m_pszMask);
        EXPECT_EQ(c.m_pszParsed, std::string(m_mask.GetMask())) << c.m_pszMask;
        EXPECT_EQ(c.m_pszDisplay, Display()) << c.m_pszMask;
    }
    for (char ch : std::string("#&?ALU"))
        EXPECT_TRUE(m_mask.IsMaskChar(ch)) << ch;
    for (char ch : std::string("a9 \\-luX"))
        EXPECT_FALSE(m_mask.IsMaskChar(ch)) << ch;

    CString strOut;
    m_mask.ConvertMaskToDisplayStr("A-?", strOut);
    EXPECT_EQ("_-_", std::string(strOut));
}

TEST_F(EditMaskModel, SetMaskStartsFresh)
{
    Set("(###)");
    EXPECT_EQ(6, m_surface.GetEditLimit());  // the given length + 1
    Set("\\##");
    EXPECT_EQ(4, m_surface.GetEditLimit());  // escapes count
    EXPECT_FALSE(m_surface.GetModify());
    Set("(###)");
    Fill("12");
    EXPECT_TRUE(m_surface.GetModify());

    Set("(###)");
    EXPECT_EQ("(___)", Shown());
    EXPECT_FALSE(m_surface.GetModify());
    EXPECT_EQ(Range(1, 1), Sel());  // the first data position
    EXPECT_FALSE(m_mask.CanUndo());

    // Back to no mask: the display is empty and the limit lifted.
    m_mask.SetMask("");
    EXPECT_FALSE(m_mask.HasMask());
    EXPECT_EQ("", Display());
    EXPECT_EQ("", Shown());
    EXPECT_EQ((int)CHeadlessEditSurface::NoLimit, m_surface.GetEditLimit());
}

TEST_F(EditMaskModel, CharacterClassesAndCase)
{
    Set("#?A&LU-");
    struct
    {
        int m_nPos;
        char m_ch;
        bool m_bValid;
        char m_chStored;
    } const aCases[] = {
        {0, '5', true, '5'},   {0, 'a', false, 0},    {0, 'ж', false, 0},
        {1, 'ж', true, 'ж'},   {1, 'Z', true, 'Z'},   {1, '1', false, 0},  {1, ' ', false, 0},
        {2, '1', true, '1'},   {2, 'q', true, 'q'},   {2, '-', false, 0},
        {3, '-', true, '-'},   {3, 'Я', true, 'Я'},
        {4, 'Q', true, 'q'},   {4, 'Ж', true, 'ж'},   {4, '7', false, 0},
        {5, 'ж', true, 'Ж'},   {5, 'ё', true, 'Ё'},   {5, '_', false, 0},
        {6, '-', false, 0},    {-1, '1', false, 0},   {7, '1', false, 0},
    };
    for (const auto& c : aCases)
    {
        char ch = c.m_ch;
        EXPECT_EQ(c.m_bValid, m_mask.IsCharValid(c.m_nPos, ch)) << c.m_nPos << " " << c.m_ch;
        if (c.m_bValid)
        {
            EXPECT_EQ(c.m_chStored, ch) << c.m_nPos;
        }
    }

    // The style folds first, whatever the position; L then keeps the upper
    // case, U the lower case.
    m_surface.SetStyle(ES_UPPERCASE);
    char ch = 'q';
    EXPECT_TRUE(m_mask.IsCharValid(4, ch));
    EXPECT_EQ('Q', ch);
    ch = 'ж';
    EXPECT_TRUE(m_mask.IsCharValid(1, ch));
    EXPECT_EQ('Ж', ch);
    ch = 'a';
    EXPECT_FALSE(m_mask.IsCharValid(99, ch));
    EXPECT_EQ('A', ch);
    m_surface.SetStyle(ES_LOWERCASE);
    ch = 'Q';
    EXPECT_TRUE(m_mask.IsCharValid(5, ch));
    EXPECT_EQ('q', ch);
}

TEST_F(EditMaskModel, SetDataPlacesText)
{
    Set("##.##");
    EXPECT_TRUE(m_mask.SetData("1234", 0, false, false));
    EXPECT_EQ("12.34", Display());  // the literal takes no character of the text
    EXPECT_EQ(Display(), Shown());

    EXPECT_TRUE(m_mask.SetData("9", 2, false, false));
    EXPECT_EQ("12.94", Display());  // a literal start moves to the next data position
    EXPECT_TRUE(m_mask.SetData("5", 1, false, false));
    EXPECT_EQ("15.94", Display());  // a later start keeps the rest
    EXPECT_TRUE(m_mask.SetData("5", 0, false, false));
    EXPECT_EQ("5_.__", Display());  // position 0 replaces all data
    EXPECT_TRUE(m_mask.SetData("7", 0, false, false));
    EXPECT_TRUE(m_mask.SetData("8", 1, true, false));
    EXPECT_EQ("78.__", Display());
    EXPECT_TRUE(m_mask.SetData("9", 1, true, false));
    EXPECT_EQ("79.8_", Display());  // inserting shifts the data right

    Set("###", ' ');
    EXPECT_TRUE(m_mask.SetData("1a2", 0, false, false));
    EXPECT_EQ("12 ", Display());  // the invalid character is dropped, the position waits
    EXPECT_TRUE(m_mask.SetData("12345", 0, false, false));
    EXPECT_EQ("123", Display());  // excess text is ignored

    // A prompt character in the text stands for an empty position, unless
    // the prompt characters are to be kept (then it is just invalid here).
    Set("###");
    EXPECT_TRUE(m_mask.SetData("1_3", 0, false, false));
    EXPECT_EQ("1_3", Display());
    EXPECT_TRUE(m_mask.SetData("1_3", 0, false, true));
    EXPECT_EQ("13_", Display());

    Set("UU");
    EXPECT_TRUE(m_mask.SetData("ab", 0, false, false));
    EXPECT_EQ("AB", Display());
}

TEST_F(EditMaskModel, SetDataRefusals)
{
    Set("##-");
    Fill("12");
    EXPECT_FALSE(m_mask.SetData("3", -1, false, false));
    EXPECT_FALSE(m_mask.SetData("3", 3, false, false));
    EXPECT_FALSE(m_mask.SetData("3", 2, false, false));  // no data position after the literal
    EXPECT_EQ("12-", Display());

    // Without a mask the text is kept and shown, and the answer is false.
    m_mask.SetMask("");
    EXPECT_FALSE(m_mask.SetData("plain", 0, false, false));
    EXPECT_EQ("plain", Display());
    EXPECT_EQ("plain", Shown());
}

TEST_F(EditMaskModel, GetDataLeavesLiteralsOutAndBlanksEmptyPositions)
{
    Set("#-#-#");
    Fill("1_3");
    EXPECT_EQ("1-_-3", Display());
    EXPECT_EQ("1 3", Data(false));
    Fill("12");
    EXPECT_EQ("12 ", Data(false));
    EXPECT_EQ("12", Data(true));

    // A data character equal to a blank is trimmed too: only blanks count.
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
    Set("##.##");
    m_mask.SetData("123", 0, false, false);
    EXPECT_TRUE(m_mask.PushChar(0, 'x', false));
    EXPECT_EQ("x1.23", Display());
    EXPECT_FALSE(m_mask.PushChar(0, 'y', false));  // full
    EXPECT_EQ("x1.23", Display());

    Set("#####");
    Fill("1_3");
    EXPECT_TRUE(m_mask.PushChar(0, 'x', false));
    EXPECT_EQ("x1_3_", Display());  // the empty position between moves too

    // With update: shown, and the caret after the character.
    Set("#-#");
    EXPECT_TRUE(m_mask.PushChar(0, '1', true));
    EXPECT_EQ("1-_", Shown());
    EXPECT_EQ(Range(2, 2), Sel());
    EXPECT_TRUE(m_mask.PushChar(2, '2', true));
    EXPECT_EQ(Range(3, 3), Sel());  // no data position after: just after it

    // A literal or a place outside the mask takes nothing.
    Set("#-#");
    EXPECT_FALSE(m_mask.PushChar(1, '5', false));
    EXPECT_FALSE(m_mask.PushChar(3, '5', false));
    EXPECT_FALSE(m_mask.PushChar(-1, '5', false));
    EXPECT_EQ("_-_", Display());
}

TEST_F(EditMaskModel, PullCharClosesTheGap)
{
    struct
    {
        const char* m_pszMask;
        const char* m_pszData;
        int m_nFrom, m_nTo;
        const char* m_pszDisplay;
    } const aCases[] = {
        {"##.##", "1234", 1, 0, "23.4_"},
        {"##.##", "1234", 4, 1, "14.__"},
        {"##.##", "1234", 4, 2, "12.4_"},  // to a literal: from the data position after it
        {"##.##", "1234", 5, 3, "12.__"},  // from the end: the tail is emptied
        {"##.##", "1234", 6, 0, "12.34"},  // out of range
        {"##.##", "1234", -1, 0, "12.34"},
        {"##.##", "1234", 2, 3, "12.34"},  // the ends the wrong way round
        {"#-#", "12", 0, 1, "1-2"},        // the data position after the literal lies beyond
    };
    for (const auto& c : aCases)
    {
        Set(c.m_pszMask);
        Fill(c.m_pszData);
        m_mask.PullChar(c.m_nFrom, c.m_nTo);
        EXPECT_EQ(c.m_pszDisplay, Display()) << c.m_pszData << " " << c.m_nFrom << "," << c.m_nTo;
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
    struct
    {
        const char* m_pszMask;
        const char* m_pszData;
        int m_nPos, m_nFound;
    } const aCases[] = {
        {"##.##", "1", 5, 1},    {"##.##", "12", 5, 2},  {"##.##", "123", 5, 4}, {"##.##", "", 5, 0},
        {"##.##", "", 3, 0},     {"##.##", "12", 1, 1},  // inside the filled part: as asked
        {"##.##", "12", 2, 2},   {"##.##", "12", 4, 2},
        // A full field: the place after the last character.
        {"##.##", "1234", 5, 5}, {"##.##", "1234", 8, 5}, {"##.##", "1234", 3, 3},
        // A literal at the end that differs from the prompt: the end as asked.
        {"##)", "1", 3, 3},
        {"(##", "", 0, 1},       // nothing filled: the first data position
        {"ab", "", 1, -1},       // and there is none
    };
    for (const auto& c : aCases)
    {
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
    EXPECT_EQ(3, m_mask.SetCursorPos(1, 1, false));
    EXPECT_EQ(Range(3, 3), Sel());
    EXPECT_EQ(3, m_mask.SetCursorPos(1, 1, true));
    EXPECT_EQ(Range(3, 4), Sel());
    EXPECT_EQ(0, m_mask.SetCursorPos(-1, 1, false));
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
    EXPECT_FALSE(m_mask.CanUndo());
    Fill("1");
    EXPECT_TRUE(m_mask.CanUndo());
    EXPECT_TRUE(m_mask.Undo());
    EXPECT_EQ("___", Display());
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
    EXPECT_TRUE(m_mask.CanUndo());
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
    EXPECT_EQ('_', m_mask.GetPromptChar());
    EXPECT_EQ("1_.__", Display());
    EXPECT_EQ("1_.__", Shown());
    m_mask.SetPromptChar(0);
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
    EXPECT_TRUE(m_mask.IsValidDropData("12", 0));
    EXPECT_FALSE(m_mask.IsValidDropData("1a", 0));
    EXPECT_TRUE(m_mask.IsValidDropData("99", 2));       // over the literal
    EXPECT_FALSE(m_mask.IsValidDropData("a", 2));
    EXPECT_TRUE(m_mask.IsValidDropData("9999999", 0));  // excess text is no reason
    EXPECT_FALSE(m_mask.IsValidDropData("1", -1));

    EXPECT_EQ(0, m_mask.ValidateDrop("12", 3));
    EXPECT_EQ(1, m_mask.ValidateDrop("x", 3));
    EXPECT_EQ(1, m_mask.ValidateDrop("1", 5));  // past the end
    EXPECT_EQ(1, m_mask.ValidateDrop(NULL, 0));

    Fill("1234");
    EXPECT_EQ(1, m_mask.DropText("9", 3));
    EXPECT_EQ("12.94", Display());  // later: overwrites from there
    EXPECT_EQ(1, m_mask.DropText("9", 0));
    EXPECT_EQ("9_.__", Display());  // at the start: replaces all data
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
    EXPECT_EQ("aXYbc", Shown());
    EXPECT_EQ(1, m_mask.DropText("!", 99));
    EXPECT_EQ("aXYbc!", Shown());
}

TEST_F(EditMaskModel, DragTextAndMoveRemoval)
{
    Set("##.##");
    Fill("1_3");
    EXPECT_EQ("1 3 ", std::string(m_mask.GetDragText(0, 5)));
    EXPECT_EQ(" 3", std::string(m_mask.GetDragText(1, 4)));
    Fill("1234");
    m_mask.RemoveDraggedText(0, 2);
    EXPECT_EQ("34.__", Shown());
    EXPECT_EQ(Range(0, 0), Sel());

    // Without a mask the control keeps its text minus the dragged part.
    m_mask.SetMask("");
    m_surface.SetEditText("hello");
    EXPECT_EQ("el", std::string(m_mask.GetDragText(1, 3)));
    m_mask.RemoveDraggedText(1, 3);
    EXPECT_EQ("hlo", Shown());
    EXPECT_EQ(Range(1, 1), Sel());
    EXPECT_TRUE(m_surface.GetModify());
}

namespace
{
// A host's mask with one more placeholder: H, a hexadecimal digit.
class CHexMask : public CEditMask
{
protected:
    bool IsMaskChar(char ch) override { return ch == 'H' || CEditMask::IsMaskChar(ch); }
    bool IsCharValid(int nPos, char& ch) override
    {
        if (nPos >= 0 && nPos < GetMask().GetLength() && GetMask()[nPos] == 'H')
        {
            ch = AfxCharUpper(ch);
            return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
        }
        return CEditMask::IsCharValid(nPos, ch);
    }
};

// A host's check that refuses the digit 0 everywhere.
class CNoZeroMask : public CEditMask
{
protected:
    bool IsCharValid(int nPos, char& ch) override { return ch != '0' && CEditMask::IsCharValid(nPos, ch); }
};
}  // namespace

TEST(EditMaskOverride, AddedPlaceholderIsUsedEverywhere)
{
    CHexMask mask;
    CHeadlessMaskedEdit edit(&mask);
    mask.SetPromptChar('_');
    mask.SetMask("HH-#");
    EXPECT_EQ("__-_", std::string(mask.GetRawData()));
    int nStart, nEnd;
    edit.Surface().GetEditSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);  // H is the first data position
    edit.TypeText("fg12");
    EXPECT_EQ("F1-2", std::string(mask.GetRawData()));
    EXPECT_EQ(1, edit.Surface().GetBeepCount());  // g is no hex digit
    CString strData;
    mask.GetData(strData, true);
    EXPECT_EQ("F12", std::string(strData));
    EXPECT_EQ(1, mask.ValidateDrop("zz", 0));
    EXPECT_EQ(0, mask.ValidateDrop("ab", 0));
}

TEST(EditMaskOverride, ReplacedCheckIsUsedByTypingDataAndDrops)
{
    CNoZeroMask mask;
    CHeadlessMaskedEdit edit(&mask);
    mask.SetMask("###");
    mask.SetData("102", 0, false, false);
    EXPECT_EQ("12 ", std::string(mask.GetRawData()));
    mask.ClearData();
    edit.TypeText("405");
    EXPECT_EQ("45 ", std::string(mask.GetRawData()));
    EXPECT_EQ(1, edit.Surface().GetBeepCount());
    EXPECT_EQ(1, mask.ValidateDrop("0", 0));
}
