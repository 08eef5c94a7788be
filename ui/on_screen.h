// Placing the program's windows, and keeping the program's windows on screen when the displays or the taskbar change.
#ifndef TALLYWICK_ON_SCREEN_H
#define TALLYWICK_ON_SCREEN_H

#include <windows.h>

// Moves a window that is not wholly inside the work area of the monitor nearest to it
// back into that work area, keeping its size. Minimised and maximised windows are left
// to the system.
void KeepWindowOnScreen(HWND window);
// WM_SETTINGCHANGE: a new work area (SPI_SETWORKAREA) may have left the window outside it.
void OnScreenSettingChange(HWND window, WPARAM setting);
// Where a window of this size sits in the bottom right-hand corner of the work area.
POINT WorkAreaCorner(int width, int height);

#endif
