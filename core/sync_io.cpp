// The sync folder's files. Every file is opened with all sharing allowed, so that a sync
// service or another machine writing it meanwhile is never blocked by this reader; what
// such a write leaves half done fails its parse or its size check and is read again once
// its size or time has changed.
#include "sync_io.h"

#include <stdlib.h>
#include <wchar.h>

#include "file_system.h"
#include "replaced_file.h"

static bool ReadExactly(HANDLE file, unsigned char *bytes, size_t size)
{
    for (size_t at = 0; at < size;) {
        DWORD chunk = size - at > 1u << 30 ? 1u << 30 : (DWORD)(size - at), got = 0;
        if (!ReadFile(file, bytes + at, chunk, &got, nullptr) || got == 0)
            return false;
        at += got;
    }
    return true;
}

// The bytes the parse can use, no more (HistoryFileExtent), into a block that the caller
// frees; null when the file cannot be opened or read whole now.
static unsigned char *ReadSyncBytes(const wchar_t *path, size_t *size)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE
                              | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER fileSize;
    unsigned char header[HISTORY_HEADER_SIZE];
    size_t headerSize = 0;
    bool whole = GetFileSizeEx(file, &fileSize);
    if (whole) {
        headerSize = fileSize.QuadPart < (LONGLONG)sizeof header ? (size_t)fileSize.QuadPart
                                                                 : sizeof header;
        whole = ReadExactly(file, header, headerSize);
    }
    unsigned char *bytes = nullptr;
    if (whole) {
        *size = HistoryFileExtent(header, headerSize, (uint64_t)fileSize.QuadPart);
        bytes = (unsigned char *)malloc(*size > 0 ? *size : 1);
        whole = bytes != nullptr;
    }
    if (whole) {
        memcpy(bytes, header, *size < headerSize ? *size : headerSize);
        whole = *size <= headerSize || ReadExactly(file, bytes + headerSize, *size - headerSize);
    }
    CloseHandle(file);
    if (!whole) {
        free(bytes);
        return nullptr;
    }
    return bytes;
}

static SyncNews *NewNews(SyncNewsKind kind, const wchar_t *name)
{
    SyncNews *news = (SyncNews *)calloc(1, sizeof(SyncNews));
    if (news) {
        news->kind = kind;
        lstrcpynW(news->name, name, MAX_PATH);
        news->days = HistoryList{nullptr, 0, 0, HISTORY_GROW_STEP};
    }
    return news;
}

static void Append(SyncNews ***tail, SyncNews *news)
{
    **tail = news;
    *tail = &news->next;
}

// One changed file read and parsed; false when it could not be read now, or no memory for
// its news: it stays unremembered and is read at the next look.
static bool ReadSyncFile(const wchar_t *folder, const WIN32_FIND_DATAW &entry, SyncNews ***tail)
{
    wchar_t path[MAX_PATH];
    size_t size = 0;
    unsigned char *bytes = JoinFolderPath(path, folder, entry.cFileName)
                               ? ReadSyncBytes(path, &size) : nullptr;
    SyncNews *news = bytes ? NewNews(SYNC_NEWS_HISTORY, entry.cFileName) : nullptr;
    if (!news) {
        free(bytes);
        return false;
    }
    HistoryFileResult result = ParseHistoryFile(bytes, size, &news->days, &news->source);
    free(bytes);
    if (result == HISTORY_FILE_NO_MEMORY) {
        FreeSyncNews(news);
        return false;
    }
    if (result != HISTORY_FILE_OK && result != HISTORY_FILE_EMPTY)
        news->kind = SYNC_NEWS_MALFORMED;
    Append(tail, news);
    return true;
}

struct GoneNews {
    SyncNews ***tail;
};

static void AppendGone(const wchar_t *name, void *context)
{
    SyncNews *news = NewNews(SYNC_NEWS_GONE, name);
    if (news)
        Append(((GoneNews *)context)->tail, news);
}

bool LookAtSyncFolder(const wchar_t *folder, SyncFileTable *table, SyncNews ***tail)
{
    wchar_t pattern[MAX_PATH];
    if (!folder[0] || !JoinFolderPath(pattern, folder, L"Tallywick-*.twh"))
        return false;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileExW(pattern, FindExInfoBasic, &entry, FindExSearchNameMatch,
                                     nullptr, 0);
    if (search == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    BeginSyncLook(table);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            uint64_t size = (uint64_t)entry.nFileSizeHigh << 32 | entry.nFileSizeLow;
            uint64_t time = FileTimeValue(entry.ftLastWriteTime);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                || !IsSyncFileName(entry.cFileName)
                || !SyncFileChanged(table, entry.cFileName, size, time))
                continue;
            if (ReadSyncFile(folder, entry, tail))
                RememberSyncFile(table, entry.cFileName, size, time);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    GoneNews gone = {tail};
    EndSyncLook(table, AppendGone, &gone);
    return true;
}

bool WriteSyncFile(const wchar_t *folder, const wchar_t *name, const unsigned char *bytes,
                   size_t size, SyncFileTable *table)
{
    wchar_t path[MAX_PATH], temp[MAX_PATH];
    if (!JoinFolderPath(path, folder, name) || !JoinFolderPath(temp, folder, name)
        || wcslen(temp) + 4 >= MAX_PATH)
        return false;
    wcscat(temp, L".tmp");
    if (!ReplaceFileWithBytes(path, temp, bytes, size))
        return false;
    WIN32_FILE_ATTRIBUTE_DATA written;
    if (GetFileAttributesExW(path, GetFileExInfoStandard, &written))
        RememberSyncFile(table, name,
                         (uint64_t)written.nFileSizeHigh << 32 | written.nFileSizeLow,
                         FileTimeValue(written.ftLastWriteTime));
    return true;
}

void DeleteOwnSyncFiles(const wchar_t *folder, const SyncWrites &writes)
{
    SyncFileTable none = {};
    SyncNews *found = nullptr, **tail = &found;
    if (!LookAtSyncFolder(folder, &none, &tail))
        return;
    for (SyncNews *news = found; news; news = news->next) {
        wchar_t path[MAX_PATH];
        if (news->kind == SYNC_NEWS_HISTORY && news->source.present
            && WrittenHere(writes, news->source.computerId, news->source.writtenAt)
            && JoinFolderPath(path, folder, news->name))
            DeleteFileW(path);
    }
    FreeSyncNews(found);
    ClearSyncFileTable(&none);
}

void FreeSyncNews(SyncNews *news)
{
    while (news) {
        SyncNews *next = news->next;
        DestroyHistoryList(&news->days);
        free(news);
        news = next;
    }
}
