// CString: value semantics, Windows-1251 letters and case, comparison order,
// the clamping of the extraction functions, formatting and the raw buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "afx.h"

namespace {

// Runs f and reports whether it threw CInvalidArgException (deleting it).
template <class F>
bool ThrowsInvalidArg(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(StringValue, CopiesAreIndependent)
{
    CString a("привет");
    CString b = a;
    b.SetAt(0, 'П');
    EXPECT_STREQ(a, "привет");
    EXPECT_STREQ(b, "Привет");
    CString c;
    c = a;
    a.Empty();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_STREQ(c, "привет");
    CString moved(std::move(c));
    EXPECT_STREQ(moved, "привет");
    EXPECT_EQ(moved.GetLength(), 6);
}

TEST(StringValue, ConstructorsAndAssignment)
{
    EXPECT_EQ(CString().GetLength(), 0);
    EXPECT_STREQ(CString((LPCSTR)NULL), "");
    EXPECT_STREQ(CString('я', 3), "яяя");
    EXPECT_STREQ(CString('x', -2), "");
    CString part("abcdef", 3);
    EXPECT_STREQ(part, "abc");
    CString s;
    s = 'Ж';
    EXPECT_STREQ(s, "Ж");
    s = (LPCSTR)NULL;
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_TRUE(ThrowsInvalidArg([] { CString bad("abc", -1); }));
    CString zero("a\0b", 3);  // an embedded zero keeps the length
    EXPECT_EQ(zero.GetLength(), 3);
    EXPECT_EQ(zero[1], '\0');
    EXPECT_EQ(zero.Find('b'), 2);
}

TEST(StringValue, SelfAppendAndConcatenation)
{
    CString s("ёж");
    s += s;
    EXPECT_STREQ(s, "ёжёж");
    s += (LPCSTR)s + 2;  // a pointer into the string's own characters
    EXPECT_STREQ(s, "ёжёжёж");
    EXPECT_STREQ(CString("а") + "б", "аб");
    EXPECT_STREQ("а" + CString("б"), "аб");
    EXPECT_STREQ(CString("а") + 'б', "аб");
    EXPECT_STREQ('а' + CString("б"), "аб");
    CString big;
    for (int i = 0; i < 10000; i++)
        big += 'ы';
    EXPECT_EQ(big.GetLength(), 10000);
    EXPECT_EQ(big.Find('ы', 9999), 9999);
}

TEST(StringValue, IndexOutOfRangeThrows)
{
    CString s("abc");
    EXPECT_EQ(s.GetAt(2), 'c');
    EXPECT_EQ(s.GetAt(3), '\0');  // the terminating zero may be read
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(3, 'x'); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(-1, 'x'); }));
    EXPECT_STREQ(s, "abc");
}

