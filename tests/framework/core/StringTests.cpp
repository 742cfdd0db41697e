// CString: value semantics, Windows-1251 letters and case, comparison order,
// the clamping of the extraction and search functions, changes in place,
// formatting and the raw buffer.
#include <gtest/gtest.h>

#include "Throws.h"

#include <cstring>
#include <string>

#include <afx.h>

namespace {

// The whole string, embedded zeros included.
std::string Whole(const CString& s)
{
    return std::string(static_cast<LPCSTR>(s), s.GetLength());
}

TEST(StringValue, CopiesSelfAppendAndBoundsOfTheCharacters)
{
    CString a("привет"), c;
    CString b = a;
    b.SetAt(0, 'П');
    c = a;
    a.Empty();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ("Привет", Whole(b));
    EXPECT_EQ("привет", Whole(CString(std::move(c))));
    EXPECT_EQ("", Whole(CString((LPCSTR)NULL)));
    EXPECT_EQ("яяя", Whole(CString('я', 3)));
    EXPECT_EQ("", Whole(CString('x', -2)));
    EXPECT_EQ(std::string("a\0b", 3), Whole(CString("a\0b", 3)));  // an embedded zero keeps the length
    EXPECT_TRUE(support::Throws<CInvalidArgException>([] { CString bad("abc", -1); }));

    CString s("ёж");
    s += s;
    s += (LPCSTR)s + 2;  // a pointer into the string's own characters
    EXPECT_EQ("ёжёжёж", Whole(s));
    EXPECT_EQ("абв", Whole("а" + CString("б") + 'в'));
    EXPECT_EQ("абв", Whole('а' + CString("б") + "в"));
    for (int i = 0; i < 10000; i++)
        s += 'ы';
    EXPECT_EQ(10005, s.Find('ы', 10005));

    CString t("abc");
    EXPECT_EQ('\0', t.GetAt(3));  // the terminating zero may be read
    for (int nIndex : {4, -1})
        EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { t.GetAt(nIndex); })) << nIndex;
    for (int nIndex : {3, -1})
        EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { t.SetAt(nIndex, 'x'); })) << nIndex;
    EXPECT_EQ("abc", Whole(t));
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
        EXPECT_TRUE(AfxCharUpper(*p) == *p && AfxCharLower(*p) == *p) << (int)(BYTE)*p;
    }
    CString s("Ёжик, съешь 123 abc XYZ");
    EXPECT_EQ("ЁЖИК, СЪЕШЬ 123 ABC XYZ", Whole(CString(s).MakeUpper()));
    EXPECT_EQ("ёжик, съешь 123 abc xyz", Whole(s.MakeLower()));
}

TEST(StringCompare, ByUnsignedBytesAndWithoutCase)
{
    // clang-format off
    const struct { const char *pszA, *pszB; int nCompare, nNoCase; } aCases[] = {
        {"я", "z", 1, 1}, {"ё", "а", -1, -1} /* 0xB8 before 0xE0 */, {"ab", "abc", -1, -1}, {"abc", "abc", 0, 0},
        {"Ёлка", "ёЛКА", -1, 0}, {"Ђура", "ђУРА", -1, 0}, {"АБВ", "абг", -1, -1}, {"я", "Z", 1, 1},
        {"abc", "ABCD", 1, -1}, {"е", "ё", 1, 1},
    };
    // clang-format on
    for (const auto& c : aCases) {
        const CString a(c.pszA);
        EXPECT_EQ(c.nCompare, (a.Compare(c.pszB) > 0) - (a.Compare(c.pszB) < 0)) << c.pszA << " " << c.pszB;
        EXPECT_EQ(c.nNoCase, (a.CompareNoCase(c.pszB) > 0) - (a.CompareNoCase(c.pszB) < 0)) << c.pszA << " " << c.pszB;
        EXPECT_EQ(c.nCompare < 0, a < c.pszB);
        EXPECT_EQ(c.nCompare > 0, c.pszB < a);
        EXPECT_EQ(c.nCompare == 0, a == c.pszB && !(a != c.pszB) && a <= c.pszB && a >= c.pszB);
    }
    EXPECT_TRUE(CString("x") == 'x' && CString("xy") != 'x');
}

