// Records in growable arrays: appended in order, grown by a fixed step and copied whole at
// each growth; summed.
#include "history_list.h"

#include <cmath>
#include <stdlib.h>
#include <string.h>

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

bool AppendRecord(HistoryList *list, const HistoryRecord *record)
{
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

// From the end: today's record is normally the last one, found in one comparison.
HistoryRecord *FindLastRecord(HistoryList *list, DateKey date)
{
    for (int32_t i = list->count - 1; i >= 0; --i)
        if (list->records[i].date == date)
            return &list->records[i];
    return nullptr;
}

// Every field is computed from the source before any is written, since the two may be one
// record. Each sum wraps in the field's own width.
void AddPeriodToRecord(HistoryRecord *target, const HistoryRecord *source,
                       const CounterBlock &to, const CounterBlock &from, uint32_t seconds)
{
    uint32_t sum = source->seconds + seconds;
    uint32_t keys = source->keys + (uint32_t)to.keyPresses - (uint32_t)from.keyPresses;
    double distance = (to.distance - from.distance) + (double)source->distance;
    // An infinite total stays infinite, and its period (infinity less infinity) is no
    // number: the day keeps what it had rather than turning into a NaN for good.
    if (distance != distance)
        distance = source->distance;
    uint16_t left = (uint16_t)(source->leftClicks + (uint16_t)to.leftClicks
                               - (uint16_t)from.leftClicks);
    uint16_t middle = (uint16_t)(source->middleClicks + (uint16_t)to.middleClicks
                                 - (uint16_t)from.middleClicks);
    uint16_t right = (uint16_t)(source->rightClicks + (uint16_t)to.rightClicks
                                - (uint16_t)from.rightClicks);
    target->seconds = sum;
    target->keys = keys;
    target->distance = (float)distance;
    target->leftClicks = left;
    target->middleClicks = middle;
    target->rightClicks = right;
}

Figures FiguresOfRecord(const HistoryRecord *record)
{
    double distance = std::isfinite(record->distance) ? record->distance : 0.0;
    return Figures{record->keys,        distance,
                   record->leftClicks,  record->middleClicks,
                   record->rightClicks, record->seconds};
}

DayFigures RecordAsDay(const HistoryRecord *record)
{
    return DayFigures{record->date,
                      Figures{record->keys, record->distance, record->leftClicks,
                              record->middleClicks, record->rightClicks, record->seconds}};
}

void AddFigures(Figures *sum, const Figures &more)
{
    sum->keys += more.keys;
    sum->distance += more.distance;
    sum->leftClicks += more.leftClicks;
    sum->middleClicks += more.middleClicks;
    sum->rightClicks += more.rightClicks;
    sum->seconds += more.seconds;
}

Figures SumHistory(const HistoryList &list)
{
    Figures sums = {};
    int32_t count = list.count;
    if (count <= 0)
        return sums;
    AddFigures(&sums, FiguresOfRecord(&list.records[count - 1]));
    for (int32_t i = 0; i < count - 1; ++i)
        AddFigures(&sums, FiguresOfRecord(&list.records[i]));
    return sums;
}
