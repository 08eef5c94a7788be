// The kept sources. The list file is written before the history file it speaks of, and a
// removal is written before the kept file is deleted: a crash between the two then leaves
// a list whose removal still wins at the next start, or a kept entry without its file,
// which is simply not loaded. The list file, little-endian:
//   0 "TWKC" | 4 version, 1 (16 bits) | 6 an entry's size, 24 (16 bits) | 8 the number of
//   entries (32 bits) | 12 the entries: the id (64 bits), when it was kept or removed
//   (FILETIME, UTC), the kind (32 bits: 1 kept, 2 removed) and four zero bytes.
// The names live in the kept files' trailers, never in the list.
#include "sources.h"

#include <windows.h>
#include <bcrypt.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "backup_folder.h"
#include "computer_identity.h"
#include "file_system.h"
#include "history_file.h"
#include "replaced_file.h"
#include "written_file.h"

struct SourceEntry {
    uint64_t id;
    uint64_t time;  // kept or removed at (FILETIME, UTC)
    uint32_t kind;
    uint32_t reserved;
};
static_assert(sizeof(SourceEntry) == 24, "a list entry is 24 bytes");

enum { ENTRY_KEPT = 1, ENTRY_REMOVED = 2 };

static const unsigned char LIST_MAGIC[4] = {'T', 'W', 'K', 'C'};
static const size_t LIST_HEADER_SIZE = 12;
static const uint32_t LIST_ENTRIES_MAX = 100000;  // far beyond any user's computers
static const wchar_t LIST_NAME[] = L"Sources.list";
static const wchar_t LIST_TEMP_NAME[] = L"Sources.tmp";

// Owned by the window thread, as everything in this module.
static KeptSource *Kept;
static int KeptCount;
static SourceEntry *Removed;  // the removed ids, kind ENTRY_REMOVED
static int RemovedCount;
static uint32_t Version;
static wchar_t MalformedNames[MALFORMED_SYNC_FILES_MAX][MAX_PATH];
static int MalformedCount;

// folder\<16 hex digits><extension>; false when it would not fit in MAX_PATH.
static bool SourcePath(wchar_t *path, const wchar_t *folder, uint64_t id, const wchar_t *extension)
{
    int written = _snwprintf(path, MAX_PATH, L"%ls\\%016llX%ls", folder,
                             (unsigned long long)id, extension);
    return written > 0 && written < MAX_PATH;
}

// The id that a kept file's name gives: exactly 16 hex digits, then ".twh"; 0 for any
// other name.
static uint64_t NameId(const wchar_t *name)
{
    if (wcslen(name) != 20 || _wcsicmp(name + 16, L".twh") != 0)
        return 0;
    uint64_t id = 0;
    for (int i = 0; i < 16; ++i) {
        wchar_t c = name[i];
        int digit = c >= L'0' && c <= L'9' ? c - L'0'
                    : c >= L'A' && c <= L'F' ? c - L'A' + 10
                    : c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
        if (digit < 0)
            return 0;
        id = id << 4 | (uint64_t)digit;
    }
    return id;
}

static void ForgetKeptSources()
{
    for (int i = 0; i < KeptCount; ++i)
        DestroyHistoryList(&Kept[i].days);
    free(Kept);
    free(Removed);
    Kept = nullptr;
    Removed = nullptr;
    KeptCount = RemovedCount = 0;
    ++Version;
}

static int KeptIndex(uint64_t id)
{
    for (int i = 0; i < KeptCount; ++i)
        if (Kept[i].id == id)
            return i;
    return -1;
}

static int RemovedIndex(uint64_t id)
{
    for (int i = 0; i < RemovedCount; ++i)
        if (Removed[i].id == id)
            return i;
    return -1;
}

// The list file's entries, parsed from its bytes into a block that the caller frees; a
// list that is not whole (a wrong magic, version or entry size, a count past the bytes) is
// refused whole: null and a count of 0.
static SourceEntry *ParseSourcesList(const unsigned char *bytes, size_t size, int *count)
{
    *count = 0;
    uint16_t version, entrySize;
    uint32_t entries;
    if (size < LIST_HEADER_SIZE || memcmp(bytes, LIST_MAGIC, 4) != 0)
        return nullptr;
    memcpy(&version, bytes + 4, 2);
    memcpy(&entrySize, bytes + 6, 2);
    memcpy(&entries, bytes + 8, 4);
    if (version < 1 || entrySize != sizeof(SourceEntry) || entries > LIST_ENTRIES_MAX
        || (size - LIST_HEADER_SIZE) / sizeof(SourceEntry) < entries)
        return nullptr;
    SourceEntry *list = (SourceEntry *)malloc(entries > 0 ? entries * sizeof(SourceEntry) : 1);
    if (list) {
        memcpy(list, bytes + LIST_HEADER_SIZE, entries * sizeof(SourceEntry));
        *count = (int)entries;
    }
    return list;
}

