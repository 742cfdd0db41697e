// COleDateTime and COleDateTimeSpan: the DATE encoding on both sides of
// 1899-12-30, refusal of impossible dates, rounding to the second, ordering
// and arithmetic across the non-linear negative range, and status propagation.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <ctime>
#include <limits>

#include <afx.h>
#ifdef _WIN32
#    include <windows.h>
#    include <oleauto.h>
#endif

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// yyyymmddhhmmss of a date, -1 when it has no parts.
long long Stamp(const COleDateTime& d)
{
    if (d.GetYear() == AFX_OLE_DATETIME_ERROR)
        return -1;
    return ((((d.GetYear() * 100LL + d.GetMonth()) * 100 + d.GetDay()) * 100 + d.GetHour()) * 100 + d.GetMinute()) *
               100 +
           d.GetSecond();
}

TEST(DateTime, PartsEncodeAndDecodeAsAutomationDates)
{
    // Hand-computed: the epoch, dates after it, and dates before it, whose
    // fraction is still the time of day.
    const struct {
        int nYear, nMonth, nDay, nHour;
        DATE dt;
        int nDayOfWeek, nDayOfYear;
    } cases[] = {
        // clang-format off
        {1899, 12, 30, 0, 0.0, 7, 364}, {1899, 12, 30, 12, 0.5, 7, 364}, {1900, 3, 1, 0, 61.0, 5, 60},
        {2000, 1, 1, 18, 36526.75, 7, 1}, {2024, 3, 15, 6, 45366.25, 6, 75}, {2024, 12, 31, 0, 45657.0, 3, 366},
        {1899, 12, 29, 6, -1.25, 6, 363}, {1899, 12, 29, 18, -1.75, 6, 363}, {1899, 12, 24, 0, -6.0, 1, 358},
        {100, 1, 1, 12, -657434.5, 6, 1}, {9999, 12, 31, 0, 2958465.0, 6, 365},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dt);
        COleDateTime fromParts(c.nYear, c.nMonth, c.nDay, c.nHour, 0, 0);
        EXPECT_EQ(fromParts.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(fromParts.m_dt, c.dt);
        COleDateTime fromDate(c.dt);
        EXPECT_EQ(Stamp(fromDate), ((c.nYear * 100LL + c.nMonth) * 100 + c.nDay) * 1000000 + c.nHour * 10000);
        EXPECT_EQ(fromDate.GetDayOfWeek(), c.nDayOfWeek);
        EXPECT_EQ(fromDate.GetDayOfYear(), c.nDayOfYear);
    }
}

