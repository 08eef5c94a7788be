// PLACEHOLDER until this module is written; nothing here is real.
#include "history_window.h"
HWND HistoryWindow;
HWND HistoryListView;
uint32_t HistorySortState;
void ShowHistoryWindow(const HistoryList *, UINT) {}
LRESULT CALLBACK HistoryWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
int CALLBACK CompareHistoryRows(LPARAM, LPARAM, LPARAM) { return 0; }
