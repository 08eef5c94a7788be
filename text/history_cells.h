// The texts of a history day's cells, as the history window and the CSV file show them, in
// fixed global buffers: a returned text is valid until the same routine is called again.
// They take a day's figures in 64 bits (a record's, or a sum over computers); a figure that
// a record can hold is shown as a record's always was, a wider sum as the wider number.
#ifndef TALLYWICK_HISTORY_CELLS_H
#define TALLYWICK_HISTORY_CELLS_H

#include <stdint.h>
#include "../core/counters.h"
#include "formatting.h"

extern char GroupedClicks[GROUPED_SIZE];
extern char GroupedKeys[GROUPED_SIZE];

char *HistoryTimeText(uint64_t seconds);
char *HistoryMetresText(double distance);    // millimetres
char *HistoryDistanceText(double distance);  // millimetres
char *HistoryClicksText(uint64_t count);
char *HistoryKeysText(uint64_t count);
char *HistoryDateText(DateKey date);
// A moment (FILETIME, UTC: when a history file was written or kept) as the user's short
// date and time of day, in local time, in a buffer of its own; "" when it cannot be shown.
char *MomentText(uint64_t fileTime);

#endif
