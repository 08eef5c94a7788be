// The history file from the menu: export through the save dialog, and import (or another
// computer's history added) through the open dialog, with a preview and the questions
// before the merge.
#ifndef TALLYWICK_IMPORT_EXPORT_H
#define TALLYWICK_IMPORT_EXPORT_H

void ExportHistoryFile();
// Writes StoredHistory as a history file; a file that cannot be created or written whole
// is reported with IDS_EXPORT_FAILED. False on that failure.
bool SaveHistoryFile(const wchar_t *path);
void ImportHistoryFile();
// IDM_ADD_HISTORY: the import's dialog, checks and preview, one question, then the sum
// and a recount; a file added before is added again only when the user says so.
void AddHistoryFile();

#endif
