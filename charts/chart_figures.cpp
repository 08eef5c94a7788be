// The figures the chart takes from the program: the stored history summed, today as the
// core works it out (today.h), the week clock; all computers' days and today instead while
// they are shown (all_computers.h). Read only: the chart changes none.
#include "chart_figures.h"

#include <stdlib.h>
#include <string.h>
#include "../core/all_computers.h"
#include "../core/figures.h"
#include "../core/today.h"

static const int DAYS_OF_A_WEEK = 7;

// "0" is Monday, as in the sums; a locale that says nothing sensible gets Monday too.
static int LocaleFirstDayOfWeek()
{
    char first[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, first, sizeof first);
    return first[0] >= '0' && first[0] <= '6' ? first[0] - '0' : 0;
}

static bool BuildShownSums(ChartSums *sums)
{
    int firstDay = LocaleFirstDayOfWeek();
    if (!ShowAllComputers)
        return BuildChartSums(sums, StoredHistory.records, StoredHistory.count, PeriodDate,
                              firstDay);
    int32_t count;
    DayFigures *days = AllComputersDays(&count);
    bool built = days && BuildChartSumsOfDays(sums, days, count, PeriodDate, firstDay);
    free(days);
    return built;
}

// Built aside and taken only when whole, so that a failure keeps the sums there were.
bool BuildStoredSums(ChartData *data)
{
    ChartSums sums;
    uint32_t computers = ShownComputersStamp();
    if (!BuildShownSums(&sums))
        return false;
    DestroyChartSums(&data->sums);
    data->sums = sums;
    data->sumsRecords = StoredHistory.count;
    data->sumsComputers = computers;
    return true;
}

// The week clock has counted less than a week while the newest days of the history, which
// counted the same key presses and clicks, hold its events in fewer than seven days.
static bool ClockIsNew(const ChartData *data)
{
    uint64_t events = 0;
    for (const HourlyRecord &hour : data->hours)
        events += hour.keys + hour.clicks;
    return DaysHoldingEvents(&data->sums.series[UNIT_DAY], events) < DAYS_OF_A_WEEK;
}

// Bars built anew show the periods they showed, or their end where they showed today. Days
// that have come in before the first move every period to a later slot.
static void KeepBarsInPlace(const ChartData *data, ChartView *view, int32_t firstPeriod,
                            bool showedToday)
{
    int32_t shift = firstPeriod - ShownSeries(data, view)->firstPeriod;
    view->firstSlot = showedToday ? INT32_MAX : view->firstSlot + shift;  // clamped when shown
    if (view->item[VIEW_BARS] != NO_ITEM)
        view->item[VIEW_BARS] += shift;
}

bool TakeChartFigures(ChartData *data, ChartView *view, bool *rebuilt)
{
    const ChartSeries *bars = ShownSeries(data, view);
    int32_t firstPeriod = bars->firstPeriod, todaySlot = bars->bars[bars->todayBar].slot;
    // INT32_MAX stands for the end of bars not laid out since.
    bool showedToday =
        view->firstSlot == INT32_MAX
        || (todaySlot >= view->firstSlot && todaySlot - view->firstSlot < view->slotsShown);
    *rebuilt = (data->sums.today != PeriodDate || data->sumsRecords != StoredHistory.count
                || data->sumsComputers != ShownComputersStamp())
               && BuildStoredSums(data);
    if (*rebuilt)
        KeepBarsInPlace(data, view, firstPeriod, showedToday);
    Figures today = ShowAllComputers ? AllComputersToday() : TodayFigures();
    bool todayChanged = memcmp(&today, &data->today, sizeof today) != 0;
    data->today = today;
    SetTodayFigures(&data->sums, today);
    bool hoursChanged = memcmp(data->hours, HourlyActivity, sizeof HourlyActivity) != 0;
    memcpy(data->hours, HourlyActivity, sizeof HourlyActivity);
    data->clockIsNew = ClockIsNew(data);
    return *rebuilt || (view->kind == VIEW_CLOCK ? hoursChanged : todayChanged);
}
