// Where the daily backups go, %LOCALAPPDATA%\Tallywick\Backups, and where the other
// computers' histories are kept, %LOCALAPPDATA%\Tallywick\Computers. The unit tests link
// folders of their own in place of backup_folder.cpp, so that no test ever writes or
// rotates a real user's backups or kept histories.
#ifndef TALLYWICK_BACKUP_FOLDER_H
#define TALLYWICK_BACKUP_FOLDER_H

#include <windows.h>

// The folder's path without a trailing backslash, into `folder` of MAX_PATH characters;
// false when the user's local application data folder is unknown or the path too long.
bool FindBackupFolder(wchar_t *folder);
// The kept computers' folder, by the same rules.
bool FindComputersFolder(wchar_t *folder);

#endif
