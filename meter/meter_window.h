// The meter: a small topmost tool window, the hub that every message of the program
// reaches (hook events, the timer, the tray icon, the menu commands, log-off). Its window
// procedure is the program's (app/meter_procedure.h); the handlers of the meter's own
// messages are here.
#ifndef TALLYWICK_METER_WINDOW_H
#define TALLYWICK_METER_WINDOW_H

#include <windows.h>
#include "meter_frame.h"

void RegisterMeterClass(HINSTANCE instance, WNDPROC procedure);
// Creates the hidden window, the tray icon and the timer, then starts HOOK.dll.
// False when the window cannot be made.
bool CreateMeterWindow(HINSTANCE instance);
// A second start: asks the meter of the instance already running to show itself.
void ShowRunningMeter();

// WM_CREATE: the system menu trimmed, the font and the icons for the window's DPI.
void OnMeterCreate(HWND window);
// WM_DPICHANGED: a font and icons for the new DPI and the size Windows suggests; the tray
// icon drawn again when the taskbar's monitor has another DPI now.
void OnMeterDpiChanged(HWND window, WPARAM dpis, const RECT *suggested);
void OnMeterPaint(HWND window);
// WM_CLOSE: hidden, never destroyed.
void OnMeterClose(HWND window);
// WM_DISPLAYCHANGE: HOOK.dll measures the screens anew, the meter stays on one of them,
// the tray icon follows the taskbar's DPI.
void OnMeterDisplayChange(HWND window);
// WM_SETTINGCHANGE: the meter kept on a changed work area, the tray icon at the taskbar's DPI,
// the frame in a changed app mode (`area` names what changed).
void OnMeterSettingChange(HWND window, WPARAM setting, LPARAM area);

#endif
