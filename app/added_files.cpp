// The list of added files. The registry holds it; only the entries that no save has written
// yet are kept in memory, so that the list never goes stale beside the value.
#include "added_files.h"

#include <stdlib.h>
#include <string.h>

#include "registry_store.h"

static const char ADDED_FILES_VALUE[] = "Added Files";

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
static bool ReadAddedFiles(HKEY key, int extra, AddedFileEntry **entries, int *count)
{
    *entries = nullptr;
    *count = 0;
    DWORD size = 0;
    LONG found = RegQueryValueExA(key, ADDED_FILES_VALUE, nullptr, nullptr, nullptr, &size);
    if (found == ERROR_FILE_NOT_FOUND)
        size = 0;
    else if (found != ERROR_SUCCESS)
        return false;
    *entries = (AddedFileEntry *)malloc(size + extra * sizeof(AddedFileEntry) + 1);
    if (!*entries || (size > 0 && RegQueryValueExA(key, ADDED_FILES_VALUE, nullptr, nullptr,
                                                   (BYTE *)*entries, &size) != ERROR_SUCCESS)) {
        free(*entries);
        *entries = nullptr;
        return false;
    }
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
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    AddedFileEntry *entries;
    int count;
    ReadAddedFiles(key, 0, &entries, &count);
    RegCloseKey(key);
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

void WritePendingAddedFiles(HKEY key, LONG *failure)
{
    if (PendingCount == 0)
        return;
    AddedFileEntry *entries;
    int count;
    if (!ReadAddedFiles(key, PendingCount, &entries, &count)) {
        *failure = ERROR_CANTREAD;
        return;
    }
    memcpy(entries + count, Pending, PendingCount * sizeof(AddedFileEntry));
    count += PendingCount;
    int dropped = count > MAX_ADDED_FILES ? count - MAX_ADDED_FILES : 0;
    LONG result = RegSetValueExA(key, ADDED_FILES_VALUE, 0, REG_BINARY, (const BYTE *)(entries + dropped),
                                 (DWORD)(count - dropped) * sizeof(AddedFileEntry));
    free(entries);
    if (result == ERROR_SUCCESS)
        PendingCount = 0;
    else
        *failure = result;
}
