// The sync folder's file work: the folder looked at, changed files read and parsed, this
// computer's file written through a temporary file and a rename, its own old files
// deleted. Runs on the sync folder's worker thread (sync_worker.h), and in the benchmark;
// never on the window thread, since any call can wait long on an offline share or a cloud
// file that downloads on first read. Nothing here shows a message.
#ifndef TALLYWICK_SYNC_IO_H
#define TALLYWICK_SYNC_IO_H

#include <windows.h>
#include "history_format.h"
#include "history_list.h"
#include "sync_decision.h"
#include "sync_files.h"

enum SyncNewsKind {
    SYNC_NEWS_HISTORY,    // a file read whole: its source and records
    SYNC_NEWS_MALFORMED,  // a file that is no history file
    SYNC_NEWS_GONE,       // a file read before that is no longer there
};

// What a look at the folder found, one file each, for the window thread.
struct SyncNews {
    SyncNews *next;
    SyncNewsKind kind;
    wchar_t name[MAX_PATH];  // the file's name, no folder
    HistorySource source;    // SYNC_NEWS_HISTORY only
    HistoryList days;        // SYNC_NEWS_HISTORY only; owned
};

// Lists the folder's sync files and reads each one that `table` says changed, appending
// one news item each to the list that *tail ends (news of files gone too). A file that
// cannot be opened or read now (a placeholder that does not download, a share that drops)
// is left for the next look. False when the folder cannot be listed at all (offline,
// removed): nothing in the table changes then.
bool LookAtSyncFolder(const wchar_t *folder, SyncFileTable *table, SyncNews ***tail);
// Writes `bytes` as `name` in the folder through "<name>.tmp" and a rename, and remembers
// the written file in `table` so that it is not read back; false when any step failed.
bool WriteSyncFile(const wchar_t *folder, const wchar_t *name, const unsigned char *bytes,
                   size_t size, SyncFileTable *table);
// Deletes the folder's sync files that this computer wrote under `writes.id` (a trailer of
// that id and of a time in `writes`), and leaves every other file alone.
void DeleteOwnSyncFiles(const wchar_t *folder, const SyncWrites &writes);
void FreeSyncNews(SyncNews *news);

#endif
