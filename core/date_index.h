// An index of the first record of each date in a history list, so that merging a history
// file takes one pass over each list however long both are.
#ifndef TALLYWICK_DATE_INDEX_H
#define TALLYWICK_DATE_INDEX_H

#include <stdint.h>
#include "history_list.h"

struct DateIndex {
    int32_t *slots;  // a record's index + 1, or 0 for an empty slot; owned
    uint32_t bits;   // the table holds 2^bits slots
};

// Makes an empty index with room for `dates` dates; false when the memory cannot be had.
bool CreateDateIndex(DateIndex *index, int64_t dates);
void DestroyDateIndex(DateIndex *index);
// The slot of `date` among the records of `list`: it holds the index + 1 of the record
// indexed for that date, or 0 when the date has none yet (then the slot is where to put it).
int32_t *FindDateSlot(const DateIndex *index, const HistoryList *list, DateKey date);
// Indexes the first record of each date of `list`, in list order; later records of a date
// already indexed are never found.
void IndexFirstDates(const DateIndex *index, const HistoryList *list);

#endif