// The list file as it is on the disk; null (none) when it is missing or malformed.
static SourceEntry *ReadSourcesList(const wchar_t *folder, int *count)
{
    *count = 0;
    wchar_t path[MAX_PATH];
    FILE *file = JoinFolderPath(path, folder, LIST_NAME) ? _wfopen(path, L"rb") : nullptr;
    if (!file)
        return nullptr;
    size_t limit = LIST_HEADER_SIZE + LIST_ENTRIES_MAX * sizeof(SourceEntry);
    unsigned char *bytes = (unsigned char *)malloc(limit);
    size_t size = bytes ? fread(bytes, 1, limit, file) : 0;
    fclose(file);
    SourceEntry *entries = bytes ? ParseSourcesList(bytes, size, count) : nullptr;
    free(bytes);
    return entries;
}

// The last entry of an id in the list decides.
static const SourceEntry *ListedEntry(const SourceEntry *entries, int count, uint64_t id)
{
    for (int i = count - 1; i >= 0; --i)
        if (entries[i].id == id)
            return &entries[i];
    return nullptr;
}

// Room for one more removed id.
static bool ReserveRemoved()
{
    SourceEntry *grown = (SourceEntry *)realloc(Removed, (RemovedCount + 1) * sizeof(SourceEntry));
    if (grown)
        Removed = grown;
    return grown != nullptr;
}

static bool AppendKept(const KeptSource &source)
{
    KeptSource *grown = (KeptSource *)realloc(Kept, (KeptCount + 1) * sizeof(KeptSource));
    if (!grown)
        return false;
    Kept = grown;
    Kept[KeptCount++] = source;
    return true;
}

// A kept file whose trailer names the id of its file name, which is neither removed nor
// this computer's own (an id that was this computer's before it was replaced).
static void LoadKeptFile(const wchar_t *folder, const WIN32_FIND_DATAW &entry,
                         const SourceEntry *listed, int listedCount)
{
    uint64_t id = NameId(entry.cFileName);
    wchar_t path[MAX_PATH];
    if (id == 0 || RemovedIndex(id) >= 0 || KeptIndex(id) >= 0
        || !JoinFolderPath(path, folder, entry.cFileName))
        return;
    FILE *file = _wfopen(path, L"rb");
    if (!file)
        return;
    KeptSource source = {};
    source.days = HistoryList{nullptr, 0, 0, HISTORY_GROW_STEP};
    HistorySource trailer;
    HistoryFileResult result = ReadHistoryFile(file, &source.days, &trailer);
    fclose(file);
    const SourceEntry *kept = ListedEntry(listed, listedCount, id);
    if (result != HISTORY_FILE_OK || !trailer.present || trailer.computerId != id
        || IsThisComputersSource(trailer)) {
        DestroyHistoryList(&source.days);
        return;
    }
    source.id = id;
    memcpy(source.name, trailer.name, sizeof source.name);
    source.writtenAt = trailer.writtenAt;
    source.keptAt = kept && kept->kind == ENTRY_KEPT ? kept->time
                                                     : FileTimeValue(entry.ftLastWriteTime);
    if (!AppendKept(source))
        DestroyHistoryList(&source.days);
}

bool LoadKeptSources()
{
    ForgetKeptSources();
    wchar_t folder[MAX_PATH], pattern[MAX_PATH];
    if (!FindComputersFolder(folder) || !JoinFolderPath(pattern, folder, L"*.twh"))
        return false;
    int listedCount;
    SourceEntry *listed = ReadSourcesList(folder, &listedCount);
    for (int i = 0; i < listedCount; ++i)
        if (ListedEntry(listed, listedCount, listed[i].id) == &listed[i]
            && listed[i].kind == ENTRY_REMOVED && ReserveRemoved())
            Removed[RemovedCount++] = listed[i];
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    DWORD error = search == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    bool readable = error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND
                    || error == ERROR_PATH_NOT_FOUND;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                LoadKeptFile(folder, entry, listed, listedCount);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    free(listed);
    if (!readable)
        ForgetKeptSources();
    ++Version;
    return readable;
}

