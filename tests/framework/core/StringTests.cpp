// CString: value semantics, Windows-1251 letters and case, comparison order,
// the clamping of the extraction functions, formatting and the raw buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <afx.h>
#ifdef _WIN32
#    include <windows.h>
#endif

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

TEST(StringValue, CopiesAreIndependentAndConstructorsClamp)
{
    CString a("привет");
    CString b = a;
    b.SetAt(0, 'П');
    CString c;
    c = a;
    a.Empty();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_STREQ(b, "Привет");
    CString moved(std::move(c));
    EXPECT_STREQ(moved, "привет");

    EXPECT_STREQ(CString((LPCSTR)NULL), "");
    EXPECT_STREQ(CString('я', 3), "яяя");
    EXPECT_STREQ(CString('x', -2), "");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_TRUE(ThrowsInvalidArg([] { CString bad("abc", -1); }));
    CString zero("a\0b", 3);  // an embedded zero keeps the length
    EXPECT_EQ(zero.GetLength(), 3);
    EXPECT_EQ(zero.Find('b'), 2);
}

TEST(StringValue, SelfAppendConcatenationAndGrowth)
{
    CString s("ёж");
    s += s;
    EXPECT_STREQ(s, "ёжёж");
    s += (LPCSTR)s + 2;  // a pointer into the string's own characters
    EXPECT_STREQ(s, "ёжёжёж");
    EXPECT_STREQ("а" + CString("б") + 'в', "абв");
    EXPECT_STREQ('а' + CString("б") + "в", "абв");
    CString big;
    for (int i = 0; i < 10000; i++)
        big += 'ы';
    EXPECT_EQ(big.Find('ы', 9999), 9999);
}

TEST(StringValue, IndexOutOfRangeThrows)
{
    CString s("abc");
    EXPECT_EQ(s.GetAt(3), '\0');  // the terminating zero may be read
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(3, 'x'); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(-1, 'x'); }));
    EXPECT_STREQ(s, "abc");
}

TEST(StringLetters, EveryWindows1251PairAndNothingElse)
{
    // The Cyrillic block, then every other letter pair, upper then lower.
    std::string strPairs;
    for (int c = 0xC0; c <= 0xDF; c++)
        strPairs += {(char)c, (char)(c + 32)};
    strPairs += "\x80\x90\x81\x83\x8A\x9A\x8C\x9C\x8D\x9D\x8E\x9E\x8F\x9F\xA1\xA2\xA3\xBC\xA5\xB4\xA8\xB8\xAA\xBA"
                "\xAF\xBF\xB2\xB3\xBD\xBEQq";
    for (size_t i = 0; i < strPairs.size(); i += 2) {
        const char chUpper = strPairs[i], chLower = strPairs[i + 1];
        EXPECT_EQ(AfxCharLower(chUpper), chLower) << (int)(BYTE)chUpper;
        EXPECT_EQ(AfxCharUpper(chLower), chUpper) << (int)(BYTE)chLower;
        EXPECT_TRUE(AfxIsCharAlpha(chUpper) && AfxIsCharAlpha(chLower)) << (int)(BYTE)chUpper;
    }
    for (const char* p = "0123456789 .,;:!?-+*/=()[]{}\"'\xAB\xBB\xB9\x96\x97\xA0\xA7\xA9\xB0"; *p; p++) {
        EXPECT_FALSE(AfxIsCharAlpha(*p)) << (int)(BYTE)*p;
        EXPECT_EQ(AfxCharUpper(*p), *p) << (int)(BYTE)*p;
        EXPECT_EQ(AfxCharLower(*p), *p) << (int)(BYTE)*p;
    }
    CString s("Ёжик, съешь 123 abc XYZ");
    EXPECT_STREQ(CString(s).MakeUpper(), "ЁЖИК, СЪЕШЬ 123 ABC XYZ");
    EXPECT_STREQ(s.MakeLower(), "ёжик, съешь 123 abc xyz");
}

