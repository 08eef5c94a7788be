// Placing the program's windows when they open, and keeping them on screen when the
// displays or the taskbar change.
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
// `at` moved so that a box of `size` there lies inside the work area of the monitor nearest
// to `window`; one larger than that keeps its top left corner inside.
POINT InsideNearestWorkArea(HWND window, POINT at, SIZE size);

enum WindowOpening { OPEN_WHERE_SYSTEM_CHOOSES, OPEN_IN_CORNER, OPEN_CENTRED };
// Where and how large a new window is (x is CW_USEDEFAULT where the system chooses).
struct OpeningPlace {
    int x, y, width, height;
};
// A new window of `size` on the primary monitor, where new windows appear: no larger than
// its work area, which a high DPI on a small screen leaves small, and in its bottom
// right-hand corner, centred in it, or where the system puts it.
OpeningPlace PlaceNewWindow(SIZE size, WindowOpening opening);

#endif