int KeptSourceCount()
{
    return KeptCount;
}

const KeptSource *KeptSourceAt(int index)
{
    return index >= 0 && index < KeptCount ? &Kept[index] : nullptr;
}

const KeptSource *FindKeptSource(uint64_t id)
{
    int index = KeptIndex(id);
    return index >= 0 ? &Kept[index] : nullptr;
}

uint32_t KeptSourcesVersion()
{
    return Version;
}

bool IsRemovedSource(uint64_t id)
{
    return RemovedIndex(id) >= 0;
}

// The kept computers' folder, made with its parent when missing.
static bool MakeComputersFolder(wchar_t *folder)
{
    return FindComputersFolder(folder) && CreateFolderWithParent(folder);
}

// Writes the list as memory holds it, but with `changed` in place of any entry of
// `changedId` (no entry of it when `changed` is null).
static bool WriteSourcesList(const wchar_t *folder, uint64_t changedId, const SourceEntry *changed)
{
    size_t count = (size_t)KeptCount + RemovedCount + 1;
    size_t size = LIST_HEADER_SIZE + count * sizeof(SourceEntry);
    unsigned char *bytes = (unsigned char *)calloc(1, size);
    if (!bytes)
        return false;
    SourceEntry *entries = (SourceEntry *)(bytes + LIST_HEADER_SIZE);
    uint32_t written = 0;
    for (int i = 0; i < KeptCount; ++i)
        if (Kept[i].id != changedId)
            entries[written++] = SourceEntry{Kept[i].id, Kept[i].keptAt, ENTRY_KEPT, 0};
    for (int i = 0; i < RemovedCount; ++i)
        if (Removed[i].id != changedId)
            entries[written++] = Removed[i];
    if (changed)
        entries[written++] = *changed;
    uint16_t version = 1, entrySize = sizeof(SourceEntry);
    memcpy(bytes, LIST_MAGIC, 4);
    memcpy(bytes + 4, &version, 2);
    memcpy(bytes + 6, &entrySize, 2);
    memcpy(bytes + 8, &written, 4);
    wchar_t path[MAX_PATH], temp[MAX_PATH];
    bool replaced = JoinFolderPath(path, folder, LIST_NAME) && JoinFolderPath(temp, folder, LIST_TEMP_NAME)
                    && ReplaceFileWithBytes(path, temp, bytes,
                                            LIST_HEADER_SIZE + written * sizeof(SourceEntry));
    free(bytes);
    return replaced;
}

static bool CopyDays(HistoryList *copy, const HistoryList &days)
{
    *copy = HistoryList{nullptr, 0, 0, HISTORY_GROW_STEP};
    if (days.count == 0)
        return true;
    if (!ReserveHistory(copy, days.count))
        return false;
    memcpy(copy->records, days.records, days.count * sizeof(HistoryRecord));
    copy->count = days.count;
    return true;
}

static bool WriteKeptFile(const wchar_t *folder, const HistorySource &source,
                          const HistoryList &days)
{
    wchar_t path[MAX_PATH], temp[MAX_PATH];
    if (!SourcePath(path, folder, source.computerId, L".twh")
        || !SourcePath(temp, folder, source.computerId, L".tmp"))
        return false;
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&days, &source, &size);
    bool replaced = bytes && ReplaceFileWithBytes(path, temp, bytes, size);
    free(bytes);
    return replaced;
}

static KeepResult RefusalOf(const HistorySource &source, int flags)
{
    if (!source.present || source.computerId == 0)
        return KEEP_NO_SOURCE;
    if (IsThisComputersSource(source))
        return KEEP_OWN;
    if (IsRemovedSource(source.computerId) && !(flags & KEEP_EVEN_IF_REMOVED))
        return KEEP_REMOVED;
    const KeptSource *kept = FindKeptSource(source.computerId);
    if (kept && source.writtenAt < kept->writtenAt && !(flags & KEEP_EVEN_IF_OLDER))
        return KEEP_OLDER;
    return KEEP_DONE;
}

