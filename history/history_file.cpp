// PLACEHOLDER until this module is written; nothing here is real.
#include "history_file.h"
HistoryFileResult ReadHistoryFile(FILE *, HistoryList *) { return HISTORY_FILE_BAD_FORMAT; }
bool WriteHistoryFile(FILE *, const HistoryList *) { return false; }
void ExportHistoryFile() {}
void ImportHistoryFile() {}
