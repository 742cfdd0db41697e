// Writing and reading the calculator's number text. Expected digits are the
// exact decimal values of the doubles, rounded by hand; none comes from the C
// library, which rounds differently from one runtime to another.
#include "calc/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {
std::string Fmt(double x, int nPrecision)
{
    return (LPCSTR)FormatCalcNumber(x, nPrecision);
}

// Bit-for-bit equality, so that -0.0 differs from 0.0.
::testing::AssertionResult SameDouble(double a, double b)
{
    if (std::memcmp(&a, &b, sizeof(a)) == 0)
        return ::testing::AssertionSuccess();
    char sz[80];
    snprintf(sz, sizeof(sz), "%.17g != %.17g", a, b);
    return ::testing::AssertionFailure() << sz;
}

double Read(const char* psz)
{
    return ReadCalcNumber(psz);
}

size_t ReadLength(const char* psz)
{
    LPCSTR pEnd = NULL;
    ReadCalcNumber(psz, &pEnd);
    return (size_t)(pEnd - psz);
}

const double c_dInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(NumberTextWrite, RoundingOfTiesNearTiesAndCarries)
{
    const struct {
        double x;
        int nPrecision;
        const char* pszText;
    } aCases[] = {
        // Exact ties go away from zero.
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {0.125, 2, "0.13"},
        {-0.125, 2, "-0.13"},
        {0.375, 1, "0.4"},
        {0.375, 0, "0"},
        {0.125, 4, "0.1250"},
        // Decimal texts that are not exactly representable: the double lies just
        // below or just above the tie, and that decides.
        {1.005, 2, "1.00"},
        {2.675, 2, "2.67"},
        {0.95, 1, "0.9"},
        {2.345, 2, "2.35"},
        {1.455, 2, "1.46"},
        // The carry runs through nines.
        {99.5, 0, "100"},
        {9.9951, 2, "10.00"},
        {-999.9, 0, "-1000"},
        {2.0 / 3, 10, "0.6666666667"},
        // A negative zero, or a negative value rounding to zero, keeps its sign.
        {-0.0, 2, "-0.00"},
        {-0.0, 0, "-0"},
        {-0.001, 2, "-0.00"},
        {-0.4, 0, "-0"},
        {c_dInf, 2, "inf"},
        {-c_dInf, 0, "-inf"},
        {-std::numeric_limits<double>::quiet_NaN(), 5, "nan"},
        {c_dInf - c_dInf, 2, "nan"},
        // No point at precision 0; a negative precision is 6, as in C.
        {12.0, 0, "12"},
        {3.14159265, -1, "3.141593"},
        {0.0, 10, "0.0000000000"},
        // Digits beyond the double's seventeen are its exact binary value.
        {0.1 + 0.2, 17, "0.30000000000000004"},
        {123456789.123456789, 17, "123456789.12345679104328156"},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.pszText, Fmt(c.x, c.nPrecision)) << c.x << " at precision " << c.nPrecision;
}

TEST(NumberTextWrite, LargeValuesAreWrittenInFull)
{
    EXPECT_EQ("10000000000000000000000", Fmt(1e22, 0));
    EXPECT_EQ("10000000000000000000000.00", Fmt(1e22, 2));
    EXPECT_EQ("99999999999999991611392", Fmt(1e23, 0));
    const std::string strMax =
        "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955863276687817154045895"
        "35143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551339423045832"
        "36903222948165808559332123348274797826204144723168738177180919299881250404026184124858368";
    EXPECT_EQ(strMax, Fmt(DBL_MAX, 0));
    EXPECT_EQ("-" + strMax + ".0", Fmt(-DBL_MAX, 1));
    EXPECT_EQ("9007199254740994", Fmt(9007199254740994.0, 0));
}

TEST(NumberTextWrite, SmallestSubnormal)
{
    const double x = 5e-324;
    EXPECT_EQ("0.0000000000", Fmt(x, 10));
    EXPECT_EQ("-0.00", Fmt(-x, 2));
    // 4.94065...e-324: the 324th decimal is 4 and the next 9.
    const std::string str323 = Fmt(x, 323), str324 = Fmt(x, 324), str325 = Fmt(x, 325);
    EXPECT_EQ("0." + std::string(323, '0'), str323);
    EXPECT_EQ("0." + std::string(323, '0') + "5", str324);
    EXPECT_EQ("0." + std::string(323, '0') + "49", str325);
    // Its exact value has 1074 decimals and ends ...5625.
    const std::string strExact = Fmt(x, 1074);
    ASSERT_EQ(1076u, strExact.size());
    EXPECT_EQ("702637090279242767544565229087538682506419718265533447265625", strExact.substr(1076 - 60));
    EXPECT_EQ(strExact + "0000", Fmt(x, 1078));
}

TEST(NumberTextRead, WhereReadingStops)
{
    const struct {
        const char* pszText;
        double dValue;
        size_t nLength;
    } aCases[] = {
        {"  12.5abc", 12.5, 6},
        {"\t\n\v\f\r +3", 3.0, 8},
        {"-4-5", -4.0, 2},
        {"1,5", 1.0, 1},
        {"5.", 5.0, 2},
        {".5", 0.5, 2},
        {"-.5x", -0.5, 3},
        {"1e5", 100000.0, 3},
        {"1e", 1.0, 1},
        {"1E-z", 1.0, 1},
        {"1E-2x", 0.01, 4},
        {"1.5e+3", 1.5e3, 6},
        {"0x10", 0.0, 1},  // only decimal text: the zero before the x
        {"inf", c_dInf, 3},
        {"-Infinity", -c_dInf, 9},
        {"infinity and more", c_dInf, 8},
        {"infinit", c_dInf, 3},
    };
    for (const auto& c : aCases) {
        EXPECT_EQ(c.dValue, Read(c.pszText)) << '"' << c.pszText << '"';
        EXPECT_EQ(c.nLength, ReadLength(c.pszText)) << '"' << c.pszText << '"';
    }
}

