// PLACEHOLDER until this module is written; nothing here is real.
#include "csv_export.h"
char LastFileDir[MAX_PATH];
void PresetFileName(char *, const char *) {}
void RememberFileDir(const char *) {}
void ExportHistoryCsv() {}
bool WriteHistoryCsv(const char *) { return false; }
