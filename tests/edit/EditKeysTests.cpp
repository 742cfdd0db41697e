// The masked edit as a user drives it, on the in-memory edit control: typing
// over selections and literals, insert and overwrite, the keys, case styles,
// clicks, read-only and the clipboard commands. First the in-memory control
// itself, which answers as the system's edit control was measured to.
#include "edit/HeadlessEditSurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
typedef std::pair<int, int> Range;

Range SelOf(CHeadlessEditSurface& surface)
{
    int nStart, nEnd;
    surface.GetEditSel(nStart, nEnd);
    return {nStart, nEnd};
}
}  // namespace

TEST(HeadlessEditSurface, SelectionAsTheEditControlTakesIt)
{
    CHeadlessEditSurface surface;
    surface.SetEditText("abcdefgh");
    EXPECT_EQ(Range(0, 0), SelOf(surface));
    surface.SetEditSel(3, 3);
    surface.SetEditText("abcdefgh");
    EXPECT_EQ(Range(0, 0), SelOf(surface));  // new text: the caret at 0

    surface.SetEditSel(5, 2);
    EXPECT_EQ(Range(2, 5), SelOf(surface));
    EXPECT_EQ(2, surface.GetCaret());  // the end given last is the caret
    surface.SetEditSel(-1, 0);
    EXPECT_EQ(Range(2, 2), SelOf(surface));  // collapsed onto the caret
    surface.SetEditSel(2, 5);
    surface.SetEditSel(-1, 7);
    EXPECT_EQ(Range(5, 5), SelOf(surface));

    struct
    {
        int m_nStart, m_nEnd;
        Range m_sel;
    } const aCases[] = {
        {3, 100, {3, 8}}, {100, 3, {3, 8}}, {2, -1, {2, 8}}, {-2, 3, {3, 8}}, {4, -5, {4, 8}}, {0, -1, {0, 8}},
    };
    for (const auto& c : aCases)
    {
        surface.SetEditSel(c.m_nStart, c.m_nEnd);
        EXPECT_EQ(c.m_sel, SelOf(surface)) << c.m_nStart << "," << c.m_nEnd;
    }
}

TEST(HeadlessEditSurface, OwnKeyHandlingLimitAndModifiedFlag)
{
    CHeadlessEditSurface surface;
    surface.SetEditText("abcdefgh");
    surface.SetEditSel(5, 2);
    surface.SetKeyDown(VK_SHIFT, true);
    surface.DefaultKeyDown(VK_LEFT);
    EXPECT_EQ(Range(1, 5), SelOf(surface));  // the caret end moves, the anchor stays
    surface.SetEditSel(2, 5);
    surface.DefaultKeyDown(VK_LEFT);
    EXPECT_EQ(Range(2, 4), SelOf(surface));
    surface.DefaultKeyDown(VK_END);
    EXPECT_EQ(Range(2, 8), SelOf(surface));
    surface.DefaultKeyDown(VK_RIGHT);
    EXPECT_EQ(Range(2, 8), SelOf(surface));  // held at the end
    surface.SetKeyDown(VK_SHIFT, false);
    surface.SetEditSel(2, 5);
    surface.DefaultKeyDown(VK_LEFT);
    EXPECT_EQ(Range(4, 4), SelOf(surface));  // from the caret, selection gone
    surface.SetEditSel(0, 0);
    surface.DefaultKeyDown(VK_LEFT);
    EXPECT_EQ(Range(0, 0), SelOf(surface));
    surface.SetEditSel(3, 3);
    surface.DefaultKeyDown(VK_INSERT);
    EXPECT_EQ(Range(3, 3), SelOf(surface));

    EXPECT_EQ((int)CHeadlessEditSurface::DefaultLimit, surface.GetEditLimit());
    surface.SetEditLimit(5);
    surface.SetEditText("0123456789");  // the limit binds the user, not the text set
    EXPECT_EQ("0123456789", std::string(surface.GetEditText()));
    surface.SetEditLimit(0);
    EXPECT_EQ((int)CHeadlessEditSurface::NoLimit, surface.GetEditLimit());
    surface.SetEditLimit(-7);
    EXPECT_EQ((int)CHeadlessEditSurface::NoLimit, surface.GetEditLimit());

    surface.SetEditModify(true);
    surface.SetEditText("x");
    EXPECT_FALSE(surface.GetModify());
}