TEST(NumberTextRead, NothingReadableIsZeroAndZeroKeepsItsSign)
{
    for (const char* psz : {"", "   ", "-", "+", ".", "-.", "+.e5", "abc", "e5", "in", "na", "--1", "- 1"}) {
        EXPECT_TRUE(SameDouble(0.0, Read(psz))) << '"' << psz << '"';
        EXPECT_EQ(0u, ReadLength(psz)) << '"' << psz << '"';
    }
    EXPECT_TRUE(SameDouble(0.0, ReadCalcNumber(NULL)));
    EXPECT_TRUE(SameDouble(-0.0, Read("-0.000e7")));
    EXPECT_TRUE(SameDouble(-0.0, Read("-1e-400")));
}

TEST(NumberTextRead, WordsForNotANumber)
{
    EXPECT_TRUE(std::isnan(Read("nan")));
    EXPECT_TRUE(std::isnan(Read("-NaN")));
    EXPECT_EQ(9u, ReadLength("NaN(12_a)x"));
    EXPECT_EQ(3u, ReadLength("nan(1 2)"));
    EXPECT_EQ(3u, ReadLength("nan("));
}

TEST(NumberTextRead, CorrectlyRounded)
{
    EXPECT_TRUE(SameDouble(0.1, Read("0.1")));
    EXPECT_TRUE(SameDouble(0.1 + 0.2, Read("0.30000000000000004")));
    EXPECT_TRUE(SameDouble(DBL_MAX, Read("1.7976931348623157e308")));
    EXPECT_TRUE(SameDouble(DBL_MAX, Read("1.7976931348623158e308")));
    EXPECT_EQ(c_dInf, Read("1.7976931348623159e308"));
    EXPECT_EQ(-c_dInf, Read("-1e999999999999999999"));
    EXPECT_TRUE(SameDouble(DBL_MIN, Read("2.2250738585072014e-308")));
    EXPECT_TRUE(SameDouble(std::nextafter(DBL_MIN, 0.0), Read("2.2250738585072011e-308")));
    EXPECT_TRUE(SameDouble(5e-324, Read("4.9406564584124654e-324")));
    // Half of the smallest subnormal is the tie between it and zero.
    EXPECT_TRUE(SameDouble(0.0, Read("2.4703282292062327e-324")));
    EXPECT_TRUE(SameDouble(5e-324, Read("2.4703282292062328e-324")));
    EXPECT_TRUE(SameDouble(0.0, Read("1e-99999999999")));
    // Ties between neighbours go to the even mantissa.
    EXPECT_EQ(9007199254740992.0, Read("9007199254740993"));
    EXPECT_EQ(9007199254740996.0, Read("9007199254740995"));
    EXPECT_EQ(9007199254740994.0, Read("9007199254740993.0000000000000000001"));
    EXPECT_EQ(1e23, Read("1e23"));
}

TEST(NumberTextRead, VeryLongTexts)
{
    // 1 + 2^-53 exactly is the tie between 1 and the next double; a nonzero
    // digit far beyond the digits kept must still tip it upwards.
    const std::string strTie = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(1.0, Read(strTie.c_str()));
    EXPECT_EQ(1.0, Read((strTie + std::string(2000, '0')).c_str()));
    const std::string strAbove = strTie + std::string(2000, '0') + "1";
    EXPECT_EQ(std::nextafter(1.0, 2.0), Read(strAbove.c_str()));
    EXPECT_EQ(strAbove.size(), ReadLength(strAbove.c_str()));
    // Many digits before the point, and many leading zeros after it.
    EXPECT_EQ(c_dInf, Read(("1" + std::string(1000, '0')).c_str()));
    EXPECT_EQ(1e300, Read(("1" + std::string(300, '0')).c_str()));
    EXPECT_EQ(1e-300, Read(("0." + std::string(299, '0') + "1").c_str()));
    EXPECT_EQ(1e-300, Read(("0." + std::string(1000, '0') + "1e701").c_str()));
    EXPECT_EQ(12345.0, Read(("12345" + std::string(900, '0') + "e-900").c_str()));
}

TEST(NumberTextRoundTrip, WrittenTextReadsBackToTheSameText)
{
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 20000; ++i) {
        uint64_t nBits = rng();
        double x;
        std::memcpy(&x, &nBits, sizeof(x));
        if (i % 2)
            x = (double)((int64_t)(rng() % 20000001) - 10000000) / (double)(1 + rng() % 997);
        const int nPrecision = (int)(rng() % 11);
        const std::string str = Fmt(x, nPrecision);
        EXPECT_EQ(str, Fmt(Read(str.c_str()), nPrecision)) << "precision " << nPrecision;
        if (std::isfinite(x) && std::fabs(x) < 1e15 && nPrecision == 10) {
            EXPECT_LE(std::fabs(Read(str.c_str()) - x), 0.5e-10 + std::fabs(x) * 1e-15);
        }
    }
    // With twenty and more significant digits the text is nearer to the double
    // than to any other, so it reads back exactly.
    for (int i = 0; i < 2000; ++i) {
        const double x = std::ldexp((double)((rng() >> 11) | (1ull << 52)), -(int)(rng() % 70));  // 7.6e-6 to 9e15
        const std::string str = Fmt(x, 25);
        EXPECT_TRUE(SameDouble(x, Read(str.c_str()))) << str;
        EXPECT_TRUE(SameDouble(-x, Read(("-" + str).c_str()))) << str;
    }
}
