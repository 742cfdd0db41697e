// The masked edit as a user drives it, on the in-memory edit control: typing
// over selections and literals, insert and overwrite, the keys, case styles,
// clicks, read-only and the clipboard commands. First the in-memory control
// itself, which answers as the system's edit control was measured to.
#include "edit/HeadlessEditSurface.h"
#include "edit/EditKeys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {
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
    const int aCases[][4] = {
        // start, end given; the selection taken
        {5, 2, 2, 5}, {3, 100, 3, 8}, {100, 3, 3, 8}, {2, -1, 2, 8}, {-2, 3, 3, 8}, {4, -5, 4, 8},
    };
    for (const auto& c : aCases) {
        surface.SetEditSel(c[0], c[1]);
        EXPECT_EQ(Range(c[2], c[3]), SelOf(surface)) << c[0] << "," << c[1];
    }
    surface.SetEditSel(5, 2);
    EXPECT_EQ(2, surface.GetCaret());  // the end given last is the caret
    surface.SetEditSel(-1, 7);
    EXPECT_EQ(Range(2, 2), SelOf(surface));  // collapsed onto the caret
    surface.SetEditModify(true);
    surface.SetEditText("abcdefgh");
    EXPECT_EQ(Range(0, 0), SelOf(surface));  // new text: the caret at 0, unmodified
    EXPECT_FALSE(surface.GetModify());
}

