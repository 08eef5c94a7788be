// The history file from the menu: export through the save dialog, and import (or another
// computer's history added) through the open dialog, with a preview and the questions
// before the merge or the keeping.
#ifndef TALLYWICK_IMPORT_EXPORT_H
#define TALLYWICK_IMPORT_EXPORT_H

#include <windows.h>
#include "../core/history_list.h"

void ExportHistoryFile();
// Writes StoredHistory as a history file with this computer as its source; a file that cannot be created or written whole
// is reported with IDS_EXPORT_FAILED. False on that failure.
bool SaveHistoryFile(const wchar_t *path);
// The program's merge of an imported history, followed by the recount and its save:
// ERROR_SUCCESS, or the error to tell the user.
typedef LONG (*MergeHistory)(const HistoryList *imported, int replace);

// IDM_IMPORT_HISTORY: the open dialog, the preview, the questions, then `merge`; another
// computer's file is first offered as that computer's history instead.
void ImportHistoryFile(MergeHistory merge);
// IDM_ADD_HISTORY: the import's dialog, checks and preview, then the file's days kept as
// its computer's history (core/sources.h), replacing the copy kept of it; this computer's
// own files are refused, and a file without a source asks which computer it is.
void AddHistoryFile();

#endif
