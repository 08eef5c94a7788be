// The worker and its two queues. An auto-reset event wakes it for every order; it takes all
// orders at once under the lock, then does the file work without it, in this order: the
// deletion of old files, the write, the look (so that a look never reads back a file that
// is about to be replaced).
#include "sync_worker.h"

#include <stdlib.h>
#include <string.h>

// Shared between the two threads, guarded by Lock.
static CRITICAL_SECTION Lock;
static wchar_t OrderedFolder[MAX_PATH];
static bool FolderChanged;
static wchar_t WriteName[SYNC_FILE_NAME_SIZE];
static unsigned char *WriteBytes;  // owned; null when no write waits
static size_t WriteSize;
static bool DeletionAsked;
static SyncWrites DeletionWrites;
static bool LookAsked;
static bool StopAsked;
static SyncNews *News, **NewsTail = &News;

// The window thread's alone.
static HANDLE Wake, Thread;
static HWND NewsWindow;
static UINT NewsMessage;

// The worker's alone.
static wchar_t Folder[MAX_PATH];
static SyncFileTable Seen;

struct Orders {
    bool folderChanged, deletion, look, stop;
    SyncWrites deletionWrites;
    wchar_t writeName[SYNC_FILE_NAME_SIZE];
    unsigned char *writeBytes;
    size_t writeSize;
};

static Orders TakeOrders()
{
    Orders orders = {};
    EnterCriticalSection(&Lock);
    orders.folderChanged = FolderChanged;
    if (FolderChanged)
        memcpy(Folder, OrderedFolder, sizeof Folder);
    orders.deletion = DeletionAsked;
    orders.deletionWrites = DeletionWrites;
    orders.look = LookAsked;
    orders.stop = StopAsked;
    orders.writeBytes = WriteBytes;
    orders.writeSize = WriteSize;
    memcpy(orders.writeName, WriteName, sizeof WriteName);
    WriteBytes = nullptr;
    FolderChanged = DeletionAsked = LookAsked = false;
    LeaveCriticalSection(&Lock);
    return orders;
}

// A failed write waits for the next order, unless a newer one has come meanwhile.
static void KeepFailedWrite(Orders *orders)
{
    EnterCriticalSection(&Lock);
    if (!WriteBytes) {
        WriteBytes = orders->writeBytes;
        WriteSize = orders->writeSize;
        memcpy(WriteName, orders->writeName, sizeof WriteName);
        orders->writeBytes = nullptr;
    }
    LeaveCriticalSection(&Lock);
    free(orders->writeBytes);
}

static void PostNews(SyncNews *found)
{
    if (!found)
        return;
    EnterCriticalSection(&Lock);
    *NewsTail = found;
    while (*NewsTail)
        NewsTail = &(*NewsTail)->next;
    LeaveCriticalSection(&Lock);
    PostMessageW(NewsWindow, NewsMessage, 0, 0);
}

static void CarryOut(Orders *orders)
{
    if (orders->folderChanged)
        ClearSyncFileTable(&Seen);
    if (!Folder[0]) {
        free(orders->writeBytes);
        return;
    }
    if (orders->deletion)
        DeleteOwnSyncFiles(Folder, orders->deletionWrites);
    if (orders->writeBytes) {
        if (WriteSyncFile(Folder, orders->writeName, orders->writeBytes, orders->writeSize, &Seen))
            free(orders->writeBytes);
        else
            KeepFailedWrite(orders);
    }
    if (orders->look && !orders->stop) {
        SyncNews *found = nullptr, **tail = &found;
        LookAtSyncFolder(Folder, &Seen, &tail);
        PostNews(found);
    }
}

static DWORD WINAPI SyncWorkerThread(void *)
{
    for (;;) {
        WaitForSingleObject(Wake, INFINITE);
        Orders orders = TakeOrders();
        CarryOut(&orders);
        if (orders.stop)
            return 0;
    }
}

bool StartSyncWorker(HWND window, UINT message)
{
    if (Thread)
        return true;
    static bool lockMade;
    if (!lockMade) {
        InitializeCriticalSection(&Lock);
        lockMade = true;
    }
    NewsWindow = window;
    NewsMessage = message;
    StopAsked = false;
    Wake = Wake ? Wake : CreateEventW(nullptr, FALSE, FALSE, nullptr);
    Thread = Wake ? CreateThread(nullptr, 0, SyncWorkerThread, nullptr, 0, nullptr) : nullptr;
    return Thread != nullptr;
}

bool SyncWorkerRunning()
{
    return Thread != nullptr;
}

void SetSyncWorkerFolder(const wchar_t *folder)
{
    if (!Thread)
        return;
    EnterCriticalSection(&Lock);
    lstrcpynW(OrderedFolder, folder, MAX_PATH);
    FolderChanged = true;
    free(WriteBytes);
    WriteBytes = nullptr;
    LeaveCriticalSection(&Lock);
    SetEvent(Wake);
}

void HandSyncFile(const wchar_t *name, unsigned char *bytes, size_t size)
{
    if (!Thread) {
        free(bytes);
        return;
    }
    EnterCriticalSection(&Lock);
    free(WriteBytes);
    WriteBytes = bytes;
    WriteSize = size;
    lstrcpynW(WriteName, name, SYNC_FILE_NAME_SIZE);
    LeaveCriticalSection(&Lock);
    SetEvent(Wake);
}

void AskSyncDeletion(const SyncWrites &oldWrites)
{
    if (!Thread)
        return;
    EnterCriticalSection(&Lock);
    DeletionAsked = true;
    DeletionWrites = oldWrites;
    LeaveCriticalSection(&Lock);
    SetEvent(Wake);
}

void AskSyncLook()
{
    if (!Thread)
        return;
    EnterCriticalSection(&Lock);
    LookAsked = true;
    LeaveCriticalSection(&Lock);
    SetEvent(Wake);
}

SyncNews *TakeSyncNews()
{
    if (!Thread)
        return nullptr;
    EnterCriticalSection(&Lock);
    SyncNews *taken = News;
    News = nullptr;
    NewsTail = &News;
    LeaveCriticalSection(&Lock);
    return taken;
}

// The thread is left to the process's end when it does not end in time: its file work is
// all through temporary files, so an exit in the middle leaves no half file behind.
bool StopSyncWorker(DWORD waitMs)
{
    if (!Thread)
        return true;
    EnterCriticalSection(&Lock);
    StopAsked = true;
    LeaveCriticalSection(&Lock);
    SetEvent(Wake);
    bool ended = WaitForSingleObject(Thread, waitMs) == WAIT_OBJECT_0;
    if (ended) {
        FreeSyncNews(TakeSyncNews());
        CloseHandle(Thread);
        Thread = nullptr;
    }
    return ended;
}
