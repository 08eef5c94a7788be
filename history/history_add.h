// Adding another computer's history to this one's: the figures of each day of a history
// file are summed into the stored record of that day, so that two machines show one total.
#ifndef TALLYWICK_HISTORY_ADD_H
#define TALLYWICK_HISTORY_ADD_H

#include <stdint.h>
#include <stdio.h>
#include "history_list.h"

// Adds each record of `added`, in its order, to the first stored record of its date, each
// figure in the record's own width and wrap; a date not stored yet is appended (and a later
// record of that date in `added` is added to it). Leaves room for one more record, for the
// save that follows. False, with nothing changed, when the memory cannot be had.
bool AddHistoryToStored(const HistoryList *added);
// The 64-bit FNV-1a hash of every byte of the file, read from its start; false on a read error.
bool HashFileBytes(FILE *file, uint64_t *hash);
// IDM_ADD_HISTORY: the import's dialog, checks and preview, one question, then the sum
// and a recount; a file added before is added again only when the user says so.
void AddHistoryFile();

#endif