namespace {
// One run: a fresh control with the mask and prompt '_', the data set from
// the start, the selection, then the actions (blank-separated: type:TEXT,
// key:NAME or key:S-NAME, sel:S:E, click:P, copy, cut, paste:TEXT); what it
// shows, where the selection ends up and how often it beeped.
struct CKeyCase {
    const char* m_pszMask;
    const char* m_pszData;
    int m_nSelStart, m_nSelEnd;
    const char* m_pszActions;
    const char* m_pszShown;
    int m_nStart, m_nEnd;
    int m_nBeeps;
};

UINT KeyNamed(const std::string& strName)
{
    static const char* const s_apszNames[] = {"BACK", "DELETE", "HOME", "END", "LEFT", "RIGHT", "UP", "DOWN", "INSERT"};
    static const UINT s_anKeys[] = {VK_BACK, VK_DELETE, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_INSERT};
    for (size_t i = 0; i < sizeof(s_anKeys) / sizeof(s_anKeys[0]); ++i) {
        if (strName == s_apszNames[i])
            return s_anKeys[i];
    }
    ADD_FAILURE() << "no such key: " << strName;
    return 0;
}

void Play(CHeadlessMaskedEdit& edit, const std::string& strActions)
{
    std::istringstream actions(strActions);
    for (std::string strAction; actions >> strAction;) {
        const std::string strArg = strAction.substr(strAction.find(':') + 1);
        int nStart = 0, nEnd = 0;
        if (strAction.rfind("type:", 0) == 0)
            edit.TypeText(strArg.c_str());
        else if (strAction.rfind("paste:", 0) == 0) {
            edit.Surface().PutClipboardText(strArg.c_str());
            edit.Paste();
        } else if (sscanf(strAction.c_str(), "sel:%d:%d", &nStart, &nEnd) == 2)
            edit.Select(nStart, nEnd);
        else if (sscanf(strAction.c_str(), "click:%d", &nStart) == 1)
            edit.Click(nStart);
        else if (strAction == "copy" || strAction == "cut")
            strAction == "copy" ? edit.Copy() : edit.Cut();
        else if (strArg.rfind("S-", 0) == 0)
            edit.PressKey(KeyNamed(strArg.substr(2)), true);
        else
            edit.PressKey(KeyNamed(strArg));
    }
}

template <size_t N>
void RunCases(const CKeyCase (&aCases)[N])
{
    for (const CKeyCase* c = aCases; c != aCases + N; ++c) {
        CHeadlessMaskedEdit edit;
        edit.Model().SetPromptChar('_');
        edit.Model().SetMask(c->m_pszMask);
        edit.Model().SetData(c->m_pszData, 0, false, false);
        edit.Select(c->m_nSelStart, c->m_nSelEnd);
        Play(edit, c->m_pszActions);
        std::ostringstream name;
        name << c->m_pszMask << " [" << c->m_pszData << "] " << c->m_nSelStart << "," << c->m_nSelEnd << " "
             << c->m_pszActions;
        EXPECT_EQ(c->m_pszShown, std::string(edit.Surface().GetEditText())) << name.str();
        EXPECT_EQ(Range(c->m_nStart, c->m_nEnd), SelOf(edit.Surface())) << name.str();
        EXPECT_EQ(c->m_nBeeps, edit.Surface().GetBeepCount()) << name.str();
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
    RunCases(aCases);
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
    RunCases(aCases);
}

TEST(EditKeyCases, Moving)
{
    const CKeyCase aCases[] = {
        {"(##.##", "12", 5, 5, "key:HOME", "(12.__", 1, 1, 0},
        {"(##.##", "12", 1, 1, "key:END", "(12.__", 4, 4, 0},  // after the filled part
        {"(##.##", "12", 4, 4, "key:S-HOME", "(12.__", 0, 4, 0},
        {"(##.##", "12", 2, 2, "key:S-END", "(12.__", 2, 6, 0},
        // Right stops at the end of the filled part; Left walks the data positions.
        {"(##.##", "12", 1, 1, "key:RIGHT key:RIGHT key:RIGHT", "(12.__", 4, 4, 0},
        {"(##.##", "12", 4, 4, "key:LEFT key:LEFT key:LEFT", "(12.__", 1, 1, 0},
        {"(##.##", "12", 1, 2, "key:RIGHT", "(12.__", 4, 4, 0},
        {"(##.##", "12", 1, 2, "key:LEFT", "(12.__", 1, 1, 0},
        {"(##.##", "12", 1, 5, "key:LEFT", "(12.__", 4, 4, 0},
        // With Shift the edit control's own handling moves the caret end, the
        // anchor stays, and the end of the text holds it.
        {"(##.##", "12", 4, 4, "key:S-LEFT key:S-LEFT key:S-RIGHT", "(12.__", 3, 4, 0},
        {"##.##", "1234", 3, 3, "key:S-RIGHT key:S-RIGHT key:S-RIGHT", "12.34", 3, 5, 0},
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
    RunCases(aCases);
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
        {"##.##", "1234", 1, 4, "cut sel:0:0 paste:23", "23.14", 0, 0, 0},
    };
    RunCases(aCases);
}

namespace {
class EditKeys : public ::testing::Test {
protected:
    void Set(const char* pszMask, const char* pszData = "", DWORD dwStyle = 0)
    {
        Surface().SetStyle(dwStyle);
        Model().SetPromptChar('_');
        Model().SetMask(pszMask);
        Model().SetData(pszData, 0, false, false);
    }
    CEditMask& Model() { return m_edit.Model(); }
    CHeadlessEditSurface& Surface() { return m_edit.Surface(); }
    std::string Shown() { return std::string(Surface().GetEditText()); }
    std::string Clipboard()
    {
        CString str;
        Surface().PeekClipboard(str);
        return std::string(str);
    }

    CHeadlessMaskedEdit m_edit;
};
}  // namespace

TEST_F(EditKeys, AHandledKeySwallowsTheOneCharacterAfterIt)
{
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

TEST_F(EditKeys, ReadOnly)
{
    Set("##.##", "1234", ES_READONLY);
    m_edit.Select(5, 5);
    m_edit.PressKey(VK_BACK);
    m_edit.PressKey(VK_DELETE);
    m_edit.TypeChar('9');
    EXPECT_EQ("12.34", Shown());
    EXPECT_EQ(0, Surface().GetBeepCount());
    m_edit.PressKey(VK_HOME);  // moving is still allowed
    EXPECT_EQ(Range(0, 0), SelOf(Surface()));

    // Cut is only a copy, paste does nothing.
    m_edit.Select(0, 2);
    m_edit.Cut();
    EXPECT_EQ("12", Clipboard());
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
    EXPECT_EQ(Range(2, 2), SelOf(Surface()));
}

TEST_F(EditKeys, CopyAndCutLeaveLiteralsOut)
{
    Set("##.##", "1_3");
    m_edit.Select(1, 4);
    m_edit.Cut();
    EXPECT_EQ(" 3", Clipboard());  // a blank for each empty position
    EXPECT_EQ("1_.__", Shown());

    // What could not reach the clipboard stays in the field.
    Set("##.##", "1234");
    m_edit.Select(0, 5);
    Surface().SetClipboardOpens(false);
    m_edit.Cut();
    EXPECT_EQ("12.34", Shown());
    EXPECT_EQ(" 3", Clipboard());

    // Copy and cut without a selection leave the user's clipboard alone.
    Surface().SetClipboardOpens(true);
    m_edit.Select(2, 2);
    m_edit.Copy();
    m_edit.Cut();
    EXPECT_EQ(" 3", Clipboard());
    EXPECT_EQ("12.34", Shown());
}
