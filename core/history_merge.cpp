// The merge by date, through an index of each date's first record (date_index.h).
#include "history_merge.h"
#include "date_index.h"

// In file order, through an index of each date's first record: a record of a date found
// takes precedence over later ones, and a new date is indexed as it is appended, so that
// of two records of one date the first is appended and the later one is then handed to
// `onSameDate` with it. One pass over each list, however long both are.
bool CombineRecordsByDate(HistoryList *target, const HistoryList *from, SameDateRecord onSameDate)
{
    // Room for every new date, for the one more record, and the index are had first, so
    // that neither the merge nor the save after it can stop half-way; appending one by
    // one would also copy the array whole at each growth.
    int64_t most = (int64_t)target->count + from->count;
    DateIndex index;
    if (most + 1 > INT32_MAX || !ReserveHistory(target, (int32_t)(most + 1)))
        return false;
    if (!CreateDateIndex(&index, most))
        return false;
    IndexFirstDates(&index, target);
    for (int32_t i = 0; i < from->count; ++i) {
        const HistoryRecord &record = from->records[i];
        int32_t *slot = FindDateSlot(&index, target, record.date);
        if (*slot != 0) {
            if (onSameDate)
                onSameDate(&target->records[*slot - 1], &record);
            continue;
        }
        AppendRecord(target, &record);  // cannot fail: the room is reserved
        *slot = target->count;
    }
    DestroyDateIndex(&index);
    return true;
}

static void ReplaceRecord(HistoryRecord *there, const HistoryRecord *record)
{
    *there = *record;
}

bool MergeRecordsByDate(HistoryList *target, const HistoryList *imported, int replace)
{
    return CombineRecordsByDate(target, imported, replace ? ReplaceRecord : nullptr);
}
