// The sync folder's worker thread: every wait on the folder happens there, never on the
// window thread. The window thread hands it orders (the folder, this computer's file's
// bytes to write, its old files to delete, a look at the folder) and takes its finished
// news, announced by a posted message that carries nothing the window thread must wait
// for.
//
// Threads, and who owns what:
//   - the window thread runs every function below;
//   - the worker runs only this module's own thread procedure, and sync_io.cpp;
//   - the orders and the news in between are the only values both touch, each under the
//     module's one critical section, held only to move a pointer or copy a path, never
//     around file work.
#ifndef TALLYWICK_SYNC_WORKER_H
#define TALLYWICK_SYNC_WORKER_H

#include <windows.h>
#include "sync_decision.h"
#include "sync_io.h"

// Starts the thread, once; `message` is posted to `window` whenever news is ready. False
// when the thread could not be made (nothing is synced this run).
bool StartSyncWorker(HWND window, UINT message);
bool SyncWorkerRunning();
// The folder to work in; "" stops every folder work and drops a write not yet made. A
// new folder is looked at whole (every file read once).
void SetSyncWorkerFolder(const wchar_t *folder);
// This computer's file as `name`, its `bytes` taken over (freed by the worker). A write that
// fails is tried again at each later order until it succeeds or a newer one replaces it.
void HandSyncFile(const wchar_t *name, unsigned char *bytes, size_t size);
// The folder's files of this computer's replaced id, written by it, are deleted.
void AskSyncDeletion(const SyncWrites &oldWrites);
// A look at the folder, and a try of a write still waiting.
void AskSyncLook();
// The news ready so far, oldest first, for FreeSyncNews; null when none.
SyncNews *TakeSyncNews();
// At exit: the worker finishes the write it has (if any), then ends; waits for it at most
// `waitMs`. True when it ended in time.
bool StopSyncWorker(DWORD waitMs);

#endif
