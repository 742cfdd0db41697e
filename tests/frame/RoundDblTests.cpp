// RoundDbl: truncation to a count of fractional digits.
#include "frame/Frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RoundDbl, CutsTowardsZeroInsteadOfRounding)
{
    const struct {
        double x;
        int nDigits;
        double dResult;
    } aCases[] = {
        {2.999, 0, 2.0},
        {-2.999, 0, -2.0},
        {0.75, 0, 0.0},
        {123456789.9, 0, 123456789.0},
        {1.239, 2, 1.23},
        {-1.239, 2, -1.23},
        {0.6667, 3, 0.666},
        {1.0 / 3.0, 3, 0.333},
        // Negative counts cut to tens and hundreds.
        {1234.0, -2, 1200.0},
        {1299.99, -1, 1290.0},
        {-1299.99, -2, -1200.0},
        {99.0, -2, 0.0},
        // Only the low sixteen bits of the count matter.
        {1234.0, 0x7FFF0000, 1234.0},
        {1234.0, 0xFFFF, 1230.0},
    };
    for (const auto& c : aCases) {
        const int nLow = c.nDigits & 0xFFFF;
        if (nLow == 0 || c.dResult == 0.0) {
            EXPECT_EQ(RoundDbl(c.x, c.nDigits), c.dResult) << c.x << " " << c.nDigits;
        } else {
            EXPECT_NEAR(RoundDbl(c.x, c.nDigits), c.dResult, nLow < 0x8000 ? 1e-12 : 1e-9) << c.x << " " << c.nDigits;
        }
    }
    EXPECT_EQ(RoundDbl(1.239, 0x10002), RoundDbl(1.239, 2));
}

TEST(RoundDbl, ScalesBackWithTheProductOfTenthsNotADivision)
{
    // 123 * (0.1 * 0.1) is 1.2300000000000002; 123 / 100 would be 1.23 exactly.
    EXPECT_EQ(RoundDbl(1.239, 2), 123.0 * (0.1 * 0.1));
    EXPECT_NE(RoundDbl(1.239, 2), 1.23);
}

TEST(RoundDbl, CountsBeyondTheReachOfADoubleGiveFiniteResults)
{
    // The factor overflows: nothing is left to cut, the value stays.
    EXPECT_EQ(RoundDbl(1.5, 400), 1.5);
    EXPECT_EQ(RoundDbl(1e10, 300), 1e10);
    EXPECT_EQ(RoundDbl(0.0, 400), 0.0);
    // The factor underflows: the value is far below one unit of that size.
    EXPECT_EQ(RoundDbl(123.0, -400), 0.0);
    EXPECT_EQ(RoundDbl(-1e300, -320), 0.0);
}

TEST(RoundDbl, NonFiniteValuesPassThrough)
{
    EXPECT_TRUE(std::isnan(RoundDbl(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(RoundDbl(std::numeric_limits<double>::infinity(), 2), std::numeric_limits<double>::infinity());
    EXPECT_EQ(RoundDbl(-std::numeric_limits<double>::infinity(), -400), -std::numeric_limits<double>::infinity());
}
