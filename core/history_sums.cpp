// The history summed by day, week, month and year for the chart window.
#include "history_sums.h"

#include <algorithm>
#include <stdlib.h>
#include <string.h>

// The order index that stands for today's bar, which no record has.
static const uint32_t TODAY_INDEX = 0xFFFFFFFF;

// Days to add so that a week beginning on `firstDayOfWeek` begins on a multiple of 7.
static int32_t WeekShift(int firstDayOfWeek)
{
    return (7 - firstDayOfWeek) % 7;
}

static int32_t FloorDiv(int32_t a, int32_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int32_t PeriodOfDay(ChartUnit unit, int32_t day, int firstDayOfWeek)
{
    switch (unit) {
    case UNIT_WEEK: return FloorDiv(day + WeekShift(firstDayOfWeek), 7);
    case UNIT_MONTH: {
        DateKey date = DateOfDay(day);
        return YearOf(date) * 12 + MonthOf(date) - 1;
    }
    case UNIT_YEAR: return YearOf(DateOfDay(day));
    default: return day;
    }
}

int32_t FirstDayOfPeriod(ChartUnit unit, int32_t period, int firstDayOfWeek)
{
    switch (unit) {
    case UNIT_WEEK: return period * 7 - WeekShift(firstDayOfWeek);
    case UNIT_MONTH:
        return DayNumber(MakeDateKey(period / 12, period % 12 + 1, 1));
    case UNIT_YEAR: return DayNumber(MakeDateKey(period, 1, 1));
    default: return period;
    }
}

// What the sums take from an item of their input, a record or a day's figures.
static DateKey ItemDate(const HistoryRecord &record)
{
    return record.date;
}

static DateKey ItemDate(const DayFigures &day)
{
    return day.date;
}

static Figures ItemFigures(const HistoryRecord &record)
{
    return FiguresOfRecord(&record);
}

static Figures ItemFigures(const DayFigures &day)
{
    return day.figures;
}

// One bar per distinct day of `order` (day << 32 | item index, sorted), today's among them.
template <typename Item>
static bool BuildDaySeries(ChartSeries *days, const uint64_t *order, size_t n, const Item *items)
{
    days->bars = (ChartBar *)malloc(n * sizeof(ChartBar));
    if (!days->bars)
        return false;
    days->firstPeriod = (int32_t)(order[0] >> 32);
    int32_t count = 0;
    for (size_t k = 0; k < n; ++k) {
        int32_t slot = (int32_t)(order[k] >> 32) - days->firstPeriod;
        uint32_t index = (uint32_t)order[k];
        if (count == 0 || days->bars[count - 1].slot != slot)
            days->bars[count++] = ChartBar{slot, {}};
        if (index == TODAY_INDEX)
            days->todayBar = count - 1;
        else
            AddFigures(&days->bars[count - 1].figures, ItemFigures(items[index]));
    }
    days->count = count;
    days->slots = days->bars[count - 1].slot + 1;
    return true;
}

// The day series summed into periods of `unit`; the days come in order, so a period's days
// are next to each other.
static bool FoldSeries(ChartSeries *folded, const ChartSeries *days, ChartUnit unit,
                       int firstDayOfWeek)
{
    int32_t first = PeriodOfDay(unit, days->firstPeriod, firstDayOfWeek);
    int32_t last = PeriodOfDay(unit, days->firstPeriod + days->slots - 1, firstDayOfWeek);
    int32_t capacity = std::min(days->count, last - first + 1);
    folded->bars = (ChartBar *)malloc((size_t)capacity * sizeof(ChartBar));
    if (!folded->bars)
        return false;
    folded->firstPeriod = first;
    int32_t count = 0;
    for (int32_t i = 0; i < days->count; ++i) {
        int32_t slot =
            PeriodOfDay(unit, days->firstPeriod + days->bars[i].slot, firstDayOfWeek) - first;
        if (count == 0 || folded->bars[count - 1].slot != slot)
            folded->bars[count++] = ChartBar{slot, {}};
        AddFigures(&folded->bars[count - 1].figures, days->bars[i].figures);
        if (i == days->todayBar)
            folded->todayBar = count - 1;
    }
    folded->count = count;
    folded->slots = last - first + 1;
    folded->todayStored = folded->bars[folded->todayBar].figures;
    return true;
}

template <typename Item>
static bool BuildSums(ChartSums *sums, const Item *items, int32_t count, DateKey today,
                      int firstDayOfWeek)
{
    memset(sums, 0, sizeof *sums);
    sums->firstDayOfWeek = firstDayOfWeek;
    sums->today = today;
    if (!IsRealDate(today))
        return false;
    size_t n = 0;
    uint64_t *order = (uint64_t *)malloc(((size_t)std::max(count, 0) + 1) * sizeof(uint64_t));
    if (!order)
        return false;
    for (int32_t i = 0; i < count; ++i)
        if (ItemDate(items[i]) != today && IsRealDate(ItemDate(items[i])))
            order[n++] = (uint64_t)DayNumber(ItemDate(items[i])) << 32 | (uint32_t)i;
    order[n++] = (uint64_t)DayNumber(today) << 32 | TODAY_INDEX;
    std::sort(order, order + n);
    bool built = BuildDaySeries(&sums->series[UNIT_DAY], order, n, items);
    free(order);
    for (int unit = UNIT_WEEK; built && unit < UNIT_COUNT; ++unit)
        built = FoldSeries(&sums->series[unit], &sums->series[UNIT_DAY], (ChartUnit)unit,
                           firstDayOfWeek);
    if (!built)
        DestroyChartSums(sums);
    return built;
}

bool BuildChartSums(ChartSums *sums, const HistoryRecord *records, int32_t count, DateKey today,
                    int firstDayOfWeek)
{
    return BuildSums(sums, records, count, today, firstDayOfWeek);
}

bool BuildChartSumsOfDays(ChartSums *sums, const DayFigures *days, int32_t count, DateKey today,
                          int firstDayOfWeek)
{
    return BuildSums(sums, days, count, today, firstDayOfWeek);
}

void DestroyChartSums(ChartSums *sums)
{
    for (ChartSeries &series : sums->series) {
        free(series.bars);
        series = ChartSeries{};
    }
}

void SetTodayFigures(ChartSums *sums, const Figures &today)
{
    for (ChartSeries &series : sums->series) {
        if (!series.bars)
            continue;
        Figures figures = series.todayStored;
        AddFigures(&figures, today);
        series.bars[series.todayBar].figures = figures;
    }
}

const ChartBar *FirstBarFrom(const ChartSeries *series, int32_t slot)
{
    const ChartBar *begin = series->bars, *end = begin + series->count;
    return std::lower_bound(begin, end, slot,
                            [](const ChartBar &bar, int32_t s) { return bar.slot < s; });
}

const ChartBar *BarInSlot(const ChartSeries *series, int32_t slot)
{
    const ChartBar *found = FirstBarFrom(series, slot);
    return found != series->bars + series->count && found->slot == slot ? found : nullptr;
}

int32_t DaysHoldingEvents(const ChartSeries *days, uint64_t events)
{
    if (events == 0 || days->count == 0)
        return 0;
    uint64_t held = 0;
    int32_t todaySlot = days->bars[days->todayBar].slot;
    for (int32_t i = days->todayBar; i >= 0; --i) {
        const Figures &figures = days->bars[i].figures;
        held += figures.keys + figures.leftClicks + figures.middleClicks + figures.rightClicks;
        if (held >= events)
            return todaySlot - days->bars[i].slot + 1;
    }
    return INT32_MAX;
}
