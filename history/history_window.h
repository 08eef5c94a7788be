// The one history window: a sortable report list over a history list.
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
// The record that row `row` of the history window `window` shows now, or null.
const HistoryRecord *HistoryRowRecord(HWND window, int row);
LRESULT CALLBACK HistoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int CALLBACK CompareHistoryRows(LPARAM first, LPARAM second, LPARAM sortState);

#endif
