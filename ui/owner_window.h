// The program's module and the window that owns every dialog, message box and history
// window: the meter's. meter/meter_frame.cpp creates it and sets both; every other window
// only reads them.
#ifndef TALLYWICK_OWNER_WINDOW_H
#define TALLYWICK_OWNER_WINDOW_H

#include <windows.h>

#define METER_BACKGROUND RGB(255, 240, 220)  // the meter's face and the history window's background

extern HWND MeterWindow;        // null until the meter's frame has been created
extern HINSTANCE MeterInstance; // the module of every string, icon and dialog resource

#endif
