// A backup folder and a kept computers' folder that the tests choose, linked in place of
// the user's real ones.
#ifndef TALLYWICK_FAKE_BACKUP_FOLDER_H
#define TALLYWICK_FAKE_BACKUP_FOLDER_H

// Null or "" (the start): there is no backup folder, and every backup fails quietly.
void SetFakeBackupFolder(const wchar_t *folder);
// Null or "" (the start): there is no kept computers' folder; nothing is kept.
void SetFakeComputersFolder(const wchar_t *folder);

#endif
