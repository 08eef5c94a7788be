// The other computers' histories, kept beside this computer's own: each source (a computer
// id) as one whole history, replaced whole when a newer copy of it arrives, never summed
// into this computer's days. They are kept as history files with their trailer in the
// kept computers' folder (backup_folder.h), one per id and named by it in 16 hex digits,
// with a small list file there of when each was kept and of the ids the user removed, so
// that they stay available while a sync folder is offline. No registry value holds any of
// it. Everything here runs on the program's window thread (the meter's); the sync folder's
// worker hands finished histories to that thread and never calls in here.
#ifndef TALLYWICK_SOURCES_H
#define TALLYWICK_SOURCES_H

#include <stdint.h>
#include "history_format.h"
#include "history_list.h"

struct KeptSource {
    uint64_t id;                            // the computer id of its files' trailer
    wchar_t name[COMPUTER_NAME_MAX + 1];    // as its newest kept file names it
    uint64_t writtenAt;                     // the kept copy's trailer time (FILETIME, UTC)
    uint64_t keptAt;                        // when it was kept here (FILETIME, UTC)
    HistoryList days;                       // the kept copy's records, owned here
};

// At start-up (after LoadFromRegistry): the list and every kept file read (through the one
// reader, malformed ones left out), whatever was kept in memory before let go. A missing
// folder keeps nothing and is no failure. False when the folder cannot be read; nothing
// kept then.
bool LoadKeptSources();
int KeptSourceCount();
const KeptSource *KeptSourceAt(int index);        // null out of range
const KeptSource *FindKeptSource(uint64_t id);    // null when none
// Raised at every change of the kept sources, and of the malformed sync files below:
// views compare it to know they must sum (or list) anew.
uint32_t KeptSourcesVersion();

enum KeepResult { KEEP_DONE, KEEP_OLDER, KEEP_OWN, KEEP_REMOVED, KEEP_NO_SOURCE, KEEP_FAILED };
enum KeepFlags { KEEP_EVEN_IF_OLDER = 1, KEEP_EVEN_IF_REMOVED = 2 };
// Keeps `days` as the whole history of `source`, replacing the kept copy of the same id.
// Refused: KEEP_OWN (this computer's own file, IsThisComputersSource), KEEP_NO_SOURCE (no
// trailer), KEEP_OLDER (written earlier than the kept copy, unless KEEP_EVEN_IF_OLDER),
// KEEP_REMOVED (a removed id, unless KEEP_EVEN_IF_REMOVED, which also forgets the removal),
// KEEP_FAILED (the file or the list could not be written; nothing changed). A copy written
// at the same time as the kept one replaces it.
KeepResult KeepSourceHistory(const HistorySource &source, const HistoryList &days, int flags);
// The kept file goes, its days leave every "all computers" view, and the id is remembered as
// removed, so that a sync-folder file of it is skipped until the user adds it again. False,
// with nothing changed, when the removal could not be written.
bool RemoveKeptSource(uint64_t id);
bool IsRemovedSource(uint64_t id);
// An id for a computer that the user names for a file without a trailer: random, never 0,
// this computer's or a kept or removed one; 0 when the system has no random number to give.
uint64_t NewSourceId();

// The sync folder's files that could not be read as a history, by file name (no folder),
// each reported once and shown in the sources list until it is read well again. Up to
// MALFORMED_SYNC_FILES_MAX names are remembered; more are dropped.
const int MALFORMED_SYNC_FILES_MAX = 32;
void ReportMalformedSyncFile(const wchar_t *name);
void ForgetMalformedSyncFile(const wchar_t *name);
int MalformedSyncFileCount();
const wchar_t *MalformedSyncFileAt(int index);  // null out of range

#endif
