// Sleep, hibernation and standby, announced or not. Runs on the program's one thread,
// from the meter window procedure and the exit sequence.
#include "power.h"

#include "clock.h"
#include "figures.h"
#include "saving.h"
#include "sleep_watch.h"

void LeaveOutTimeNotRunning()
{
    LeaveOutSleep(LookForTimeNotRunning());
}

static void OnSuspend()
{
    LeaveOutTimeNotRunning();
    SaveCheckpoint();
    WatchSuspend();
}

static void OnResume()
{
    ClockTimeChanged();  // the system may set its clock right on waking
    LeaveOutTimeNotRunning();
    LeaveOutSleep(SecondsSinceSuspend());
}

void OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMSUSPEND)
        OnSuspend();
    else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnResume();
}
