// The meter's picture: its four lines (meter_lines.h) where the layout (meter_layout.h)
// put them, drawn off-screen and copied whole.
#ifndef TALLYWICK_METER_PAINT_H
#define TALLYWICK_METER_PAINT_H

#include <windows.h>
#include "meter_lines.h"

// WM_PAINT: draws and changes nothing else, the window's size included.
void PaintMeter(HDC paintDc, HWND window);

#endif
