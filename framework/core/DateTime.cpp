// Automation dates: conversion between DATE and calendar parts, and the
// arithmetic on the linear day count.
#include "DateTime.h"

#ifdef _WIN32
#    include <windows.h>
#    undef GetCurrentTime
#endif

#include <cmath>

namespace {

const long kSecondsPerDay = 24L * 60 * 60;

// Days from 1899-12-30 to 0100-01-01 and to 9999-12-31.
const long kMinDay = -657434L;
const long kMaxDay = 2958465L;

struct CDateParts {
    int nYear, nMonth, nDay, nHour, nMinute, nSecond;
    int nDayOfWeek;  // 1 = Sunday
    int nDayOfYear;  // 1 = 1 January
};

bool IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int s_anDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : s_anDays[nMonth - 1];
}

// Day number of a proleptic Gregorian date counted from 1899-12-30. The year
// is shifted to start in March, so that the leap day ends it.
long DayFromCivil(int nYear, int nMonth, int nDay)
{
    const long y = nMonth <= 2 ? nYear - 1 : nYear;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;                                                      // 0..399
    const long doy = (153 * (nMonth > 2 ? nMonth - 3 : nMonth + 9) + 2) / 5 + nDay - 1;  // 0..365
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                              // 0..146096
    return era * 146097 + doe - 693899L;                                                 // 0000-03-01 to 1899-12-30
}

void CivilFromDay(long nDays, int& nYear, int& nMonth, int& nDay)
{
    const long z = nDays + 693899L;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    nDay = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    nMonth = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    nYear = static_cast<int>(yoe + era * 400 + (nMonth <= 2 ? 1 : 0));
}

// The DATE's day count made continuous across 1899-12-30: day plus time.
double LinearFromDate(DATE dt)
{
    if (dt >= 0.0)
        return dt;
    const double dDay = std::ceil(dt);
    return dDay + (dDay - dt);
}

DATE DateFromLinear(double dLinear)
{
    if (dLinear >= 0.0)
        return dLinear;
    const double dDay = std::floor(dLinear);
    return dDay - (dLinear - dDay);
}

bool IsDateInRange(DATE dt)
{
    // The integer part names the day on both sides of zero; NaN fails both
    // comparisons.
    return dt > static_cast<double>(kMinDay - 1) && dt < static_cast<double>(kMaxDay + 1);
}

bool PartsFromDate(DATE dt, CDateParts& parts)
{
    if (!IsDateInRange(dt))
        return false;
    const double dSeconds = std::floor(LinearFromDate(dt) * kSecondsPerDay + 0.5);
    long nDays = static_cast<long>(std::floor(dSeconds / kSecondsPerDay));
    long nSecondOfDay = static_cast<long>(dSeconds - static_cast<double>(nDays) * kSecondsPerDay);
    if (nSecondOfDay >= kSecondsPerDay) {  // guards the division's rounding
        nSecondOfDay -= kSecondsPerDay;
        ++nDays;
    }
    // Rounding up the last second of 9999 leaves the calendar.
    if (nDays > kMaxDay)
        return false;
    CivilFromDay(nDays, parts.nYear, parts.nMonth, parts.nDay);
    parts.nHour = static_cast<int>(nSecondOfDay / 3600);
    parts.nMinute = static_cast<int>(nSecondOfDay / 60 % 60);
    parts.nSecond = static_cast<int>(nSecondOfDay % 60);
    // 1899-12-30 was a Saturday.
    parts.nDayOfWeek = static_cast<int>(((nDays % 7) + 7 + 6) % 7) + 1;
    parts.nDayOfYear = static_cast<int>(nDays - DayFromCivil(parts.nYear, 1, 1)) + 1;
    return true;
}

bool DateFromParts(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, DATE& dt)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > DaysInMonth(nYear, nMonth) ||
        nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        return false;
    const long nDays = DayFromCivil(nYear, nMonth, nDay);
    const double dTime = static_cast<double>(nHour * 3600L + nMin * 60L + nSec) / kSecondsPerDay;
    dt = nDays >= 0 ? nDays + dTime : nDays - dTime;
    return true;
}

bool LocalTimeOf(std::time_t t, struct tm& tmLocal)
{
#ifdef _WIN32
    return localtime_s(&tmLocal, &t) == 0;
#else
    return localtime_r(&t, &tmLocal) != NULL;
#endif
}

// The status of a result made of two operands.
template <class TStatus>
TStatus CombinedStatus(TStatus first, TStatus second, TStatus nInvalid, TStatus nNull)
{
    if (first == nInvalid || second == nInvalid)
        return nInvalid;
    if (first == nNull || second == nNull)
        return nNull;
    return first;
}

// Far beyond any span between two dates, and well inside what llround takes.
const double kMaxSpanDays = 1e12;

long long RoundedSeconds(double dSpan)
{
    if (!(std::fabs(dSpan) <= kMaxSpanDays))
        return 0;
    return std::llround(dSpan * kSecondsPerDay);
}

}  // namespace

// ---------------------------------------------------------------- COleDateTimeSpan

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc)
    : m_span(dblSpanSrc), m_status(std::isfinite(dblSpanSrc) ? valid : invalid)
{
}

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + (static_cast<double>(nHours) * 3600.0 + nMins * 60.0 + nSecs) / kSecondsPerDay;
    m_status = valid;
}

