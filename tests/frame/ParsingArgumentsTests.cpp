// ParsingArguments: splitting a line by commas or by blanks.
#include "frame/Frame.h"

#include <afx.h>
#include <afxcoll.h>

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

TEST(ParsingArguments, SplitsByBlanksOrByCommas)
{
    const struct {
        const char* pszText;
        Strings items;
    } aCases[] = {
        // Without a comma, a run of blanks is one separator...
        {"  one two   three ", {"one", "two", "three"}},
        {"a\tb\r\nc", {"a", "b", "c"}},
        {"\x07word\x08", {"word"}},
        {"a ", {"a"}},
        {"a  ", {"a", ""}},  // ...but two at the end give an empty last item.
        // A comma anywhere switches to comma mode.
        {"a, b c ,,d", {"a", "b c", "", "d"}},
        {"x y z,", {"x y z"}},
        {"  first item , second item  ", {"first item", "second item"}},
        {"a,", {"a"}},
        {"a, ", {"a", ""}},
        {",a", {"", "a"}},
        // Quotes are ordinary characters; Russian text is kept byte for byte.
        {"\"a b\" c", {"\"a", "b\"", "c"}},
        {"'1,5'", {"'1", "5'"}},
        {"Иванов, Пётр Сергеевич", {"Иванов", "Пётр Сергеевич"}},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(Parse(c.pszText), c.items) << '"' << c.pszText << '"';
}

TEST(ParsingArguments, AppendsToTheArrayAndBlankTextAppendsNothing)
{
    CStringArray arr;
    arr.Add("old");
    EXPECT_EQ(ParsingArguments(" \t\r\n\x07\x08 ", arr), 0);
    EXPECT_EQ(ParsingArguments("", arr), 0);
    EXPECT_EQ(ParsingArguments(NULL, arr), 0);
    EXPECT_EQ(ParsingArguments("new1 new2", arr), 1);
    EXPECT_EQ(Items(arr), (Strings{"old", "new1", "new2"}));
}
