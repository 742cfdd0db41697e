// ParsingArguments: splitting a line by commas or by blanks.
#include "frame/Frame.h"

#include "afx.h"
#include "afxcoll.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const CStringArray& arr)
{
    std::vector<std::string> items;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        items.push_back(static_cast<LPCSTR>(arr[i]));
    return items;
}

std::vector<std::string> Parse(const char* pszText, int nExpectedResult = 1)
{
    CStringArray arr;
    EXPECT_EQ(ParsingArguments(pszText, arr), nExpectedResult) << '"' << pszText << '"';
    return Items(arr);
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(ParsingArguments, BlankModeTreatsRunsOfBlanksAsOneSeparator)
{
    EXPECT_EQ(Parse("  one two   three "), (Strings{"one", "two", "three"}));
    EXPECT_EQ(Parse("a\tb\r\nc"), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Parse("\x07word\x08"), (Strings{"word"}));
}

TEST(ParsingArguments, BlankModeGivesAnEmptyLastItemForTwoTrailingBlanks)
{
    EXPECT_EQ(Parse("a  "), (Strings{"a", ""}));
    EXPECT_EQ(Parse("a "), (Strings{"a"}));
}

TEST(ParsingArguments, CommaAnywhereSwitchesToCommaMode)
{
    EXPECT_EQ(Parse("a, b c ,,d"), (Strings{"a", "b c", "", "d"}));
    EXPECT_EQ(Parse("x y z,"), (Strings{"x y z"}));
    EXPECT_EQ(Parse("  first item , second item  "), (Strings{"first item", "second item"}));
}

TEST(ParsingArguments, CommaAtTheEnd)
{
    EXPECT_EQ(Parse("a,"), (Strings{"a"}));
    EXPECT_EQ(Parse("a, "), (Strings{"a", ""}));
    EXPECT_EQ(Parse(",a"), (Strings{"", "a"}));
}

TEST(ParsingArguments, QuotesAreOrdinaryCharacters)
{
    EXPECT_EQ(Parse("\"a b\" c"), (Strings{"\"a", "b\"", "c"}));
    EXPECT_EQ(Parse("'1,5'"), (Strings{"'1", "5'"}));
}

TEST(ParsingArguments, RussianTextIsKeptByteForByte)
{
    EXPECT_EQ(Parse("Иванов, Пётр Сергеевич"), (Strings{"Иванов", "Пётр Сергеевич"}));
}

TEST(ParsingArguments, BlankTextAppendsNothingAndReturnsZero)
{
    CStringArray arr;
    arr.Add("kept");
    EXPECT_EQ(ParsingArguments(" \t\r\n\x07\x08 ", arr), 0);
    EXPECT_EQ(ParsingArguments("", arr), 0);
    EXPECT_EQ(ParsingArguments(NULL, arr), 0);
    EXPECT_EQ(Items(arr), (Strings{"kept"}));
}

TEST(ParsingArguments, AppendsAfterWhatTheArrayHolds)
{
    CStringArray arr;
    arr.Add("old");
    EXPECT_EQ(ParsingArguments("new1 new2", arr), 1);
    EXPECT_EQ(Items(arr), (Strings{"old", "new1", "new2"}));
}
