// The row of controls along the top of the chart window (the figure, the view, the bars'
// unit or the calendar's year with its arrows, Copy, Save as PNG) and the plot under it.
#ifndef TALLYWICK_CHART_CONTROLS_H
#define TALLYWICK_CHART_CONTROLS_H

#include <windows.h>
#include "chart_state.h"

// The controls and the plot, in the order of Tab, with the state's choices; false when
// one cannot be made.
bool CreateChartControls(HWND window, ChartState *state);
// The state's font to every control and the tooltip.
void SetChartFonts(HWND window, const ChartState *state);
// The controls of the state's view in a row, each as wide as its texts, the plot under them.
void LayOutChartWindow(HWND window, const ChartState *state);
// The years that hold a day of the history, today's among them.
void YearRange(const ChartState *state, int *first, int *last);
// The calendar's year in its label, the arrows turned off at the ends of the range.
void ShowChartYear(HWND window, const ChartState *state);

#endif
