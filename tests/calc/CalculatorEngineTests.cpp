// The calculator engine key by key: the texts it shows after sequences of keys
// as a user presses them, its limits and refusals, the memory list.
#include "calc/CalculatorEngine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace {
// Presses the keys of a blank-separated sequence; the names are the tool's
// (neg, back, ce, c, sqrt, 1/x, mc, mr, ms, m+, prec:N, msel:I); any other
// single character is offered as a digit. Returns the number of keys refused.
int Press(CCalculatorEngine& engine, const std::string& strKeys)
{
    typedef void (CCalculatorEngine::*PKey)();
    static const std::map<std::string, PKey> s_keys = {
        {".", &CCalculatorEngine::Point},  {"neg", &CCalculatorEngine::Sign},    {"back", &CCalculatorEngine::Back},
        {"ce", &CCalculatorEngine::Delop}, {"c", &CCalculatorEngine::ClearCalc}, {"+", &CCalculatorEngine::Add},
        {"-", &CCalculatorEngine::Sub},    {"*", &CCalculatorEngine::Mul},       {"/", &CCalculatorEngine::Div},
        {"=", &CCalculatorEngine::Eq},     {"%", &CCalculatorEngine::Proc},      {"1/x", &CCalculatorEngine::Subdiv},
        {"mc", &CCalculatorEngine::Mc},    {"mr", &CCalculatorEngine::Mr},       {"ms", &CCalculatorEngine::Ms},
        {"m+", &CCalculatorEngine::Madd}};
    int nRefused = 0;
    size_t nPos = 0;
    while (nPos < strKeys.size()) {
        size_t nEnd = strKeys.find(' ', nPos);
        if (nEnd == std::string::npos)
            nEnd = strKeys.size();
        const std::string k = strKeys.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        const auto it = s_keys.find(k);
        if (k.empty())
            continue;
        else if (it != s_keys.end())
            (engine.*(it->second))();
        else if (k == "sqrt")
            nRefused += engine.Sqrt() ? 0 : 1;
        else if (k.compare(0, 5, "prec:") == 0)
            engine.SetPrecision(std::atoi(k.c_str() + 5));
        else if (k.compare(0, 5, "msel:") == 0)
            engine.SelectMemory(std::atoi(k.c_str() + 5));
        else if (k.size() == 1)
            nRefused += engine.Digit(k[0]) ? 0 : 1;
        else
            ADD_FAILURE() << "no such key in the test: " << k;
    }
    return nRefused;
}

// What the dialog shows: value|accumulator|operation|memory items, the
// selected one after @.
std::string State(const CCalculatorEngine& engine)
{
    std::string str = std::string((LPCSTR)engine.GetValue()) + "|" + (LPCSTR)engine.GetAccum() + "|" +
                      (engine.GetOper() ? std::string(1, engine.GetOper()) : "") + "|";
    for (int i = 0; i < engine.GetMemoryCount(); ++i)
        str += (i ? ";" : "") + std::string((LPCSTR)engine.GetMemoryItem(i));
    if (engine.GetMemorySel() != -1)
        str += "@" + std::to_string(engine.GetMemorySel());
    return str;
}

struct CKeysCase {
    const char* pszInit;  // the initial value given to the constructor
    int nPrecision;
    const char* pszKeys;
    const char* pszState;
    int nRefused;
    int nNewEntry;  // -1: not checked
};

template <size_t N>
void CheckCases(const CKeysCase (&aCases)[N])
{
    for (const CKeysCase& c : aCases) {
        SCOPED_TRACE(std::string("keys \"") + c.pszKeys + "\" at precision " + std::to_string(c.nPrecision));
        CCalculatorEngine engine(c.pszInit, c.nPrecision);
        EXPECT_EQ(c.nRefused, Press(engine, c.pszKeys));
        EXPECT_EQ(c.pszState, State(engine));
        if (c.nNewEntry >= 0) {
            EXPECT_EQ(c.nNewEntry != 0, engine.IsNewEntry());
        }
    }
}
}  // namespace

TEST(CalculatorEngineStart, InitialValueIsFormattedAndPrecisionClamped)
{
    const CKeysCase aCases[] = {
        {NULL, 2, "", "0.00|||", 0, 1},
        {" 12.345x", 2, "", "12.35|||", 0, 1},  // 12.3450000000000006...
        {"abc", 0, "", "0|||", 0, 1},
        {"-.5", 2, "", "-0.50|||", 0, 1},
        {"1.5", -3, "", "2|||", 0, 1},             // precision clamped to 0
        {"1.5", 25, "", "1.5000000000|||", 0, 1},  // and to 10
        {"1.5", 2, "= prec:-1 =", "2|||", 0, 1},   // and so is a later one
        {"1.5", 2, "= prec:11 =", "1.5000000000|||", 0, 1},
    };
    CheckCases(aCases);
}

