// The history file from the menu: export through the save dialog, and import (or another
// computer's history added) through the open dialog, with a preview and the questions
// before the merge.
#ifndef TALLYWICK_IMPORT_EXPORT_H
#define TALLYWICK_IMPORT_EXPORT_H

#include <windows.h>
#include <stdint.h>
#include "../core/history_list.h"

void ExportHistoryFile();
// Writes StoredHistory as a history file with this computer as its source; a file that cannot be created or written whole
// is reported with IDS_EXPORT_FAILED. False on that failure.
bool SaveHistoryFile(const wchar_t *path);
// The program's merge of an imported history and its addition of another computer's, each
// followed by the recount and its save: ERROR_SUCCESS, or the error to tell the user.
typedef LONG (*MergeHistory)(const HistoryList *imported, int replace);
typedef LONG (*AddHistory)(const HistoryList *added, uint64_t fileHash);

void ImportHistoryFile(MergeHistory merge);
// IDM_ADD_HISTORY: the import's dialog, checks and preview, one question, then `add`; a
// file added before is added again only when the user says so.
void AddHistoryFile(AddHistory add);

#endif
