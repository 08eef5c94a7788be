// Date keys and the calendar: the only place that packs and unpacks a key's fields.
#include "dates.h"
#ifdef _WIN32
#include "clock.h"
#endif

static const int FIRST_YEAR = 1601;  // the range of years that Windows formats
static const int LAST_YEAR = 30827;
static const int32_t DAYS_IN_ERA = 146097;  // the Gregorian calendar repeats every 400 years
// Days from 1 March of year 0, where the calendar's eras are easiest to count from, to
// Monday 1 January 1601, day 0 here.
static const int32_t DAYS_BEFORE_1601 = 584694;

DateKey MakeDateKey(int year, int month, int day)
{
    return (DateKey)year << 16 | (DateKey)(month & 0xFF) << 8 | (DateKey)(day & 0xFF);
}

int YearOf(DateKey date)
{
    return (int)(date >> 16);
}

int MonthOf(DateKey date)
{
    return (int)(date >> 8 & 0xFF);
}

int DayOf(DateKey date)
{
    return (int)(date & 0xFF);
}

static int DaysInMonth(int year, int month)
{
    static const int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : DAYS[month - 1];
}

bool IsRealDate(DateKey date)
{
    int year = YearOf(date), month = MonthOf(date), day = DayOf(date);
    return year >= FIRST_YEAR && year <= LAST_YEAR && month >= 1 && month <= 12 && day >= 1
           && day <= DaysInMonth(year, month);
}

// Years counted from March, so that the leap day is the last day of a year.
int32_t DayNumber(DateKey date)
{
    int year = YearOf(date);
    unsigned month = (unsigned)MonthOf(date), day = (unsigned)DayOf(date);
    year -= month <= 2;
    int32_t era = year / 400;
    unsigned yearOfEra = (unsigned)(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * DAYS_IN_ERA + (int32_t)dayOfEra - DAYS_BEFORE_1601;
}

DateKey DateOfDay(int32_t day)
{
    int32_t fromMarch = day + DAYS_BEFORE_1601;
    int32_t era = fromMarch / DAYS_IN_ERA;
    unsigned dayOfEra = (unsigned)(fromMarch - era * DAYS_IN_ERA);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;
    unsigned dayOfMonth = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    unsigned month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    unsigned year = yearOfEra + (unsigned)era * 400 + (month <= 2);
    return MakeDateKey((int)year, (int)month, (int)dayOfMonth);
}

int WeekdayOfDay(int32_t day)
{
    return (int)((day % 7 + 7) % 7);
}

// Day 0 is a Monday.
int DayOfWeek(DateKey date)
{
    return IsRealDate(date) ? (WeekdayOfDay(DayNumber(date)) + 1) % 7 : 0;
}

#ifdef _WIN32
DateKey MakeDateKey(const SYSTEMTIME &date)
{
    return MakeDateKey(date.wYear, date.wMonth, date.wDay);
}

SYSTEMTIME SystemDateOf(DateKey date)
{
    SYSTEMTIME time = {};
    time.wYear = (WORD)YearOf(date);
    time.wMonth = (WORD)MonthOf(date);
    time.wDay = (WORD)DayOf(date);
    time.wDayOfWeek = (WORD)DayOfWeek(date);
    return time;
}

// SYSTEMTIME counts weekdays from Sunday, the hourly records from Monday.
int HourOfWeek(const SYSTEMTIME &time)
{
    return (time.wDayOfWeek + 6) % 7 * 24 + time.wHour % 24;
}

DateKey TodayDateKey()
{
    SYSTEMTIME now;
    ClockLocalDate(&now);
    return MakeDateKey(now);
}
#endif
