// The one history window: a sortable report list over a history list, or over days summed
// over computers.
#ifndef TALLYWICK_HISTORY_WINDOW_H
#define TALLYWICK_HISTORY_WINDOW_H

#include <windows.h>
#include <stdint.h>
#include "../core/history_list.h"

#define HISTORY_CLASS "TallywickHistory"

extern HWND HistoryWindow;       // null when no history window is open
extern HWND HistoryListView;     // the list view of the most recently created window
extern uint32_t HistorySortState; // ascending flag << 16 | column

// Opens a history window over `list` titled with string `titleId`, replacing any open one.
void ShowHistoryWindow(const HistoryList *list, UINT titleId);
// The same over `count` days.
void ShowHistoryDays(const DayFigures *days, int32_t count, UINT titleId);
// The open history window's days become these, and its title `titleId`: the rows in the
// order the user sorted them, the selected date still selected and the scroll position
// kept. Nothing when no window is open or the memory cannot be had.
void ReplaceHistoryDays(const DayFigures *days, int32_t count, UINT titleId);
// The day that row `row` of the history window `window` shows now (a record's, with its
// distance as stored), or null.
const DayFigures *HistoryRowDay(HWND window, int row);
// The string id of the title `window` was opened or last refreshed with; 0 for none.
UINT ShownHistoryTitle(HWND window);
LRESULT CALLBACK HistoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int CALLBACK CompareHistoryRows(LPARAM first, LPARAM second, LPARAM sortState);

#endif
