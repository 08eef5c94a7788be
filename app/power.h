// Sleep and hibernation: the tick counter runs on while the machine sleeps, but that
// time is no running time.
#ifndef TALLYWICK_POWER_H
#define TALLYWICK_POWER_H

#include <windows.h>

// WM_POWERBROADCAST. Suspend: a checkpoint, and the tick count is remembered. The first
// resume after it moves the period's start forward by the seconds asleep; the meter
// timer's date check then credits a period that began before a midnight to its own day.
void OnPowerBroadcast(WPARAM event);

#endif
