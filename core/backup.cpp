// The daily backup. Each one is written to a temporary file in the backup folder, flushed
// to the disk and only then renamed over its target, so that a crash, a power cut or a
// full disk leaves the previous backup whole rather than half a file in its place.
#include "backup.h"

#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#include "backup_folder.h"
#include "backup_rotation.h"
#include "clock.h"
#include "computer_identity.h"
#include "dates.h"
#include "figures.h"
#include "history_file.h"
#include "written_file.h"

// Reused by every backup, so that a crash leaves at most this one file behind. It does not
// have a backup's name, so the rotation never counts it.
static const wchar_t BACKUP_TEMP_NAME[] = L"Tallywick-backup.tmp";

static bool BackupsStarted;
static DateKey LastBackupDate;   // the day of the last backup made (or found), else 0
static bool LastBackupFailed;
static DWORD LastFailureTick;

// folder\name, false when it would not fit in MAX_PATH.
static bool JoinPath(wchar_t *path, const wchar_t *folder, const wchar_t *name)
{
    size_t length = wcslen(folder);
    if (length + 1 + wcslen(name) >= MAX_PATH)
        return false;
    wcscpy(path, folder);
    path[length] = L'\\';
    wcscpy(path + length + 1, name);
    return true;
}

// The dates of the backups in the folder, in a block that the caller frees; null (and a
// count of 0) when there are none or the list cannot be had whole.
static DateKey *ListBackupDates(const wchar_t *folder, int *count)
{
    *count = 0;
    wchar_t pattern[MAX_PATH];
    WIN32_FIND_DATAW entry;
    HANDLE search = JoinPath(pattern, folder, L"Tallywick-*.twh")
                        ? FindFirstFileW(pattern, &entry) : INVALID_HANDLE_VALUE;
    if (search == INVALID_HANDLE_VALUE)
        return nullptr;
    DateKey *dates = nullptr;
    int capacity = 0;
    bool whole = true;
    do {
        // The pattern also matches short names and longer extensions; the name decides.
        DateKey date = BackupNameDate(entry.cFileName);
        if (!date || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (*count == capacity) {
            DateKey *grown = (DateKey *)realloc(dates, (capacity + 64) * sizeof(DateKey));
            whole = grown != nullptr;
            if (!whole)
                break;
            dates = grown;
            capacity += 64;
        }
        dates[(*count)++] = date;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    if (!whole) {
        free(dates);
        *count = 0;
        return nullptr;
    }
    return dates;
}

static bool HasBackupOf(const wchar_t *folder, DateKey day)
{
    int count;
    DateKey *dates = ListBackupDates(folder, &count);
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
        found = dates[i] == day;
    free(dates);
    return found;
}

// Deletes what the rotation does not keep; only files of a backup's own name are looked at.
static void RotateBackups(const wchar_t *folder, DateKey today)
{
    int count;
    DateKey *dates = ListBackupDates(folder, &count);
    bool *keep = count > 0 ? (bool *)calloc(count, sizeof(bool)) : nullptr;
    if (keep) {
        ChooseBackupsToKeep(dates, count, today, keep);
        for (int i = 0; i < count; ++i) {
            wchar_t name[BACKUP_NAME_SIZE], path[MAX_PATH];
            MakeBackupName(dates[i], name);
            if (!keep[i] && JoinPath(path, folder, name))
                DeleteFileW(path);
        }
    }
    free(keep);
    free(dates);
}

// The history file's own writer, with this computer as its source, then the file's buffers
// and the system's flushed to the disk before the rename: MOVEFILE_WRITE_THROUGH waits only
// for the rename itself.
static bool WriteFlushedHistoryFile(const wchar_t *path)
{
    FILE *file = _wfopen(path, L"wb");
    if (!file)
        return false;
    HistorySource source;
    MakeThisComputerSource(&source);
    bool written = WriteHistoryFile(file, &StoredHistory, &source) && fflush(file) == 0
                   && FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(file)));
    return CloseWrittenFile(file) && written;
}

bool WriteBackup(const wchar_t *folder, DateKey today)
{
    if (StoredHistory.count == 0)
        return true;
    wchar_t name[BACKUP_NAME_SIZE], target[MAX_PATH], temp[MAX_PATH];
    MakeBackupName(today, name);
    if (!JoinPath(target, folder, name) || !JoinPath(temp, folder, BACKUP_TEMP_NAME)
        || !CreateFolderWithParent(folder))
        return false;
    if (!WriteFlushedHistoryFile(temp)
        || !MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp);
        return false;
    }
    RotateBackups(folder, today);
    return true;
}

void StartBackups()
{
    BackupsStarted = true;
    LastBackupFailed = false;
    wchar_t folder[MAX_PATH];
    DateKey today = TodayDateKey();
    LastBackupDate = FindBackupFolder(folder) && HasBackupOf(folder, today) ? today : 0;
    BackUpWhenDue();
}

void BackUpWhenDue()
{
    if (!BackupsStarted)
        return;
    DateKey today = TodayDateKey();
    DWORD now = ClockTickCount();
    if (!BackupAttemptDue(LastBackupDate, today, LastBackupFailed, now - LastFailureTick))
        return;
    wchar_t folder[MAX_PATH];
    LastBackupFailed = !(FindBackupFolder(folder) && WriteBackup(folder, today));
    if (LastBackupFailed)
        LastFailureTick = now;
    else
        LastBackupDate = today;
}

bool MakeBackupFolder(wchar_t *folder)
{
    return FindBackupFolder(folder) && CreateFolderWithParent(folder);
}