// Every Windows-1251 letter pair, upper then lower.
const BYTE g_pairs[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
    {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

TEST(StringLetters, RussianCaseChanges)
{
    CString s("Съешь же ещё этих мягких французских булок, Ёжик! 123 abc XYZ");
    CString upper(s);
    upper.MakeUpper();
    EXPECT_STREQ(upper, "СЪЕШЬ ЖЕ ЕЩЁ ЭТИХ МЯГКИХ ФРАНЦУЗСКИХ БУЛОК, ЁЖИК! 123 ABC XYZ");
    CString lower(s);
    lower.MakeLower();
    EXPECT_STREQ(lower, "съешь же ещё этих мягких французских булок, ёжик! 123 abc xyz");
}

TEST(StringLetters, WholeCyrillicBlockAndOtherPairs)
{
    for (int c = 0xC0; c <= 0xDF; c++) {
        EXPECT_EQ((BYTE)AfxCharLower((char)c), c + 32) << c;
        EXPECT_EQ((BYTE)AfxCharUpper((char)(c + 32)), c) << c;
        EXPECT_TRUE(AfxIsCharAlpha((char)c));
        EXPECT_TRUE(AfxIsCharAlpha((char)(c + 32)));
    }
    for (const auto& pair : g_pairs) {
        EXPECT_EQ((BYTE)AfxCharLower((char)pair[0]), pair[1]) << (int)pair[0];
        EXPECT_EQ((BYTE)AfxCharUpper((char)pair[1]), pair[0]) << (int)pair[1];
        EXPECT_TRUE(AfxIsCharAlpha((char)pair[0])) << (int)pair[0];
        EXPECT_TRUE(AfxIsCharAlpha((char)pair[1])) << (int)pair[1];
    }
}

TEST(StringLetters, NonLettersStayAsTheyAre)
{
    const char* pszOthers = "0123456789 .,;:!?-+*/=()[]{}\"'\xAB\xBB\xB9\x96\x97\xA0\xA7\xA9\xB0";
    for (const char* p = pszOthers; *p; p++) {
        EXPECT_FALSE(AfxIsCharAlpha(*p)) << (int)(BYTE)*p;
        EXPECT_EQ(AfxCharUpper(*p), *p) << (int)(BYTE)*p;
        EXPECT_EQ(AfxCharLower(*p), *p) << (int)(BYTE)*p;
    }
    EXPECT_TRUE(AfxIsCharAlpha('q'));
    EXPECT_TRUE(AfxIsCharAlpha('Q'));
}

TEST(StringCompare, ByUnsignedBytes)
{
    EXPECT_GT(CString("я").Compare("z"), 0);
    EXPECT_TRUE(CString("я") > "z");
    EXPECT_TRUE("z" < CString("я"));
    EXPECT_TRUE(CString("Я") < CString("я"));
    EXPECT_TRUE(CString("ё") < CString("а"));  // 0xB8 before 0xE0
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_TRUE(CString("ab") < CString("abc"));
    EXPECT_TRUE(CString("abc") <= "abc" && CString("abc") >= "abc" && CString("abc") == "abc");
    EXPECT_FALSE(CString("abc") != "abc");
    EXPECT_TRUE(CString("x") == 'x');
    EXPECT_TRUE(CString("xy") != 'x');
    EXPECT_EQ(CString("").Compare(""), 0);
}

TEST(StringCompare, NoCaseFoldsRussianLetters)
{
    EXPECT_EQ(CString("ПРИВЕТ").CompareNoCase("привет"), 0);
    EXPECT_EQ(CString("Ёлка").CompareNoCase("ёЛКА"), 0);
    EXPECT_EQ(CString("Ђура").CompareNoCase("ђУРА"), 0);
    EXPECT_LT(CString("АБВ").CompareNoCase("абг"), 0);
    EXPECT_GT(CString("я").CompareNoCase("Z"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABCD"), 0);
    EXPECT_NE(CString("е").CompareNoCase("ё"), 0);
}

TEST(StringExtract, MidLeftRightClamp)
{
    CString s("абвгд");
    EXPECT_STREQ(s.Mid(1, 2), "бв");
    EXPECT_STREQ(s.Mid(-3, 2), "аб");
    EXPECT_STREQ(s.Mid(3), "гд");
    EXPECT_STREQ(s.Mid(5), "");
    EXPECT_STREQ(s.Mid(9), "");
    EXPECT_STREQ(s.Mid(2, -1), "");
    EXPECT_STREQ(s.Mid(2, 100), "вгд");
    EXPECT_STREQ(s.Mid(1, 0x7FFFFFFF), "бвгд");
    EXPECT_STREQ(s.Left(2), "аб");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Left(50), "абвгд");
    EXPECT_STREQ(s.Right(2), "гд");
    EXPECT_STREQ(s.Right(-4), "");
    EXPECT_STREQ(s.Right(50), "абвгд");
    EXPECT_STREQ(CString("12.5руб").SpanIncluding("0123456789."), "12.5");
    EXPECT_STREQ(CString("ключ=значение").SpanExcluding("=;"), "ключ");
    EXPECT_STREQ(CString("abc").SpanIncluding("x"), "");
}

TEST(StringSearch, FindEdges)
{
    CString s("мама мыла раму");
    EXPECT_EQ(s.Find('м'), 0);
    EXPECT_EQ(s.Find('м', 1), 2);
    EXPECT_EQ(s.Find('у', 13), 13);
    EXPECT_EQ(s.Find('м', 14), -1);
    EXPECT_EQ(s.Find('м', -1), -1);
    EXPECT_EQ(s.Find('щ'), -1);
    EXPECT_EQ(s.Find("ма"), 0);
    EXPECT_EQ(s.Find("ма", 1), 2);
    EXPECT_EQ(s.Find("раму", 10), 10);
    EXPECT_EQ(s.Find("раму", 11), -1);
    EXPECT_EQ(s.Find("", 14), 14);
    EXPECT_EQ(s.Find("", 15), -1);
    EXPECT_EQ(s.Find("ма", -1), -1);
    EXPECT_EQ(s.ReverseFind('м'), 12);
    EXPECT_EQ(s.ReverseFind('щ'), -1);
    EXPECT_EQ(s.FindOneOf("ыу"), 6);
    EXPECT_EQ(s.FindOneOf("щ"), -1);
    EXPECT_EQ(CString().Find('a'), -1);
    EXPECT_EQ(CString().ReverseFind('a'), -1);
}

TEST(StringChange, TrimWhitespaceCharAndSet)
{
    CString s(" \t\r\n Ёлка \v\f ");
    s.Trim();
    EXPECT_STREQ(s, "Ёлка");
    CString nbsp("\xA0текст\xA0");  // a no-break space is not trimmed as white space
    nbsp.Trim();
    EXPECT_STREQ(nbsp, "\xA0текст\xA0");
    CString stars("**звезда**");
    EXPECT_STREQ(CString(stars).TrimLeft('*'), "звезда**");
    EXPECT_STREQ(CString(stars).TrimRight('*'), "**звезда");
    EXPECT_STREQ(stars.Trim('*'), "звезда");
    CString set("-=+итог+=-");
    EXPECT_STREQ(CString(set).TrimLeft("=-"), "+итог+=-");
    EXPECT_STREQ(CString(set).TrimRight("+=-"), "-=+итог");
    EXPECT_STREQ(set.Trim("-=+"), "итог");
    CString all("   ");
    EXPECT_STREQ(all.Trim(), "");
    CString same("ab");
    EXPECT_STREQ(same.Trim(""), "ab");
}

TEST(StringChange, ReplaceRemoveInsertDelete)
{
    CString s("ааа");
    EXPECT_EQ(s.Replace("аа", "б"), 1);
    EXPECT_STREQ(s, "ба");
    CString t("один, два, три");
    EXPECT_EQ(t.Replace(", ", " и "), 2);
    EXPECT_STREQ(t, "один и два и три");
    EXPECT_EQ(t.Replace("", "x"), 0);
    EXPECT_EQ(t.Replace("и", ""), 4);
    EXPECT_STREQ(t, "одн  два  тр");
    EXPECT_EQ(t.Replace(' ', '_'), 4);
    EXPECT_STREQ(t, "одн__два__тр");
    EXPECT_EQ(t.Replace('_', '_'), 0);
    EXPECT_EQ(t.Remove('_'), 4);
    EXPECT_STREQ(t, "одндватр");

    CString u("мир");
    EXPECT_EQ(u.Insert(0, "Привет, "), 11);
    EXPECT_EQ(u.Insert(100, '!'), 12);
    EXPECT_EQ(u.Insert(-5, '>'), 13);
    EXPECT_STREQ(u, ">Привет, мир!");
    EXPECT_EQ(u.Delete(0), 12);
    EXPECT_EQ(u.Delete(6, 2), 10);
    EXPECT_STREQ(u, "Приветмир!");
    EXPECT_EQ(u.Delete(7, 100), 7);
    EXPECT_STREQ(u, "Приветм");
    EXPECT_EQ(u.Delete(50, 2), 7);
    EXPECT_EQ(u.Delete(-1, 1), 6);
    EXPECT_EQ(u.Delete(2, -3), 6);
    EXPECT_STREQ(u, "риветм");
    EXPECT_STREQ(CString("абв").MakeReverse(), "вба");
}

TEST(StringSearch, TokenizeSkipsDelimitersAndEnds)
{
    CString s("  Иванов,Пётр;; Сидорович ");
    int nPos = 0;
    EXPECT_STREQ(s.Tokenize(" ,;", nPos), "Иванов");
    EXPECT_STREQ(s.Tokenize(" ,;", nPos), "Пётр");
    EXPECT_STREQ(s.Tokenize(" ,;", nPos), "Сидорович");
    EXPECT_STREQ(s.Tokenize(" ,;", nPos), "");
    EXPECT_EQ(nPos, -1);

    // Without delimiters the rest is one token, and the next call ends.
    nPos = 2;
    EXPECT_STREQ(s.Tokenize("", nPos), "Иванов,Пётр;; Сидорович ");
    EXPECT_STREQ(s.Tokenize("", nPos), "");
    EXPECT_EQ(nPos, -1);

    nPos = -1;
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.Tokenize(",", nPos); }));
    nPos = 0;
    EXPECT_STREQ(CString(",,,").Tokenize(",", nPos), "");
    EXPECT_EQ(nPos, -1);
}

