// The names of the daily backups and which of them the rotation keeps: computations on
// names and dates alone, so that months of backups can be reasoned about without a disk.
#ifndef TALLYWICK_BACKUP_ROTATION_H
#define TALLYWICK_BACKUP_ROTATION_H

#include <windows.h>
#include "counters.h"

const int BACKUP_NAME_SIZE = 25;    // "Tallywick-YYYY-MM-DD.twh" and its terminator
const int KEPT_DAILY_BACKUPS = 14;  // the newest files, whatever their months
const int KEPT_MONTHS = 24;         // the newest file of each month, today's month included
// A backup that failed is tried again at the first save this long after it.
const DWORD BACKUP_RETRY_MS = 60 * 60 * 1000;

// "Tallywick-YYYY-MM-DD.twh" for a date of the years 1601 to 9999.
void MakeBackupName(DateKey date, wchar_t *name);
// The date in a backup's file name, or 0 when the name is not exactly a backup's (any
// other file in the folder is the user's, and never touched).
DateKey BackupNameDate(const wchar_t *name);
// Sorts `dates` (each a backup's) newest first and tells for each whether it stays. Dates
// after today stay all (a clock set back must not cost the newer backups); of the others
// the 14 newest stay, and the newest of each of the 24 months up to today's.
void ChooseBackupsToKeep(DateKey *dates, int count, DateKey today, bool *keep);
// Whether a save is to try a backup: none has been made today, and the last one that
// failed (if the last attempt failed) is an hour or more behind.
bool BackupAttemptDue(DateKey lastBackup, DateKey today, bool lastFailed, DWORD msSinceFailure);

#endif
