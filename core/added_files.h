// The history files added from other computers, so that none is added twice by mistake:
// the registry value "Added Files" (REG_BINARY) beside the figures, 16 bytes an entry:
// the 64-bit hash of the file's bytes, the DateKey of the day it was added and four zero
// bytes, all little-endian, oldest first, at most 1,000 entries (the oldest dropped).
#ifndef TALLYWICK_ADDED_FILES_H
#define TALLYWICK_ADDED_FILES_H

#include <windows.h>
#include <stdint.h>
#include "counters.h"

const int MAX_ADDED_FILES = 1000;

// The day a file of this hash was added, or 0 when it never was. A missing value, one cut
// short or one that cannot be read lists no file (or only its whole entries).
DateKey AddedFileDate(uint64_t hash);
// Remembers a file as added on `date`. It is written by the next save, together with the
// figures it brought, and kept for a later save while the key refuses writes.
void RememberAddedFile(uint64_t hash, DateKey date);
// The save, after the figures: writes the files remembered since the last write, if any,
// after those the value holds. False, the save failed (RecordSaveFailure), when the value
// could not be read or written; the files are then kept for the next save.
bool WritePendingAddedFiles();

#endif
