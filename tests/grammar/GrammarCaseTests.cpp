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
std::string Parts(const CGrammarCase_S& grammar)
{
    return Utf8(grammar.m_LastName.m_strName) + "|" + Utf8(grammar.m_FirstName.m_strName) + "|" +
           Utf8(grammar.m_MiddleName.m_strName);
}

std::string Parse(const char* pszFullName)
{
    return Parts(CGrammarCase_S(pszFullName, true));
}

}  // namespace

TEST(GrammarCase, WholeNamesInTheCases)
{
    EXPECT_EQ(Utf8("Иванова Ивана Ивановича"), Decline("Иванов Иван Иванович", true, gcGenitive));
    EXPECT_EQ(Utf8("Ивановым Иваном Ивановичем"), Decline("Иванов Иван Иванович", true, gcInstrumental));
    EXPECT_EQ(Utf8("Петровой Анне Сергеевне"), Decline("Петрова Анна Сергеевна", false, gcDative));
    EXPECT_EQ(Utf8("Петрову Анну Сергеевну"), Decline("Петрова Анна Сергеевна", false, gcAccusative));
    EXPECT_EQ(Utf8("Петрова Анна Сергеевна"), Decline("Петрова Анна Сергеевна", false, gcNominative));
    EXPECT_EQ(Utf8("Толстом Льве Николаевиче"), Decline("Толстой Лев Николаевич", true, gcPrepositional));
}

TEST(GrammarCase, PartsAreChosenByMaskAndAlwaysOrderedSurnameFirst)
{
    CGrammarCase_S grammar("Иванов Иван Иванович", true);
    EXPECT_EQ("", Decline(grammar, gcDative, 0));
    EXPECT_EQ(Utf8("Ивану"), Decline(grammar, gcDative, 1));
    EXPECT_EQ(Utf8("Ивановичу"), Decline(grammar, gcDative, 2));
    EXPECT_EQ(Utf8("Ивану Ивановичу"), Decline(grammar, gcDative, 3));
    EXPECT_EQ(Utf8("Иванову"), Decline(grammar, gcDative, 4));
    EXPECT_EQ(Utf8("Иванову Ивану"), Decline(grammar, gcDative, 5));
    EXPECT_EQ(Utf8("Иванову Ивановичу"), Decline(grammar, gcDative, 6));
    EXPECT_EQ(Utf8("Иванову Ивану Ивановичу"), Decline(grammar, gcDative, 7));
    // Bits beyond the three parts select nothing more.
    EXPECT_EQ(Utf8("Иванову Ивану Ивановичу"), Decline(grammar, gcDative, 0xFFFFFFFFu));
}

TEST(GrammarCase, MissingPartsLeaveNoStraySpaces)
{
    CGrammarCase_S grammar("", "Петрович", "", true);
    EXPECT_EQ(Utf8("Петровича"), Decline(grammar, gcGenitive, 7));
    grammar.Init("Пётр", "", "", true);
    EXPECT_EQ(Utf8("Пётра"), Decline(grammar, gcGenitive, 7));  // the rules keep the stem as it is
    grammar.Init("Пётр", "Петрович", "", true);
    EXPECT_EQ(Utf8("Пётру Петровичу"), Decline(grammar, gcDative, 7));
    EXPECT_EQ("", Decline(grammar, gcDative, 4));
    grammar.Init("", "", "Сидорова", false);
    EXPECT_EQ(Utf8("Сидоровой"), Decline(grammar, gcInstrumental, 7));
}

