// The window thread's side of the sync folder. The values below are the window thread's
// alone; the worker sees only what it is handed.
//
// The writes remembered (sync_decision.h) are kept in the kept computers' folder, stored
// before the file they speak of is handed to the worker: a file of this computer must never
// look like another machine's, whereas a time remembered for a file never written harms
// nothing.
#include "sync_folder.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "backup_folder.h"
#include "clock.h"
#include "computer_identity.h"
#include "file_system.h"
#include "figures.h"
#include "registry_store.h"
#include "replaced_file.h"
#include "sources.h"
#include "sync_decision.h"
#include "sync_files.h"
#include "sync_worker.h"
#include "written_file.h"

static const wchar_t WRITES_NAME[] = L"Sync.writes";
static const wchar_t WRITES_TEMP_NAME[] = L"Sync.writes.tmp";

static bool Started;
static HWND NewsWindow;
static UINT NewsMessage;
static wchar_t Folder[MAX_PATH];
static SyncWrites Writes;
static unsigned char *HandedRecords;  // the records last handed to the worker; owned
static size_t HandedSize;
static bool Handed;
static uint64_t LastWriteHour;  // hours since 1601 (UTC) of the last hourly write
static DWORD LastLookTick;

static bool WritesPath(wchar_t *path, const wchar_t *name)
{
    wchar_t folder[MAX_PATH];
    return FindComputersFolder(folder) && JoinFolderPath(path, folder, name);
}

// A missing or malformed list is none: every file of this computer's id is then its own.
static void LoadSyncWrites()
{
    Writes = SyncWrites{};
    wchar_t path[MAX_PATH];
    FILE *file = WritesPath(path, WRITES_NAME) ? _wfopen(path, L"rb") : nullptr;
    if (!file)
        return;
    unsigned char bytes[SYNC_WRITES_FILE_MAX];
    size_t size = fread(bytes, 1, sizeof bytes, file);
    fclose(file);
    ParseSyncWrites(bytes, size, &Writes);
}

static bool StoreSyncWrites(const SyncWrites &writes)
{
    wchar_t folder[MAX_PATH], path[MAX_PATH], temp[MAX_PATH];
    unsigned char bytes[SYNC_WRITES_FILE_MAX];
    size_t size = EncodeSyncWrites(writes, bytes);
    return FindComputersFolder(folder) && CreateFolderWithParent(folder)
           && WritesPath(path, WRITES_NAME) && WritesPath(temp, WRITES_TEMP_NAME)
           && ReplaceFileWithBytes(path, temp, bytes, size);
}

static bool SameAsHanded()
{
    size_t size = (size_t)StoredHistory.count * sizeof(HistoryRecord);
    return Handed && size == HandedSize
           && (size == 0 || memcmp(HandedRecords, StoredHistory.records, size) == 0);
}

static void RememberHanded()
{
    size_t size = (size_t)StoredHistory.count * sizeof(HistoryRecord);
    unsigned char *copy = (unsigned char *)malloc(size > 0 ? size : 1);
    free(HandedRecords);
    HandedRecords = copy;
    HandedSize = copy ? size : 0;
    Handed = copy != nullptr;
    if (copy)
        memcpy(copy, StoredHistory.records, size);
}

// The stored history with this computer's trailer, to the worker. Nothing goes without a
// trailer (no computer's file helps no one), nor an empty history, nor a write whose time
// could not be remembered first.
static void HandHistory(bool evenIfSame)
{
    if (!Folder[0] || StoredHistory.count == 0 || (!evenIfSame && SameAsHanded()))
        return;
    HistorySource source;
    if (!MakeThisComputerSource(&source))
        return;
    SyncWrites writes = Writes;
    AddSyncWrite(&writes, source.computerId, source.writtenAt);
    if (!StoreSyncWrites(writes))
        return;
    Writes = writes;
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&StoredHistory, &source, &size);
    if (!bytes)
        return;
    wchar_t name[SYNC_FILE_NAME_SIZE];
    MakeSyncFileName(source.name, source.computerId, name);
    HandSyncFile(name, bytes, size);
    RememberHanded();
}

