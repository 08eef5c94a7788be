// The row of controls along the top of the chart window (the figure, the view, the bars'
// unit or the calendar's year with its arrows, Copy, Save as PNG) and the plot under it.
#ifndef TALLYWICK_CHART_CONTROLS_H
#define TALLYWICK_CHART_CONTROLS_H

#include <windows.h>
#include "chart_view.h"

// The controls and the plot, in the order of Tab, with the view's choices, in `font` at
// `dpi`, laid out for the view as LayOutChartWindow does; false when one cannot be made.
bool CreateChartControls(HWND window, const ChartData *data, ChartView *view, HFONT font,
                         UINT dpi);
// `font`, made for `dpi`, to every control, the plot and its tooltip.
void SetChartFonts(HWND window, HFONT font, UINT dpi);
// The controls of the view `kind` in a row, each as wide as its texts in `font`, the plot
// under them.
void LayOutChartWindow(HWND window, int kind, HFONT font, UINT dpi);
// The years that hold a day of the history, today's among them.
void YearRange(const ChartData *data, int *first, int *last);
// The calendar's year in its label, the arrows turned off at the ends of the range.
void ShowChartYear(HWND window, const ChartData *data, int year);

#endif