namespace
{
// One run: a fresh control with the mask and prompt '_', the data set from
// the start, the selection, then the actions (blank-separated: type:TEXT,
// key:NAME or key:S-NAME, sel:S:E, click:P, copy, cut, paste:TEXT); what it
// shows and where the selection ends up.
struct CKeyCase
{
    const char* m_pszMask;
    const char* m_pszData;
    int m_nSelStart, m_nSelEnd;
    const char* m_pszActions;
    const char* m_pszShown;
    int m_nStart, m_nEnd;
    int m_nBeeps;
};

void Play(CHeadlessMaskedEdit& edit, const std::string& strActions)
{
    static const struct
    {
        const char* m_pszName;
        UINT m_nKey;
    } s_aKeys[] = {{"BACK", VK_BACK}, {"DELETE", VK_DELETE}, {"HOME", VK_HOME}, {"END", VK_END},    {"LEFT", VK_LEFT},
                   {"RIGHT", VK_RIGHT}, {"UP", VK_UP},       {"DOWN", VK_DOWN}, {"INSERT", VK_INSERT}};
    size_t nPos = 0;
    while (nPos < strActions.size())
    {
        size_t nEnd = strActions.find(' ', nPos);
        if (nEnd == std::string::npos)
            nEnd = strActions.size();
        const std::string strAction = strActions.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        const std::string strArg = strAction.substr(strAction.find(':') + 1);
        if (strAction.rfind("type:", 0) == 0)
            edit.TypeText(strArg.c_str());
        else if (strAction.rfind("paste:", 0) == 0)
        {
            edit.Surface().PutClipboardText(strArg.c_str());
            edit.Paste();
        }
        else if (strAction.rfind("sel:", 0) == 0)
            edit.Select(atoi(strArg.c_str()), atoi(strArg.substr(strArg.find(':') + 1).c_str()));
        else if (strAction.rfind("click:", 0) == 0)
            edit.Click(atoi(strArg.c_str()));
        else if (strAction == "copy")
            edit.Copy();
        else if (strAction == "cut")
            edit.Cut();
        else if (strAction.rfind("key:", 0) == 0)
        {
            const bool bShift = strArg.rfind("S-", 0) == 0;
            const std::string strKey = bShift ? strArg.substr(2) : strArg;
            bool bFound = false;
            for (const auto& key : s_aKeys)
            {
                if (strKey == key.m_pszName)
                {
                    edit.PressKey(key.m_nKey, bShift);
                    bFound = true;
                }
            }
            ASSERT_TRUE(bFound) << strAction;
        }
        else
            FAIL() << "no such action: " << strAction;
    }
}

void RunCases(const CKeyCase* pCases, size_t nCount, DWORD dwStyle = 0)
{
    for (size_t i = 0; i < nCount; ++i)
    {
        const CKeyCase& c = pCases[i];
        CHeadlessMaskedEdit edit;
        edit.Surface().SetStyle(dwStyle);
        edit.Model().SetPromptChar('_');
        edit.Model().SetMask(c.m_pszMask);
        edit.Model().SetData(c.m_pszData, 0, false, false);
        edit.Select(c.m_nSelStart, c.m_nSelEnd);
        Play(edit, c.m_pszActions);
        const std::string strCase = std::string(c.m_pszMask) + " [" + c.m_pszData + "] " +
                                    std::to_string(c.m_nSelStart) + "," + std::to_string(c.m_nSelEnd) + " " +
                                    c.m_pszActions;
        EXPECT_EQ(c.m_pszShown, std::string(edit.Surface().GetEditText())) << strCase;
        EXPECT_EQ(Range(c.m_nStart, c.m_nEnd), SelOf(edit.Surface())) << strCase;
        EXPECT_EQ(c.m_nBeeps, edit.Surface().GetBeepCount()) << strCase;
    }
}
}  // namespace

