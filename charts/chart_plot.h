// The chart's own child window: it paints the chart through one memory bitmap per paint,
// scrolls the bars (scroll bar and mouse wheel), takes the arrow keys, Home and End, and
// shows the exact figures of the highlighted bar or cell in a tooltip.
#ifndef TALLYWICK_CHART_PLOT_H
#define TALLYWICK_CHART_PLOT_H

#include <windows.h>
#include "chart_view.h"

#define CHART_PLOT_CLASS "TallywickChartPlot"

// A class that already exists makes the registration fail; the existing one is used.
void RegisterChartPlotClass();
// The plot of the chart window `parent`, showing `data` as `view` has it, in `font` at
// `dpi`; the three outlive the plot. Null when it cannot be made. Its tooltip, owned by
// `parent`, is made when it first shows.
HWND CreateChartPlot(HWND parent, const ChartData *data, ChartView *view, HFONT font, UINT dpi);
// After a change of the chart window's font: the plot and its tooltip draw in `font`, at
// `dpi`; the caller repaints.
void SetChartPlotFont(HWND plot, HFONT font, UINT dpi);
// After a change of view, unit, figure, year or font: the scroll bar, the view kept inside
// the bars, the tooltip hidden, a repaint.
void RefreshChartPlot(HWND plot);
// After new figures: the tooltip's text, if it shows; the caller repaints.
void UpdateChartTip(HWND plot);
// The chart as the plot shows it, at the window's DPI, in a bitmap selected into no device
// context; null when GDI has no room for it.
HBITMAP ChartPicture(HWND plot);
LRESULT CALLBACK ChartPlotProc(HWND plot, UINT message, WPARAM wParam, LPARAM lParam);

#endif
