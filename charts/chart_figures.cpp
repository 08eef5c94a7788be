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
bool BuildStoredSums(ChartState *state)
{
    ChartSums sums;
    uint32_t computers = ShownComputersStamp();
    if (!BuildShownSums(&sums))
        return false;
    DestroyChartSums(&state->sums);
    state->sums = sums;
    state->sumsRecords = StoredHistory.count;
    state->sumsComputers = computers;
    return true;
}

// The week clock has counted less than a week while the newest days of the history, which
// counted the same key presses and clicks, hold its events in fewer than seven days.
static bool ClockIsNew(const ChartState *state)
{
    uint64_t events = 0;
    for (const HourlyRecord &hour : state->hours)
        events += hour.keys + hour.clicks;
    return DaysHoldingEvents(&state->sums.series[UNIT_DAY], events) < DAYS_OF_A_WEEK;
}

// Bars built anew show the periods they showed, or their end where they showed today. Days
// that have come in before the first move every period to a later slot.
static void KeepBarsInPlace(ChartState *state, int32_t firstPeriod, bool showedToday)
{
    int32_t shift = firstPeriod - ShownSeries(state)->firstPeriod;
    state->firstSlot = showedToday ? INT32_MAX : state->firstSlot + shift;  // clamped when shown
    if (state->item[VIEW_BARS] != NO_ITEM)
        state->item[VIEW_BARS] += shift;
}

bool TakeChartFigures(ChartState *state, bool *rebuilt)
{
    const ChartSeries *bars = ShownSeries(state);
    int32_t firstPeriod = bars->firstPeriod, todaySlot = bars->bars[bars->todayBar].slot;
    // INT32_MAX stands for the end of bars not laid out since.
    bool showedToday =
        state->firstSlot == INT32_MAX
        || (todaySlot >= state->firstSlot && todaySlot - state->firstSlot < state->slotsShown);
    *rebuilt = (state->sums.today != PeriodDate || state->sumsRecords != StoredHistory.count
                || state->sumsComputers != ShownComputersStamp())
               && BuildStoredSums(state);
    if (*rebuilt)
        KeepBarsInPlace(state, firstPeriod, showedToday);
    Figures today = ShowAllComputers ? AllComputersToday() : TodayFigures();
    bool todayChanged = memcmp(&today, &state->today, sizeof today) != 0;
    state->today = today;
    SetTodayFigures(&state->sums, today);
    bool hoursChanged = memcmp(state->hours, HourlyActivity, sizeof HourlyActivity) != 0;
    memcpy(state->hours, HourlyActivity, sizeof HourlyActivity);
    state->clockIsNew = ClockIsNew(state);
    return *rebuilt || (state->view == VIEW_CLOCK ? hoursChanged : todayChanged);
}
