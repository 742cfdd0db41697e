// What the calculator's case table (tests/data/calc.txt) cannot reach: the
// number text over many values (beyond the engine's ten decimals, below its
// smallest shown value, very long texts, its own round trip under both
// runtimes). Where reading stops shows in the table as a refused initial
// value; the engine's reset, in the dialog reopened.
#include "calc/CalculatorEngine.h"
#include "calc/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {
std::string Fmt(double x, int nPrecision)
{
    return (LPCSTR)FormatCalcNumber(x, nPrecision);
}

// Bit for bit, so that -0.0 differs from 0.0.
bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}
}  // namespace

#ifndef _WIN32
// The GNU C library reads decimal text correctly rounded and writes the exact
// value rounded to the precision, as the number text does; only exact ties
// differ (to even there, away from zero here: the table's cases).
TEST(NumberText, ReadAndWrittenAsTheGnuCLibraryDoes)
{
    std::mt19937_64 rng(20240611);
    const char* const apszTails[] = {"", "", "e", "E+", ".", "x", " 1", "e-z"};
    for (int i = 0; i < 20000; ++i) {
        // Up to 25 digits, or far more than the 800 kept, with a point and an
        // exponent anywhere from overflow to below the smallest subnormal.
        std::string str = i % 7 == 0 ? " -" : i % 5 == 0 ? "+" : "";
        const size_t nDigits = i % 50 == 0 ? 790 + rng() % 30 : 1 + rng() % 25;
        for (size_t k = 0; k < nDigits; ++k)
            str += (char)('0' + rng() % 10);
        str.insert(str.size() - rng() % (nDigits + 1), ".");
        if (i % 3)
            str += "e" + std::to_string((int)(rng() % 680) - 350);
        str += apszTails[rng() % 8];
        LPCSTR pEnd = NULL;
        char* pszEnd = NULL;
        const double x = ReadCalcNumber(str.c_str(), &pEnd);
        EXPECT_TRUE(Same(strtod(str.c_str(), &pszEnd), x)) << str;
        EXPECT_EQ(pszEnd, pEnd) << str;

        uint64_t nBits = rng();
        double y;
        std::memcpy(&y, &nBits, sizeof(y));
        if (!std::isfinite(y))
            continue;
        const int nPrecision = i % 100 == 0 ? 1074 : (int)(rng() % 40);
        static char s_szExact[1500], s_szRounded[1500];
        snprintf(s_szExact, sizeof(s_szExact), "%.1080f", y);
        snprintf(s_szRounded, sizeof(s_szRounded), "%.*f", nPrecision, y);
        const std::string strTail = std::strchr(s_szExact, '.') + 1 + nPrecision;
        if (strTail[0] != '5' || strTail.find_first_not_of('0', 1) != std::string::npos) {
            EXPECT_EQ(s_szRounded, Fmt(y, nPrecision)) << s_szExact;
        }
    }
}
#endif

TEST(NumberText, ReadsBackWhatItWrote)
{
    std::mt19937_64 rng(20240612);
    // With twenty and more significant digits the text is nearer to the double
    // than to any other, so it reads back exactly.
    for (int i = 0; i < 2000; ++i) {
        const double x = std::ldexp((double)((rng() >> 11) | (1ull << 52)), -(int)(rng() % 70));  // 7.6e-6 to 9e15
        const std::string str = Fmt(x, 25);
        EXPECT_TRUE(Same(x, ReadCalcNumber(str.c_str()))) << str;
        EXPECT_TRUE(Same(-x, ReadCalcNumber(("-" + str).c_str()))) << str;
    }
    // 1 + 2^-53 exactly is the tie between 1 and the next double; a nonzero
    // digit far beyond the digits kept must still tip it upwards.
    const std::string strTie = "1.00000000000000011102230246251565404236316680908203125" + std::string(2000, '0');
    EXPECT_EQ(1.0, ReadCalcNumber(strTie.c_str()));
    EXPECT_EQ(std::nextafter(1.0, 2.0), ReadCalcNumber((strTie + "1").c_str()));
}

