// The meter: a small topmost tool window, the hub that every message of the program
// reaches (hook events, the 50 ms timer, the tray icon, the menu commands, log-off).
#ifndef TALLYWICK_METER_WINDOW_H
#define TALLYWICK_METER_WINDOW_H

#include <windows.h>

#define METER_CLASS "TALLYWICK"
#define METER_BACKGROUND RGB(255, 240, 220)
const int METER_DEFAULT_SIZE = 50;

extern HWND MeterWindow;       // null until CreateMeterWindow has created it
extern HFONT MeterFont;        // created on WM_CREATE, deleted by the exit sequence
extern UINT MeterDpi;          // the DPI MeterFont was made for; the lines are laid out at it
extern HINSTANCE MeterInstance; // the module of every string, icon and dialog resource

struct MeterRect {
    int left, top, width, height;
};

// Where a window of this size sits in the bottom right-hand corner of the work area.
POINT WorkAreaCorner(int width, int height);
MeterRect DefaultMeterRect();
void RegisterMeterClass(HINSTANCE instance);
// Creates the hidden window, the tray icon and the timer, then starts HOOK.dll.
// False when the window cannot be made.
bool CreateMeterWindow(HINSTANCE instance);
// Shows and restores the meter and brings it to the front.
void ShowMeterWindow();
void ToggleMeterWindow();
// Puts the meter back to its default place and size, topmost, without activating it.
void ResetMeterWindowPosition();
LRESULT CALLBACK MeterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
