// The meter's font: the icon-title font at the DPI of the meter's monitor.
#ifndef TALLYWICK_METER_FONT_H
#define TALLYWICK_METER_FONT_H

#include <windows.h>

extern HFONT MeterFont;  // made on WM_CREATE and at a change of DPI, deleted by the exit sequence
extern UINT MeterDpi;    // the DPI MeterFont was made for; the lines are laid out at it

// Makes MeterFont for `dpi` and gives it to `window`; the font it had is the caller's.
void SetMeterFont(HWND window, UINT dpi);
// Deletes MeterFont, once.
void DeleteMeterFont();

#endif
