// Time not running: sleep, hibernation and a program held suspended. Runs on the program's
// one thread, from the meter window procedure and the exit sequence.
//
// The sleep itself shows, broadcast or not: the unbiased time stands still during it, and
// a program held suspended misses its timer ticks. So each look measures the time since
// the last one. Where the broadcasts come, the time from a suspend to the resume is no
// running time either, less what the looks have left out of it already: nothing is left
// out twice.
#include "power.h"

#include "checkpoint.h"
#include "clock.h"
#include "counters.h"

// A smaller lag of the unbiased time behind the tick count is the granularity of the two
// clocks (some 16 ms each), not sleep; ignoring it keeps that noise from adding up.
static const ULONGLONG MIN_SLEEP_MS = 1000;

static DWORD WatchTicks;           // the tick count at the last look
static ULONGLONG WatchUnbiasedMs;  // the unbiased time at the last look
static DWORD LeftOverMs;           // time not running short of a whole second, carried on
static bool Suspended;             // a suspend has been seen and no resume since
static DWORD SuspendTicks;         // the tick count at that suspend
static ULONGLONG LeftOutSinceSuspendMs;  // what the looks have left out since that suspend

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

// Moves the period's start forward by whole seconds; the rest waits for the next time.
static void LeaveOutMs(ULONGLONG ms)
{
    ULONGLONG notRunningMs = LeftOverMs + ms;
    LeftOverMs = (DWORD)(notRunningMs % 1000);
    ULONGLONG seconds = notRunningMs / 1000;
    // Seconds already saved stay counted, so the running time never falls below the saved
    // mark and no save ever stores less time than one before it.
    uint32_t unsaved = PeriodSeconds() - SavedSeconds;
    PeriodStartSeconds += seconds < unsaved ? (uint32_t)seconds : unsaved;
}

void LeaveOutTimeNotRunning()
{
    DWORD ticks = ClockTickCount();
    ULONGLONG unbiasedMs = ClockUnbiasedMs();
    DWORD notRunningMs = MsNotRunningSinceLook(ticks, unbiasedMs);
    WatchTicks = ticks;
    WatchUnbiasedMs = unbiasedMs;
    LeftOutSinceSuspendMs += notRunningMs;
    LeaveOutMs(notRunningMs);
}

static void OnSuspend()
{
    LeaveOutTimeNotRunning();
    SaveCheckpoint();
    Suspended = true;
    SuspendTicks = ClockTickCount();
    LeftOutSinceSuspendMs = 0;
}

// Windows may send both resume events for one wake-up; only the first one counts.
static void OnResume()
{
    ClockTimeChanged();  // the system may set its clock right on waking
    LeaveOutTimeNotRunning();
    if (!Suspended)
        return;
    Suspended = false;
    DWORD ticks = ClockTickCount();
    // A tick counter that wrapped during sleep is left to the looks, which end the period
    // at the wrap.
    if (ticks >= SuspendTicks && ticks - SuspendTicks > LeftOutSinceSuspendMs)
        LeaveOutMs(ticks - SuspendTicks - LeftOutSinceSuspendMs);
}

void OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMSUSPEND)
        OnSuspend();
    else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnResume();
}
