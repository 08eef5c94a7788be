// The year calendar (weeks by weekdays of one year) and the week clock (hours by weekdays
// of all time), laid out and painted for the chart; their items are a day of the year
// counted from 0 and an hour of the week.
#ifndef TALLYWICK_CHART_GRID_H
#define TALLYWICK_CHART_GRID_H

#include "chart_drawing.h"
#include "chart_paint.h"

void LayOutCalendar(HDC dc, ChartLayout *layout, const ChartData *data, const ChartView *view);
void LayOutClock(HDC dc, ChartLayout *layout, const ChartData *data, const ChartView *view);
void PaintCalendar(HDC dc, const ChartLayout &layout, const ChartData *data, const ChartView *view,
                   const ChartColours &colours);
void PaintClock(HDC dc, const ChartLayout &layout, const ChartData *data, const ChartView *view,
                const ChartColours &colours);
int32_t GridItemAt(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                   POINT point);
RECT GridItemRect(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                  int32_t item);

#endif
