// The list of added files. The registry holds it; only the entries that no save has written
// yet are kept in memory, so that the list never goes stale beside the value.
#include "added_files.h"

#include <stdlib.h>
#include <string.h>

#include "registry_store.h"

struct AddedFileEntry {
    uint64_t hash;
    DateKey date;
    uint32_t zero;
};
static_assert(sizeof(AddedFileEntry) == 16, "an entry of \"Added Files\" is 16 bytes");

static AddedFileEntry Pending[MAX_ADDED_FILES];
static int PendingCount;

// The whole entries of the value, the newest MAX_ADDED_FILES of them, into a block that
// the caller frees, with room for `extra` more; a missing value has none. False when the
// value is there but cannot be read (nothing may then be written over it) or no memory.
static bool ReadAddedFiles(int extra, AddedFileEntry **entries, int *count)
{
    BYTE *data;
    DWORD size;
    *entries = nullptr;
    *count = 0;
    if (!ReadAddedFilesValue(extra * (DWORD)sizeof(AddedFileEntry), &data, &size))
        return false;
    *entries = (AddedFileEntry *)data;
    int whole = (int)(size / sizeof(AddedFileEntry));
    int dropped = whole > MAX_ADDED_FILES ? whole - MAX_ADDED_FILES : 0;
    memmove(*entries, *entries + dropped, (whole - dropped) * sizeof(AddedFileEntry));
    *count = whole - dropped;
    return true;
}

DateKey AddedFileDate(uint64_t hash)
{
    for (int i = PendingCount - 1; i >= 0; --i)
        if (Pending[i].hash == hash)
            return Pending[i].date;
    AddedFileEntry *entries;
    int count;
    ReadAddedFiles(0, &entries, &count);
    DateKey date = 0;
    for (int i = count - 1; i >= 0 && !date; --i)
        if (entries[i].hash == hash)
            date = entries[i].date;
    free(entries);
    return date;
}

void RememberAddedFile(uint64_t hash, DateKey date)
{
    if (PendingCount == MAX_ADDED_FILES) {
        memmove(Pending, Pending + 1, (MAX_ADDED_FILES - 1) * sizeof(AddedFileEntry));
        --PendingCount;
    }
    Pending[PendingCount++] = AddedFileEntry{hash, date, 0};
}

bool WritePendingAddedFiles()
{
    if (PendingCount == 0)
        return true;
    AddedFileEntry *entries;
    int count;
    if (!ReadAddedFiles(PendingCount, &entries, &count)) {
        RecordSaveFailure(ERROR_CANTREAD);
        return false;
    }
    memcpy(entries + count, Pending, PendingCount * sizeof(AddedFileEntry));
    count += PendingCount;
    int dropped = count > MAX_ADDED_FILES ? count - MAX_ADDED_FILES : 0;
    bool written = WriteAddedFilesValue((const BYTE *)(entries + dropped),
                                        (DWORD)(count - dropped) * sizeof(AddedFileEntry));
    free(entries);
    if (written)
        PendingCount = 0;
    return written;
}
