// Date keys and the calendar: real days, day numbers and weekdays.
#include <gtest/gtest.h>
#include <stdint.h>
#include <windows.h>
#include "core/dates.h"

namespace {

struct RealDateCase {
    int year, month, day;
    bool real;
};

TEST(DatesTest, RealDaysAreTheCalendarsInTheYearsWindowsFormats)
{
    const RealDateCase cases[] = {
        {2024, 2, 29, true},  {2023, 2, 29, false}, {2000, 2, 29, true},  {1900, 2, 29, false},
        {2010, 4, 30, true},  {2010, 4, 31, false}, {2010, 12, 31, true}, {2010, 13, 1, false},
        {2010, 0, 1, false},  {2010, 6, 0, false},  {1601, 1, 1, true},   {1600, 12, 31, false},
        {30827, 12, 31, true}, {30828, 1, 1, false},
    };
    for (const RealDateCase &c : cases)
        EXPECT_EQ(IsRealDate(MakeDateKey(c.year, c.month, c.day)), c.real)
            << c.year << "-" << c.month << "-" << c.day;
    EXPECT_FALSE(IsRealDate(0xFFFFFFFFu));
}

TEST(DatesTest, DayOfWeekOfKnownDates)
{
    EXPECT_EQ(DayOfWeek(MakeDateKey(2010, 1, 1)), 5);
    EXPECT_EQ(DayOfWeek(MakeDateKey(2010, 6, 7)), 1);
    EXPECT_EQ(DayOfWeek(MakeDateKey(2024, 2, 29)), 4);
    EXPECT_EQ(DayOfWeek(MakeDateKey(2000, 3, 1)), 3);
    EXPECT_EQ(DayOfWeek(MakeDateKey(1900, 3, 1)), 4);
}

// Every day of the first 800 years, three centuries that are no leap years among them,
// against the platform's own calendar: a FILETIME counts from 1 January 1601, as the day
// numbers do.
TEST(DatesTest, DayNumbersAndWeekdaysAgreeWithThePlatformCalendar)
{
    const uint64_t oneDay = 864000000000ULL;  // in 100 ns
    int mismatches = 0;
    for (int32_t i = 0; i < 292194 && mismatches < 5; i++) {
        ULARGE_INTEGER at;
        at.QuadPart = i * oneDay;
        FILETIME file = {at.LowPart, at.HighPart};
        SYSTEMTIME day;
        ASSERT_TRUE(FileTimeToSystemTime(&file, &day));
        DateKey date = MakeDateKey(day);
        if (DayNumber(date) != i || DateOfDay(i) != date || DayOfWeek(date) != day.wDayOfWeek
            || WeekdayOfDay(i) != (day.wDayOfWeek + 6) % 7 || !IsRealDate(date)) {
            mismatches++;
            ADD_FAILURE() << day.wYear << "-" << day.wMonth << "-" << day.wDay << ": day "
                          << DayNumber(date) << " instead of " << i << ", back "
                          << std::hex << DateOfDay(i) << std::dec << ", weekday "
                          << DayOfWeek(date) << " instead of " << day.wDayOfWeek;
        }
    }
}

} // namespace