TEST(StringExtract, MidLeftRightSpanAndSearchClampToTheString)
{
    const CString s("абвгд");
    const CString t("мама мыла раму");
    // clang-format off
    const struct { CString strGot; const char* pszExpected; } aParts[] = {
        {s.Mid(1, 2), "бв"}, {s.Mid(-3, 2), "аб"}, {s.Mid(3), "гд"}, {s.Mid(9), ""}, {s.Mid(2, -1), ""},
        {s.Mid(1, 0x7FFFFFFF), "бвгд"}, {s.Mid(1, 4), "бвгд"}, {s.Mid(1, 5), "бвгд"}, {s.Mid(4, 2), "д"},
        {s.Left(2), "аб"}, {s.Left(-1), ""}, {s.Left(50), "абвгд"}, {s.Right(2), "гд"}, {s.Right(-4), ""},
        {s.Right(50), "абвгд"}, {CString("12.5руб").SpanIncluding("0123456789."), "12.5"},
        {CString("ключ=значение").SpanExcluding("=;"), "ключ"}, {CString("abc").SpanIncluding("x"), ""},
    };
    // clang-format on
    for (const auto& c : aParts)
        EXPECT_EQ(c.pszExpected, Whole(c.strGot)) << &c - aParts;  // no character past the end either
    const int anGot[] = {
        t.Find('м', 1),   t.Find('у', 13),     t.Find('м', 14),           t.Find('м', -1),    t.Find('щ'),
        t.Find("ма", 1),  t.Find("раму", 10),  t.Find("раму", 11),        t.Find("", 14),     t.Find("", 15),
        t.Find("ма", -1), t.ReverseFind('м'),  t.ReverseFind('щ'),        s.ReverseFind('а'), t.FindOneOf("ыу"),
        t.FindOneOf("щ"), CString().Find('a'), CString().ReverseFind('a')};
    const int anExpected[] = {2, 13, -1, -1, -1, 2, 10, -1, 14, -1, -1, 12, -1, 0, 6, -1, -1, -1};
    for (size_t i = 0; i < sizeof(anGot) / sizeof(anGot[0]); i++)
        EXPECT_EQ(anExpected[i], anGot[i]) << i;
}

TEST(StringSearch, TokenizeSkipsDelimitersAndEnds)
{
    CString s("  Иванов,Пётр;; Сидорович ");
    int nPos = 0;
    for (const char* pszToken : {"Иванов", "Пётр", "Сидорович", ""})
        EXPECT_EQ(pszToken, Whole(s.Tokenize(" ,;", nPos)));
    EXPECT_EQ(-1, nPos);
    // Without delimiters the rest is one token, and the next call ends.
    nPos = 2;
    EXPECT_EQ("Иванов,Пётр;; Сидорович ", Whole(s.Tokenize("", nPos)));
    EXPECT_EQ("", Whole(s.Tokenize("", nPos)));
    EXPECT_EQ(-1, nPos);
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { s.Tokenize(",", nPos); }));
    nPos = 0;
    EXPECT_EQ("", Whole(CString(",,,").Tokenize(",", nPos)));
    EXPECT_EQ(-1, nPos);
}

