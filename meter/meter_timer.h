// The pace of the meter timer: fast while the meter can be seen, slow while it cannot.
#ifndef TALLYWICK_METER_TIMER_H
#define TALLYWICK_METER_TIMER_H

#include <windows.h>

// The interval the meter timer runs at now, in milliseconds; 0 before it is started.
extern UINT MeterTimerMs;

// Visible and not minimised: the timer then runs fast and its ticks repaint the meter.
bool MeterCanBeSeen(HWND window);
// Starts the meter timer of a new meter window at the pace that suits it.
void StartMeterTimer(HWND window);
// Changes the timer's interval when the meter has been shown, hidden, minimised or restored.
void PaceMeterTimer(HWND window);

#endif
