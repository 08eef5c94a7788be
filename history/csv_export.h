// The CSV export of the history, from the menu and from the command line, and the folder
// that the three file dialogs remember during a run.
#ifndef TALLYWICK_CSV_EXPORT_H
#define TALLYWICK_CSV_EXPORT_H

#include <windows.h>
#include <commdlg.h>
#include <stdio.h>

// Paths are wide everywhere: a folder may be named in characters that the user's ANSI code
// page does not have. Only the files' contents are narrow.
extern wchar_t LastFileDir[MAX_PATH];  // chosen folder with its last backslash; "" at start

// Fills a MAX_PATH dialog buffer with LastFileDir followed by `defaultName`; the name is
// left out when both together would not fit.
void PresetFileName(wchar_t *buffer, const wchar_t *defaultName);
// Remembers the folder of a path chosen in a file dialog.
void RememberFileDir(const wchar_t *path);

// A file dialog request owned by the meter window, its file name preset as above.
OPENFILENAMEW FileDialogRequest(wchar_t *path, const wchar_t *filter, const wchar_t *defaultName,
                                const wchar_t *extension, DWORD flags);

void ExportHistoryCsv();
// Writes StoredHistory to `path`; a file that cannot be created or written whole is
// reported in a message box owned by the meter window (no owner when there is none).
// False on that failure.
bool WriteHistoryCsv(const wchar_t *path);
// Flushes and closes a file written with stdio; false when any write or the close failed.
bool CloseWrittenFile(FILE *file);

#endif
