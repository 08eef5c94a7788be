// What the window thread does with a history read from the sync folder, decided without
// the file system or the registry: keep it as its source's history, skip it, or find in it
// a second machine that carries this computer's id.
//
// "A file this computer did not write": this computer remembers the trailer times of the
// sync files it wrote under its current id (the last SYNC_WRITES_MAX of them, in memory and
// in the kept computers' folder). A file of its id is another machine's when it was written
// at or after the earliest time remembered and at none of them. A file older than every
// time remembered, or any file of the id while none is remembered, cannot be told apart
// and counts as this computer's own: an own file is never counted as another's, and the
// other machine is found at its next write.
#ifndef TALLYWICK_SYNC_DECISION_H
#define TALLYWICK_SYNC_DECISION_H

#include <stddef.h>
#include <stdint.h>
#include "history_format.h"

const int SYNC_WRITES_MAX = 64;  // about two and a half days of hourly writes

// The trailer times of the sync files written under `id`, oldest first.
struct SyncWrites {
    uint64_t id;
    int count;
    uint64_t times[SYNC_WRITES_MAX];
};

// A write remembered; the oldest time goes when the list is full. A write under another id
// (the id was replaced) starts the list anew.
void AddSyncWrite(SyncWrites *writes, uint64_t id, uint64_t writtenAt);
// Whether a file of `id` written at `writtenAt` is another machine's, by the rule above.
bool WrittenElsewhere(const SyncWrites &writes, uint64_t id, uint64_t writtenAt);
// Whether this computer wrote a file of `id` at `writtenAt`, as far as it remembers.
bool WrittenHere(const SyncWrites &writes, uint64_t id, uint64_t writtenAt);

// The list as a file, little-endian: "TWKW" | version 1 (16 bits) | the count, 0 to 64 (16
// bits) | the id (64 bits) | the times (64 bits each). A list that is not whole is none.
const size_t SYNC_WRITES_FILE_MAX = 16 + SYNC_WRITES_MAX * 8;
size_t EncodeSyncWrites(const SyncWrites &writes, unsigned char *bytes);  // SYNC_WRITES_FILE_MAX
bool ParseSyncWrites(const unsigned char *bytes, size_t size, SyncWrites *writes);

enum SyncDecision {
    SYNC_KEEP,            // a newer copy of another computer's history
    SYNC_SKIP_OWN,        // this computer's own file, under its id or a former one
    SYNC_SKIP_REMOVED,    // a computer the user removed
    SYNC_SKIP_NOT_NEWER,  // written no later than the copy kept
    SYNC_NO_SOURCE,       // no trailer: no computer's, reported as a file that cannot be read
    SYNC_TAKE_NEW_ID,     // this computer's id, written by another machine
    SYNC_SKIP_TWIN,       // the same, but the other machine is the one to take a new id
};

// This computer as the decision sees it: its id, "Former Computer Ids" as stored, the
// writes it remembers and its name (null when unknown).
struct SyncSelf {
    uint64_t currentId;
    const unsigned char *formerIds;
    size_t formerSize;
    const SyncWrites *writes;
    const wchar_t *name;
};

// Of two machines with one id, the one that takes a new id. A sync service carries a file
// to the other computers minutes late, so both machines usually find each other's file
// before either has taken a new id; were each finder to take one, neither would keep the
// id. When the names differ, the machine whose name sorts first (ignoring case, as Windows
// compares computer names) keeps it, and both decide alike whoever looks first. Equal
// names cannot be told apart: then the finder takes a new id.
bool TakesNewIdFromTwin(const wchar_t *ownName, const wchar_t *twinName);

// `keptWrittenAt` is the trailer time of the copy kept of the file's source, null when none.
SyncDecision DecideSyncFile(const HistorySource &source, const SyncSelf &self, bool removed,
                            const uint64_t *keptWrittenAt);

#endif
