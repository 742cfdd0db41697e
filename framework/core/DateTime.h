// COleDateTime and COleDateTimeSpan: a point in time as an automation DATE and
// a difference of two of them.
//
// A DATE counts days from 1899-12-30 00:00; its fraction is the time of day.
// Before that day the encoding is not linear: the integer part still names the
// day and the fraction, taken as a positive quantity, is still the time of day,
// so -1.25 is 1899-12-29 06:00 and -0.5 is the same moment as 0.5. Arithmetic
// and ordering therefore go through the linear day count (day + time) and back.
// Dates from 0100-01-01 to 9999-12-31 are representable, in the proleptic
// Gregorian calendar, to the second.
#pragma once

#include <ctime>

#include "Types.h"

typedef double DATE;
#ifdef _WIN32
struct _SYSTEMTIME;
typedef struct _SYSTEMTIME SYSTEMTIME;
// <windows.h> makes GetCurrentTime a macro for GetTickCount, before or after
// this header; COleDateTime answers to both names.
#    ifdef GetCurrentTime
#        undef GetCurrentTime
#    endif
#endif

// What the part accessors return for a date that is not valid.
#define AFX_OLE_DATETIME_ERROR (-1)

class FRAMEWORK_API COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() : m_span(0.0), m_status(valid) {}
    COleDateTimeSpan(double dblSpanSrc);
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    double m_span;  // days, fractions included
    DateTimeSpanStatus m_status;

    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24.0; }
    double GetTotalMinutes() const { return m_span * 24.0 * 60.0; }
    double GetTotalSeconds() const { return m_span * 24.0 * 60.0 * 60.0; }
    // The span rounded to the second and split into whole days and the hours
    // (0..23), minutes and seconds left; each carries the span's sign.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    operator double() const { return m_span; }

    // Ordering is by length; a span that is not valid is equal only to
    // another null span and orders before nothing.
    bool operator==(const COleDateTimeSpan& other) const;
    bool operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
    bool operator<(const COleDateTimeSpan& other) const;
    bool operator>(const COleDateTimeSpan& other) const { return other < *this; }
    bool operator<=(const COleDateTimeSpan& other) const;
    bool operator>=(const COleDateTimeSpan& other) const { return other <= *this; }

    // An invalid operand makes the result invalid, else a null one makes it null.
    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other) { return *this = *this + other; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other) { return *this = *this - other; }
};

class FRAMEWORK_API COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    // The local date and time now, to the second.
    static COleDateTime GetCurrentTime();
#ifdef _WIN32
    // What COleDateTime::GetCurrentTime() reads as where <windows.h> came
    // after this header.
    static COleDateTime GetTickCount()
    {
        return GetCurrentTime();
    }
#endif

    // 1899-12-30 00:00:00, valid.
    COleDateTime() : m_dt(0.0), m_status(valid) {}
    // Valid when the DATE lies in the representable range, else invalid.
    COleDateTime(DATE dtSrc);
    // The local time of a calendar time; invalid when it has none.
    COleDateTime(std::time_t timeSrc);
    // Invalid for a part out of its range (31 February, hour 24, year 99...).
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
#ifdef _WIN32
    // The milliseconds and the day of the week are not read.
    COleDateTime(const SYSTEMTIME& systimeSrc);
#endif

    DATE m_dt;
    DateTimeStatus m_status;

    DateTimeStatus GetStatus() const
    {
        return m_status;
    }
    void SetStatus(DateTimeStatus status)
    {
        m_status = status;
    }

    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(std::time_t timeSrc);
#ifdef _WIN32
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    // Fills every field (day of week 0 = Sunday, milliseconds 0); false, with
    // the structure untouched, when the date is not valid.
    bool GetAsSystemTime(SYSTEMTIME& sysTime) const;
#endif
    // Each returns 0 and makes the date valid, or 1 and makes it invalid (the
    // value stays) when a part is out of range. SetDate leaves the time at
    // 00:00:00; SetTime puts the time on 1899-12-30.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);

    // The parts, rounded to the nearest second; AFX_OLE_DATETIME_ERROR when
    // the date is not valid. The day of the week runs from 1 (Sunday) to 7,
    // the day of the year from 1.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;

    operator DATE() const
    {
        return m_dt;
    }

    // Valid dates compare in time order (two DATEs of one moment are equal);
    // dates that are not valid are equal only when both are null, and order
    // before nothing.
    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const
    {
        return !(*this == date);
    }
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const
    {
        return date < *this;
    }
    bool operator<=(const COleDateTime& date) const;
    bool operator>=(const COleDateTime& date) const
    {
        return date <= *this;
    }

    // A result outside the representable range is invalid; an invalid operand
    // makes it invalid, else a null one makes it null.
    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan)
    {
        return *this = *this + dateSpan;
    }
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan)
    {
        return *this = *this - dateSpan;
    }
    COleDateTimeSpan operator-(const COleDateTime& date) const;
};
