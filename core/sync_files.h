// The sync folder's files without the file system: the name this computer's file carries,
// which names are sync files at all, and which of them changed since they were last read.
// The name never decides whose a file is (sync services rename conflict copies); only its
// trailer does.
#ifndef TALLYWICK_SYNC_FILES_H
#define TALLYWICK_SYNC_FILES_H

#include <windows.h>
#include <stdint.h>
#include "history_format.h"

// "Tallywick-", up to 63 units of name, "-", 16 hex digits, ".twh" and the terminator.
const int SYNC_FILE_NAME_SIZE = 10 + COMPUTER_NAME_MAX + 1 + 16 + 4 + 1;

// Tallywick-<name>-<id in 16 hex digits>.twh into `name` of SYNC_FILE_NAME_SIZE units; a
// character that no file name may hold (\ / : * ? " < > | and controls) becomes '_'. An
// empty computer name gives "Tallywick--<id>.twh".
void MakeSyncFileName(const wchar_t *computerName, uint64_t id, wchar_t *name);
// Whether a file name is one the folder's readers look at: "Tallywick-", at least one more
// unit, then ".twh", in any letter case. (A search for Tallywick-*.twh also finds short
// names and longer extensions; this decides.)
bool IsSyncFileName(const wchar_t *name);

// The files read at the last look at the folder, by name: their size and last-write time
// when they were read. A file is read again only when either changed.
struct SyncFileState {
    wchar_t name[MAX_PATH];
    uint64_t size;
    uint64_t writeTime;  // FILETIME
    bool seen;           // listed at the look under way
};
struct SyncFileTable {
    SyncFileState *files;  // owned; null while empty
    int count;
    int capacity;
};

// Every file unseen, at the start of a look.
void BeginSyncLook(SyncFileTable *table);
// A file listed by the look: marked seen; true when it is new or its size or time differ
// from those it was read with, so that it must be read (again).
bool SyncFileChanged(SyncFileTable *table, const wchar_t *name, uint64_t size, uint64_t writeTime);
// A file read (or written here) with this size and time; false when no memory (it is then
// read again at the next look).
bool RememberSyncFile(SyncFileTable *table, const wchar_t *name, uint64_t size, uint64_t writeTime);
// The end of a look: the files not listed in it are forgotten, each name handed to `gone`.
void EndSyncLook(SyncFileTable *table, void (*gone)(const wchar_t *name, void *context),
                 void *context);
void ClearSyncFileTable(SyncFileTable *table);

#endif
