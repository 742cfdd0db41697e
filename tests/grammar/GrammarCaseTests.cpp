// CGrammarCase_S beyond the rule tables: splitting a full name, selecting and
// ordering parts, capitals, hyphens, initials, an empty object, and the
// helpers the rules are built from.
#include "GrammarTestUtil.h"

#include <gtest/gtest.h>

namespace {

std::string Decline(CGrammarCase_S& grammar, EGrammarCase eCase, unsigned nParts = 7)
{
    CString strResult("(не изменено)");
    EXPECT_EQ(0u, grammar.GetGrammarCase(strResult, eCase, nParts));
    return Utf8(strResult);
}

std::string Decline(const char* pszFullName, bool bMale, EGrammarCase eCase, unsigned nParts = 7)
{
    CGrammarCase_S grammar(pszFullName, bMale);
    return Decline(grammar, eCase, nParts);
}

// The three stored parts, surname first, as UTF-8.
std::string Parse(const char* pszFullName)
{
    const CGrammarCase_S grammar(pszFullName, true);
    return Utf8(grammar.m_LastName.m_strName) + "|" + Utf8(grammar.m_FirstName.m_strName) + "|" +
           Utf8(grammar.m_MiddleName.m_strName);
}

}  // namespace

TEST(GrammarCase, FullNamesInTheCases)
{
    const struct {
        const char* pszName;
        bool bMale;
        EGrammarCase eCase;
        unsigned nParts;
        const char* pszResult;
    } aCases[] = {
        {"Иванов Иван Иванович", true, gcGenitive, 7, "Иванова Ивана Ивановича"},
        {"Петрова Анна Сергеевна", false, gcDative, 7, "Петровой Анне Сергеевне"},
        {"Петрова Анна Сергеевна", false, gcAccusative, 7, "Петрову Анну Сергеевну"},
        {"Петрова Анна Сергеевна", false, gcNominative, 7, "Петрова Анна Сергеевна"},
        {"Толстой Лев Николаевич", true, gcPrepositional, 7, "Толстом Льве Николаевиче"},
        // Parts chosen by the mask, always surname first; bits beyond the three select nothing more.
        {"Иванов Иван Иванович", true, gcDative, 0, ""},
        {"Иванов Иван Иванович", true, gcDative, 2, "Ивановичу"},
        {"Иванов Иван Иванович", true, gcDative, 5, "Иванову Ивану"},
        {"Иванов Иван Иванович", true, gcDative, 6, "Иванову Ивановичу"},
        {"Иванов Иван Иванович", true, gcDative, 0xFFFFFFFFu, "Иванову Ивану Ивановичу"},
        // A fourth word joins the patronymic; only its end is declined.
        {"Иванов Иван Иванович Петрович", true, gcDative, 7, "Иванову Ивану Иванович петровичу"},
        {"Салтыков-Щедрин, Михаил, Евграфович", true, gcGenitive, 7, "Салтыков-Щедрина Михаила Евграфовича"},
        // Initials are not declined; together or in small letters they still come back as capitals.
        {"Иванов И. И.", true, gcDative, 7, "Иванову И. И."},
        {"Петрова А. С.", false, gcInstrumental, 7, "Петровой А. С."},
        {"Иванов И.И.", true, gcDative, 7, "Иванову И.И."},
        {"иванов и.и.", true, gcDative, 7, "Иванову И.И."},
        {"Иванов И", true, gcGenitive, 7, "Иванова И"},  // one letter is too short to decline
        // Capitals follow the last letter typed.
        {"ИВАНОВ Иван Иванович", true, gcGenitive, 7, "ИВАНОВА Ивана Ивановича"},
        {"ИвАнов", true, gcGenitive, 7, "Иванова"},
        {"иваноВ", true, gcGenitive, 7, "ИВАНОВА"},
        {"СОЛОВЬЁВ", true, gcGenitive, 7, "СОЛОВЬЁВА"},
        {"ИВАНОВ-2", true, gcGenitive, 7, "Иванов-2"},  // ends with no letter: not "in capitals"
        // Latin text passes through the rules untouched, only capitalised.
        {"smith john", true, gcDative, 7, "Smith John"},
        {"SMITH", true, gcDative, 7, "SMITH"},
        // Hyphenated names decline at the end and capitalise each part.
        {"петров-водкин", true, gcInstrumental, 7, "Петров-Водкиным"},
        {"Римская-Корсакова", false, gcDative, 7, "Римская-Корсаковой"},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(Utf8(c.pszResult), Decline(c.pszName, c.bMale, c.eCase, c.nParts)) << Utf8(c.pszName);
    CGrammarCase_S grammar("Анна-Мария", "", "", false);
    EXPECT_EQ(Utf8("Анна-Марии"), Decline(grammar, gcDative));
}

TEST(GrammarCase, MissingPartsLeaveNoStraySpaces)
{
    CGrammarCase_S grammar("", "Петрович", "", true);
    EXPECT_EQ(Utf8("Петровича"), Decline(grammar, gcGenitive, 7));
    grammar.Init("Пётр", "Петрович", "", true);
    EXPECT_EQ(Utf8("Пётру Петровичу"), Decline(grammar, gcDative, 7));
    EXPECT_EQ("", Decline(grammar, gcDative, 4));
    grammar.Init("", "", "Сидорова", false);
    EXPECT_EQ(Utf8("Сидоровой"), Decline(grammar, gcInstrumental, 7));
}

TEST(GrammarCase, NotInitialisedReturnsTwoAndLeavesTheResult)
{
    CString strResult("прежний текст");
    EXPECT_EQ(2u, CGrammarCase_S().GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ(2u, CGrammarCase_S(" \t\r\n\x07\x08 ", false).GetGrammarCase(strResult, gcNominative, 7));
    EXPECT_EQ(2u, CGrammarCase_S(nullptr, nullptr, nullptr, true).GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ(2u, CGrammarCase_S(nullptr, true).GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ(Utf8("прежний текст"), Utf8(strResult));
    // One part is enough, even when it is not selected.
    CGrammarCase_S onlyMiddle("", "Ивановна", "", false);
    EXPECT_TRUE(onlyMiddle.IsInitialized());
    EXPECT_EQ("", Decline(onlyMiddle, gcGenitive, 4));
}

TEST(GrammarCase, InitReplacesEverythingAndCopiesAreIndependent)
{
    CGrammarCase_S grammar("Петрова Анна Сергеевна", false);
    grammar.Init("Иванов Иван", true);
    EXPECT_EQ(Utf8("Иванова Ивана"), Decline(grammar, gcGenitive));
    CGrammarCase_S copy(grammar);
    grammar.Init("Сидорова Мария", false);
    EXPECT_EQ(Utf8("Иванову Ивану"), Decline(copy, gcDative));
    copy = grammar;
    EXPECT_EQ(Utf8("Сидоровой Марии"), Decline(copy, gcDative));
    // Asking does not change what is stored.
    EXPECT_EQ(Utf8("Сидоровой Марии"), Decline(copy, gcDative));
    EXPECT_EQ(Utf8("Сидорова Мария"), Decline(copy, gcNominative));
}

TEST(GrammarCase, CaseOutsideTheSixGivesThePartsAsStored)
{
    CGrammarCase_S grammar("ПЕТРОВ-Водкин кузьма сергеевич", true);
    for (int nCase : {-1, 6, 100, 0x7FFFFFFF})
        EXPECT_EQ(Utf8("Петров-Водкин Кузьма Сергеевич"), Decline(grammar, static_cast<EGrammarCase>(nCase))) << nCase;
    // The declining functions themselves leave a word alone in such a case,
    // and in the nominative, rather than cutting its ending.
    for (int nCase : {0, -3, 6}) {
        CString str("павел");
        grammar.CaseFirstNameMale(str, static_cast<EGrammarCase>(nCase));
        EXPECT_EQ(Utf8("павел"), Utf8(str)) << nCase;
        str = "иванова";
        grammar.CaseLustNameFemale(str, static_cast<EGrammarCase>(nCase));
        EXPECT_EQ(Utf8("иванова"), Utf8(str)) << nCase;
    }
}

TEST(GrammarCase, ParsingByBlanksOrByCommas)
{
    const char* const aCases[][2] = {
        {"  \tИванов   Иван\t\t Иванович \r\n", "иванов|иван|иванович"},
        {"\x07Иванов\x08Иван\nИванович", "иванов|иван|иванович"},
        {"Иванов Иван Иванович Петрович", "иванов|иван|иванович петрович"},  // a fourth word joins the patronymic
        {"Иванов", "иванов||"},
        {"Иванов Иван  ", "иванов|иван|"},
        {"", "||"},
        // With commas, blanks inside a part are kept; only the commas separate.
        {"де Ла Фер ,  Анна Мария", "де ла фер|анна мария|"},
        {"Иванов,Иван,Иванович", "иванов|иван|иванович"},
        {"Иванов,,Иванович", "иванов||иванович"},
        {"Иванов, Иван, Иванович, младший", "иванов|иван|иванович, младший"},
        // A comma only in the last part still switches the mode for the whole text.
        {"Иванов Иван, Иванович", "иванов иван|иванович|"},
        {", Иван", "|иван|"},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(Utf8(c[1]), Parse(c[0])) << Utf8(c[0]);
}

TEST(GrammarCaseHelpers, TNameTrimsLowersAndRemembersCapitals)
{
    CGrammarCase_S::TName name;
    EXPECT_FALSE(name.IsInitialized() || name.m_bUpper);
    name.Init("  ПЕТРОВ \t");
    EXPECT_EQ(Utf8("петров"), Utf8(name.m_strName));
    EXPECT_TRUE(name.m_bUpper && name.IsInitialized());
    name.Init("Ёлкин");
    EXPECT_EQ(Utf8("ёлкин"), Utf8(name.m_strName));
    EXPECT_FALSE(name.m_bUpper);
    name.Init("ЁЛКИН");
    CGrammarCase_S::TName copy(name);
    name.Init(" ");
    EXPECT_FALSE(name.IsInitialized() || name.m_bUpper);
    EXPECT_EQ(Utf8("ёлкин"), Utf8(copy.m_strName));
    EXPECT_TRUE(copy.m_bUpper);
}

TEST(GrammarCaseHelpers, CheckValidReportsLengthAndLastLetter)
{
    CGrammarCase_S grammar;
    int nLen = -1;
    char chLast = 0;
    CString str("ив");
    EXPECT_TRUE(grammar.CheckValid(str, &nLen, &chLast));
    EXPECT_EQ(2, nLen);
    EXPECT_EQ(CString("в")[0], chLast);
    EXPECT_TRUE(grammar.CheckValid(str, nullptr, nullptr));
    nLen = -1;
    for (const char* psz : {"и", "", "ив."}) {
        str = psz;
        EXPECT_FALSE(grammar.CheckValid(str, &nLen, &chLast)) << Utf8(psz);
    }
    EXPECT_EQ(-1, nLen);
}

TEST(GrammarCaseHelpers, IsEndingIgnoresCaseInTheCodePage)
{
    CGrammarCase_S grammar;
    const struct {
        const char* pszWord;
        const char* pszEnding;
        bool bResult;
    } aCases[] = {
        {"ИВАНОВ", "ов", true},    {"иванов", "ОВ", true},  {"СоловьЁв", "ёв", true},
        {"соловьев", "ёв", false},  // е and ё are different letters
        {"ов", "ов", true},        {"в", "ов", false},      {"в", "", true},
        {"ово-ов", "ово", false},  {"Петров", "oв", false},  // a Latin o
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.bResult, grammar.IsEnding(c.pszWord, c.pszEnding)) << Utf8(c.pszWord) << " " << Utf8(c.pszEnding);
}

TEST(GrammarCaseHelpers, ReplaseEndingCutsThenAppendsTheCasesEnding)
{
    CGrammarCase_S grammar;
    CString str("павел");
    EXPECT_TRUE(grammar.ReplaseEnding(str, gcInstrumental, 2, "1", "2", "3", "4", "5"));
    EXPECT_EQ(Utf8("пав4"), Utf8(str));
    str = "ов";  // shorter than the cut: left alone
    EXPECT_FALSE(grammar.ReplaseEnding(str, gcGenitive, 3, "a", "b", "c", "d", "e"));
    EXPECT_EQ(Utf8("ов"), Utf8(str));
    // The nominative only cuts: the declining functions never ask for it.
    str = "иван";
    EXPECT_TRUE(grammar.ReplaseEnding(str, gcNominative, 1, "а", "у", "а", "ом", "е"));
    EXPECT_EQ(Utf8("ива"), Utf8(str));
}

TEST(GrammarCaseHelpers, Capitalisation)
{
    CGrammarCase_S grammar;
    const struct {
        const char* pszWord;
        int nMode;  // 0: ToUpperFirstSymbol, 1: ToUpper(false), 2: ToUpper(true)
        const char* pszResult;
    } aCases[] = {
        {"салтыков-щедрин", 0, "Салтыков-Щедрин"}, {"", 0, ""},
        {"сент-экзюпери-", 1, "Сент-Экзюпери-"},   {"-ёлкин", 1, "-Ёлкин"},
        {"ёлкин-палкин", 2, "ЁЛКИН-ПАЛКИН"},
    };
    for (const auto& c : aCases) {
        CString str(c.pszWord);
        if (c.nMode == 0)
            grammar.ToUpperFirstSymbol(str);
        else
            grammar.ToUpper(str, c.nMode == 2);
        EXPECT_EQ(Utf8(c.pszResult), Utf8(str));
    }
}
