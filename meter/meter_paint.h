// The four lines of the meter, drawn off-screen and grown to fit, never shrunk.
#ifndef TALLYWICK_METER_PAINT_H
#define TALLYWICK_METER_PAINT_H

#include <windows.h>

void PaintMeter(HDC paintDc, HWND window);

#endif
