// The window procedure of the meter, the hub that every message of the program reaches:
// the hook events, the timer, the tray icon, the menu commands, power and log-off.
#ifndef TALLYWICK_METER_PROCEDURE_H
#define TALLYWICK_METER_PROCEDURE_H

#include <windows.h>

LRESULT CALLBACK MeterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
