// The font of the program's windows: the icon-title font, made for the DPI of the monitor a
// window is on, as the meter, the history list, the chart and the keyboard window use it.
#ifndef TALLYWICK_FONTS_H
#define TALLYWICK_FONTS_H

#include <windows.h>

// The icon-title font at `dpi`, `height` pixels high (0: its own height). Where the system
// cannot give it for a DPI, the icon-title font of the system DPI scaled to `dpi`; where that
// cannot be read, a copy of the GUI font. A font of the caller's own; null only when no font
// can be made.
HFONT CreateWindowFont(UINT dpi, int height);
// `*font` deleted, if any, and `made` put in its place.
void ReplaceFont(HFONT *font, HFONT made);

#endif
