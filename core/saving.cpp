// Saves and loads of the figures, and the checkpoints between period changes. All of it
// runs on the program's one thread (the meter timer, the commands and the power
// broadcasts), like every other change of the figures.
#include "saving.h"

#include "all_computers.h"
#include "backup.h"
#include "figures.h"
#include "key_counts.h"
#include "registry_store.h"
#include "sync_folder.h"

#include <string.h>

bool LoadFromRegistry()
{
    StoredFigures stored;
    if (!ReadStoredFigures(&stored))
        return false;
    ReplaceTotals(stored.totals, stored.totalTime);
    ReplaceHourlyActivity(stored.hours);
    ReplaceKeyCounts(stored.countEachKey, stored.keys);
    SetShowAllComputers(stored.showAllComputers);
    if (stored.history.count > 0)
        ReplaceStoredHistory(stored.history);
    DestroyHistoryList(&stored.history);
    return true;
}

bool SaveToRegistry()
{
    uint64_t totalTime = AllTimeSeconds();
    // An append that runs out of memory leaves the period uncredited; the history that
    // exists is still written.
    UpdateTodayRecord();
    bool written = WriteStoredFigures(Totals, totalTime, StoredHistory, HourlyActivity,
                                      CountEachKey ? &KeyCountsToStore(PeriodDate) : nullptr);
    // After the figures are stored, and whether or not they could be: the backup takes the
    // history as it now is in memory.
    BackUpWhenDue();
    SyncWriteWhenDue();
    return written;
}

// Compared bit for bit: a distance that stays what it was is nothing new, even a NaN.
static bool CountersMovedSinceSave()
{
    return memcmp(&Totals, &SavedTotals, sizeof Totals) != 0;
}

// A failed write leaves the credit in the in-memory history, for the next save that
// succeeds.
void SaveCheckpoint()
{
    if (!CountersMovedSinceSave() && PeriodSeconds() == SavedSeconds)
        return;
    SaveToRegistry();
}

void CheckpointWhenDue()
{
    uint32_t unsaved = PeriodSeconds() - SavedSeconds;
    if (unsaved < CHECKPOINT_SECONDS)
        return;
    if (unsaved < IDLE_CHECKPOINT_SECONDS && !CountersMovedSinceSave())
        return;
    SaveCheckpoint();
}

bool StartCountingEachKey()
{
    if (!WriteCountEachKey(true))
        return false;
    SetCountEachKey(true);
    return true;
}

// The counts are written once more as the option goes off: a period change reloads them
// from the key, and the counts since the last save would be lost otherwise.
void StopCountingEachKey()
{
    SetCountEachKey(false);
    WriteCountEachKey(false);
    WriteKeyCounts(KeyCountsToStore(PeriodDate));
}

void EraseKeyCounts()
{
    ZeroKeyCounts();
    DeleteKeyCounts();
}

bool ChooseShowAllComputers(bool on)
{
    if (!WriteShowAllComputers(on))
        return false;
    SetShowAllComputers(on);
    return true;
}
