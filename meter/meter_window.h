// The meter: a small topmost tool window, the hub that every message of the program
// reaches (hook events, the timer, the tray icon, the menu commands, log-off).
#ifndef TALLYWICK_METER_WINDOW_H
#define TALLYWICK_METER_WINDOW_H

#include <windows.h>
#include "meter_frame.h"

void RegisterMeterClass(HINSTANCE instance);
// Creates the hidden window, the tray icon and the timer, then starts HOOK.dll.
// False when the window cannot be made.
bool CreateMeterWindow(HINSTANCE instance);
// A second start: asks the meter of the instance already running to show itself.
void ShowRunningMeter();
LRESULT CALLBACK MeterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
