// The calculator engine key by key: the texts it shows after sequences of keys
// as a user presses them, its limits and refusals, the memory list.
#include "calc/CalculatorEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// Presses the keys of a blank-separated sequence; the names are the tool's
// (neg, back, ce, c, sqrt, 1/x, mc, mr, ms, m+). Returns the number refused.
int Press(CCalculatorEngine& engine, const std::string& strKeys)
{
    int nRefused = 0;
    size_t nPos = 0;
    while (nPos < strKeys.size())
    {
        size_t nEnd = strKeys.find(' ', nPos);
        if (nEnd == std::string::npos)
            nEnd = strKeys.size();
        const std::string k = strKeys.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (k.empty())
            continue;
        if (k.size() == 1 && k[0] >= '0' && k[0] <= '9')
            nRefused += engine.Digit(k[0]) ? 0 : 1;
        else if (k == ".")
            engine.Point();
        else if (k == "neg")
            engine.Sign();
        else if (k == "back")
            engine.Back();
        else if (k == "ce")
            engine.Delop();
        else if (k == "c")
            engine.ClearCalc();
        else if (k == "+")
            engine.Add();
        else if (k == "-")
            engine.Sub();
        else if (k == "*")
            engine.Mul();
        else if (k == "/")
            engine.Div();
        else if (k == "=")
            engine.Eq();
        else if (k == "%")
            engine.Proc();
        else if (k == "sqrt")
            nRefused += engine.Sqrt() ? 0 : 1;
        else if (k == "1/x")
            engine.Subdiv();
        else if (k == "mc")
            engine.Mc();
        else if (k == "mr")
            engine.Mr();
        else if (k == "ms")
            engine.Ms();
        else if (k == "m+")
            engine.Madd();
        else
            ADD_FAILURE() << "no such key in the test: " << k;
    }
    return nRefused;
}

std::string Value(const CCalculatorEngine& engine)
{
    return (LPCSTR)engine.GetValue();
}

std::string Accum(const CCalculatorEngine& engine)
{
    return (LPCSTR)engine.GetAccum();
}

// The value shown after the keys, starting from a fresh engine.
std::string After(const std::string& strKeys, int nPrecision = 2)
{
    CCalculatorEngine engine(NULL, nPrecision);
    Press(engine, strKeys);
    return Value(engine);
}

std::string Memory(const CCalculatorEngine& engine)
{
    std::string str;
    for (int i = 0; i < engine.GetMemoryCount(); ++i)
        str += (i ? ";" : "") + std::string((LPCSTR)engine.GetMemoryItem(i));
    return str;
}
}  // namespace

TEST(CalculatorEngineStart, InitialValueIsFormatted)
{
    CCalculatorEngine engine;
    EXPECT_EQ("0.00", Value(engine));
    EXPECT_EQ("", Accum(engine));
    EXPECT_EQ(0, engine.GetOper());
    EXPECT_TRUE(engine.IsNewEntry());
    EXPECT_EQ(2, engine.GetPrecision());
    EXPECT_EQ(0, engine.GetMemoryCount());
    EXPECT_EQ(-1, engine.GetMemorySel());

    EXPECT_EQ("12.35", Value(CCalculatorEngine(" 12.345x", 2)));  // 12.3450000000000006...
    EXPECT_EQ("0", Value(CCalculatorEngine("abc", 0)));
    EXPECT_EQ("1234.5000", Value(CCalculatorEngine("1.2345e3", 4)));
    EXPECT_EQ("-0.50", Value(CCalculatorEngine("-.5", 2)));
}

TEST(CalculatorEngineStart, PrecisionIsClamped)
{
    CCalculatorEngine low("1.5", -3), high("1.5", 25);
    EXPECT_EQ(0, low.GetPrecision());
    EXPECT_EQ("2", Value(low));
    EXPECT_EQ(10, high.GetPrecision());
    EXPECT_EQ("1.5000000000", Value(high));
    high.SetPrecision(-1);
    EXPECT_EQ(0, high.GetPrecision());
    high.SetPrecision(11);
    EXPECT_EQ(10, high.GetPrecision());
    high.SetPrecision(7);
    EXPECT_EQ(7, high.GetPrecision());
}

TEST(CalculatorEngineDigits, FirstDigitReplacesThenDigitsAppend)
{
    CCalculatorEngine engine;
    EXPECT_EQ(0, Press(engine, "0 5"));
    EXPECT_EQ("05", Value(engine));  // no suppression of leading zeros
    EXPECT_FALSE(engine.IsNewEntry());
    EXPECT_FALSE(engine.Digit('x'));
    EXPECT_EQ("05", Value(engine));
}

