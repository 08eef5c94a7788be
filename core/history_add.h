// Adding another computer's history to this one's: the figures of each day of a list are
// summed into the record of that day, so that two machines show one total; and the
// fingerprint of a file, by which a file already added is known again.
#ifndef TALLYWICK_HISTORY_ADD_H
#define TALLYWICK_HISTORY_ADD_H

#include <stdint.h>
#include <stdio.h>
#include "history_list.h"

// Adds each record of `added`, in its order, to the first record of its date in `target`,
// each figure in the record's own width and wrap; a date not there yet is appended (and a
// later record of that date in `added` is added to it). Leaves room for one more record,
// for the save that follows. False, with nothing changed, when the memory cannot be had.
bool AddRecordsByDate(HistoryList *target, const HistoryList *added);
// The 64-bit FNV-1a hash of every byte of the file, read from its start; false on a read error.
bool HashFileBytes(FILE *file, uint64_t *hash);

#endif
