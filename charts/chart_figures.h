// The figures the chart window takes from the program, read only: the stored history
// summed by day, week, month and year, today as the core works it out, and the week
// clock's hours.
#ifndef TALLYWICK_CHART_FIGURES_H
#define TALLYWICK_CHART_FIGURES_H

#include "chart_view.h"

// Sums StoredHistory afresh for today (PeriodDate), weeks from the locale's first day;
// false when out of memory, with the sums there were kept.
bool BuildStoredSums(ChartData *data);
// Takes today's figures and the week clock afresh; true when what the view shows has
// changed. A new day or a grown history (a save that appended today's record, an import)
// builds the sums anew (*rebuilt), and the bars then show their end, where today is.
bool TakeChartFigures(ChartData *data, ChartView *view, bool *rebuilt);

#endif
