// The merge of an imported history into another list, by date.
#ifndef TALLYWICK_HISTORY_MERGE_H
#define TALLYWICK_HISTORY_MERGE_H

#include "history_list.h"

// Merges the imported records into `target` by date, in their order; `replace` overwrites
// the first record of a date already there, otherwise it is kept. Leaves room for one more
// record (the save after an import appends today's). False, with nothing merged, when the
// memory cannot be had.
bool MergeRecordsByDate(HistoryList *target, const HistoryList *imported, int replace);

#endif
