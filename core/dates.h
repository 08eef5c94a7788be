// Local dates as keys (DateKey, counters.h): made from a date and taken apart again, checked
// for being a day of the calendar, counted in days, and the day and the hour of the week.
// Only this module knows how a key's bits are laid out.
//
// Days are counted from Monday 1 January 1601, the first day that Windows can format; a
// real date is a day of the calendar in the years 1601 to 30827, the range a SYSTEMTIME
// can be formatted in.
#ifndef TALLYWICK_DATES_H
#define TALLYWICK_DATES_H

#include <stdint.h>
#include "counters.h"
// What works on SYSTEMTIME and the clock is Windows'; the rest builds anywhere, so that the
// history file's parse, which checks its dates here, can be fuzzed natively.
#ifdef _WIN32
#include <windows.h>
#endif

// The month and the day keep their low 8 bits, so that none spills into another field.
DateKey MakeDateKey(int year, int month, int day);
int YearOf(DateKey date);
int MonthOf(DateKey date);
int DayOf(DateKey date);

bool IsRealDate(DateKey date);
// Days since Monday 1 January 1601 of a real date, and back.
int32_t DayNumber(DateKey date);
DateKey DateOfDay(int32_t day);
// 0 for Monday ... 6 for Sunday.
int WeekdayOfDay(int32_t day);
// 0 for Sunday ... 6 for Saturday, as SYSTEMTIME counts, of a real date; 0 for any other.
int DayOfWeek(DateKey date);

#ifdef _WIN32
DateKey MakeDateKey(const SYSTEMTIME &date);  // its wYear, wMonth and wDay
// wYear, wMonth, wDay and, for a real date, wDayOfWeek; every other field zero.
SYSTEMTIME SystemDateOf(DateKey date);
// 0 for Monday 00:00 to 00:59, ..., 167 for Sunday 23:00 to 23:59.
int HourOfWeek(const SYSTEMTIME &time);
// The local date now, from the program's clock (clock.h).
DateKey TodayDateKey();
#endif

#endif