TEST(DateTime, EveryDayFollowsTheDayBefore)
{
    // Walks the whole calendar and checks each day against the previous one,
    // which proves the conversion without repeating its arithmetic.
    COleDateTime prev(-657434.0);
    int nPrevDay = prev.GetDay(), nPrevWeekDay = prev.GetDayOfWeek();
    for (long nDay = -657433; nDay <= 2958465; ++nDay) {
        const COleDateTime cur(static_cast<DATE>(nDay));
        const int nCurDay = cur.GetDay(), nCurWeekDay = cur.GetDayOfWeek();
        ASSERT_EQ(nCurWeekDay, nPrevWeekDay % 7 + 1) << nDay;
        if (nCurDay != 1) {
            ASSERT_EQ(nCurDay, nPrevDay + 1) << nDay;
        } else {
            // A new month: the one that ended had its right length.
            const int nYear = prev.GetYear(), nMonth = prev.GetMonth();
            const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
            const int anLength[12] = {31, bLeap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            ASSERT_EQ(nPrevDay, anLength[nMonth - 1]) << nDay;
            ASSERT_EQ(cur.GetYear() * 12 + cur.GetMonth(), nYear * 12 + nMonth + 1) << nDay;
            if (nMonth == 12) {
                ASSERT_EQ(prev.GetDayOfYear(), bLeap ? 366 : 365) << nDay;
                ASSERT_EQ(cur.GetDayOfYear(), 1) << nDay;
            }
        }
        prev = cur;
        nPrevDay = nCurDay;
        nPrevWeekDay = nCurWeekDay;
    }
    EXPECT_EQ(Stamp(prev), 99991231000000);
}

TEST(DateTime, ImpossibleDatesAreInvalid)
{
    // clang-format off
    const int bad[][6] = {{2023, 2, 31, 0, 0, 0}, {2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2023, 4, 31, 0, 0, 0},
        {2023, 13, 1, 0, 0, 0}, {2023, 0, 1, 0, 0, 0}, {2023, 1, 0, 0, 0, 0}, {2023, 1, 1, 24, 0, 0},
        {2023, 1, 1, 0, 60, 0}, {2023, 1, 1, 0, 0, 60}, {2023, 1, 1, -1, 0, 0}, {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0}};
    // clang-format on
    for (const auto& b : bad) {
        COleDateTime date(b[0], b[1], b[2], b[3], b[4], b[5]);
        EXPECT_EQ(date.GetStatus(), COleDateTime::invalid) << b[0] << "-" << b[1] << "-" << b[2];
        EXPECT_EQ(Stamp(date), -1);
        EXPECT_EQ(date.GetDayOfWeek(), AFX_OLE_DATETIME_ERROR);
    }
    EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
    for (DATE dt : {-657435.0, 2958466.0, 1e300, -1e300, kNaN, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(COleDateTime(dt).GetStatus(), COleDateTime::invalid) << dt;

    // The setters report the refusal and keep the value; SetDate starts the
    // day at midnight, SetTime puts the time on 1899-12-30.
    COleDateTime date(2024, 3, 15, 14, 35, 10);
    EXPECT_EQ(date.SetDate(2024, 2, 30), 1);
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(date.m_dt, COleDateTime(2024, 3, 15, 14, 35, 10).m_dt);
    EXPECT_EQ(date.SetDate(2024, 3, 16), 0);
    EXPECT_EQ(Stamp(date), 20240316000000);
    EXPECT_EQ(date.SetTime(7, 8, 9), 0);
    EXPECT_EQ(Stamp(date), 18991230070809);
    EXPECT_EQ(date.SetTime(7, 61, 9), 1);
    // A status set by hand is honoured by the accessors.
    date = 2958465.5;
    date.SetStatus(COleDateTime::null);
    EXPECT_EQ(date.GetHour(), AFX_OLE_DATETIME_ERROR);
}

TEST(DateTime, PartsRoundToTheNearestSecond)
{
    const double dSecond = 1.0 / 86400.0;
    EXPECT_EQ(Stamp(COleDateTime(45366.0 + 36000.4 * dSecond)), 20240315100000);
    EXPECT_EQ(Stamp(COleDateTime(45366.0 + 36000.6 * dSecond)), 20240315100001);
    // 23:59:59.7 is the next day's midnight, on both sides of 1899-12-30.
    EXPECT_EQ(Stamp(COleDateTime(45366.0 + 86399.7 * dSecond)), 20240316000000);
    EXPECT_EQ(Stamp(COleDateTime(-(1.0 + 86399.7 * dSecond))), 18991230000000);
    EXPECT_EQ(Stamp(COleDateTime(-(86399.7 * dSecond))), 18991231000000);
    // The last instant of 9999 cannot round into year 10000.
    COleDateTime last(2958465.0 + 86399.7 * dSecond);
    EXPECT_EQ(last.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Stamp(last), -1);
}

TEST(DateTime, OrderAndArithmeticFollowTimeAcrossTheNegativeEncoding)
{
    const COleDateTime morning(-1.25);  // 1899-12-29 06:00
    const COleDateTime evening(-1.75);  // 1899-12-29 18:00, a smaller DATE
    EXPECT_TRUE(morning < evening && evening > morning && morning <= evening && !(morning >= evening));
    EXPECT_TRUE(COleDateTime(-0.5) == COleDateTime(0.5));  // one moment, two encodings
    EXPECT_TRUE(COleDateTime(-2.0) < COleDateTime(-1.9) && COleDateTime(-1.9) < COleDateTime(0.1));

    const COleDateTimeSpan twelveHours(0, 12, 0, 0);
    const COleDateTime next = evening + twelveHours;
    EXPECT_DOUBLE_EQ(next.m_dt, 0.25);  // 1899-12-30 06:00
    EXPECT_TRUE(next - evening == twelveHours);
    EXPECT_DOUBLE_EQ((evening - next).GetTotalHours(), -12.0);
    EXPECT_DOUBLE_EQ((next - twelveHours).m_dt, -1.75);
    COleDateTime moving(morning);
    moving += COleDateTimeSpan(0.5);
    EXPECT_DOUBLE_EQ(moving.m_dt, -1.75);
    moving -= COleDateTimeSpan(2, 0, 0, 0);
    EXPECT_EQ(Stamp(moving), 18991227180000);
    EXPECT_EQ(Stamp(COleDateTime(2024, 2, 28, 22, 0, 0) + COleDateTimeSpan(0, 4, 0, 0)), 20240229020000);
}

TEST(DateTime, StatusCarriesThroughComparisonAndArithmetic)
{
    const COleDateTime date(2024, 3, 15, 0, 0, 0);
    const COleDateTime invalid(2024, 3, 32, 0, 0, 0);
    COleDateTime nullDate(date), otherNull(date);
    nullDate.SetStatus(COleDateTime::null);
    otherNull.SetStatus(COleDateTime::null);
    EXPECT_FALSE(invalid == invalid);
    EXPECT_TRUE(nullDate == otherNull);
    EXPECT_FALSE(invalid < date || date < invalid);

    const COleDateTimeSpan day(1.0);
    COleDateTimeSpan badSpan(day);
    badSpan.SetStatus(COleDateTimeSpan::invalid);
    EXPECT_EQ((invalid + day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((date + badSpan).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((nullDate + day).GetStatus(), COleDateTime::null);
    EXPECT_EQ((date - invalid).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((date - nullDate).GetStatus(), COleDateTimeSpan::null);
    // Leaving the calendar makes the result invalid.
    EXPECT_EQ((COleDateTime(9999, 12, 31, 0, 0, 0) + day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(100, 1, 1, 0, 0, 0) - day).GetStatus(), COleDateTime::invalid);
}

TEST(DateTimeSpan, PartsCarryTheSignAndRoundToTheSecond)
{
    const COleDateTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(span.GetDays() * 1000000 + span.GetHours() * 10000 + span.GetMinutes() * 100 + span.GetSeconds(),
              1020304);
    EXPECT_DOUBLE_EQ(span.GetTotalSeconds(), 93784.0);
    const COleDateTimeSpan negative = -span;
    EXPECT_EQ(negative.GetDays() * 1000000 + negative.GetHours() * 10000 + negative.GetSeconds(), -1020004);
    const COleDateTimeSpan almostDay(1.0 - 0.3 / 86400.0);
    EXPECT_EQ(almostDay.GetDays() * 100 + almostDay.GetHours(), 100);

    EXPECT_EQ(COleDateTimeSpan(kNaN).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ(COleDateTimeSpan(1e300).GetDays(), 0);  // no undefined conversion
    COleDateTimeSpan sum = span;
    sum += COleDateTimeSpan(0, 22, 0, 0);
    EXPECT_EQ(sum.GetDays(), 2);
    sum -= COleDateTimeSpan(3.0);
    EXPECT_TRUE(sum < COleDateTimeSpan() && COleDateTimeSpan(0.5) >= COleDateTimeSpan(0.25));
}

TEST(DateTime, CalendarTimeIsReadAsLocalTime)
{
    struct tm t = {};
    t.tm_year = 121;
    t.tm_mon = 6;
    t.tm_mday = 4;
    t.tm_hour = 10;
    t.tm_min = 20;
    t.tm_sec = 30;
    t.tm_isdst = -1;
    EXPECT_EQ(Stamp(COleDateTime(std::mktime(&t))), 20210704102030);

    const std::time_t before = std::time(NULL);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const std::time_t after = std::time(NULL);
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    // Whole seconds: the clock may have ticked between the calls.
    EXPECT_TRUE(COleDateTime(before) <= now) << now.m_dt;
    EXPECT_TRUE(now <= COleDateTime(after) + COleDateTimeSpan(0, 0, 0, 1)) << now.m_dt;
}

#ifdef _WIN32
TEST(DateTime, SystemTimeAgreesWithTheSystemsConversion)
{
    for (DATE dt : {COleDateTime(2019, 3, 15, 9, 8, 7).m_dt, 45366.25, -1.25, -1.75, -0.25, -36522.5}) {
        SYSTEMTIME mine, system;
        ASSERT_TRUE(COleDateTime(dt).GetAsSystemTime(mine));
        ASSERT_TRUE(VariantTimeToSystemTime(dt, &system));
        EXPECT_EQ(0, memcmp(&mine, &system, offsetof(SYSTEMTIME, wMilliseconds))) << dt;
        EXPECT_EQ(mine.wMilliseconds, 0);
        // Back from the structure, milliseconds and day of week not read.
        mine.wMilliseconds = 999;
        mine.wDayOfWeek = 0;
        EXPECT_TRUE(COleDateTime(mine) == COleDateTime(dt)) << dt;
    }
    // An invalid date leaves the structure alone; a zeroed one is invalid.
    SYSTEMTIME out;
    FillMemory(&out, sizeof(out), 0xAB);
    EXPECT_FALSE(COleDateTime(2023, 2, 31, 0, 0, 0).GetAsSystemTime(out));
    EXPECT_EQ(out.wYear, 0xABAB);
    SYSTEMTIME zero = {};
    EXPECT_EQ(COleDateTime(zero).GetStatus(), COleDateTime::invalid);
}
#endif

}  // namespace