TEST(StringFormat, PrintfSemantics)
{
    CString s;
    s.Format("%d|%5s|%-4d|%05.2f|%c|%x|%%", -42, "ёж", 7, 3.14159, 'Щ', 255u);
    EXPECT_STREQ(s, "-42|   ёж|7   |03.14|Щ|ff|%");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    s.Format("%lld", (long long)-9000000000LL);
    EXPECT_STREQ(s, "-9000000000");

    std::string strLong(5000, 'ж');
    s.Format("<%s>", strLong.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.Find('>'), 5001);
}

TEST(StringFormat, ArgumentsMayBeTheStringItself)
{
    CString s("итог");
    s.Format("%s: %s", (LPCSTR)s, (LPCSTR)s);
    EXPECT_STREQ(s, "итог: итог");
    s.AppendFormat(" (%d)", 2);
    EXPECT_STREQ(s, "итог: итог (2)");
    s.AppendFormat("%s", (LPCSTR)s);
    EXPECT_STREQ(s, "итог: итог (2)итог: итог (2)");
}

TEST(StringBuffer, GetBufferReleaseBuffer)
{
    CString s("abc");
    LPTSTR p = s.GetBuffer(20);
    EXPECT_STREQ(p, "abc");
    std::strcpy(p, "привет мир");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 10);
    EXPECT_STREQ(s, "привет мир");

    p = s.GetBuffer(0);
    p[2] = 'Ю';
    s.ReleaseBuffer(4);
    EXPECT_STREQ(s, "прЮв");

    CString empty;
    p = empty.GetBuffer(5);
    std::memcpy(p, "12345", 5);
    empty.ReleaseBuffer(5);
    EXPECT_STREQ(empty, "12345");

    CString fixed;
    p = fixed.GetBufferSetLength(3);
    EXPECT_EQ(fixed.GetLength(), 3);
    p[0] = 'x';
    p[1] = 'y';
    p[2] = 'z';
    fixed.ReleaseBuffer(-1);
    EXPECT_STREQ(fixed, "xyz");
    fixed.FreeExtra();
    EXPECT_STREQ(fixed, "xyz");

    // Released without a terminating zero: the length stops at the capacity.
    CString full;
    std::memset(full.GetBuffer(4), 'q', 4);
    full.ReleaseBuffer();
    EXPECT_GE(full.GetLength(), 4);
    EXPECT_EQ(full.Left(4), "qqqq");

    EXPECT_TRUE(ThrowsInvalidArg([&] { fixed.GetBuffer(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] {
        CString t("ab");
        t.GetBuffer(4);
        t.ReleaseBuffer(1000);
    }));
}

#ifdef _WIN32
TEST(StringResource, MissingStringLeavesTheTextAlone)
{
    // The test program carries no string table.
    CString s("как было");
    EXPECT_FALSE(s.LoadString(54321));
    EXPECT_STREQ(s, "как было");
    CString fromId(MAKEINTRESOURCEA(54321));
    EXPECT_TRUE(fromId.IsEmpty());
}
#endif

}  // namespace
