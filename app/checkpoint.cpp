// Checkpoints of the running period. All of this runs on the program's one thread (the
// meter timer and the power broadcasts), like every other change of the counters.
#include "checkpoint.h"

#include "counters.h"
#include "registry_store.h"
#include "../history/history_list.h"

#include <string.h>

// Compared bit for bit: a distance that stays what it was is nothing new, even a NaN.
static bool CountersMovedSinceSave()
{
    return memcmp(&Totals, &SavedTotals, sizeof Totals) != 0;
}

void SaveCheckpoint()
{
    if (!CountersMovedSinceSave() && PeriodSeconds() == SavedSeconds)
        return;
    // A save that could not even open the key has credited nothing; the credit is then
    // made here, in memory. After a refused write it has been made, and crediting again
    // adds nothing.
    if (!SaveToRegistry())
        UpdateTodayRecord();
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