TEST(EditKeyCases, Typing)
{
    const CKeyCase aCases[] = {
        {"(###) ###-##-##", "", 1, 1, "type:4951234567", "(495) 123-45-67", 15, 15, 0},
        // No data position at or after the caret; an invalid character.
        {"(###) ###-##-##", "4951234567", 15, 15, "type:8", "(495) 123-45-67", 15, 15, 1},
        {"##.##", "", 0, 0, "type:1x", "1_.__", 1, 1, 1},
        // Just before a literal: the character goes after it.
        {"##.##", "12", 2, 2, "type:9", "12.9_", 4, 4, 0},
        // Over a selection: the first character replaced, the rest removed.
        {"##.##", "1234", 0, 1, "type:9", "92.34", 1, 1, 0},
        {"##.##", "1234", 0, 4, "type:7", "74.__", 1, 1, 0},
        {"##.##", "1234", 2, 5, "type:0", "12.0_", 4, 4, 0},
        // A selection holding no data position.
        {"##.##", "1234", 2, 3, "type:5", "12.34", 3, 3, 1},
        // Insert mode; a full field takes nothing, silently, and the caret moves on.
        {"##.##", "1", 0, 0, "key:INSERT type:9", "91.__", 1, 1, 0},
        {"##.##", "1", 0, 4, "key:INSERT type:5", "5_.__", 1, 1, 0},
        {"##.##", "1234", 1, 1, "key:INSERT type:7", "12.34", 3, 3, 0},
        {"##.##", "12", 0, 0, "key:INSERT key:S-INSERT type:3", "32.__", 1, 1, 0},
    };
    RunCases(aCases, sizeof(aCases) / sizeof(aCases[0]));
}

TEST(EditKeyCases, BackspaceAndDelete)
{
    const CKeyCase aCases[] = {
        // The character 8 that follows Backspace is swallowed: no beep.
        {"##.##", "1234", 5, 5, "key:BACK", "12.3_", 4, 4, 0},
        {"##.##", "1234", 0, 0, "key:BACK", "12.34", 0, 0, 0},
        {"##.##", "1234", 3, 3, "key:BACK", "13.4_", 1, 1, 0},
        {"##.##", "1234", 1, 4, "key:S-BACK", "14.__", 1, 1, 0},
        {"##.##", "1234", 0, 0, "key:DELETE", "23.4_", 0, 0, 0},
        {"##.##", "1234", 4, 4, "key:DELETE", "12.3_", 4, 4, 0},
        {"##.##", "1234", 5, 5, "key:DELETE", "12.34", 5, 5, 0},
        {"##.##", "1234", 2, 5, "key:DELETE", "12.__", 3, 3, 0},
        // No data position at or after the selection: the caret after the last one.
        {"#-", "1", 1, 2, "key:BACK", "1-", 1, 1, 0},
    };
    RunCases(aCases, sizeof(aCases) / sizeof(aCases[0]));
}

TEST(EditKeyCases, Moving)
{
    const CKeyCase aCases[] = {
        {"(##.##", "12", 5, 5, "key:HOME", "(12.__", 1, 1, 0},
        {"(##.##", "12", 1, 1, "key:END", "(12.__", 4, 4, 0},  // after the filled part
        {"(##.##", "12", 4, 4, "key:S-HOME", "(12.__", 0, 4, 0},
        {"(##.##", "12", 2, 2, "key:S-END", "(12.__", 2, 6, 0},
        // Right stops at the end of the filled part; Left walks the data positions.
        {"(##.##", "12", 1, 1, "key:RIGHT", "(12.__", 2, 2, 0},
        {"(##.##", "12", 1, 1, "key:RIGHT key:RIGHT key:RIGHT", "(12.__", 4, 4, 0},
        {"(##.##", "12", 4, 4, "key:LEFT", "(12.__", 2, 2, 0},
        {"(##.##", "12", 4, 4, "key:LEFT key:LEFT key:LEFT", "(12.__", 1, 1, 0},
        {"(##.##", "12", 1, 2, "key:RIGHT", "(12.__", 4, 4, 0},
        {"(##.##", "12", 1, 2, "key:LEFT", "(12.__", 1, 1, 0},
        {"(##.##", "12", 1, 5, "key:LEFT", "(12.__", 4, 4, 0},
        // With Shift the edit control's own handling grows the selection.
        {"(##.##", "12", 4, 4, "key:S-LEFT key:S-LEFT", "(12.__", 2, 4, 0},
        {"(##.##", "12", 4, 4, "key:S-LEFT key:S-LEFT key:S-RIGHT", "(12.__", 3, 4, 0},
        {"(##.##", "12", 2, 2, "key:UP key:DOWN", "(12.__", 2, 2, 0},
        // A literal at the end of the mask: End and Right go past it.
        {"(##)", "1", 0, 0, "key:END", "(1_)", 4, 4, 0},
        {"(##)", "1", 1, 1, "key:RIGHT", "(1_)", 2, 2, 0},
        // A full field: after the last character, so Backspace removes that one.
        {"##.##", "1234", 0, 0, "key:END", "12.34", 5, 5, 0},
        {"##.##", "1234", 1, 1, "key:RIGHT key:RIGHT key:RIGHT key:BACK", "12.3_", 4, 4, 0},
        {"##.##", "1234", 0, 0, "click:5 key:BACK", "12.3_", 4, 4, 0},
        // Clicks: the caret goes where the data end, or where clicked inside them.
        {"(##.##)", "", 0, 0, "click:5", "(__.__)", 1, 1, 0},
        {"(##.##)", "12", 0, 0, "click:6", "(12.__)", 4, 4, 0},
        {"(##.##)", "12", 0, 0, "click:2", "(12.__)", 2, 2, 0},
        {"(##.##)", "12", 3, 3, "click:0", "(12.__)", 1, 1, 0},
    };
    RunCases(aCases, sizeof(aCases) / sizeof(aCases[0]));
}