void StartSyncFolder(HWND window, UINT message)
{
    Started = true;
    NewsWindow = window;
    NewsMessage = message;
    LoadSyncWrites();
    ReadSyncFolderValue(Folder);
    if (Folder[0] && StartSyncWorker(window, message)) {
        SetSyncWorkerFolder(Folder);
        AskSyncLook();
    }
    LastLookTick = ClockTickCount();
}

bool SyncFolderChosen()
{
    return Folder[0] != L'\0';
}

const wchar_t *SyncFolderPath()
{
    return Folder;
}

bool ChooseSyncFolder(const wchar_t *folder)
{
    if (!Started || (folder[0] && !StartSyncWorker(NewsWindow, NewsMessage))
        || !WriteSyncFolderValue(folder))
        return false;
    lstrcpynW(Folder, folder, MAX_PATH);
    SetSyncWorkerFolder(Folder);
    if (Folder[0]) {
        HandHistory(true);
        AskSyncLook();
    }
    return true;
}

void SyncWriteWhenDue()
{
    if (!Started || !Folder[0])
        return;
    uint64_t hour = FileTimeNow() / 36000000000ull;
    if (hour == LastWriteHour)
        return;
    LastWriteHour = hour;
    HandHistory(false);
}

void SyncLookWhenDue()
{
    DWORD now = ClockTickCount();
    if (!Folder[0] || now - LastLookTick < SYNC_LOOK_MS)
        return;
    LastLookTick = now;
    AskSyncLook();
}

// Another machine writes files of this computer's id. The old id goes to "Former Computer
// Ids", so that every file written under it until now stays this computer's own; the
// files of it that this computer wrote leave the folder, and the new one is written.
static void TakeNewComputerId()
{
    SyncWrites old = Writes;
    uint64_t id = ReplaceComputerId();
    if (id == 0)
        return;
    Writes = SyncWrites{};
    Writes.id = id;
    AskSyncDeletion(old);
    HandHistory(true);
}

static SyncDecision Decide(const HistorySource &source)
{
    BYTE *former = nullptr;
    DWORD formerSize = 0;
    bool formerRead = ReadFormerComputerIdsValue(0, &former, &formerSize);
    HistorySource me;
    bool named = MakeThisComputerSource(&me);
    SyncSelf self = {named ? me.computerId : ThisComputerId(), former,
                     formerRead ? formerSize : 0, &Writes, named ? me.name : nullptr};
    const KeptSource *kept = FindKeptSource(source.computerId);
    SyncDecision decision = DecideSyncFile(source, self, IsRemovedSource(source.computerId),
                                           kept ? &kept->writtenAt : nullptr);
    free(former);
    return decision;
}

static void TakeHistory(const SyncNews &news)
{
    SyncDecision decision = Decide(news.source);
    if (decision == SYNC_NO_SOURCE) {
        ReportMalformedSyncFile(news.name);
        return;
    }
    ForgetMalformedSyncFile(news.name);
    if (decision == SYNC_KEEP)
        KeepSourceHistory(news.source, news.days, 0);
    else if (decision == SYNC_TAKE_NEW_ID)
        TakeNewComputerId();
}

void TakeSyncFolderNews()
{
    SyncNews *news = TakeSyncNews();
    for (SyncNews *item = news; item; item = item->next) {
        if (item->kind == SYNC_NEWS_HISTORY)
            TakeHistory(*item);
        else if (item->kind == SYNC_NEWS_MALFORMED)
            ReportMalformedSyncFile(item->name);
        else
            ForgetMalformedSyncFile(item->name);
    }
    FreeSyncNews(news);
}

void FinishSyncFolder()
{
    if (!Started)
        return;
    HandHistory(false);
    StopSyncWorker(SYNC_EXIT_WAIT_MS);
}
