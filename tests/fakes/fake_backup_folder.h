// A backup folder that the tests choose, linked in place of the user's real one.
#ifndef TALLYWICK_FAKE_BACKUP_FOLDER_H
#define TALLYWICK_FAKE_BACKUP_FOLDER_H

// Null or "" (the start): there is no backup folder, and every backup fails quietly.
void SetFakeBackupFolder(const wchar_t *folder);

#endif