LONG COleDateTimeSpan::GetDays() const
{
    return static_cast<LONG>(RoundedSeconds(m_span) / kSecondsPerDay);
}

LONG COleDateTimeSpan::GetHours() const
{
    return static_cast<LONG>(RoundedSeconds(m_span) % kSecondsPerDay / 3600);
}

LONG COleDateTimeSpan::GetMinutes() const
{
    return static_cast<LONG>(RoundedSeconds(m_span) % 3600 / 60);
}

LONG COleDateTimeSpan::GetSeconds() const
{
    return static_cast<LONG>(RoundedSeconds(m_span) % 60);
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const
{
    if (m_status == valid && other.m_status == valid)
        return m_span == other.m_span;
    return m_status == null && other.m_status == null;
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& other) const
{
    return m_status == valid && other.m_status == valid && m_span < other.m_span;
}

bool COleDateTimeSpan::operator<=(const COleDateTimeSpan& other) const
{
    return *this < other || *this == other;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span + other.m_span);
    if (result.m_status == valid)
        result.m_status = CombinedStatus(m_status, other.m_status, invalid, null);
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span - other.m_span);
    if (result.m_status == valid)
        result.m_status = CombinedStatus(m_status, other.m_status, invalid, null);
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

// ---------------------------------------------------------------- COleDateTime

COleDateTime COleDateTime::GetCurrentTime()
{
#ifdef _WIN32
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return COleDateTime(st);
#else
    return COleDateTime(std::time(NULL));
#endif
}

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(0.0), m_status(valid)
{
    *this = dtSrc;
}

COleDateTime::COleDateTime(std::time_t timeSrc) : m_dt(0.0), m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) : m_dt(0.0), m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = IsDateInRange(dtSrc) ? valid : invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(std::time_t timeSrc)
{
    struct tm tmLocal;
    if (!LocalTimeOf(timeSrc, tmLocal)) {
        m_status = invalid;
        return *this;
    }
    SetDateTime(tmLocal.tm_year + 1900, tmLocal.tm_mon + 1, tmLocal.tm_mday, tmLocal.tm_hour, tmLocal.tm_min,
                // A leap second counts as the last second of its minute.
                tmLocal.tm_sec > 59 ? 59 : tmLocal.tm_sec);
    return *this;
}

#ifdef _WIN32
COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0.0), m_status(valid)
{
    *this = systimeSrc;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
                systimeSrc.wSecond);
    return *this;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    CDateParts parts;
    if (m_status != valid || !PartsFromDate(m_dt, parts))
        return false;
    sysTime.wYear = static_cast<WORD>(parts.nYear);
    sysTime.wMonth = static_cast<WORD>(parts.nMonth);
    sysTime.wDay = static_cast<WORD>(parts.nDay);
    sysTime.wDayOfWeek = static_cast<WORD>(parts.nDayOfWeek - 1);
    sysTime.wHour = static_cast<WORD>(parts.nHour);
    sysTime.wMinute = static_cast<WORD>(parts.nMinute);
    sysTime.wSecond = static_cast<WORD>(parts.nSecond);
    sysTime.wMilliseconds = 0;
    return true;
}
#endif

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    DATE dt = 0.0;
    if (!DateFromParts(nYear, nMonth, nDay, nHour, nMin, nSec, dt)) {
        m_status = invalid;
        return 1;
    }
    m_dt = dt;
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

namespace {

// One part of a date, or the error value when it has none.
template <class TGetPart>
int DatePart(const COleDateTime& date, TGetPart getPart)
{
    CDateParts parts;
    if (date.m_status != COleDateTime::valid || !PartsFromDate(date.m_dt, parts))
        return AFX_OLE_DATETIME_ERROR;
    return getPart(parts);
}

}  // namespace

int COleDateTime::GetYear() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nYear; });
}

int COleDateTime::GetMonth() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nMonth; });
}

int COleDateTime::GetDay() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nDay; });
}

int COleDateTime::GetHour() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nHour; });
}

int COleDateTime::GetMinute() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nMinute; });
}

int COleDateTime::GetSecond() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nSecond; });
}

int COleDateTime::GetDayOfWeek() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nDayOfWeek; });
}

int COleDateTime::GetDayOfYear() const
{
    return DatePart(*this, [](const CDateParts& p) { return p.nDayOfYear; });
}

bool COleDateTime::operator==(const COleDateTime& date) const
{
    if (m_status == valid && date.m_status == valid)
        return LinearFromDate(m_dt) == LinearFromDate(date.m_dt);
    return m_status == null && date.m_status == null;
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    return m_status == valid && date.m_status == valid && LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

bool COleDateTime::operator<=(const COleDateTime& date) const
{
    return *this < date || *this == date;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result(DateFromLinear(LinearFromDate(m_dt) + dateSpan.m_span));
    if (m_status == invalid || dateSpan.m_status == COleDateTimeSpan::invalid)
        result.m_status = invalid;
    else if (result.m_status == valid && (m_status == null || dateSpan.m_status == COleDateTimeSpan::null))
        result.m_status = null;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + -dateSpan;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan result(LinearFromDate(m_dt) - LinearFromDate(date.m_dt));
    if (m_status == invalid || date.m_status == invalid)
        result.m_status = COleDateTimeSpan::invalid;
    else if (m_status == null || date.m_status == null)
        result.m_status = COleDateTimeSpan::null;
    return result;
}
