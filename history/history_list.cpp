// The per-day history: records appended in order to one growable array, grown by a
// fixed step and copied whole at each growth.
#include "history_list.h"

#include <stdlib.h>
#include <string.h>

HistoryList StoredHistory = {nullptr, 0, 0, HISTORY_GROW_STEP};

static void FreeStoredHistory()
{
    DestroyHistoryList(&StoredHistory);
}

// The stored history lives as long as the process; it is freed by a clean-up registered
// when the program starts, before WinMain runs.
[[maybe_unused]] static const int StoredHistoryCleanup = atexit(FreeStoredHistory);

// The byte count of an array is taken in 32 bits: anything beyond cannot be had.
static const uint64_t MAX_HISTORY_BYTES = 0xFFFFFFFFull;

// Moves the list to a zero-filled array of newCapacity records. On failure the list keeps
// its array, capacity and count.
static bool GrowHistory(HistoryList *list, int64_t newCapacity)
{
    if (newCapacity <= 0 || newCapacity > INT32_MAX
        || (uint64_t)newCapacity * sizeof(HistoryRecord) > MAX_HISTORY_BYTES)
        return false;
    HistoryRecord *records = (HistoryRecord *)calloc((size_t)newCapacity, sizeof(HistoryRecord));
    if (!records)
        return false;
    if (list->count > 0)
        memcpy(records, list->records, (size_t)list->count * sizeof(HistoryRecord));
    free(list->records);
    list->records = records;
    list->capacity = (int32_t)newCapacity;
    return true;
}

bool ReserveHistory(HistoryList *list, int32_t n)
{
    // A negative count comes from a corrupt source (a count of 0x80000000 or more read as
    // signed); the caller would go on to read that many records, so it must not pass.
    if (n < 0)
        return false;
    if (n < list->count)
        n = list->count;
    if (list->capacity >= n)
        return true;
    return GrowHistory(list, n);
}

bool AppendStoredRecord(const HistoryRecord *record)
{
    HistoryList *list = &StoredHistory;
    if (list->count >= list->capacity
        && !GrowHistory(list, (int64_t)list->capacity + list->growStep))
        return false;
    list->records[list->count] = *record;
    ++list->count;
    return true;
}

void DestroyHistoryList(HistoryList *list)
{
    free(list->records);
    list->records = nullptr;
    list->count = 0;
    list->capacity = 0;
}

// target = source + what was counted since the last save, the running time taken as
// `periodSeconds`. Every field is computed from the source before any is written, since
// the two may be one record. Each sum wraps in the field's own width.
void AddPeriodToRecord(HistoryRecord *target, const HistoryRecord *source,
                       uint32_t periodSeconds)
{
    uint32_t seconds = source->seconds + periodSeconds - SavedSeconds;
    uint32_t keys = source->keys + (uint32_t)Totals.keyPresses - (uint32_t)SavedTotals.keyPresses;
    double distance = (Totals.distance - SavedTotals.distance) + (double)source->distance;
    // An infinite total stays infinite, and its period (infinity less infinity) is no
    // number: the day keeps what it had rather than turning into a NaN for good.
    if (distance != distance)
        distance = source->distance;
    uint16_t left = (uint16_t)(source->leftClicks + (uint16_t)Totals.leftClicks
                               - (uint16_t)SavedTotals.leftClicks);
    uint16_t middle = (uint16_t)(source->middleClicks + (uint16_t)Totals.middleClicks
                                 - (uint16_t)SavedTotals.middleClicks);
    uint16_t right = (uint16_t)(source->rightClicks + (uint16_t)Totals.rightClicks
                                - (uint16_t)SavedTotals.rightClicks);
    target->seconds = seconds;
    target->keys = keys;
    target->distance = (float)distance;
    target->leftClicks = left;
    target->middleClicks = middle;
    target->rightClicks = right;
}

// From the end: today's record is normally the last one, found in one comparison.
static HistoryRecord *FindRecordOfPeriodDate()
{
    for (int32_t i = StoredHistory.count - 1; i >= 0; --i)
        if (StoredHistory.records[i].date == PeriodDate)
            return &StoredHistory.records[i];
    return nullptr;
}

bool UpdateTodayRecord()
{
    HistoryRecord *today = FindRecordOfPeriodDate();
    if (!today) {
        HistoryRecord fresh = {};
        fresh.date = PeriodDate;
        if (!AppendStoredRecord(&fresh))
            return false;
        today = &StoredHistory.records[StoredHistory.count - 1];
    }
    // One reading of the clock for the credit and the mark, so no second falls between.
    uint32_t periodSeconds = PeriodSeconds();
    AddPeriodToRecord(today, today, periodSeconds);
    MarkSaved(periodSeconds);
    return true;
}
