// The choice and the all-computers sums. Summing ten sources of ten years each takes a
// while, so everything but this computer's today is summed once and kept until the kept
// sources or the stored history change, or the day does; today, which grows every second,
// is added to a copy at each call.
#include "all_computers.h"

#include <algorithm>
#include <stdlib.h>
#include <string.h>

#include "figures.h"
#include "sources.h"
#include "today.h"

static bool OwnShowAllComputers;
const bool &ShowAllComputers = OwnShowAllComputers;
static uint32_t ChoiceChanges;

// Every date but this computer's today, summed over all computers, in date order; owned
// here, on the window thread. `built` is false until a build has succeeded with the keys.
struct OtherDays {
    DayFigures *days;
    int32_t count;
    bool built;
    uint32_t sourcesVersion;
    uint32_t historyChanges;
    DateKey today;
};
static OtherDays Others;

void SetShowAllComputers(bool on)
{
    if (on != OwnShowAllComputers)
        ++ChoiceChanges;
    OwnShowAllComputers = on;
}

// Both counters only grow, so their sum moves whenever either does.
uint32_t ShownComputersStamp()
{
    return ChoiceChanges + KeptSourcesVersion();
}

// Sorts `days` by date and sums each date's into one, in place; the new count. Stable, so
// that the figures of one date are added in the order given and every build sums the same
// distances in the same order, to the same last bit.
static int32_t SumByDate(DayFigures *days, int32_t count)
{
    std::stable_sort(days, days + count,
                     [](const DayFigures &a, const DayFigures &b) { return a.date < b.date; });
    int32_t summed = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (summed > 0 && days[summed - 1].date == days[i].date)
            AddFigures(&days[summed - 1].figures, days[i].figures);
        else
            days[summed++] = days[i];
    }
    return summed;
}

static int32_t OtherRecordCount()
{
    int64_t count = StoredHistory.count;
    for (int i = 0; i < KeptSourceCount(); ++i)
        count += KeptSourceAt(i)->days.count;
    return count < INT32_MAX ? (int32_t)count : -1;
}

// This computer's days but today first, then each kept source's, in the list's order.
static void CollectOtherRecords(DayFigures *days, int32_t *count)
{
    for (int32_t i = 0; i < StoredHistory.count; ++i) {
        const HistoryRecord *record = &StoredHistory.records[i];
        if (record->date != PeriodDate)
            days[(*count)++] = DayFigures{record->date, FiguresOfRecord(record)};
    }
    for (int s = 0; s < KeptSourceCount(); ++s) {
        const HistoryList &kept = KeptSourceAt(s)->days;
        for (int32_t i = 0; i < kept.count; ++i)
            days[(*count)++] = DayFigures{kept.records[i].date, FiguresOfRecord(&kept.records[i])};
    }
}

static bool OthersAreCurrent()
{
    return Others.built && Others.sourcesVersion == KeptSourcesVersion()
           && Others.historyChanges == StoredHistoryChanges && Others.today == PeriodDate;
}

// False, with nothing kept, when the memory cannot be had.
static bool BuildOtherDays()
{
    if (OthersAreCurrent())
        return true;
    free(Others.days);
    Others = OtherDays{};
    int32_t records = OtherRecordCount();
    DayFigures *days =
        records >= 0 ? (DayFigures *)malloc(((size_t)records + 1) * sizeof(DayFigures)) : nullptr;
    if (!days)
        return false;
    int32_t count = 0;
    CollectOtherRecords(days, &count);
    Others = OtherDays{days, SumByDate(days, count), true, KeptSourcesVersion(),
                       StoredHistoryChanges, PeriodDate};
    return true;
}

// Where `date` is or would go among the other days.
static const DayFigures *OtherDayFrom(DateKey date)
{
    return std::lower_bound(Others.days, Others.days + Others.count, date,
                            [](const DayFigures &day, DateKey d) { return day.date < d; });
}

static bool HoldsOwnRecordOf(DateKey date)
{
    for (int32_t i = 0; i < StoredHistory.count; ++i)
        if (StoredHistory.records[i].date == date)
            return true;
    return false;
}

static bool IsZero(const Figures &figures)
{
    return figures.keys == 0 && figures.distance == 0.0 && figures.leftClicks == 0
           && figures.middleClicks == 0 && figures.rightClicks == 0 && figures.seconds == 0;
}

DayFigures *AllComputersDays(int32_t *count)
{
    *count = 0;
    if (!BuildOtherDays())
        return nullptr;
    DayFigures *days = (DayFigures *)malloc(((size_t)Others.count + 1) * sizeof(DayFigures));
    if (!days)
        return nullptr;
    const DayFigures *at = OtherDayFrom(PeriodDate), *end = Others.days + Others.count;
    bool othersHoldToday = at != end && at->date == PeriodDate;
    Figures own = TodayFigures();
    size_t before = (size_t)(at - Others.days);
    memcpy(days, Others.days, before * sizeof(DayFigures));
    DayFigures today = {PeriodDate, othersHoldToday ? at->figures : Figures{}};
    AddFigures(&today.figures, own);
    size_t n = before;
    if (othersHoldToday || HoldsOwnRecordOf(PeriodDate) || !IsZero(own))
        days[n++] = today;
    const DayFigures *after = othersHoldToday ? at + 1 : at;
    memcpy(days + n, after, (size_t)(end - after) * sizeof(DayFigures));
    *count = (int32_t)(n + (size_t)(end - after));
    return days;
}

Figures AllComputersToday()
{
    Figures today = TodayFigures();
    if (!BuildOtherDays())
        return today;
    const DayFigures *at = OtherDayFrom(PeriodDate);
    if (at != Others.days + Others.count && at->date == PeriodDate)
        AddFigures(&today, at->figures);
    return today;
}
