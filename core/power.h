// Time the machine did not run is no running time: it is looked for at every meter timer
// tick, at the power broadcasts and before the exit's save (the watch is sleep_watch.h).
#ifndef TALLYWICK_POWER_H
#define TALLYWICK_POWER_H

#include <windows.h>

// Moves the period's start forward by the time not running since the last look.
void LeaveOutTimeNotRunning();
// WM_POWERBROADCAST. Suspend: a look and a checkpoint, and the tick count is remembered.
// The first resume after it reads the date afresh and leaves out the time since the
// suspend; the meter timer's date check then credits a period that began before a
// midnight to its own day.
void OnPowerBroadcast(WPARAM event);

#endif