TEST(CalculatorEngineDigits, EntryLimitsAndRefusals)
{
    const char* const psz16 = "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6";
    const std::string str17 = std::string(psz16) + " 7";
    const std::string strNeg = std::string(psz16) + " neg";
    const std::string aKeys[] = {str17, str17 + " 8 9", str17 + " 8 9 . 1 2", strNeg, strNeg + " 7"};
    const CKeysCase aCases[] = {
        {NULL, 2, "0 5", "05|||", 0, 0},  // no suppression of leading zeros
        {NULL, 2, "1 . 2 3 4", "1.23|||", 1, 0},
        {NULL, 0, "7 . 1 2", "7.|||", 2, 0},
        // A wider precision lets the next digit in without reformatting.
        {NULL, 2, "1 . 2 3 4 prec:4 4 5", "1.2345|||", 1, 0},
        {NULL, 2, "1 . 2 3 4 prec:4 4 5 6", "1.2345|||", 2, 0},
        // Seventeen characters without a point, the minus sign among them; the
        // point is still accepted, and decimals after it count separately.
        {NULL, 2, aKeys[0].c_str(), "12345678901234567|||", 0, 0},
        {NULL, 2, aKeys[1].c_str(), "12345678901234567|||", 2, 0},
        {NULL, 2, aKeys[2].c_str(), "12345678901234567.12|||", 2, 0},
        {NULL, 2, aKeys[3].c_str(), "-1234567890123456|||", 0, 0},
        {NULL, 2, aKeys[4].c_str(), "-1234567890123456|||", 1, 0},
    };
    CheckCases(aCases);
}

TEST(CalculatorEngineEntry, PointSignBackAndClearing)
{
    const CKeysCase aCases[] = {
        {NULL, 2, "3 . . 5 .", "3.5|||", 0, 0},
        // After a result the point is appended, and the next digit still replaces all.
        {NULL, 0, "5 + 3 = .", "8.|||", 0, 1},
        {NULL, 0, "5 + 3 = . 4", "4|||", 0, 0},
        {NULL, 2, "ce neg", "|||", 0, 0},
        {NULL, 2, "ce neg 3 neg", "-3|||", 0, 0},
        {NULL, 2, "ce neg 3 neg neg", "3|||", 0, 0},
        {NULL, 2, "ce neg 3 neg neg neg 5 back back", "-|||", 0, 0},
        {NULL, 2, "ce neg 3 neg neg neg 5 back back back back", "|||", 0, 0},
        {NULL, 2, "7 back", "|||", 0, 0},
        {NULL, 2, "5 neg back", "-|||", 0, 0},
        {NULL, 2, "5 ms ce 7 + 2 ce", "|7.00|+|5@0", 0, 0},
        // Clearing all keeps the memory and the precision.
        {NULL, 2, "5 ms ce 7 + 2 ce 3 = c", "|||5@0", 0, 0},
        {NULL, 2, "5 ms ce 7 + 2 ce 3 = c 4 * c 1 . 2 3 4", "1.23|||5@0", 1, 0},
    };
    CheckCases(aCases);
}

TEST(CalculatorEngineArithmetic, KeySequences)
{
    const CKeysCase aCases[] = {
        {NULL, 2, "2 + 3 * 4 =", "20.00|||", 0, 1},  // left to right
        {NULL, 2, "1 / 3 * 3 =", "0.99|||", 0, 1},   // the accumulator holds 0.33
        {NULL, 10, "1 / 3 * 3 =", "0.9999999999|||", 0, 1},
        {NULL, 2, "5 + =", "5.00|||", 0, 1},  // the empty entry reads as 0
        {NULL, 2, "1 2 * 2 +", "|24.00|+|", 0, 0},
        // A zero that was written as the running result takes part like any number.
        {NULL, 2, "0 - 5 =", "-5.00|||", 0, 1},
        {NULL, 2, "0 * 5 =", "0.00|||", 0, 1},
        // Division by zero: the zero divisor gives 0, a zero entry ignores the key.
        {NULL, 2, "9 / 0 =", "0.00|||", 0, 1},
        {NULL, 2, "0 /", "0|||", 0, 0},
        {NULL, 2, "ce /", "|||", 0, 0},
        // Changing the operator applies the pending one to the empty entry first.
        {NULL, 2, "5 + -", "|5.00|-|", 0, 0},
        {NULL, 2, "5 * *", "|0.00|*|", 0, 0},
        {NULL, 2, "5 / /", "|5.00|/|", 0, 0},
        // A second equals does not repeat; it writes the entry at the current precision.
        {NULL, 2, "6 + 4 = = prec:4 =", "10.0000|||", 0, 1},
        // Results are rounded at every step, and nothing shown is reformatted.
        {NULL, 2, "1 / 3 = prec:4 * 3 =", "0.9900|||", 0, 1},
    };
    CheckCases(aCases);
}

