// The history summed by day, week, month and year for the chart window.
#include "history_sums.h"

#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <string.h>

static const int FIRST_YEAR = 1601;  // the range of years that Windows formats
static const int LAST_YEAR = 30827;
static const int32_t DAYS_IN_ERA = 146097;  // the Gregorian calendar repeats every 400 years
// Days from 1 March of year 0, where the calendar's eras are easiest to count from, to
// Monday 1 January 1601, day 0 here.
static const int32_t DAYS_BEFORE_1601 = 584694;
// The order index that stands for today's bar, which no record has.
static const uint32_t TODAY_INDEX = 0xFFFFFFFF;

static int DaysInMonth(int year, int month)
{
    static const int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : DAYS[month - 1];
}

bool IsRealDate(DateKey date)
{
    int year = (int)(date >> 16), month = (int)(date >> 8 & 0xFF), day = (int)(date & 0xFF);
    return year >= FIRST_YEAR && year <= LAST_YEAR && month >= 1 && month <= 12 && day >= 1
           && day <= DaysInMonth(year, month);
}

// Years counted from March, so that the leap day is the last day of a year.
int32_t DayNumber(DateKey date)
{
    int year = (int)(date >> 16);
    unsigned month = date >> 8 & 0xFF, day = date & 0xFF;
    year -= month <= 2;
    int32_t era = year / 400;
    unsigned yearOfEra = (unsigned)(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * DAYS_IN_ERA + (int32_t)dayOfEra - DAYS_BEFORE_1601;
}

DateKey DateOfDay(int32_t day)
{
    int32_t fromMarch = day + DAYS_BEFORE_1601;
    int32_t era = fromMarch / DAYS_IN_ERA;
    unsigned dayOfEra = (unsigned)(fromMarch - era * DAYS_IN_ERA);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;
    unsigned dayOfMonth = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    unsigned month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    unsigned year = yearOfEra + (unsigned)era * 400 + (month <= 2);
    return (DateKey)year << 16 | month << 8 | dayOfMonth;
}

int WeekdayOfDay(int32_t day)
{
    return (int)((day % 7 + 7) % 7);
}

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
        return (int32_t)(date >> 16) * 12 + (int32_t)(date >> 8 & 0xFF) - 1;
    }
    case UNIT_YEAR: return (int32_t)(DateOfDay(day) >> 16);
    default: return day;
    }
}

int32_t FirstDayOfPeriod(ChartUnit unit, int32_t period, int firstDayOfWeek)
{
    switch (unit) {
    case UNIT_WEEK: return period * 7 - WeekShift(firstDayOfWeek);
    case UNIT_MONTH:
        return DayNumber((DateKey)(period / 12) << 16 | (DateKey)(period % 12 + 1) << 8 | 1);
    case UNIT_YEAR: return DayNumber((DateKey)period << 16 | 1 << 8 | 1);
    default: return period;
    }
}

ChartFigures FiguresOfRecord(const HistoryRecord *record)
{
    // A stored infinity or NaN (an older version's) would spoil every sum it is in.
    double distance = isfinite(record->distance) ? record->distance : 0.0;
    return ChartFigures{record->keys,        distance,
                        record->leftClicks,  record->middleClicks,
                        record->rightClicks, record->seconds};
}

void AddFigures(ChartFigures *sum, const ChartFigures &more)
{
    sum->keys += more.keys;
    sum->distance += more.distance;
    sum->leftClicks += more.leftClicks;
    sum->middleClicks += more.middleClicks;
    sum->rightClicks += more.rightClicks;
    sum->seconds += more.seconds;
}

// One bar per distinct day of `order` (day << 32 | record index, sorted), today's among them.
static bool BuildDaySeries(ChartSeries *days, const uint64_t *order, size_t n,
                           const HistoryRecord *records)
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
            AddFigures(&days->bars[count - 1].figures, FiguresOfRecord(&records[index]));
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

bool BuildChartSums(ChartSums *sums, const HistoryRecord *records, int32_t count, DateKey today,
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
        if (records[i].date != today && IsRealDate(records[i].date))
            order[n++] = (uint64_t)DayNumber(records[i].date) << 32 | (uint32_t)i;
    order[n++] = (uint64_t)DayNumber(today) << 32 | TODAY_INDEX;
    std::sort(order, order + n);
    bool built = BuildDaySeries(&sums->series[UNIT_DAY], order, n, records);
    free(order);
    for (int unit = UNIT_WEEK; built && unit < UNIT_COUNT; ++unit)
        built = FoldSeries(&sums->series[unit], &sums->series[UNIT_DAY], (ChartUnit)unit,
                           firstDayOfWeek);
    if (!built)
        DestroyChartSums(sums);
    return built;
}

void DestroyChartSums(ChartSums *sums)
{
    for (ChartSeries &series : sums->series) {
        free(series.bars);
        series = ChartSeries{};
    }
}

void SetTodayFigures(ChartSums *sums, const ChartFigures &today)
{
    for (ChartSeries &series : sums->series) {
        if (!series.bars)
            continue;
        ChartFigures figures = series.todayStored;
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
        const ChartFigures &figures = days->bars[i].figures;
        held += figures.keys + figures.leftClicks + figures.middleClicks + figures.rightClicks;
        if (held >= events)
            return todaySlot - days->bars[i].slot + 1;
    }
    return INT32_MAX;
}
