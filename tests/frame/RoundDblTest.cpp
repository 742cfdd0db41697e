// RoundDbl: truncation to a count of fractional digits.
#include "frame/Frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RoundDbl, ZeroDigitsKeepsTheIntegerPartTowardsZero)
{
    EXPECT_EQ(RoundDbl(2.999, 0), 2.0);
    EXPECT_EQ(RoundDbl(-2.999, 0), -2.0);
    EXPECT_EQ(RoundDbl(0.75, 0), 0.0);
    EXPECT_EQ(RoundDbl(123456789.9, 0), 123456789.0);
}

TEST(RoundDbl, CutsFractionalDigitsInsteadOfRounding)
{
    EXPECT_NEAR(RoundDbl(1.239, 2), 1.23, 1e-12);
    EXPECT_NEAR(RoundDbl(-1.239, 2), -1.23, 1e-12);
    EXPECT_NEAR(RoundDbl(0.6667, 3), 0.666, 1e-12);
    EXPECT_NEAR(RoundDbl(1.0 / 3.0, 3), 0.333, 1e-12);
}

TEST(RoundDbl, ScalesBackWithTheProductOfTenthsNotADivision)
{
    // 123 * (0.1 * 0.1) is 1.2300000000000002; 123 / 100 would be 1.23 exactly.
    EXPECT_EQ(RoundDbl(1.239, 2), 123.0 * (0.1 * 0.1));
    EXPECT_NE(RoundDbl(1.239, 2), 1.23);
}

TEST(RoundDbl, NegativeCountsCutToTensAndHundreds)
{
    EXPECT_NEAR(RoundDbl(1234.0, -2), 1200.0, 1e-9);
    EXPECT_NEAR(RoundDbl(1299.99, -1), 1290.0, 1e-9);
    EXPECT_NEAR(RoundDbl(-1299.99, -2), -1200.0, 1e-9);
    EXPECT_EQ(RoundDbl(99.0, -2), 0.0);
}

TEST(RoundDbl, OnlyTheLowSixteenBitsOfTheCountMatter)
{
    EXPECT_EQ(RoundDbl(1.239, 0x10002), RoundDbl(1.239, 2));
    EXPECT_EQ(RoundDbl(1234.0, 0x7FFF0000), 1234.0);  // low word 0
    EXPECT_NEAR(RoundDbl(1234.0, 0xFFFF), 1230.0, 1e-9);  // low word -1
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
