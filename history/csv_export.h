// The CSV export of the history, from the menu and from the command line.
#ifndef TALLYWICK_CSV_EXPORT_H
#define TALLYWICK_CSV_EXPORT_H

#include <stdio.h>

void ExportHistoryCsv();
// Writes StoredHistory to `path`; a file that cannot be created or written whole is
// reported in a message box owned by the meter window (no owner when there is none).
// False on that failure.
bool WriteHistoryCsv(const wchar_t *path);
// Flushes and closes a file written with stdio; false when any write or the close failed.
bool CloseWrittenFile(FILE *file);

#endif
