// The masked edit on a real window: typing, the editing keys, clicks, focus,
// the case styles, a read-only control and the undo record, as the window
// shows them. The logic's every branch is walked headlessly; these prove that
// the window's messages, styles and modifier state reach it.
#include "EditExTestUtil.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "Input.h"

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

// One scenario: a fresh control, data put in, then a script of input.
// Script: characters are typed (digits as full key presses), "{KEY}" or
// "{S-KEY}" presses a key (with Shift), "[s,e]" sets the selection.
struct CKeyCase {
    const char* pszName;
    const char* pszMask;  // NULL: no mask
    char chPrompt;
    DWORD dwStyle;
    const char* pszData;
    const char* pszScript;
    const char* pszText;  // what the window shows afterwards
    Pos sel;
};

const CKeyCase g_aKeyCases[] = {
    {"digits fill and jump literals", "+7 (###) ###-##-##", ' ', 0, "", "91x-61234567", "+7 (916) 123-45-67", {18, 18}},
    {"selection closes up", "##.##", '_', 0, "1234", "[0,4]7", "74.__", {1, 1}},
    {"overwrite then insert", "##.##", '_', 0, "123", "[0,0]7{INSERT}[0,0]9", "97.23", {1, 1}},
    {"full field in insert mode", "##.##", '_', 0, "1234", "{INSERT}[0,0]9", "12.34", {1, 1}},
    {"backspace at the end and over a literal", "##.##", '_', 0, "1234", "[5,5]{BACK}[3,3]{BACK}", "13.__", {1, 1}},
    {"delete on a selection and at the caret", "##.##", '_', 0, "1234", "[0,2]{DELETE}{DELETE}", "4_.__", {0, 0}},
    {"home and end", "(###) ###", ' ', 0, "", "12{HOME}9{END}", "(92 )    ", {3, 3}},
    {"shift home and end", "(###) ###", ' ', 0, "", "12[3,3]{S-HOME}{S-END}", "(12 )    ", {0, 9}},
    {"left and right", "##.##", ' ', 0, "", "123{LEFT}{LEFT}9{RIGHT}{RIGHT}", "19.3 ", {4, 4}},
    {"shift left is the edit's own", "##.##", ' ', 0, "", "123{S-LEFT}{S-LEFT}", "12.3 ", {2, 4}},
    {"up and down do nothing", "##.##", ' ', 0, "1234", "[3,3]{UP}{DOWN}", "12.34", {3, 3}},
    {"no mask: the edit's own keys", NULL, ' ', 0, "", "a1-{HOME}{DELETE}{END}{BACK}", "1", {1, 1}},
    {"upper-case style on L", "LL-##", ' ', ES_UPPERCASE, "", "бz12", "БZ-12", {5, 5}},
    {"lower-case style on U", "UU", ' ', ES_LOWERCASE, "", "ЖX", "жx", {2, 2}},
    {"read-only takes no keys", "##.##", ' ', ES_READONLY, "1234", "[0,0]9{DELETE}[5,5]{BACK}", "12.34", {5, 5}},
};

UINT KeyByName(const std::string& strName)
{
    static const char* const s_apszNames[] = {"BACK", "DELETE", "HOME", "END", "LEFT", "RIGHT", "UP", "DOWN", "INSERT"};
    static const UINT s_aKeys[] = {VK_BACK, VK_DELETE, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_INSERT};
    for (size_t i = 0; i < sizeof(s_aKeys) / sizeof(s_aKeys[0]); ++i) {
        if (strName == s_apszNames[i])
            return s_aKeys[i];
    }
    ADD_FAILURE() << "unknown key " << strName;
    return 0;
}