TEST(StringCompare, ByUnsignedBytesAndWithoutCase)
{
    EXPECT_GT(CString("я").Compare("z"), 0);
    EXPECT_TRUE(CString("я") > "z" && "z" < CString("я"));
    EXPECT_TRUE(CString("ё") < CString("а"));  // 0xB8 before 0xE0
    EXPECT_TRUE(CString("ab") < CString("abc"));
    EXPECT_TRUE(CString("abc") <= "abc" && CString("abc") >= "abc" && CString("abc") == "abc");
    EXPECT_FALSE(CString("abc") != "abc");
    EXPECT_TRUE(CString("x") == 'x' && CString("xy") != 'x');

    EXPECT_EQ(CString("Ёлка").CompareNoCase("ёЛКА"), 0);
    EXPECT_EQ(CString("Ђура").CompareNoCase("ђУРА"), 0);
    EXPECT_LT(CString("АБВ").CompareNoCase("абг"), 0);
    EXPECT_GT(CString("я").CompareNoCase("Z"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABCD"), 0);
    EXPECT_NE(CString("е").CompareNoCase("ё"), 0);
}

TEST(StringExtract, MidLeftRightSpanClamp)
{
    CString s("абвгд");
    const struct {
        CString strGot;
        const char* pszExpected;
    } rows[] = {
        {s.Mid(1, 2), "бв"},
        {s.Mid(-3, 2), "аб"},
        {s.Mid(3), "гд"},
        {s.Mid(9), ""},
        {s.Mid(2, -1), ""},
        {s.Mid(1, 0x7FFFFFFF), "бвгд"},
        {s.Left(2), "аб"},
        {s.Left(-1), ""},
        {s.Left(50), "абвгд"},
        {s.Right(2), "гд"},
        {s.Right(-4), ""},
        {s.Right(50), "абвгд"},
        {CString("12.5руб").SpanIncluding("0123456789."), "12.5"},
        {CString("ключ=значение").SpanExcluding("=;"), "ключ"},
        {CString("abc").SpanIncluding("x"), ""},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(row.strGot, row.pszExpected) << &row - rows;
}

TEST(StringSearch, FindEdges)
{
    CString s("мама мыла раму");
    const int anGot[] = {
        s.Find('м', 1),      s.Find('у', 13),           s.Find('м', 14),    s.Find('м', -1),   s.Find('щ'),
        s.Find("ма", 1),     s.Find("раму", 10),        s.Find("раму", 11), s.Find("", 14),    s.Find("", 15),
        s.Find("ма", -1),    s.ReverseFind('м'),        s.ReverseFind('щ'), s.FindOneOf("ыу"), s.FindOneOf("щ"),
        CString().Find('a'), CString().ReverseFind('a')};
    const int anExpected[] = {2, 13, -1, -1, -1, 2, 10, -1, 14, -1, -1, 12, -1, 6, -1, -1, -1};
    for (size_t i = 0; i < sizeof(anGot) / sizeof(anGot[0]); i++)
        EXPECT_EQ(anGot[i], anExpected[i]) << i;
}

TEST(StringSearch, TokenizeSkipsDelimitersAndEnds)
{
    CString s("  Иванов,Пётр;; Сидорович ");
    int nPos = 0;
    for (const char* pszToken : {"Иванов", "Пётр", "Сидорович", ""})
        EXPECT_STREQ(s.Tokenize(" ,;", nPos), pszToken);
    EXPECT_EQ(nPos, -1);
    // Without delimiters the rest is one token, and the next call ends.
    nPos = 2;
    EXPECT_STREQ(s.Tokenize("", nPos), "Иванов,Пётр;; Сидорович ");
    EXPECT_STREQ(s.Tokenize("", nPos), "");
    EXPECT_EQ(nPos, -1);
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.Tokenize(",", nPos); }));
    nPos = 0;
    EXPECT_STREQ(CString(",,,").Tokenize(",", nPos), "");
    EXPECT_EQ(nPos, -1);
}