TEST(CalculatorEngineArithmetic, GetOperValueTable)
{
    struct {
        int nPrecision;
        const char* pszValue;
        const char* pszAccum;
        char chOper;
        const char* pszResult;
    } const aCases[] = {
        // Plain operations are walked by the keys above; here the odd inputs.
        {3, "2.5", "5", '/', "2.000"},
        {3, "0", "5", '/', "0.000"},
        {3, "", "5", '/', "0.000"},
        {3, "2.5", "5", 0, "2.500"},
        {3, "2.5", "5", '^', "2.500"},
        {3, "3", "1", '/', "0.333"},
        // With no accumulator at all the entry stands alone.
        {2, "5", "", '-', "5.00"},
        {2, "5", NULL, '*', "5.00"},
        {2, "5", "", '/', "5.00"},
        {2, "nan", "2", '+', "nan"},
        {2, "infinity", "1", '*', "inf"},
    };
    for (const auto& c : aCases) {
        CCalculatorEngine engine(NULL, c.nPrecision);
        EXPECT_EQ(c.pszResult, std::string(engine.GetOperValue(c.pszValue, c.pszAccum, c.chOper)))
            << c.pszValue << " " << (c.pszAccum ? c.pszAccum : "(null)") << " " << c.chOper;
    }
}

TEST(CalculatorEngineFunctions, PercentRootReciprocalAndNotFiniteValues)
{
    const CKeysCase aCases[] = {
        {NULL, 2, "2 0 0 + 1 0 % =", "220.00|||", 0, 1},
        {NULL, 2, "2 0 0 * 1 0 % =", "4000.00|||", 0, 1},
        {NULL, 2, "1 0 %", "0.00|||", 0, 1},  // no accumulator
        {NULL, 2, "5 0 + 1 0 %", "5.00|50.00|+|", 0, 1},
        {NULL, 2, "2 sqrt", "1.41|||", 0, 0},
        {NULL, 2, "1 6 sqrt", "4.00|||", 0, 0},  // the new-entry flag does not change
        {NULL, 2, "4 neg sqrt", "-4|||", 1, 0},  // refused, nothing changes
        {NULL, 2, "ce sqrt", "0.00|||", 0, 0},
        {NULL, 2, "0 neg sqrt", "-0.00|||", 0, 0},  // the root of -0 is -0
        {NULL, 2, "4 1/x", "0.25|||", 0, 0},
        {NULL, 2, "2 neg 1/x", "-0.50|||", 0, 0},
        {NULL, 2, "0 1/x", "0|||", 0, 0},  // ignored
        {NULL, 2, "ce 1/x", "|||", 0, 0},
        {NULL, 10, "3 1/x", "0.3333333333|||", 0, 0},
        {"1e308", 0, "* 1 0 =", "inf|||", 0, 1},
        {"1e308", 0, "* 1 0 = neg +", "|-inf|+|", 0, 1},
        // inf - inf is not a number; the texts read back as such values.
        {"inf", 2, "ms - mr =", "nan|||inf@0", 0, 1},
        {"inf", 2, "ms - mr = sqrt", "nan|||inf@0", 0, 1},
    };
    CheckCases(aCases);
}

TEST(CalculatorEngineMemory, StoreRecallSelectAddClear)
{
    const CKeysCase aCases[] = {
        {NULL, 2, "1 . 5 ms", "1.5|||1.5@0", 0, 0},  // stored as typed, not reformatted
        {NULL, 2, "1 . 5 ms ce 2 ms msel:0 mr", "1.5|||1.5;2@0", 0, 0},
        {NULL, 2, "1 . 5 ms ce 2 ms msel:0 msel:2 msel:-1", "2|||1.5;2@0", 0, 0},
        {NULL, 2, "1 . 5 ms ce 2 ms mc 7 mr", "27|||", 0, 0},  // nothing to recall
        // Zero is not stored, but M+ puts it into an empty memory.
        {NULL, 2, "ms", "0.00|||", 0, 1},
        {NULL, 2, "ce ms m+", "|||", 0, 0},
        {NULL, 2, "m+", "0.00|||0.00@0", 0, 1},
        // M+ adds to the selected item, written at the current precision.
        {NULL, 2, "5 m+ ce 1 0 ms ce 2 . 2 5 m+", "2.25|||5;12.25@1", 0, 0},
        {NULL, 2, "5 m+ ce 1 0 ms ce 2 . 2 5 m+ msel:0 m+ prec:0 m+", "2.25|||10;12.25@0", 0, 0},
    };
    CheckCases(aCases);
}

TEST(CalculatorEngineStart, ResetStartsOverFromItsOwnValue)
{
    CCalculatorEngine engine("4", 2);
    Press(engine, "5 ms + 3");
    // The engine's own text is a valid source for the new value.
    engine.Reset(engine.GetValue(), 12);
    EXPECT_EQ("3.0000000000|||", State(engine));
    EXPECT_TRUE(engine.IsNewEntry());
    Press(engine, "7");
    EXPECT_EQ("7|||", State(engine));
    engine.Reset(NULL, 0);
    EXPECT_EQ("0|||", State(engine));
}
