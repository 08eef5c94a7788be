// The binary history file: "TWKH", a 32-bit record count, then the records.
#ifndef TALLYWICK_HISTORY_FILE_H
#define TALLYWICK_HISTORY_FILE_H

#include <stdio.h>
#include "history_list.h"

enum HistoryFileResult {
    HISTORY_FILE_OK,
    HISTORY_FILE_BAD_FORMAT,   // no magic, the count or records cut short, or a record
                               // with an impossible date or distance
    HISTORY_FILE_EMPTY,        // a count of 0, or the file ends right after the magic
    HISTORY_FILE_NO_MEMORY,    // the count is too large to reserve
};

// Reads a whole history file into an empty list; on any result but OK the list is empty.
HistoryFileResult ReadHistoryFile(FILE *file, HistoryList *list);
// Writes the magic, the count and the records; false when a write failed.
bool WriteHistoryFile(FILE *file, const HistoryList *list);

#endif
