// The sleep itself shows, broadcast or not: the unbiased time stands still during it, and
// a program held suspended misses its timer ticks. So each look measures the time since
// the last one. Where the broadcasts come, the time from a suspend to the resume is no
// running time either, less what the looks have found of it already: nothing is left out
// twice. Runs on the program's one thread.
#include "sleep_watch.h"
#include "clock.h"

// A smaller lag of the unbiased time behind the tick count is the granularity of the two
// clocks (some 16 ms each), not sleep; ignoring it keeps that noise from adding up.
static const ULONGLONG MIN_SLEEP_MS = 1000;

static DWORD WatchTicks;           // the tick count at the last look
static ULONGLONG WatchUnbiasedMs;  // the unbiased time at the last look
static DWORD LeftOverMs;           // time not running short of a whole second, carried on
static bool Suspended;             // a suspend has been seen and no resume since
static DWORD SuspendTicks;         // the tick count at that suspend
static ULONGLONG FoundSinceSuspendMs;  // what the looks have found since that suspend

void RestartRunningWatch()
{
    WatchTicks = ClockTickCount();
    WatchUnbiasedMs = ClockUnbiasedMs();
    LeftOverMs = 0;
}

// Milliseconds not running between the last look and now.
static DWORD MsNotRunningSinceLook(DWORD ticks, ULONGLONG unbiasedMs)
{
    DWORD elapsed = ticks - WatchTicks;  // unsigned, so that a wrap does no harm
    ULONGLONG ran = unbiasedMs - WatchUnbiasedMs;
    DWORD notRunning = 0;
    if (elapsed > MAX_TICK_GAP_MS)
        notRunning = elapsed;
    else if (elapsed >= ran + MIN_SLEEP_MS)
        notRunning = (DWORD)(elapsed - ran);
    // After a wrap of the counter only the part before it lies in the period, which ends
    // at the wrap; the next period starts after the sleep.
    DWORD untilWrap = 0xFFFFFFFF - WatchTicks;
    if (ticks < WatchTicks && notRunning > untilWrap)
        notRunning = untilWrap;
    return notRunning;
}

// Whole seconds; the rest waits for the next time.
static uint32_t WholeSeconds(ULONGLONG ms)
{
    ULONGLONG notRunningMs = LeftOverMs + ms;
    LeftOverMs = (DWORD)(notRunningMs % 1000);
    return (uint32_t)(notRunningMs / 1000);
}

uint32_t LookForTimeNotRunning()
{
    DWORD ticks = ClockTickCount();
    ULONGLONG unbiasedMs = ClockUnbiasedMs();
    DWORD notRunningMs = MsNotRunningSinceLook(ticks, unbiasedMs);
    WatchTicks = ticks;
    WatchUnbiasedMs = unbiasedMs;
    FoundSinceSuspendMs += notRunningMs;
    return WholeSeconds(notRunningMs);
}

void WatchSuspend()
{
    Suspended = true;
    SuspendTicks = ClockTickCount();
    FoundSinceSuspendMs = 0;
}

// Windows may send both resume events for one wake-up; only the first one counts.
uint32_t SecondsSinceSuspend()
{
    if (!Suspended)
        return 0;
    Suspended = false;
    DWORD ticks = ClockTickCount();
    // A tick counter that wrapped during sleep is left to the looks, which end the period
    // at the wrap.
    if (ticks < SuspendTicks || ticks - SuspendTicks <= FoundSinceSuspendMs)
        return 0;
    return WholeSeconds(ticks - SuspendTicks - FoundSinceSuspendMs);
}
