// The CSV export of the history, from the menu and from the command line.
#ifndef TALLYWICK_CSV_EXPORT_H
#define TALLYWICK_CSV_EXPORT_H

// The menu's export: all computers while they are shown (all_computers.h), else this one's.
void ExportHistoryCsv();
// Writes to `path` this computer's StoredHistory, a line per record as stored, or, with
// `allComputers`, a line per date of the figures summed over all computers, in the same
// format. A file that cannot be created or written whole (or a sum without the memory for
// it) is reported in a message box owned by the meter window (no owner when there is
// none). False on that failure.
bool WriteHistoryCsv(const wchar_t *path, bool allComputers);

#endif