TEST(CalculatorEngineDigits, DecimalsLimitFollowsPrecision)
{
    CCalculatorEngine engine;
    EXPECT_EQ(1, Press(engine, "1 . 2 3 4"));
    EXPECT_EQ("1.23", Value(engine));
    CCalculatorEngine whole(NULL, 0);
    EXPECT_EQ(2, Press(whole, "7 . 1 2"));
    EXPECT_EQ("7.", Value(whole));
    // A wider precision lets the next digit in without reformatting.
    engine.SetPrecision(4);
    EXPECT_EQ(0, Press(engine, "4 5"));
    EXPECT_EQ("1.2345", Value(engine));
    EXPECT_EQ(1, Press(engine, "6"));
}

TEST(CalculatorEngineDigits, SeventeenCharactersWithoutPoint)
{
    CCalculatorEngine engine;
    EXPECT_EQ(0, Press(engine, "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7"));
    EXPECT_EQ("12345678901234567", Value(engine));
    EXPECT_EQ(2, Press(engine, "8 9"));
    EXPECT_EQ("12345678901234567", Value(engine));
    // The point is still accepted, and decimals after it count separately.
    EXPECT_EQ(0, Press(engine, ". 1 2"));
    EXPECT_EQ("12345678901234567.12", Value(engine));

    CCalculatorEngine negative;
    EXPECT_EQ(0, Press(negative, "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 neg"));
    EXPECT_EQ("-1234567890123456", Value(negative));
    EXPECT_EQ(1, Press(negative, "7"));
    EXPECT_EQ("-1234567890123456", Value(negative));
}

TEST(CalculatorEngineEntry, PointAppendsOnce)
{
    CCalculatorEngine engine;
    Press(engine, "3 . . 5 .");
    EXPECT_EQ("3.5", Value(engine));
    // After a result the point is appended, and the next digit still replaces all.
    CCalculatorEngine whole(NULL, 0);
    Press(whole, "5 + 3 = .");
    EXPECT_EQ("8.", Value(whole));
    EXPECT_TRUE(whole.IsNewEntry());
    Press(whole, "4");
    EXPECT_EQ("4", Value(whole));
}

TEST(CalculatorEngineEntry, SignAndBack)
{
    CCalculatorEngine engine;
    Press(engine, "ce neg");
    EXPECT_EQ("", Value(engine));
    Press(engine, "3 neg");
    EXPECT_EQ("-3", Value(engine));
    Press(engine, "neg");
    EXPECT_EQ("3", Value(engine));
    Press(engine, "neg 5 back");
    EXPECT_EQ("-3", Value(engine));
    Press(engine, "back");
    EXPECT_EQ("-", Value(engine));
    Press(engine, "back");
    EXPECT_EQ("", Value(engine));
    Press(engine, "back");
    EXPECT_EQ("", Value(engine));
    EXPECT_EQ("", After("7 back"));
    EXPECT_EQ("-", After("5 neg back"));
}

TEST(CalculatorEngineEntry, ClearEntryAndClearAll)
{
    CCalculatorEngine engine;
    Press(engine, "5 ms ce 7 + 2");
    engine.Delop();
    EXPECT_EQ("", Value(engine));
    EXPECT_EQ("7.00", Accum(engine));
    EXPECT_EQ('+', engine.GetOper());
    Press(engine, "3 =");
    EXPECT_EQ("10.00", Value(engine));
    EXPECT_TRUE(engine.IsNewEntry());
    engine.ClearCalc();
    EXPECT_EQ("", Value(engine));
    EXPECT_FALSE(engine.IsNewEntry());
    Press(engine, "4 * c");
    EXPECT_EQ("", Accum(engine));
    EXPECT_EQ(0, engine.GetOper());
    EXPECT_EQ("5", Memory(engine));  // memory and precision stay
    EXPECT_EQ(2, engine.GetPrecision());
}

TEST(CalculatorEngineArithmetic, ChainWorksLeftToRight)
{
    EXPECT_EQ("20.00", After("2 + 3 * 4 ="));
    EXPECT_EQ("0.99", After("1 / 3 * 3 ="));  // the accumulator holds 0.33
    EXPECT_EQ("0.9999999999", After("1 / 3 * 3 =", 10));
    EXPECT_EQ("5.00", After("5 + ="));  // the empty entry reads as 0
    EXPECT_EQ("2.50", After("1 0 / 4 ="));
    EXPECT_EQ("-7.50", After("2 . 5 - 1 0 ="));
}

TEST(CalculatorEngineArithmetic, PendingOperatorShownAndAccumulated)
{
    CCalculatorEngine engine;
    Press(engine, "1 2");
    engine.Mul();
    EXPECT_EQ("12.00", Accum(engine));
    EXPECT_EQ('*', engine.GetOper());
    EXPECT_EQ("", Value(engine));
    Press(engine, "2 +");
    EXPECT_EQ("24.00", Accum(engine));
    EXPECT_EQ('+', engine.GetOper());
}

