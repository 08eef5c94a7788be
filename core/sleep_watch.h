// The watch on the time the machine did not run: the tick counter runs on while the
// machine sleeps or hibernates and while the system holds the program suspended (modern
// standby), but that time is no running time. The watch only measures; the period's start
// is moved by LeaveOutSleep (figures.h).
#ifndef TALLYWICK_SLEEP_WATCH_H
#define TALLYWICK_SLEEP_WATCH_H

#include <windows.h>
#include <stdint.h>

// A longer gap between two of the program's own timer ticks means that it did not run:
// the meter timer ticks at least once a second, and modal loops (a dialog, the menu, a
// window being dragged) go on dispatching its ticks.
const DWORD MAX_TICK_GAP_MS = 2 * 60 * 1000;

// Measures the time not running from now on; what came before belongs to an ended period.
void RestartRunningWatch();
// A look: the whole seconds since the last look in which the machine did not run (what the
// unbiased time fell behind the tick count, or a whole gap longer than MAX_TICK_GAP_MS);
// what falls short of a second is carried to the next.
uint32_t LookForTimeNotRunning();
// A suspend broadcast: the tick count is remembered for the resume.
void WatchSuspend();
// The first resume after a suspend: the whole seconds from the suspend on that the looks
// have not found already; 0 for any other resume.
uint32_t SecondsSinceSuspend();

#endif
