// The masked edit on a real window: what typing, the editing keys, clicks,
// focus, the case styles, a read-only control and the undo record do to the
// text and the caret that the window shows.
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
    {"digits fill and jump literals", "+7 (###) ###-##-##", ' ', 0, "", "9161234567", "+7 (916) 123-45-67", {18, 18}},
    {"wrong class refused", "##.##", ' ', 0, "", "1x-2", "12.  ", {3, 3}},
    {"typing over a selection", "##.##", ' ', 0, "1234", "[1,2]9", "19.34", {3, 3}},
    {"wide selection closes up", "##.##", '_', 0, "1234", "[0,4]7", "74.__", {1, 1}},
    {"selection of literals only", "##--##", ' ', 0, "1234", "[2,4]5", "12--34", {4, 4}},
    {"caret before a literal", "##.##", ' ', 0, "", "12[2,2]5", "12.5 ", {4, 4}},
    {"overwrite by default", "##.##", '_', 0, "123", "[0,0]7", "72.3_", {1, 1}},
    {"insert mode shifts right", "##.##", '_', 0, "123", "{INSERT}[0,0]9", "91.23", {1, 1}},
    {"full field in insert mode", "##.##", '_', 0, "1234", "{INSERT}[0,0]9", "12.34", {1, 1}},
    {"backspace at the end", "##.##", '_', 0, "1234", "[5,5]{BACK}", "12.3_", {4, 4}},
    {"backspace over a literal", "##.##", '_', 0, "1234", "[2,2]{BACK}", "13.4_", {1, 1}},
    {"backspace at the start", "##.##", '_', 0, "1234", "[0,0]{BACK}", "12.34", {0, 0}},
    {"backspace on a selection", "##.##", '_', 0, "1234", "[1,4]{BACK}", "14.__", {1, 1}},
    {"delete on a selection", "##.##", '_', 0, "1234", "[0,2]{DELETE}", "34.__", {0, 0}},
    {"delete at the caret", "##.##", '_', 0, "1234", "[0,0]{DELETE}", "23.4_", {0, 0}},
    {"delete on the last position", "##.##", '_', 0, "1234", "[4,4]{DELETE}", "12.3_", {4, 4}},
    {"home", "(###) ###", ' ', 0, "", "12{HOME}", "(12 )    ", {1, 1}},
    {"end after the filled part", "(###) ###", ' ', 0, "", "12{HOME}{END}", "(12 )    ", {3, 3}},
    {"shift home", "(###) ###", ' ', 0, "", "12[3,3]{S-HOME}", "(12 )    ", {0, 3}},
    {"shift end", "(###) ###", ' ', 0, "", "12[2,2]{S-END}", "(12 )    ", {2, 9}},
    {"left skips literals", "##.##", ' ', 0, "", "123{LEFT}{LEFT}", "12.3 ", {1, 1}},
    {"right stops at the filled part", "##.##", ' ', 0, "", "123[1,1]{RIGHT}{RIGHT}{RIGHT}", "12.3 ", {4, 4}},
    {"right on a selection", "##.##", ' ', 0, "1234", "[0,4]{RIGHT}", "12.34", {5, 5}},
    {"left on a selection", "##.##", ' ', 0, "1234", "[1,3]{LEFT}", "12.34", {1, 1}},
    {"up and down do nothing", "##.##", ' ', 0, "1234", "[3,3]{UP}{DOWN}", "12.34", {3, 3}},
    {"no mask: the edit's own keys", NULL, ' ', 0, "", "a1-{HOME}{DELETE}{END}{BACK}", "1", {1, 1}},
    {"upper-case style on L", "LL-##", ' ', ES_UPPERCASE, "", "бz12", "БZ-12", {5, 5}},
    {"case positions", "UUL?", ' ', 0, "", "щfГQ[0,0]1", "ЩFгQ", {0, 0}},
    {"lower-case style on U", "UU", ' ', ES_LOWERCASE, "", "ЖX", "жx", {2, 2}},
    {"letter-or-digit and any", "AA&&", ' ', 0, "", "ф-7#*", "ф7#*", {4, 4}},
    {"read-only takes no keys", "##.##", ' ', ES_READONLY, "1234", "[0,0]9{DELETE}[5,5]{BACK}", "12.34", {5, 5}},
};

