// The physical size of a pixel on each monitor, measured ahead of time so that the mouse
// hook only looks values up.
#ifndef TALLYWICK_HOOKLIB_SCREEN_H
#define TALLYWICK_HOOKLIB_SCREEN_H

#include <windows.h>

struct MonitorScale {
    RECT area;
    double mmPerPixelX;
    double mmPerPixelY;
};

// A fixed table, so that the mouse hook never allocates; monitors beyond it use the
// scale of the first one.
const int MAX_MONITORS = 16;

struct ScreenTable {
    int count;
    MonitorScale monitors[MAX_MONITORS];
};

// Measures every monitor into `table`; slow (SetupAPI, the registry), so never inside a
// hook callback. Runs on any thread.
void MeasureScreens(ScreenTable *table);
// Makes `table` the one the distances are taken with. Hook thread.
void UseScreens(const ScreenTable &table);
// The distance in millimetres on the screen between two pointer positions, taken with the
// pixel size of the monitor holding `to` (or `from` when `to` lies outside every monitor).
// Hook thread.
double ScreenMillimetres(POINT from, POINT to);

#endif
