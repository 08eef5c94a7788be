// The days of a calendar's year.
#include "chart_data.h"

#include "../core/dates.h"

int32_t YearFirstDay(int year)
{
    return DayNumber(MakeDateKey(year, 1, 1));
}

int32_t DaysInYear(int year)
{
    return YearFirstDay(year + 1) - YearFirstDay(year);
}