UINT KeyByName(const std::string& strName)
{
    static const struct {
        const char* pszName;
        UINT vk;
    } s_aKeys[] = {{"BACK", VK_BACK}, {"DELETE", VK_DELETE}, {"HOME", VK_HOME}, {"END", VK_END},
                   {"LEFT", VK_LEFT}, {"RIGHT", VK_RIGHT},   {"UP", VK_UP},     {"DOWN", VK_DOWN},
                   {"INSERT", VK_INSERT}};
    for (const auto& key : s_aKeys) {
        if (strName == key.pszName)
            return key.vk;
    }
    ADD_FAILURE() << "unknown key " << strName;
    return 0;
}

class EditExKeys : public EditExTest, public ::testing::WithParamInterface<CKeyCase> {
protected:
    void RunScript(const char* pszScript)
    {
        for (const char* p = pszScript; *p != '\0'; ++p) {
            if (*p == '{') {
                const char* pEnd = strchr(p, '}');
                std::string strKey(p + 1, pEnd);
                UINT nModifiers = support::kNone;
                if (strKey.compare(0, 2, "S-") == 0) {
                    nModifiers = support::kShift;
                    strKey.erase(0, 2);
                }
                Press(KeyByName(strKey), nModifiers);
                p = pEnd;
            } else if (*p == '[') {
                int nStart = 0, nEnd = 0;
                ASSERT_EQ(sscanf(p, "[%d,%d]", &nStart, &nEnd), 2);
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
    EXPECT_EQ(Data(true), "");
    EXPECT_FALSE(m_pEdit->GetModify());
    EXPECT_FALSE(m_pEdit->CanUndo());
    EXPECT_FALSE(m_pEdit->InsertMode());
    // Room for the whole mask as given.
    EXPECT_EQ(m_pEdit->GetLimitText(), 19u);
    Type("9161234567");
    EXPECT_EQ(Data(true), "9161234567");
    EXPECT_TRUE(m_pEdit->GetModify());
}

TEST_F(EditExInput, UndoGoesBackOneStepAndASecondUndoReturns)
{
    CreateEdit(0, "###");
    Type("1");
    EXPECT_TRUE(m_pEdit->CanUndo());
    EXPECT_TRUE(m_pEdit->Undo());
    EXPECT_EQ(Text(), "   ");
    EXPECT_TRUE(m_pEdit->Undo());
    EXPECT_EQ(Text(), "1  ");
    // An insert-mode keystroke shows twice: nothing is left to undo.
    Press(VK_INSERT);
    SetSel(0, 0);
    Type("2");
    EXPECT_EQ(Text(), "21 ");
    EXPECT_FALSE(m_pEdit->CanUndo());
    EXPECT_FALSE(m_pEdit->Undo());
}

TEST_F(EditExInput, ClickingPastTheFilledPartPutsTheCaretAfterIt)
{
    CreateEdit(0, "##.##.####");
    Type("15");
    const CPoint point = PointOfChar(Edit(), 8);
    support::ClickClient(Edit(), point.x, point.y);
    EXPECT_EQ(Sel(), Pos(3, 3));
    const CPoint inside = PointOfChar(Edit(), 1);
    support::ClickClient(Edit(), inside.x, inside.y);
    EXPECT_EQ(Sel(), Pos(1, 1));
}

TEST_F(EditExInput, FocusPutsTheCaretAfterTheFilledPart)
{
    CreateEdit(0, "##.##.####");
    ASSERT_TRUE(m_pEdit->SetData("1503"));
    SetSel(9, 9);
    m_pHost->SetFocus();
    m_pEdit->SetFocus();
    EXPECT_EQ(Sel(), Pos(6, 6));
}

TEST_F(EditExInput, PromptCharacterChangesShowAtOnce)
{
    CreateEdit(0, "##.##");
    Type("1");
    m_pEdit->SetPromptChar('_');
    EXPECT_EQ(Text(), "1_.__");
    m_pEdit->SetPromptChar('\0');
    EXPECT_EQ(m_pEdit->GetPromptChar(), '_');
    EXPECT_EQ(Data(), "1   ");
    m_pEdit->ClearData();
    EXPECT_EQ(Text(), "__.__");
}

// A host's override of a mask operation is honoured by the window's keys.
class CEvenDigitsEdit : public CProbeEdit {
protected:
    bool IsCharValid(int nPos, char& ch) override
    {
        return CProbeEdit::IsCharValid(nPos, ch) && (ch - '0') % 2 == 0;
    }
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
