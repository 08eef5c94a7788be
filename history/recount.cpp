// Rebuilds the all-time totals and running time from the per-day history.
//
// The current period is first credited to today's record, exactly as the next save would
// credit it, and a new period is started; the totals are then the plain sums of the
// history as it will be stored. So after the save inside ClearData():
//   - Totals, PeriodBaseline and the stored counters all equal the sums of the stored
//     history, in which the period counts once, in the record's own widths;
//   - "Total Time" equals the sum of the records' seconds;
//   - today's record has taken in the period's figures once, like any clear-data;
//   - a second recount right after changes nothing.
// Summing the stored history itself (rather than a working copy of its last record) keeps
// those sums exact even when the last record is of an earlier day, where a copy would
// wrap or round differently from the record that the save appends for today.
#include "recount.h"

#include "../app/counters.h"
#include "../app/period.h"
#include "history_list.h"

#include <cmath>

struct HistorySums {
    uint64_t keys;
    double distance;  // millimetres
    uint64_t rightClicks;
    uint64_t middleClicks;
    uint64_t leftClicks;
    uint64_t seconds;
};

static void AddRecord(HistorySums *sums, const HistoryRecord *record)
{
    sums->keys += record->keys;
    // A record holding an infinity or no number (stored by an older version) would spoil
    // the total for good; its distance counts as nothing instead.
    if (std::isfinite(record->distance))
        sums->distance += record->distance;
    sums->rightClicks += record->rightClicks;
    sums->middleClicks += record->middleClicks;
    sums->leftClicks += record->leftClicks;
    sums->seconds += record->seconds;
}

// The last record first, then the others in list order.
static HistorySums SumStoredHistory()
{
    HistorySums sums = {};
    int32_t count = StoredHistory.count;
    if (count <= 0)
        return sums;
    AddRecord(&sums, &StoredHistory.records[count - 1]);
    for (int32_t i = 0; i < count - 1; ++i)
        AddRecord(&sums, &StoredHistory.records[i]);
    return sums;
}

void RecountTotals()
{
    // Without memory for today's record the period could not be counted; change nothing.
    if (!UpdateTodayRecord())
        return;
    StartPeriod();
    HistorySums sums = SumStoredHistory();
    StoredTotalTime = sums.seconds;
    Totals = CounterBlock{sums.keys, sums.distance, sums.rightClicks, sums.middleClicks,
                          sums.leftClicks};
    // The period just started holds nothing yet, so the save credits nothing twice.
    PeriodBaseline = Totals;
    MarkSaved(0);
    ClearData();
}