TEST(CalculatorEngineArithmetic, ZeroAccumulatorIsAnOperand)
{
    // A zero that was written as the running result takes part like any number.
    EXPECT_EQ("-5.00", After("0 - 5 ="));
    EXPECT_EQ("-3.00", After("5 - 5 - 3 ="));
    EXPECT_EQ("0.00", After("0 * 5 ="));
    EXPECT_EQ("0.00", After("5 - 5 / 4 ="));
    // With no accumulator at all the entry stands alone.
    CCalculatorEngine engine;
    EXPECT_EQ("5.00", std::string(engine.GetOperValue("5", "", '-')));
    EXPECT_EQ("5.00", std::string(engine.GetOperValue("5", NULL, '*')));
    EXPECT_EQ("5.00", std::string(engine.GetOperValue("5", "", '/')));
    EXPECT_EQ("8.00", std::string(engine.GetOperValue("5", "3", '+')));
}

TEST(CalculatorEngineArithmetic, GetOperValueTable)
{
    CCalculatorEngine engine(NULL, 3);
    EXPECT_EQ("7.500", std::string(engine.GetOperValue("2.5", "5", '+')));
    EXPECT_EQ("2.500", std::string(engine.GetOperValue("2.5", "5", '-')));
    EXPECT_EQ("12.500", std::string(engine.GetOperValue("2.5", "5", '*')));
    EXPECT_EQ("2.000", std::string(engine.GetOperValue("2.5", "5", '/')));
    EXPECT_EQ("0.000", std::string(engine.GetOperValue("0", "5", '/')));
    EXPECT_EQ("0.000", std::string(engine.GetOperValue("", "5", '/')));
    EXPECT_EQ("2.500", std::string(engine.GetOperValue("2.5", "5", 0)));
    EXPECT_EQ("2.500", std::string(engine.GetOperValue("2.5", "5", '^')));
    EXPECT_EQ("0.333", std::string(engine.GetOperValue("3", "1", '/')));
}

TEST(CalculatorEngineArithmetic, DivisionByZero)
{
    EXPECT_EQ("0.00", After("9 / 0 ="));
    CCalculatorEngine engine;
    Press(engine, "0 /");  // ignored: no operation becomes pending
    EXPECT_EQ(0, engine.GetOper());
    EXPECT_EQ("", Accum(engine));
    EXPECT_EQ("0", Value(engine));
    CCalculatorEngine empty;
    Press(empty, "ce /");
    EXPECT_EQ(0, empty.GetOper());
}

TEST(CalculatorEngineArithmetic, ChangingTheOperator)
{
    CCalculatorEngine plusMinus;
    Press(plusMinus, "5 + -");
    EXPECT_EQ("5.00", Accum(plusMinus));
    EXPECT_EQ('-', plusMinus.GetOper());
    CCalculatorEngine timesTwice;
    Press(timesTwice, "5 * *");
    EXPECT_EQ("0.00", Accum(timesTwice));
    CCalculatorEngine divideTwice;
    Press(divideTwice, "5 / /");
    EXPECT_EQ("5.00", Accum(divideTwice));
    EXPECT_EQ('/', divideTwice.GetOper());
}

TEST(CalculatorEngineArithmetic, EqualsTwiceDoesNotRepeat)
{
    CCalculatorEngine engine;
    Press(engine, "6 + 4 =");
    EXPECT_EQ("10.00", Value(engine));
    Press(engine, "=");
    EXPECT_EQ("10.00", Value(engine));
    // A second equals writes the entry again at the current precision.
    engine.SetPrecision(4);
    Press(engine, "=");
    EXPECT_EQ("10.0000", Value(engine));
}

TEST(CalculatorEngineArithmetic, ResultsAreRoundedAtEveryStep)
{
    CCalculatorEngine engine;
    Press(engine, "1 / 3 =");
    EXPECT_EQ("0.33", Value(engine));
    engine.SetPrecision(4);
    EXPECT_EQ("0.33", Value(engine));  // nothing shown is reformatted
    Press(engine, "* 3 =");
    EXPECT_EQ("0.9900", Value(engine));
}

TEST(CalculatorEngineFunctions, Percent)
{
    EXPECT_EQ("220.00", After("2 0 0 + 1 0 % ="));
    EXPECT_EQ("4000.00", After("2 0 0 * 1 0 % ="));
    EXPECT_EQ("0.00", After("1 0 %"));  // no accumulator
    CCalculatorEngine engine;
    Press(engine, "5 0 + 1 0 %");
    EXPECT_EQ("5.00", Value(engine));
    EXPECT_EQ("50.00", Accum(engine));
    EXPECT_EQ('+', engine.GetOper());
    EXPECT_TRUE(engine.IsNewEntry());
}

