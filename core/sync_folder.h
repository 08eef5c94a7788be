// The sync folder as the window thread sees it: the folder the user chose ("Sync Folder"),
// this computer's history handed to the worker (sync_worker.h) at the first save of every
// hour and at exit when it changed, a look at the folder once a minute, and the worker's
// news taken in: another computer's newer history kept (sources.h), a file that cannot be
// read reported, and a second machine with this computer's id answered with a new id.
// Every function here runs on the window thread; nothing here waits on the folder but
// FinishSyncFolder, for at most two seconds. No message boxes.
#ifndef TALLYWICK_SYNC_FOLDER_H
#define TALLYWICK_SYNC_FOLDER_H

#include <windows.h>

const DWORD SYNC_LOOK_MS = 60000;       // a look at the folder once a minute
const DWORD SYNC_EXIT_WAIT_MS = 2000;   // the longest the exit waits for the last write

// Start-up of the resident program: the chosen folder read, and, when there is one, the
// worker started with a look at the folder. `message` is posted to `window` when news is
// ready (then call TakeSyncFolderNews). Until this runs no save writes a sync file.
void StartSyncFolder(HWND window, UINT message);
// Whether a folder is chosen, and which ("" when none).
bool SyncFolderChosen();
const wchar_t *SyncFolderPath();
// The user's choice, stored first: a folder (this computer's file written there at once,
// and the folder looked at), or "" to stop syncing (the files already there stay). False,
// with the choice as it was, when it could not be stored or the worker not started.
bool ChooseSyncFolder(const wchar_t *folder);
// Called by every save: the first save of each hour hands the history to the worker when
// it changed since the last one handed.
void SyncWriteWhenDue();
// The meter timer's check, each second: a look at the folder once a minute.
void SyncLookWhenDue();
// The worker's news taken in (the posted message).
void TakeSyncFolderNews();
// The exit, after the last save: the history handed when it changed, the worker stopped and
// waited for at most SYNC_EXIT_WAIT_MS.
void FinishSyncFolder();

#endif
