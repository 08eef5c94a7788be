// An open-addressing table of record indices keyed by date, in one allocation of its own,
// so that a failure to get the memory is a plain false before anything is merged.
#include "date_index.h"

#include <stdlib.h>

bool CreateDateIndex(DateIndex *index, int64_t dates)
{
    // At most half full, so that a probe ends after a slot or two.
    uint32_t bits = 4;
    while (bits < 31 && ((int64_t)1 << bits) < 2 * dates)
        ++bits;
    index->bits = bits;
    index->slots = nullptr;
    if (((int64_t)1 << bits) < 2 * dates)
        return false;
    index->slots = (int32_t *)calloc((size_t)1 << bits, sizeof(int32_t));
    return index->slots != nullptr;
}

void DestroyDateIndex(DateIndex *index)
{
    free(index->slots);
    index->slots = nullptr;
}

int32_t *FindDateSlot(const DateIndex *index, const HistoryList *list, DateKey date)
{
    // The high bits of a multiplicative hash: keys of one day in different years differ
    // only above bit 16, and the product carries that into its top bits.
    uint32_t mask = ((uint32_t)1 << index->bits) - 1;
    uint32_t slot = (uint32_t)(date * 2654435761u) >> (32 - index->bits);
    while (index->slots[slot] != 0 && list->records[index->slots[slot] - 1].date != date)
        slot = (slot + 1) & mask;
    return &index->slots[slot];
}

void IndexFirstDates(const DateIndex *index, const HistoryList *list)
{
    for (int32_t i = 0; i < list->count; ++i) {
        int32_t *slot = FindDateSlot(index, list, list->records[i].date);
        if (*slot == 0)
            *slot = i + 1;
    }
}
