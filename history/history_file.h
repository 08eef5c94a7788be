// The binary history file: "TWKH", a 32-bit record count, then the records.
#ifndef TALLYWICK_HISTORY_FILE_H
#define TALLYWICK_HISTORY_FILE_H

#include <windows.h>
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

// Merges the records into StoredHistory by date, in their order; `replace` overwrites the
// first stored record of a date, otherwise it is kept. Leaves room for one more record, for
// the save that follows. False, with nothing merged, when the memory cannot be had.
bool MergeImportedHistory(const HistoryList *imported, int replace);

void ExportHistoryFile();
// Writes StoredHistory as a history file; a file that cannot be created or written whole
// is reported with IDS_EXPORT_FAILED. False on that failure.
bool SaveHistoryFile(const wchar_t *path);
void ImportHistoryFile();

// The import's open dialog, then the chosen file read whole into the empty `imported` and
// checked; a file that cannot be opened or is malformed is reported and refused. The file,
// still open, for the caller to close; null when nothing was read (`imported` stays empty).
FILE *ReadChosenHistoryFile(HistoryList *imported);
// The preview of the records of a file, in the history window; the window, for closing.
HWND ShowImportPreview(const HistoryList *imported);
void CloseImportPreview(HWND preview);

#endif