TEST(GrammarCase, NotInitialisedReturnsTwoAndLeavesTheResult)
{
    CGrammarCase_S empty;
    EXPECT_FALSE(empty.IsInitialized());
    CString strResult("прежний текст");
    EXPECT_EQ(2u, empty.GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ(Utf8("прежний текст"), Utf8(strResult));

    CGrammarCase_S blanks(" \t\r\n\x07\x08 ", false);
    EXPECT_FALSE(blanks.IsInitialized());
    EXPECT_EQ(2u, blanks.GetGrammarCase(strResult, gcNominative, 7));
    CGrammarCase_S nulls(nullptr, nullptr, nullptr, true);
    EXPECT_FALSE(nulls.IsInitialized());
    CGrammarCase_S nullFull(nullptr, true);
    EXPECT_FALSE(nullFull.IsInitialized());
    EXPECT_EQ(Utf8("прежний текст"), Utf8(strResult));

    // One part is enough, even when it is not selected.
    CGrammarCase_S onlyMiddle("", "Ивановна", "", false);
    EXPECT_TRUE(onlyMiddle.IsInitialized());
    EXPECT_EQ(0u, onlyMiddle.GetGrammarCase(strResult, gcGenitive, 4));
    EXPECT_EQ("", Utf8(strResult));
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
    for (int nCase : {-1, 6, 7, 100, 0x7FFFFFFF}) {
        CString strResult;
        EXPECT_EQ(0u, grammar.GetGrammarCase(strResult, static_cast<EGrammarCase>(nCase), 7)) << nCase;
        EXPECT_EQ(Utf8("Петров-Водкин Кузьма Сергеевич"), Utf8(strResult)) << nCase;
    }
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

TEST(GrammarCase, ParsingWithBlanks)
{
    EXPECT_EQ(Utf8("иванов|иван|иванович"), Parse("Иванов Иван Иванович"));
    EXPECT_EQ(Utf8("иванов|иван|иванович"), Parse("  \tИванов   Иван\t\t Иванович \r\n"));
    EXPECT_EQ(Utf8("иванов|иван|иванович"), Parse("\x07Иванов\x08Иван\nИванович"));
    // A fourth word joins the patronymic.
    EXPECT_EQ(Utf8("иванов|иван|иванович петрович"), Parse("Иванов Иван Иванович Петрович"));
    EXPECT_EQ(Utf8("Иванову Ивану Иванович петровичу"), Decline("Иванов Иван Иванович Петрович", true, gcDative));
    // Missing parts stay empty.
    EXPECT_EQ(Utf8("иванов||"), Parse("Иванов"));
    EXPECT_EQ(Utf8("иванов|иван|"), Parse("Иванов Иван  "));
    EXPECT_EQ("||", Parse(""));
}

TEST(GrammarCase, ParsingWithCommas)
{
    EXPECT_EQ(Utf8("салтыков-щедрин|михаил|евграфович"), Parse("Салтыков-Щедрин, Михаил, Евграфович"));
    EXPECT_EQ(Utf8("Салтыков-Щедрина Михаила Евграфовича"),
              Decline("Салтыков-Щедрин, Михаил, Евграфович", true, gcGenitive));
    // Blanks inside a part are kept; only the commas separate.
    EXPECT_EQ(Utf8("де ла фер|анна мария|"), Parse("де Ла Фер ,  Анна Мария"));
    EXPECT_EQ(Utf8("иванов|иван|иванович"), Parse("Иванов,Иван,Иванович"));
    // An empty part between commas, and the rest after the second comma.
    EXPECT_EQ(Utf8("иванов||иванович"), Parse("Иванов,,Иванович"));
    EXPECT_EQ(Utf8("иванов|иван|иванович, младший"), Parse("Иванов, Иван, Иванович, младший"));
    // A comma only in the last part still switches the mode for the whole text.
    EXPECT_EQ(Utf8("иванов иван|иванович|"), Parse("Иванов Иван, Иванович"));
    EXPECT_EQ(Utf8("|иван|"), Parse(", Иван"));
}

TEST(GrammarCase, InitialsAreNotDeclined)
{
    EXPECT_EQ(Utf8("Иванову И. И."), Decline("Иванов И. И.", true, gcDative));
    EXPECT_EQ(Utf8("Петровой А. С."), Decline("Петрова А. С.", false, gcInstrumental));
    // Written together, or in small letters, initials still come back as capitals.
    EXPECT_EQ(Utf8("Иванову И.И."), Decline("Иванов И.И.", true, gcDative));
    EXPECT_EQ(Utf8("Иванову И.И."), Decline("иванов и.и.", true, gcDative));
    // One letter without a dot is too short to decline.
    EXPECT_EQ(Utf8("Иванова И"), Decline("Иванов И", true, gcGenitive));
}

TEST(GrammarCase, CapitalsFollowTheLastLetterTyped)
{
    EXPECT_EQ(Utf8("ИВАНОВА Ивана Ивановича"), Decline("ИВАНОВ Иван Иванович", true, gcGenitive));
    EXPECT_EQ(Utf8("Иванова"), Decline("ИвАнов", true, gcGenitive));
    EXPECT_EQ(Utf8("ИВАНОВА"), Decline("иваноВ", true, gcGenitive));
    EXPECT_EQ(Utf8("Иванова Ивана Ивановича"), Decline("иванов иван иванович", true, gcGenitive));
    EXPECT_EQ(Utf8("ПЕТРОВОЙ АННЕ СЕРГЕЕВНЕ"), Decline("ПЕТРОВА АННА СЕРГЕЕВНА", false, gcDative));
    EXPECT_EQ(Utf8("СОЛОВЬЁВА"), Decline("СОЛОВЬЁВ", true, gcGenitive));
    // A part ending with a non-letter is not "in capitals".
    CGrammarCase_S grammar("ИВАНОВ-2", true);
    EXPECT_FALSE(grammar.m_LastName.m_bUpper);
    EXPECT_EQ(Utf8("Иванов-2"), Decline(grammar, gcGenitive));
    // Latin text passes through the rules untouched, only capitalised.
    EXPECT_EQ("Smith John", Decline("smith john", true, gcDative));
    EXPECT_EQ("SMITH", Decline("SMITH", true, gcDative));
}

TEST(GrammarCase, HyphenatedNamesDeclineAtTheEndAndCapitaliseEachPart)
{
    EXPECT_EQ(Utf8("Петров-Водкина"), Decline("Петров-Водкин", true, gcGenitive));
    EXPECT_EQ(Utf8("Петров-Водкиным"), Decline("петров-водкин", true, gcInstrumental));
    EXPECT_EQ(Utf8("Римская-Корсаковой"), Decline("Римская-Корсакова", false, gcDative));
    CGrammarCase_S grammar("Анна-Мария", "", "", false);
    EXPECT_EQ(Utf8("Анна-Марии"), Decline(grammar, gcDative));
}

TEST(GrammarCaseHelpers, TNameTrimsLowersAndRemembersCapitals)
{
    CGrammarCase_S::TName name;
    EXPECT_FALSE(name.IsInitialized());
    EXPECT_FALSE(name.m_bUpper);
    name.Init("  ПЕТРОВ \t");
    EXPECT_EQ(Utf8("петров"), Utf8(name.m_strName));
    EXPECT_TRUE(name.m_bUpper);
    EXPECT_TRUE(name.IsInitialized());
    name.Init("Ёлкин");
    EXPECT_EQ(Utf8("ёлкин"), Utf8(name.m_strName));
    EXPECT_FALSE(name.m_bUpper);
    name.Init("ЁЛКИН");
    EXPECT_TRUE(name.m_bUpper);
    CGrammarCase_S::TName copy(name);
    name.Init(" ");
    EXPECT_FALSE(name.IsInitialized());
    EXPECT_FALSE(name.m_bUpper);
    EXPECT_EQ(Utf8("ёлкин"), Utf8(copy.m_strName));
    EXPECT_TRUE(copy.m_bUpper);
}

TEST(GrammarCaseHelpers, CheckValid)
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
    str = "и";
    EXPECT_FALSE(grammar.CheckValid(str, &nLen, &chLast));
    EXPECT_EQ(-1, nLen);
    str = "";
    EXPECT_FALSE(grammar.CheckValid(str, &nLen, &chLast));
    str = "ив.";
    EXPECT_FALSE(grammar.CheckValid(str, &nLen, &chLast));
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
        {"ИВАНОВ", "ов", true}, {"иванов", "ОВ", true}, {"СоловьЁв", "ёв", true},
        {"соловьев", "ёв", false},  // е and ё are different letters
        {"ов", "ов", true}, {"в", "ов", false}, {"в", "", true}, {"ово-ов", "ово", false},
        {"Петров", "oв", false},  // a Latin o
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.bResult, grammar.IsEnding(c.pszWord, c.pszEnding)) << Utf8(c.pszWord) << " " << Utf8(c.pszEnding);
}

