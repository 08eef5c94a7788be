// The four lines of the meter, drawn off-screen and grown to fit, never shrunk.
#ifndef TALLYWICK_METER_PAINT_H
#define TALLYWICK_METER_PAINT_H

#include <windows.h>

const int METER_LINE_COUNT = 4;

void PaintMeter(HDC paintDc, HWND window);
// True when the counters or the running time differ from what the last paint drew, or
// nothing has been painted yet.
bool MeterFiguresChanged();
// The text of meter line 0 to 3 (keys, distance, clicks, running time) from the counters
// and the clock, in the FormatMeterText buffer until its next call.
const char *BuildMeterLine(int line);

#endif
