// The chart itself, drawn into any device context: the bars over time with their axis and
// average line, the year calendar and the week clock with their legends. The window paints
// it through a memory bitmap, and Copy and Save as PNG draw the same picture. The layout is
// computed one way for painting and for finding what lies under a point.
#ifndef TALLYWICK_CHART_PAINT_H
#define TALLYWICK_CHART_PAINT_H

#include <windows.h>
#include "chart_view.h"

struct ChartLayout {
    RECT area;  // all of the chart
    UINT dpi;   // every length's
    RECT plot;  // the bars (their axis left of it) or the grid of cells
    int margin;
    int lineHeight;
    int gap;  // between texts and what they label
    // The bars
    int pitch;           // pixels from one slot to the next
    int32_t slotsShown;  // slots that fit beside each other
    double top;          // the value at the top of the plot
    double step;         // the value between two lines of the axis
    // The calendar and the week clock
    int cell;      // pixels from one cell to the next, across and down
    int baseCell;  // the largest cell in the chart's own font; cells grow to twice it, and the
                   // labels' font with them
    int columns;
    int32_t firstWeekDay;  // the calendar: the day of its top left cell, maybe in the year before
};

// The layout of `view` over `data` in `area` at `dpi`; `dc` has the chart's font for `dpi`
// selected.
ChartLayout LayOutChart(HDC dc, const RECT &area, const ChartData *data, const ChartView *view,
                        UINT dpi);
// Draws everything inside the layout's area; `dc` has the layout's font selected.
void PaintChart(HDC dc, const ChartLayout &layout, const ChartData *data, const ChartView *view);
// The item of the view under `point` (see ChartView::item), or NO_ITEM.
int32_t ChartItemAt(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                    POINT point);
// Where an item is drawn: a bar's whole column, a cell.
RECT ChartItemRect(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                   int32_t item);

#endif