class EditExKeys : public EditExTest, public ::testing::WithParamInterface<CKeyCase> {
protected:
    void RunScript(const char* pszScript)
    {
        for (const char* p = pszScript; *p != '\0'; ++p) {
            int nStart = 0, nEnd = 0;
            if (*p == '{') {
                const char* pEnd = strchr(p, '}');
                const bool bShift = strncmp(p, "{S-", 3) == 0;
                Press(KeyByName(std::string(p + (bShift ? 3 : 1), pEnd)), bShift ? support::kShift : support::kNone);
                p = pEnd;
            } else if (sscanf(p, "[%d,%d]", &nStart, &nEnd) == 2) {
                SetSel(nStart, nEnd);
                p = strchr(p, ']');
            } else {
                const char sz[2] = {*p, '\0'};
                Type(sz);
            }
        }
    }
};

TEST_P(EditExKeys, ShowsTheExpectedTextAndCaret)
{
    const CKeyCase& c = GetParam();
    CreateEdit(c.dwStyle, c.pszMask);
    if (c.pszMask != NULL) {
        m_pEdit->SetPromptChar(c.chPrompt);
        ASSERT_TRUE(m_pEdit->SetData(c.pszData));
    }
    RunScript(c.pszScript);
    EXPECT_EQ(Text(), c.pszText);
    EXPECT_EQ(Sel(), c.sel);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, EditExKeys, ::testing::ValuesIn(g_aKeyCases),
                         [](const ::testing::TestParamInfo<CKeyCase>& info) {
                             std::string strName;
                             for (const char* p = info.param.pszName; *p != '\0'; ++p)
                                 strName += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return strName;
                         });

class EditExInput : public EditExTest {};

TEST_F(EditExInput, ANewMaskStartsEmptyUnmodifiedAndWithoutUndo)
{
    CreateEdit(0, "+7 (###) ###-##-##");
    EXPECT_EQ(Text(), "+7 (   )    -  -  ");
    EXPECT_EQ(Sel(), Pos(4, 4));
    EXPECT_FALSE(m_pEdit->GetModify());
    EXPECT_FALSE(m_pEdit->CanUndo());
    EXPECT_EQ(m_pEdit->GetLimitText(), 19u);  // room for the whole mask as given
    Type("9");
    EXPECT_TRUE(m_pEdit->GetModify());
}

TEST_F(EditExInput, UndoIsTheMasksOwn)
{
    CreateEdit(0, "###");
    Type("1");
    EXPECT_TRUE(m_pEdit->Undo());
    EXPECT_EQ(Text(), "   ");
    // An insert-mode keystroke shows twice: nothing is left to undo.
    Press(VK_INSERT);
    SetSel(0, 0);
    Type("2");
    EXPECT_EQ(Text(), "2  ");
    EXPECT_FALSE(m_pEdit->CanUndo());
}

TEST_F(EditExInput, ClickAndFocusPutTheCaretAfterTheFilledPart)
{
    CreateEdit(0, "##.##.####");
    Type("15");
    const CPoint point = PointOfChar(Edit(), 8);
    support::ClickClient(Edit(), point.x, point.y);
    EXPECT_EQ(Sel(), Pos(3, 3));
    const CPoint inside = PointOfChar(Edit(), 1);
    support::ClickClient(Edit(), inside.x, inside.y);
    EXPECT_EQ(Sel(), Pos(1, 1));

    ASSERT_TRUE(m_pEdit->SetData("1503"));
    SetSel(9, 9);
    m_pHost->SetFocus();
    m_pEdit->SetFocus();
    EXPECT_EQ(Sel(), Pos(6, 6));
}

// A host's override of a mask operation is honoured by the window's keys.
class CEvenDigitsEdit : public CProbeEdit {
protected:
    bool IsCharValid(int nPos, char& ch) override { return CProbeEdit::IsCharValid(nPos, ch) && (ch - '0') % 2 == 0; }
};

TEST_F(EditExInput, AnOverriddenCharacterTestDecidesWhatTypingTakes)
{
    m_pEdit.reset(new CEvenDigitsEdit);
    ASSERT_TRUE(m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 34), m_pHost.get(), 100));
    ASSERT_TRUE(m_pEdit->SetMask("###"));
    Type("123456");
    EXPECT_EQ(Text(), "246");
}

}  // namespace
}  // namespace edittest
