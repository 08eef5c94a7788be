// The one chart window: the history as bars over time, a year calendar and a week clock,
// with the figure and the view chosen along its top, and the chart copied or saved as PNG.
// A normal top-level window with a taskbar button of its own, owned by no other window.
#ifndef TALLYWICK_CHART_WINDOW_H
#define TALLYWICK_CHART_WINDOW_H

#include <windows.h>

#define CHART_CLASS "TallywickCharts"

extern HWND ChartWindow;  // null when no chart window is open

// Opens the chart window, or brings the open one to the front.
void ShowChartWindow();
// The message loop's keyboard handling for the chart window's controls (Tab between them,
// Escape, the buttons' letters), as a dialog box has it; true when the message has been
// handled and dispatched.
bool IsChartDialogMessage(MSG *message);
LRESULT CALLBACK ChartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