// Memory follows what the disk now holds: the copy in place of the one of its id, and the
// id no longer removed.
static void TakeKeptCopy(const KeptSource &kept)
{
    int index = KeptIndex(kept.id);
    if (index >= 0) {
        DestroyHistoryList(&Kept[index].days);
        Kept[index] = kept;
    } else if (!AppendKept(kept)) {
        // Kept on the disk but no memory to show it: the next start shows it.
        HistoryList days = kept.days;
        DestroyHistoryList(&days);
    }
    int removed = RemovedIndex(kept.id);
    if (removed >= 0)
        Removed[removed] = Removed[--RemovedCount];
    ++Version;
}

// The list first, then the file: when the file cannot be written the list is written back
// as it was, so that nothing has changed.
KeepResult KeepSourceHistory(const HistorySource &source, const HistoryList &days, int flags)
{
    KeepResult refusal = RefusalOf(source, flags);
    if (refusal != KEEP_DONE)
        return refusal;
    KeptSource kept = {};
    kept.id = source.computerId;
    int nameLength = source.nameLength < 0 ? 0
                     : source.nameLength > COMPUTER_NAME_MAX ? COMPUTER_NAME_MAX : source.nameLength;
    wmemcpy(kept.name, source.name, nameLength);
    kept.name[nameLength] = L'\0';
    kept.writtenAt = source.writtenAt;
    kept.keptAt = FileTimeNow();
    wchar_t folder[MAX_PATH];
    SourceEntry entry = {kept.id, kept.keptAt, ENTRY_KEPT, 0};
    if (!MakeComputersFolder(folder) || !CopyDays(&kept.days, days))
        return KEEP_FAILED;
    if (!WriteSourcesList(folder, kept.id, &entry)) {
        DestroyHistoryList(&kept.days);
        return KEEP_FAILED;
    }
    if (!WriteKeptFile(folder, source, days)) {
        WriteSourcesList(folder, 0, nullptr);
        DestroyHistoryList(&kept.days);
        return KEEP_FAILED;
    }
    TakeKeptCopy(kept);
    return KEEP_DONE;
}

bool RemoveKeptSource(uint64_t id)
{
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    SourceEntry entry = {id, FileTimeNow(), ENTRY_REMOVED, 0};
    if (!MakeComputersFolder(folder) || !SourcePath(path, folder, id, L".twh")
        || !ReserveRemoved() || !WriteSourcesList(folder, id, &entry))
        return false;
    // A file that cannot be deleted now is skipped at every start: the list says removed.
    DeleteFileW(path);
    int removed = RemovedIndex(id);
    if (removed >= 0)
        Removed[removed] = entry;
    else
        Removed[RemovedCount++] = entry;
    int index = KeptIndex(id);
    if (index >= 0) {
        DestroyHistoryList(&Kept[index].days);
        memmove(&Kept[index], &Kept[index + 1], (KeptCount - index - 1) * sizeof(KeptSource));
        --KeptCount;
    }
    ++Version;
    return true;
}

uint64_t NewSourceId()
{
    uint64_t current = ThisComputerId(), id = 0;
    while (id == 0 || id == current || FindKeptSource(id) || IsRemovedSource(id))
        if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, (PUCHAR)&id, sizeof id,
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            return 0;
    return id;
}

static int MalformedIndex(const wchar_t *name)
{
    for (int i = 0; i < MalformedCount; ++i)
        if (_wcsicmp(MalformedNames[i], name) == 0)
            return i;
    return -1;
}

void ReportMalformedSyncFile(const wchar_t *name)
{
    if (MalformedIndex(name) >= 0 || MalformedCount == MALFORMED_SYNC_FILES_MAX)
        return;
    lstrcpynW(MalformedNames[MalformedCount++], name, MAX_PATH);
    ++Version;
}

void ForgetMalformedSyncFile(const wchar_t *name)
{
    int index = MalformedIndex(name);
    if (index < 0)
        return;
    memmove(MalformedNames[index], MalformedNames[index + 1],
            (MalformedCount - index - 1) * sizeof MalformedNames[0]);
    --MalformedCount;
    ++Version;
}

int MalformedSyncFileCount()
{
    return MalformedCount;
}

const wchar_t *MalformedSyncFileAt(int index)
{
    return index >= 0 && index < MalformedCount ? MalformedNames[index] : nullptr;
}
