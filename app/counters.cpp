// The counters, the period clock on the system tick counter, and the date keys.
#include "counters.h"
#include "clock.h"
#include "hourly_activity.h"
#include "power.h"

#include <string.h>

CounterBlock Totals;
CounterBlock PeriodBaseline;
uint32_t PeriodStartSeconds;
DateKey PeriodDate;
uint64_t StoredTotalTime;
CounterBlock SavedTotals;
uint32_t SavedSeconds;

DateKey MakeDateKey(const SYSTEMTIME &date)
{
    return (DateKey)date.wYear << 16 | (DateKey)(date.wMonth & 0xFF) << 8 | (date.wDay & 0xFF);
}

DateKey TodayDateKey()
{
    SYSTEMTIME now;
    ClockLocalDate(&now);
    return MakeDateKey(now);
}

void StartPeriod()
{
    PeriodStartSeconds = ClockTickCount() / 1000;
    PeriodDate = TodayDateKey();
    MarkSaved(0);
    RestartRunningWatch();
}

void MarkSaved(uint32_t periodSeconds)
{
    SavedTotals = Totals;
    SavedSeconds = periodSeconds;
}

uint32_t TickCountOrWrap()
{
    uint32_t ticks = ClockTickCount();
    // A count below the period's start means the counter has wrapped since it began.
    return ticks / 1000 < PeriodStartSeconds ? TICK_WRAPPED : ticks;
}

uint32_t PeriodSeconds()
{
    return TickCountOrWrap() / 1000 - PeriodStartSeconds;
}

uint64_t AllTimeSeconds()
{
    return StoredTotalTime + (uint64_t)PeriodSeconds();
}

void OnKeyPress()
{
    ++Totals.keyPresses;
    CreditHourlyKeyPress();
}

void OnMouseDistance(LPARAM lParam)
{
    uint32_t bits = (uint32_t)lParam;
    float millimetres;
    memcpy(&millimetres, &bits, sizeof millimetres);
    // Written so that a NaN, which fails every comparison, is dropped too.
    if (millimetres >= 0.0f && millimetres <= MAX_STEP_MM) {
        Totals.distance += millimetres;
        CreditHourlyDistance(millimetres);
    }
}

void OnClickLeft()
{
    ++Totals.leftClicks;
    CreditHourlyClick();
}

void OnClickMiddle()
{
    ++Totals.middleClicks;
    CreditHourlyClick();
}

void OnClickRight()
{
    ++Totals.rightClicks;
    CreditHourlyClick();
}
