// The merge of an imported history into another list, by date.
#ifndef TALLYWICK_HISTORY_MERGE_H
#define TALLYWICK_HISTORY_MERGE_H

#include "history_list.h"

// What a record of a date that the target has already does to the target's record of it.
typedef void (*SameDateRecord)(HistoryRecord *there, const HistoryRecord *record);

// Appends each record of `from`, in its order, whose date `target` has not yet, and hands
// each other one to `onSameDate` (when not null) with the first record of its date in
// `target`. Leaves room for one more record (the save that follows appends today's).
// False, with nothing changed, when the memory cannot be had.
bool CombineRecordsByDate(HistoryList *target, const HistoryList *from, SameDateRecord onSameDate);
// Merges the imported records into `target` by date, in their order; `replace` overwrites
// the first record of a date already there, otherwise it is kept. Leaves room for one more
// record (the save after an import appends today's). False, with nothing merged, when the
// memory cannot be had.
bool MergeRecordsByDate(HistoryList *target, const HistoryList *imported, int replace);

#endif
