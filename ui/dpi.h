// Dots per inch of the screen the program's windows are on, for a program that scales
// itself: the manifest declares per-monitor awareness, so Windows does not stretch it.
// The per-monitor functions exist from Windows 10 on; where they are missing everything
// is laid out at 96 dpi, as the program always was.
#ifndef TALLYWICK_DPI_H
#define TALLYWICK_DPI_H

#include <windows.h>

const UINT BASE_DPI = 96;  // the DPI at which every size in the code is given

// A length of `value` pixels at 96 dpi, at `dpi`.
int Scale(int value, UINT dpi);
// The DPI of the monitor the window is on.
UINT WindowDpi(HWND window);
// The DPI of the primary monitor, where new windows appear.
UINT SystemDpi();
// A system metric (SM_CXSMICON...) at `dpi`; where the system cannot give it for a DPI,
// the one it has for all programs.
int SystemMetricForDpi(int index, UINT dpi);
// The DPI of `monitor`; where the system cannot tell, SystemDpi().
UINT MonitorDpi(HMONITOR monitor);
// The icon-title font at `dpi`; false where the system cannot give it for a DPI.
bool IconTitleFontForDpi(UINT dpi, LOGFONTW *font);
// The window moved and sized to the rectangle that WM_DPICHANGED suggests.
void TakeSuggestedRect(HWND window, const RECT *suggested);

#endif
