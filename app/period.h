// Period changes (clear data, midnight, tick-counter wrap) and the exit sequence.
#ifndef TALLYWICK_PERIOD_H
#define TALLYWICK_PERIOD_H

#include <windows.h>

// Ends the current period: save, new period, reload, meter back to its default place.
// When the save fails (see LastSaveError) the ended period is carried in memory.
void ClearData();
// The meter timer's checks: time not running is left out, wrap and date change start a new
// period, a checkpoint when one is due; redraw when seen.
void OnMeterTimer(HWND window, WPARAM timerId);
// Save, fresh period, remove the tray icon, delete the font, close the mutex, quit.
// Runs once; a second WM_DESTROY or WM_ENDSESSION finds it done and does nothing.
void RunExitSequence();

#endif
