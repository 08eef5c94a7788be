// The CSV export of the history, from the menu and from the command line.
#ifndef TALLYWICK_CSV_EXPORT_H
#define TALLYWICK_CSV_EXPORT_H

void ExportHistoryCsv();
// Writes StoredHistory to `path`; a file that cannot be created or written whole is
// reported in a message box owned by the meter window (no owner when there is none).
// False on that failure.
bool WriteHistoryCsv(const wchar_t *path);

#endif
