// The chart's bars: the history summed by day, week, month and year. Built once when the
// chart window opens (and again only when the history has grown or the day has changed);
// today's bar of each unit is then brought up to date every second from the running period.
//
// A bar's place is its slot: periods after the first period of the series, so that the
// days with no record are gaps between slots, not zero bars. Days are day numbers
// (dates.h); a record whose date is no real day (month 13, 30 February, a year outside 1601
// to 30827) is left out.
#ifndef TALLYWICK_HISTORY_SUMS_H
#define TALLYWICK_HISTORY_SUMS_H

#include <stdint.h>
#include "dates.h"
#include "history_list.h"

enum ChartUnit { UNIT_DAY, UNIT_WEEK, UNIT_MONTH, UNIT_YEAR, UNIT_COUNT };

struct ChartBar {
    int32_t slot;
    Figures figures;
};

struct ChartSeries {
    ChartBar *bars;  // owned; in slot order, one per period with a record or today
    int32_t count;
    int32_t slots;        // periods from the first bar's to the last one's
    int32_t firstPeriod;  // the period of slot 0 (PeriodOfDay)
    int32_t todayBar;     // the index of the bar that holds today
    Figures todayStored;  // that bar without today's figures
};

struct ChartSums {
    ChartSeries series[UNIT_COUNT];
    int firstDayOfWeek;  // 0 for Monday ... 6 for Sunday, as the locale says
    DateKey today;
};

// The period of `unit` that holds `day`: the day itself, the week (weeks begin on
// `firstDayOfWeek`), year * 12 + month - 1, or the year.
int32_t PeriodOfDay(ChartUnit unit, int32_t day, int firstDayOfWeek);
// The first day of a period of `unit`; the period's last day is the next period's first
// day less one.
int32_t FirstDayOfPeriod(ChartUnit unit, int32_t period, int firstDayOfWeek);

// Sums `count` records in any order into the four series, leaving out the records dated
// `today` (their figures come with SetTodayFigures) but giving today a bar of its own in
// each. False, with `sums` empty, when the memory cannot be had.
bool BuildChartSums(ChartSums *sums, const HistoryRecord *records, int32_t count, DateKey today,
                    int firstDayOfWeek);
// The same over days' figures (all_computers.h), each date's summed as the records' are.
bool BuildChartSumsOfDays(ChartSums *sums, const DayFigures *days, int32_t count, DateKey today,
                          int firstDayOfWeek);
void DestroyChartSums(ChartSums *sums);
// Today's figures (its records and the running period) into today's bar of each unit.
void SetTodayFigures(ChartSums *sums, const Figures &today);
// The bar in slot `slot`, or null for a gap.
const ChartBar *BarInSlot(const ChartSeries *series, int32_t slot);
// The first bar in slot `slot` or after it; the end of the bars when there is none.
const ChartBar *FirstBarFrom(const ChartSeries *series, int32_t slot);

// How many days, back from today in `days` (the day series) and counting today, the
// newest bars take to hold `events` key presses and clicks; INT32_MAX when all of them
// hold fewer. Tells how long a count of the same events, kept since some day, has run.
int32_t DaysHoldingEvents(const ChartSeries *days, uint64_t events);

#endif
