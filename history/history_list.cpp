// PLACEHOLDER until this module is written; nothing here is real.
#include "history_list.h"
HistoryList StoredHistory = {nullptr, 0, 0, HISTORY_GROW_STEP};
bool ReserveHistory(HistoryList *, int32_t) { return false; }
bool AppendStoredRecord(const HistoryRecord *) { return false; }
void DestroyHistoryList(HistoryList *) {}
int MergeStoredRecord(const HistoryRecord *, DateKey, int) { return 0; }
void AddPeriodToRecord(HistoryRecord *, const HistoryRecord *) {}
bool UpdateTodayRecord() { return false; }