TEST(EditKeyCases, CaseStyles)
{
    const CKeyCase aPlain[] = {{"LL-UU", "", 0, 0, "type:AbЖя", "ab-ЖЯ", 5, 5, 0}};
    RunCases(aPlain, 1);
    const CKeyCase aUpper[] = {{"LL-UU", "", 0, 0, "type:AbЖя", "AB-ЖЯ", 5, 5, 0},
                               {"??", "", 0, 0, "type:ё1z", "ЁZ", 2, 2, 1}};
    RunCases(aUpper, 2, ES_UPPERCASE);
    const CKeyCase aLower[] = {{"LL-UU", "", 0, 0, "type:AbЖя", "ab-жя", 5, 5, 0}};
    RunCases(aLower, 1, ES_LOWERCASE);
}

TEST(EditKeyCases, Clipboard)
{
    const CKeyCase aCases[] = {
        // Inserted at the caret, invalid characters dropped.
        {"##.##", "1", 1, 1, "paste:2-3x", "12.3_", 1, 1, 0},
        {"##.##", "1234", 1, 4, "paste:9", "19.4_", 1, 1, 0},
        {"##.##", "12", 2, 2, "paste:9", "12.9_", 3, 3, 0},
        // At the start, as anywhere else, the data after the caret are kept.
        {"##.##", "12", 0, 0, "paste:9", "91.2_", 0, 0, 0},
        {"##.##", "12", 0, 5, "paste:9", "9_.__", 0, 0, 0},
        {"##.##", "12", 5, 5, "paste:9", "12.__", 5, 5, 0},
        {"##.##", "1234", 1, 4, "cut", "14.__", 1, 1, 0},
        {"##.##", "1234", 1, 4, "cut sel:0:0 paste:23", "23.14", 0, 0, 0},
    };
    RunCases(aCases, sizeof(aCases) / sizeof(aCases[0]));
}

namespace
{
class EditKeys : public ::testing::Test
{
protected:
    void Set(const char* pszMask, DWORD dwStyle = 0)
    {
        m_edit.Surface().SetStyle(dwStyle);
        Model().SetPromptChar('_');
        Model().SetMask(pszMask);
    }
    CEditMask& Model() { return m_edit.Model(); }
    CHeadlessEditSurface& Surface() { return m_edit.Surface(); }
    std::string Shown() { return std::string(Surface().GetEditText()); }
    Range Sel() { return SelOf(Surface()); }
    int Beeps() { return Surface().GetBeepCount(); }
    std::string Clipboard()
    {
        CString str;
        Surface().PeekClipboard(str);
        return std::string(str);
    }

    CHeadlessMaskedEdit m_edit;
};
}  // namespace

TEST_F(EditKeys, UndoAfterKeystrokes)
{
    Set("##.##");
    Model().SetData("12", 0, false, false);
    m_edit.Select(0, 0);
    m_edit.TypeChar('3');
    EXPECT_TRUE(Model().CanUndo());
    EXPECT_TRUE(Model().Undo());
    EXPECT_EQ("12.__", Shown());
    m_edit.PressKey(VK_INSERT);
    m_edit.TypeChar('4');
    EXPECT_EQ("41.2_", Shown());
    EXPECT_FALSE(Model().CanUndo());  // the keystroke showed the display twice
}