TEST(GrammarCaseHelpers, ReplaseEnding)
{
    CGrammarCase_S grammar;
    CString str("павел");
    EXPECT_TRUE(grammar.ReplaseEnding(str, gcInstrumental, 2, "1", "2", "3", "4", "5"));
    EXPECT_EQ(Utf8("пав4"), Utf8(str));
    str = "лев";
    EXPECT_TRUE(grammar.ReplaseEnding(str, gcGenitive, 3, "льва", "", "", "", ""));
    EXPECT_EQ(Utf8("льва"), Utf8(str));
    str = "ов";
    EXPECT_FALSE(grammar.ReplaseEnding(str, gcGenitive, 3, "a", "b", "c", "d", "e"));
    EXPECT_EQ(Utf8("ов"), Utf8(str));
    str = "иван";
    EXPECT_TRUE(grammar.ReplaseEnding(str, gcPrepositional, 0, "а", "у", "а", "ом", "е"));
    EXPECT_EQ(Utf8("иване"), Utf8(str));
    // The nominative only cuts: the declining functions never ask for it.
    str = "иван";
    EXPECT_TRUE(grammar.ReplaseEnding(str, gcNominative, 1, "а", "у", "а", "ом", "е"));
    EXPECT_EQ(Utf8("ива"), Utf8(str));
}

TEST(GrammarCaseHelpers, Capitalisation)
{
    CGrammarCase_S grammar;
    CString str("салтыков-щедрин");
    grammar.ToUpperFirstSymbol(str);
    EXPECT_EQ(Utf8("Салтыков-Щедрин"), Utf8(str));
    str = "сент-экзюпери-";
    grammar.ToUpper(str, false);
    EXPECT_EQ(Utf8("Сент-Экзюпери-"), Utf8(str));
    str = "-ёлкин";
    grammar.ToUpper(str, false);
    EXPECT_EQ(Utf8("-Ёлкин"), Utf8(str));
    str = "ёлкин-палкин";
    grammar.ToUpper(str, true);
    EXPECT_EQ(Utf8("ЁЛКИН-ПАЛКИН"), Utf8(str));
    str = "";
    grammar.ToUpperFirstSymbol(str);
    EXPECT_EQ("", Utf8(str));
}
