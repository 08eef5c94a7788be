// A history file on disk, through stdio: read whole into memory and parsed, or made and
// written at once (the format is history_format.h's). The one reader of history files,
// for the import, its preview and the backups alike.
#ifndef TALLYWICK_HISTORY_FILE_H
#define TALLYWICK_HISTORY_FILE_H

#include <stdio.h>
#include "history_format.h"

// Reads the file from its start into memory, no more of it than the parse can use, then
// parses it into the empty `list` and, unless it is null, `source` (ParseHistoryFile). On
// any result but OK the list is empty; a file that cannot be read whole is BAD_FORMAT.
HistoryFileResult ReadHistoryFile(FILE *file, HistoryList *list, HistorySource *source);
// Writes the header, the records and, when `source` is present, its trailer; false when
// the memory or a write failed.
bool WriteHistoryFile(FILE *file, const HistoryList *list, const HistorySource *source);

#endif
