// Time the machine did not run: the tick counter runs on while the machine sleeps or
// hibernates and while the system holds the program suspended (modern standby), but that
// time is no running time. The power broadcasts that announce a sleep come late or not at
// all on some machines, so the program finds that time itself as well.
#ifndef TALLYWICK_POWER_H
#define TALLYWICK_POWER_H

#include <windows.h>

// A longer gap between two of the program's own timer ticks means that it did not run:
// the meter timer ticks at least once a second, and modal loops (a dialog, the menu, a
// window being dragged) go on dispatching its ticks.
const DWORD MAX_TICK_GAP_MS = 2 * 60 * 1000;

// Measures the time not running from now on; what came before belongs to an ended period.
void RestartRunningWatch();
// Moves the period's start forward by the time since the last look in which the machine
// did not run: what the unbiased time fell behind the tick count, or a whole gap longer
// than MAX_TICK_GAP_MS; never so far that the running time falls below the saved mark.
// Looks at every meter timer tick, at the power broadcasts and before the exit's save.
void LeaveOutTimeNotRunning();
// WM_POWERBROADCAST. Suspend: a look and a checkpoint, and the tick count is remembered.
// The first resume after it reads the date afresh and leaves out the time since the
// suspend; the meter timer's date check then credits a period that began before a
// midnight to its own day.
void OnPowerBroadcast(WPARAM event);

#endif