TEST(CalculatorEngineFunctions, SquareRoot)
{
    EXPECT_EQ("1.41", After("2 sqrt"));
    EXPECT_EQ("3.00", After("9 sqrt"));
    CCalculatorEngine engine;
    Press(engine, "1 6 sqrt");
    EXPECT_EQ("4.00", Value(engine));
    EXPECT_FALSE(engine.IsNewEntry());  // the flag does not change
    // A negative entry is refused and nothing changes.
    CCalculatorEngine negative;
    EXPECT_EQ(1, Press(negative, "4 neg sqrt"));
    EXPECT_EQ("-4", Value(negative));
    EXPECT_EQ("0.00", After("ce sqrt"));
    EXPECT_EQ("-0.00", After("0 neg sqrt"));  // the root of -0 is -0
}

TEST(CalculatorEngineFunctions, Reciprocal)
{
    EXPECT_EQ("0.25", After("4 1/x"));
    EXPECT_EQ("-0.50", After("2 neg 1/x"));
    EXPECT_EQ("0", After("0 1/x"));  // ignored
    EXPECT_EQ("", After("ce 1/x"));
    EXPECT_EQ("0.3333333333", After("3 1/x", 10));
}

TEST(CalculatorEngineFunctions, OverflowAndNotANumber)
{
    CCalculatorEngine engine("1e308", 0);
    Press(engine, "* 1 0 =");
    EXPECT_EQ("inf", Value(engine));
    Press(engine, "neg");
    EXPECT_EQ("-inf", Value(engine));
    Press(engine, "+");
    EXPECT_EQ("-inf", Accum(engine));
    // inf - inf is not a number; the texts read back as such values.
    CCalculatorEngine nan("inf", 2);
    EXPECT_EQ("inf", Value(nan));
    Press(nan, "ms - mr =");
    EXPECT_EQ("nan", Value(nan));
    EXPECT_EQ(0, Press(nan, "sqrt"));
    EXPECT_EQ("nan", Value(nan));
    EXPECT_EQ("nan", std::string(nan.GetOperValue("nan", "2", '+')));
    EXPECT_EQ("inf", std::string(nan.GetOperValue("infinity", "1", '*')));
}

TEST(CalculatorEngineMemory, StoreRecallClear)
{
    CCalculatorEngine engine;
    Press(engine, "1 . 5 ms");
    EXPECT_EQ("1.5", Memory(engine));  // stored as typed, not reformatted
    EXPECT_EQ(0, engine.GetMemorySel());
    Press(engine, "ce 2 ms");
    EXPECT_EQ("1.5;2", Memory(engine));
    EXPECT_EQ(1, engine.GetMemorySel());
    Press(engine, "ce mr");
    EXPECT_EQ("2", Value(engine));
    engine.SelectMemory(0);
    Press(engine, "mr");
    EXPECT_EQ("1.5", Value(engine));
    engine.SelectMemory(2);
    engine.SelectMemory(-1);
    EXPECT_EQ(0, engine.GetMemorySel());
    Press(engine, "mc");
    EXPECT_EQ(0, engine.GetMemoryCount());
    EXPECT_EQ(-1, engine.GetMemorySel());
    Press(engine, "7 mr");  // nothing to recall
    EXPECT_EQ("1.57", Value(engine));
}

TEST(CalculatorEngineMemory, ZeroIsNotStoredButAddedToEmptyMemory)
{
    CCalculatorEngine engine;
    Press(engine, "ms");
    EXPECT_EQ(0, engine.GetMemoryCount());
    Press(engine, "ce ms");
    EXPECT_EQ(0, engine.GetMemoryCount());
    Press(engine, "m+");  // empty entry: nothing
    EXPECT_EQ(0, engine.GetMemoryCount());
    CCalculatorEngine zero;
    Press(zero, "m+");
    EXPECT_EQ("0.00", Memory(zero));
    EXPECT_EQ(0, zero.GetMemorySel());
}

TEST(CalculatorEngineMemory, AddGoesToTheSelectedItem)
{
    CCalculatorEngine engine;
    Press(engine, "5 m+");
    EXPECT_EQ("5", Memory(engine));
    Press(engine, "ce 1 0 ms ce 2 . 2 5 m+");
    EXPECT_EQ("5;12.25", Memory(engine));
    EXPECT_EQ(1, engine.GetMemorySel());
    engine.SelectMemory(0);
    Press(engine, "m+");
    EXPECT_EQ("7.25;12.25", Memory(engine));
    EXPECT_EQ(0, engine.GetMemorySel());
    engine.SetPrecision(0);
    Press(engine, "m+");
    EXPECT_EQ("10;12.25", Memory(engine));  // 9.5 written at precision 0
    EXPECT_EQ("2.25", Value(engine));
}
