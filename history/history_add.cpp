// The sum of two histories by date, through an index of each date's first record
// (date_index.h), as the import's merge; and the hash of a history file's bytes.
#include "history_add.h"

#include <float.h>

#include "date_index.h"

// Every per-day figure wraps in its own width, as when a day is counted. The sum of two
// distances that a float cannot hold stays at the largest one: an infinite distance would
// make the day, and every backup that holds it, unreadable as a history file.
static void AddRecordFigures(HistoryRecord *target, const HistoryRecord *source)
{
    target->keys += source->keys;
    double distance = (double)target->distance + (double)source->distance;
    target->distance = distance > FLT_MAX ? FLT_MAX : (float)distance;
    target->rightClicks = (uint16_t)(target->rightClicks + source->rightClicks);
    target->middleClicks = (uint16_t)(target->middleClicks + source->middleClicks);
    target->leftClicks = (uint16_t)(target->leftClicks + source->leftClicks);
    target->seconds += source->seconds;
}

// One pass over each list; the room for every new date and for today's record is had
// first, so that nothing stops half-way.
bool AddRecordsByDate(HistoryList *target, const HistoryList *added)
{
    int64_t most = (int64_t)target->count + added->count;
    DateIndex index;
    if (most + 1 > INT32_MAX || !ReserveHistory(target, (int32_t)(most + 1))
        || !CreateDateIndex(&index, most))
        return false;
    IndexFirstDates(&index, target);
    for (int32_t i = 0; i < added->count; ++i) {
        const HistoryRecord &record = added->records[i];
        int32_t *slot = FindDateSlot(&index, target, record.date);
        if (*slot != 0) {
            AddRecordFigures(&target->records[*slot - 1], &record);
            continue;
        }
        AppendRecord(target, &record);  // cannot fail: the room is reserved
        *slot = target->count;
    }
    DestroyDateIndex(&index);
    return true;
}

bool HashFileBytes(FILE *file, uint64_t *hash)
{
    *hash = 14695981039346656037ull;  // the FNV offset basis
    unsigned char block[16384];
    if (fseek(file, 0, SEEK_SET) != 0)
        return false;
    for (size_t got; (got = fread(block, 1, sizeof block, file)) > 0;)
        for (size_t i = 0; i < got; ++i)
            *hash = (*hash ^ block[i]) * 1099511628211ull;  // the FNV prime
    return !ferror(file);
}
