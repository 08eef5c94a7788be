// The year calendar (weeks by weekdays of one year) and the week clock (hours by weekdays
// of all time), laid out and painted for the chart; their items are a day of the year
// counted from 0 and an hour of the week.
#ifndef TALLYWICK_CHART_GRID_H
#define TALLYWICK_CHART_GRID_H

#include "chart_drawing.h"
#include "chart_paint.h"

void LayOutCalendar(HDC dc, ChartLayout *layout, const ChartState *state);
void LayOutClock(HDC dc, ChartLayout *layout, const ChartState *state);
void PaintCalendar(HDC dc, const ChartLayout &layout, const ChartState *state,
                   const ChartColours &colours);
void PaintClock(HDC dc, const ChartLayout &layout, const ChartState *state,
                const ChartColours &colours);
int32_t GridItemAt(const ChartLayout &layout, const ChartState *state, POINT point);
RECT GridItemRect(const ChartLayout &layout, const ChartState *state, int32_t item);

#endif
