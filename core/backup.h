// Backups that make themselves: once a day the whole history is written as a history file
// into the backup folder (backup_folder.h), and older backups are rotated away.
#ifndef TALLYWICK_BACKUP_H
#define TALLYWICK_BACKUP_H

#include "counters.h"

// Start-up of the resident program: backups begin, and one is made at once when the
// folder holds none of today. Until this runs (the command-line export, the unit tests'
// saves) no save makes a backup.
void StartBackups();
// Called by every save: the first save of a day makes that day's backup. A backup that
// fails says nothing (the user asked for none) and is tried again at the first save an
// hour or more later; counting goes on meanwhile either way.
void BackUpWhenDue();
// Writes StoredHistory as the backup of `today` in `folder` (created if needed), then
// rotates the folder; false when the backup could not be written whole. An empty history
// writes nothing and counts as done: it would only push real backups out of the rotation.
bool WriteBackup(const wchar_t *folder, DateKey today);
// The backup folder's path into `folder` of MAX_PATH characters, the folder created if
// needed; false when it is unknown or cannot be made.
bool MakeBackupFolder(wchar_t *folder);

#endif
