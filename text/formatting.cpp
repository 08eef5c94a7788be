// PLACEHOLDER until this module is written; nothing here is real.
#include "formatting.h"
static char Buffer[FORMAT_BUFFER_SIZE];
char GroupedClicks[GROUPED_SIZE];
char GroupedKeys[GROUPED_SIZE];
void GroupDigits(int64_t, char *out) { out[0] = 0; }
char *FormatTimeText(const char *, ...) { return Buffer; }
char *FormatDistanceText(const char *, ...) { return Buffer; }
char *FormatClicksText(const char *, ...) { return Buffer; }
char *FormatKeysText(const char *, ...) { return Buffer; }
char *FormatMeterText(const char *, ...) { return Buffer; }
char *HistoryTimeText(const HistoryRecord *) { return Buffer; }
char *HistoryMetresText(const HistoryRecord *) { return Buffer; }
char *HistoryDistanceText(const HistoryRecord *) { return Buffer; }
char *HistoryClicksText(uint16_t) { return Buffer; }
char *HistoryKeysText(const HistoryRecord *) { return Buffer; }
char *HistoryDateText(const HistoryRecord *) { return Buffer; }
int DayOfWeek(int, int, int) { return 0; }
