// When the meter shows the figures anew. One timer ticks once a second, just after the
// second of the tick counter turns, shown or hidden: its ticks make the program's timer
// checks and, while the meter can be seen, repaint a new running time. A count repaints at
// once, or at the latest 50 ms after the figures were last looked at. Nothing else wakes
// the program.
#ifndef TALLYWICK_METER_TIMER_H
#define TALLYWICK_METER_TIMER_H

#include <windows.h>

// The most often the meter looks at the figures for counts, in milliseconds.
const DWORD COUNT_REPAINT_MS = 50;

// Starts the second timer of a new meter window.
void StartMeterTimer(HWND window);
// WM_TIMER of the meter window, after the program's timer checks.
void OnMeterTimer(HWND window, WPARAM timerId);
// WM_WINDOWPOSCHANGED: a meter that has just come into view is laid out before its first
// paint; one that went out of view drops a repaint it was waiting for.
void OnMeterPlaced(HWND window);
// A hook message has changed a count: shown at once when the figures were last looked at
// COUNT_REPAINT_MS ago or more, else when that will be (one timer, however many counts come).
void ShowCountSoon(HWND window);

#endif
