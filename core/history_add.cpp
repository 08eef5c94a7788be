// The sum of two histories by date, through the import's merge (history_merge.h); and the
// hash of a history file's bytes.
#include "history_add.h"

#include <float.h>

#include "history_merge.h"

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

bool AddRecordsByDate(HistoryList *target, const HistoryList *added)
{
    return CombineRecordsByDate(target, added, AddRecordFigures);
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
