// The figures the chart window takes from the program, read only: the stored history
// summed by day, week, month and year, today as the core works it out, and the week
// clock's hours; while all computers are shown, their days and today summed (the week
// clock stays this computer's own: its hours do not travel).
#ifndef TALLYWICK_CHART_FIGURES_H
#define TALLYWICK_CHART_FIGURES_H

#include "chart_view.h"

// Sums StoredHistory, or all computers' days, afresh for today (PeriodDate), weeks from
// the locale's first day; false when out of memory, with the sums there were kept.
bool BuildStoredSums(ChartData *data);
// Takes today's figures and the week clock afresh; true when what the view shows has
// changed. A new day, a grown history (a save that appended today's record, an import), the
// choice of computers turned or the kept sources changed build the sums anew (*rebuilt),
// and the bars then show their end, where today is.
bool TakeChartFigures(ChartData *data, ChartView *view, bool *rebuilt);

#endif