TEST(StringChange, TrimReplaceRemoveInsertDelete)
{
    // clang-format off
    const struct { CString strGot; const char* pszExpected; } aTrims[] = {
        {CString(" \t\r\n Ёлка \v\f ").Trim(), "Ёлка"}, {CString("\xA0текст\xA0").Trim(), "\xA0текст\xA0"},  // no-break space stays
        {CString("**звезда**").TrimLeft('*'), "звезда**"}, {CString("**звезда**").TrimRight('*'), "**звезда"},
        {CString("**звезда**").Trim('*'), "звезда"}, {CString("-=+итог+=-").TrimLeft("=-"), "+итог+=-"},
        {CString("-=+итог+=-").TrimRight("+=-"), "-=+итог"}, {CString("-=+итог+=-").Trim("-=+"), "итог"},
        {CString("   ").Trim(), ""}, {CString("ab").Trim(""), "ab"}, {CString("абв").MakeReverse(), "вба"},
    };
    // clang-format on
    for (const auto& c : aTrims)
        EXPECT_EQ(c.pszExpected, Whole(c.strGot)) << &c - aTrims;

    CString s("ааа");
    EXPECT_EQ(1, s.Replace("аа", "б"));  // matches do not overlap
    EXPECT_EQ("ба", Whole(s));
    CString t("один, два, три");
    EXPECT_EQ(2, t.Replace(", ", " и "));
    EXPECT_EQ(0, t.Replace("", "x"));
    EXPECT_EQ(4, t.Replace("и", ""));
    EXPECT_EQ(4, t.Replace(' ', '_'));
    EXPECT_EQ(0, t.Replace('_', '_'));
    EXPECT_EQ(4, t.Remove('_'));
    EXPECT_EQ("одндватр", Whole(t));

    // Insert and Delete clamp their index and count, and return the new length.
    CString u("мир");
    const int anLengths[] = {u.Insert(0, "Привет, "), u.Insert(100, '!'), u.Insert(-5, '>'), u.Delete(0),
                             u.Delete(6, 2),          u.Delete(7, 100),   u.Delete(50, 2),   u.Delete(-1, 1),
                             u.Delete(2, -3)};
    const int anExpected[] = {11, 12, 13, 12, 10, 7, 7, 6, 6};
    for (size_t i = 0; i < sizeof(anLengths) / sizeof(anLengths[0]); i++)
        EXPECT_EQ(anExpected[i], anLengths[i]) << i;
    EXPECT_EQ("риветм", Whole(u));
}

TEST(StringFormat, PrintfSemanticsSelfArgumentsAndTheBuffer)
{
    CString s;
    s.Format("%d|%5s|%-4d|%05.2f|%c|%x|%%|%lld", -42, "ёж", 7, 3.14159, 'Щ', 255u, (long long)-9000000000LL);
    EXPECT_EQ("-42|   ёж|7   |03.14|Щ|ff|%|-9000000000", Whole(s));
    s.Format("<%s>", std::string(5000, 'ж').c_str());
    EXPECT_EQ(5002, s.GetLength());
    s = "итог";
    s.Format("%s: %s", (LPCSTR)s, (LPCSTR)s);
    s.AppendFormat(" (%d)", 2);
    s.AppendFormat("%s", (LPCSTR)s);
    EXPECT_EQ("итог: итог (2)итог: итог (2)", Whole(s));

    LPTSTR p = s.GetBuffer(40);
    std::strcpy(p, "привет мир");
    s.ReleaseBuffer();
    EXPECT_EQ("привет мир", Whole(s));
    s.GetBuffer(0)[2] = 'Ю';
    s.ReleaseBuffer(4);
    EXPECT_EQ("прЮв", Whole(s));
    CString empty;  // the empty string's buffer is its own once asked for
    std::memcpy(empty.GetBuffer(5), "12345", 5);
    empty.ReleaseBuffer(5);
    EXPECT_EQ("12345", Whole(empty));
    EXPECT_EQ("", Whole(CString()));
    CString fixed;
    std::memcpy(fixed.GetBufferSetLength(3), "xyz", 3);
    EXPECT_EQ(3, fixed.GetLength());
    fixed.ReleaseBuffer(-1);
    fixed.FreeExtra();
    EXPECT_EQ("xyz", Whole(fixed));
    // Released without a terminating zero: the length stops at the capacity.
    CString full;
    std::memset(full.GetBuffer(4), 'q', 4);
    full.ReleaseBuffer();
    EXPECT_EQ("qqqq", Whole(full.Left(4)));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { fixed.GetBuffer(-1); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] {
        CString t("ab");
        t.GetBuffer(4);
        t.ReleaseBuffer(1000);
    }));
#ifdef _WIN32
    // A missing resource string leaves the text alone; the program carries no string table.
    CString r("как было");
    EXPECT_FALSE(r.LoadString(54321));
    EXPECT_EQ("как было", Whole(r));
    EXPECT_TRUE(CString(MAKEINTRESOURCEA(54321)).IsEmpty());
#endif
}

}  // namespace