TEST_F(EditKeys, SwallowFlag)
{
    Set("###");
    EXPECT_TRUE(Model().HandleKeyDown(VK_HOME));
    EXPECT_TRUE(Model().GetSwallowChar());
    EXPECT_TRUE(Model().HandleKeyDown(VK_UP));  // leaves the flag
    EXPECT_TRUE(Model().GetSwallowChar());
    EXPECT_TRUE(Model().HandleChar('1'));  // swallowed
    EXPECT_EQ("___", Shown());
    EXPECT_FALSE(Model().GetSwallowChar());

    EXPECT_TRUE(Model().HandleKeyDown(VK_INSERT));
    EXPECT_FALSE(Model().HandleKeyDown('1'));  // any other key: default, flag cleared
    EXPECT_FALSE(Model().GetSwallowChar());
    Surface().SetKeyDown(VK_SHIFT, true);
    EXPECT_FALSE(Model().HandleKeyDown(VK_LEFT));  // default handling, flag set
    EXPECT_TRUE(Model().GetSwallowChar());
    Surface().SetKeyDown(VK_SHIFT, false);

    // Even a refused character clears the flag.
    EXPECT_FALSE(Model().HandleKeyDown('A'));
    EXPECT_TRUE(Model().HandleChar('A'));
    EXPECT_EQ(1, Beeps());
    EXPECT_FALSE(Model().GetSwallowChar());

    // With Ctrl held the character is the edit control's.
    Surface().SetKeyDown(VK_CONTROL, true);
    EXPECT_FALSE(Model().HandleChar('1'));
    Surface().SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ("___", Shown());
}

TEST_F(EditKeys, ReadOnly)
{
    Set("##.##", ES_READONLY);
    Model().SetData("1234", 0, false, false);
    m_edit.Select(5, 5);
    m_edit.PressKey(VK_BACK);
    m_edit.PressKey(VK_DELETE);
    m_edit.TypeChar('9');
    EXPECT_EQ("12.34", Shown());
    EXPECT_EQ(0, Beeps());
    m_edit.PressKey(VK_HOME);  // moving is still allowed
    EXPECT_EQ(Range(0, 0), Sel());

    // Cut is only a copy, paste does nothing.
    m_edit.Select(0, 2);
    m_edit.Cut();
    EXPECT_EQ("12", Clipboard());
    EXPECT_EQ("12.34", Shown());
    Surface().PutClipboardText("55");
    m_edit.Paste();
    EXPECT_EQ("12.34", Shown());

    // Without a mask the edit control's own keys run, but not Backspace and Delete.
    Model().SetMask("");
    EXPECT_TRUE(Model().HandleKeyDown(VK_BACK));
    EXPECT_TRUE(Model().HandleKeyDown(VK_DELETE));
    EXPECT_FALSE(Model().HandleKeyDown(VK_LEFT));
    EXPECT_TRUE(Model().HandleChar('x'));
}

TEST_F(EditKeys, WithoutAMaskTheEditControlHandlesEverything)
{
    Model().SetMask("");
    Surface().SetEditText("plain");
    Surface().SetEditSel(2, 2);
    for (UINT nKey : {VK_BACK, VK_DELETE, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_INSERT})
        EXPECT_FALSE(Model().HandleKeyDown(nKey)) << nKey;
    EXPECT_FALSE(Model().HandleChar('x'));
    EXPECT_FALSE(Model().InsertMode());
    Model().PlaceCaretAfterClick();
    EXPECT_EQ(Range(2, 2), Sel());
    EXPECT_EQ("plain", Shown());
}

TEST_F(EditKeys, CopyAndCutLeaveLiteralsOut)
{
    Set("(###) ###-##-##");
    Model().SetData("4951234567", 0, false, false);
    m_edit.Select(0, 15);
    m_edit.Copy();
    EXPECT_EQ("4951234567", Clipboard());
    m_edit.Select(3, 8);
    m_edit.Copy();
    EXPECT_EQ("512", Clipboard());

    Set("##.##");
    Model().SetData("1_3", 0, false, false);
    m_edit.Select(0, 5);
    m_edit.Copy();
    EXPECT_EQ("1 3 ", Clipboard());  // a blank for each empty position
    m_edit.Select(1, 4);
    m_edit.Cut();
    EXPECT_EQ(" 3", Clipboard());
    EXPECT_EQ("1_.__", Shown());

    // What could not reach the clipboard stays in the field.
    Model().SetData("1234", 0, false, false);
    m_edit.Select(0, 5);
    Surface().SetClipboardOpens(false);
    m_edit.Cut();
    EXPECT_EQ("12.34", Shown());
    EXPECT_EQ(" 3", Clipboard());
    EXPECT_EQ(0, Beeps());

    // Copy and cut without a selection leave the user's clipboard alone.
    Surface().SetClipboardOpens(true);
    m_edit.Select(2, 2);
    m_edit.Copy();
    m_edit.Cut();
    EXPECT_EQ(" 3", Clipboard());
    EXPECT_EQ("12.34", Shown());
}
