// What the chart shows: the stored history summed, today and the week clock, as the chart
// last took them from the program. The figures are copies, so the chart never holds an
// address into the history.
#ifndef TALLYWICK_CHART_DATA_H
#define TALLYWICK_CHART_DATA_H

#include "../core/counters.h"
#include "../core/history_sums.h"

struct ChartData {
    ChartSums sums;
    int32_t sumsRecords;                // StoredHistory.count when the sums were built
    uint32_t sumsComputers;             // ShownComputersStamp() when the sums were built
    Figures today;                      // today (TodayFigures or all computers'), as last taken
    HourlyRecord hours[HOURS_IN_WEEK];  // the week clock as last taken
    bool clockIsNew;                    // the week clock holds less than a week
};

// The days of a calendar's year: the first day's number and how many.
int32_t YearFirstDay(int year);
int32_t DaysInYear(int year);

#endif
