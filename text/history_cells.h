// The texts of a history record's cells, as the history window and the CSV file show them,
// in fixed global buffers: a returned text is valid until the same routine is called again.
#ifndef TALLYWICK_HISTORY_CELLS_H
#define TALLYWICK_HISTORY_CELLS_H

#include <stdint.h>
#include "../core/history_list.h"
#include "formatting.h"

extern char GroupedClicks[GROUPED_SIZE];
extern char GroupedKeys[GROUPED_SIZE];

char *HistoryTimeText(const HistoryRecord *record);
char *HistoryMetresText(const HistoryRecord *record);
char *HistoryDistanceText(const HistoryRecord *record);
char *HistoryClicksText(uint16_t count);
char *HistoryKeysText(const HistoryRecord *record);
char *HistoryDateText(const HistoryRecord *record);
// A moment (FILETIME, UTC: when a history file was written or kept) as the user's short
// date and time of day, in local time, in a buffer of its own; "" when it cannot be shown.
char *MomentText(uint64_t fileTime);

#endif