TEST(StringChange, TrimWhitespaceCharAndSet)
{
    EXPECT_STREQ(CString(" \t\r\n Ёлка \v\f ").Trim(), "Ёлка");
    EXPECT_STREQ(CString("\xA0текст\xA0").Trim(), "\xA0текст\xA0");  // a no-break space is not white space
    EXPECT_STREQ(CString("**звезда**").TrimLeft('*'), "звезда**");
    EXPECT_STREQ(CString("**звезда**").TrimRight('*'), "**звезда");
    EXPECT_STREQ(CString("**звезда**").Trim('*'), "звезда");
    EXPECT_STREQ(CString("-=+итог+=-").TrimLeft("=-"), "+итог+=-");
    EXPECT_STREQ(CString("-=+итог+=-").TrimRight("+=-"), "-=+итог");
    EXPECT_STREQ(CString("-=+итог+=-").Trim("-=+"), "итог");
    EXPECT_STREQ(CString("   ").Trim(), "");
    EXPECT_STREQ(CString("ab").Trim(""), "ab");
}

TEST(StringChange, ReplaceRemoveInsertDelete)
{
    CString s("ааа");
    EXPECT_EQ(s.Replace("аа", "б"), 1);  // matches do not overlap
    EXPECT_STREQ(s, "ба");
    CString t("один, два, три");
    EXPECT_EQ(t.Replace(", ", " и "), 2);
    EXPECT_EQ(t.Replace("", "x"), 0);
    EXPECT_EQ(t.Replace("и", ""), 4);
    EXPECT_STREQ(t, "одн  два  тр");
    EXPECT_EQ(t.Replace(' ', '_'), 4);
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
    EXPECT_EQ(u.Delete(7, 100), 7);
    EXPECT_EQ(u.Delete(50, 2), 7);
    EXPECT_EQ(u.Delete(-1, 1), 6);
    EXPECT_EQ(u.Delete(2, -3), 6);
    EXPECT_STREQ(u, "риветм");
    EXPECT_STREQ(CString("абв").MakeReverse(), "вба");
}

TEST(StringFormat, PrintfSemanticsAndSelfArguments)
{
    CString s;
    s.Format("%d|%5s|%-4d|%05.2f|%c|%x|%%|%lld", -42, "ёж", 7, 3.14159, 'Щ', 255u, (long long)-9000000000LL);
    EXPECT_STREQ(s, "-42|   ёж|7   |03.14|Щ|ff|%|-9000000000");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    std::string strLong(5000, 'ж');
    s.Format("<%s>", strLong.c_str());
    EXPECT_EQ(s.Find('>'), 5001);

    s = "итог";
    s.Format("%s: %s", (LPCSTR)s, (LPCSTR)s);
    EXPECT_STREQ(s, "итог: итог");
    s.AppendFormat(" (%d)", 2);
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
    EXPECT_STREQ(s, "привет мир");
    p = s.GetBuffer(0);
    p[2] = 'Ю';
    s.ReleaseBuffer(4);
    EXPECT_STREQ(s, "прЮв");

    CString empty;  // the empty string's buffer is its own once asked for
    std::memcpy(empty.GetBuffer(5), "12345", 5);
    empty.ReleaseBuffer(5);
    EXPECT_STREQ(empty, "12345");
    EXPECT_STREQ(CString(), "");

    CString fixed;
    p = fixed.GetBufferSetLength(3);
    EXPECT_EQ(fixed.GetLength(), 3);
    std::memcpy(p, "xyz", 3);
    fixed.ReleaseBuffer(-1);
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
    EXPECT_TRUE(CString(MAKEINTRESOURCEA(54321)).IsEmpty());
}
#endif

}  // namespace
