// Suspend and resume. Runs on the program's one thread, from the meter window procedure.
#include "power.h"

#include "checkpoint.h"
#include "clock.h"
#include "counters.h"

static bool Suspended;          // a suspend has been seen and no resume since
static uint32_t SuspendSeconds; // the tick count in seconds at that suspend

static void OnSuspend()
{
    SaveCheckpoint();
    SuspendSeconds = ClockTickCount() / 1000;
    Suspended = true;
}

// Windows may send both resume events for one wake-up; only the first one counts.
static void OnResume()
{
    if (!Suspended)
        return;
    Suspended = false;
    ClockTimeChanged();  // the system may set its clock right on waking
    uint32_t nowSeconds = ClockTickCount() / 1000;
    // A tick counter that wrapped during sleep is left to the meter timer's wrap check.
    if (nowSeconds < SuspendSeconds)
        return;
    uint32_t asleep = nowSeconds - SuspendSeconds;
    // Seconds already saved (a save between the suspend and the sleep) stay counted, so
    // the running time never falls below the saved mark.
    uint32_t unsaved = PeriodSeconds() - SavedSeconds;
    PeriodStartSeconds += asleep < unsaved ? asleep : unsaved;
}

void OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMSUSPEND)
        OnSuspend();
    else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnResume();
}
