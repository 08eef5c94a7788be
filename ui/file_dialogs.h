// The three file dialogs' common request, and the folder they remember during a run.
#ifndef TALLYWICK_FILE_DIALOGS_H
#define TALLYWICK_FILE_DIALOGS_H

#include <windows.h>
#include <commdlg.h>

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

#endif
