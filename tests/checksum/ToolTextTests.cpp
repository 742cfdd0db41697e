// The tool's conversions between its UTF-8 edges and Windows-1251.
#include "Console.h"

#include <gtest/gtest.h>

TEST(ToolText, EveryCp1251CharacterSurvivesTheRoundTrip)
{
    std::string strAll;
    for (int ch = 1; ch < 256; ++ch)
        strAll += (char)ch;
    const std::string strUtf8 = Cp1251ToUtf8(strAll);
    EXPECT_EQ(strAll, Utf8ToCp1251(strUtf8));
    EXPECT_EQ(std::string(u8"Ёлка №1 — «да»"), Cp1251ToUtf8("\xA8\xEB\xEA\xE0 \xB9"
                                                            "1 \x97 \xAB\xE4\xE0\xBB"));
}

TEST(ToolText, ForeignAndMalformedTextBecomesQuestionMarks)
{
    EXPECT_EQ("a?b", Utf8ToCp1251(u8"a\u4E2Db"));  // no such character in the code page
    EXPECT_EQ("a?b", Utf8ToCp1251("a\xF0\x9F\x98\x80"
                                  "b"));               // outside the basic plane
    EXPECT_EQ("?", Utf8ToCp1251("\xD0"));              // cut short at the end
    EXPECT_EQ("?x", Utf8ToCp1251("\xD0x"));            // cut short by a plain byte
    EXPECT_EQ("??", Utf8ToCp1251("\x80\xBF"));         // stray continuation bytes
    EXPECT_EQ("?", Utf8ToCp1251("\xC0\x80"));          // overlong zero
    EXPECT_EQ("?", Utf8ToCp1251("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

TEST(ToolText, EchoedControlCharactersAreEscaped)
{
    using namespace std::string_literals;
    // C0, DEL and C1 (U+009B is a terminal's CSI); the rest stays, broken UTF-8 too.
    EXPECT_EQ("a\\x1B[31m\\x09\\x0A\\x00\\x7F\\x9B\xC2\xA0\xC2"s,
              EscapeControls("a\x1B[31m\t\n\0\x7F\xC2\x9B\xC2\xA0\xC2"s));
    EXPECT_EQ(u8"Ёлка \\ \xD0", EscapeControls(u8"Ёлка \\ \xD0"));
}
