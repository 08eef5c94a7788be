// The sync folder's names and the table of files read.
#include "sync_files.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

static const wchar_t PREFIX[] = L"Tallywick-";
static const wchar_t EXTENSION[] = L".twh";
static const size_t PREFIX_LENGTH = 10, EXTENSION_LENGTH = 4;

static bool AllowedInFileName(wchar_t c)
{
    return c >= 32 && !wcschr(L"\\/:*?\"<>|", c);
}

void MakeSyncFileName(const wchar_t *computerName, uint64_t id, wchar_t *name)
{
    wchar_t safe[COMPUTER_NAME_MAX + 1];
    int length = 0;
    for (; computerName[length] && length < COMPUTER_NAME_MAX; ++length)
        safe[length] = AllowedInFileName(computerName[length]) ? computerName[length] : L'_';
    safe[length] = L'\0';
    _snwprintf(name, SYNC_FILE_NAME_SIZE, L"%ls%ls-%016llX%ls", PREFIX, safe,
               (unsigned long long)id, EXTENSION);
    name[SYNC_FILE_NAME_SIZE - 1] = L'\0';
}

bool IsSyncFileName(const wchar_t *name)
{
    size_t length = wcslen(name);
    return length > PREFIX_LENGTH + EXTENSION_LENGTH && _wcsnicmp(name, PREFIX, PREFIX_LENGTH) == 0
           && _wcsicmp(name + length - EXTENSION_LENGTH, EXTENSION) == 0;
}

static SyncFileState *FindSyncFile(SyncFileTable *table, const wchar_t *name)
{
    for (int i = 0; i < table->count; ++i)
        if (_wcsicmp(table->files[i].name, name) == 0)
            return &table->files[i];
    return nullptr;
}

void BeginSyncLook(SyncFileTable *table)
{
    for (int i = 0; i < table->count; ++i)
        table->files[i].seen = false;
}

bool SyncFileChanged(SyncFileTable *table, const wchar_t *name, uint64_t size, uint64_t writeTime)
{
    SyncFileState *file = FindSyncFile(table, name);
    if (!file)
        return true;
    file->seen = true;
    return file->size != size || file->writeTime != writeTime;
}

bool RememberSyncFile(SyncFileTable *table, const wchar_t *name, uint64_t size, uint64_t writeTime)
{
    SyncFileState *file = FindSyncFile(table, name);
    if (!file) {
        if (table->count == table->capacity) {
            int capacity = table->capacity + 16;
            SyncFileState *grown =
                (SyncFileState *)realloc(table->files, capacity * sizeof(SyncFileState));
            if (!grown)
                return false;
            table->files = grown;
            table->capacity = capacity;
        }
        file = &table->files[table->count++];
        lstrcpynW(file->name, name, MAX_PATH);
    }
    file->size = size;
    file->writeTime = writeTime;
    file->seen = true;
    return true;
}

void EndSyncLook(SyncFileTable *table, void (*gone)(const wchar_t *name, void *context),
                 void *context)
{
    int kept = 0;
    for (int i = 0; i < table->count; ++i) {
        if (table->files[i].seen)
            table->files[kept++] = table->files[i];
        else if (gone)
            gone(table->files[i].name, context);
    }
    table->count = kept;
}

void ClearSyncFileTable(SyncFileTable *table)
{
    free(table->files);
    *table = SyncFileTable{};
}
