// The physical size of a pixel on each monitor, measured ahead of time so that the mouse
// hook only looks values up.
#ifndef TALLYWICK_HOOKLIB_SCREEN_H
#define TALLYWICK_HOOKLIB_SCREEN_H

#include <windows.h>

// Measures every monitor again; called outside the hook callbacks only.
void MeasureScreens();
// The distance in millimetres on the screen between two pointer positions, taken with the
// pixel size of the monitor holding `to` (or `from` when `to` lies outside every monitor).
double ScreenMillimetres(POINT from, POINT to);

#endif
